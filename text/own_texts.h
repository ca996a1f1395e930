#pragma once
// Messages of our own that the five-language text table has no row for, in the same five
// languages. Kept beside the table and never numbered as its rows.
#include "text/info_table.h"

#include <QString>
#include <optional>

enum class OwnText {
    // %1: the field (its caption), %2: what it holds.
    WriteRefused,
    // Calibration log: the controller measures no mains voltage (a raw reading of 0).
    NoMainsReading,
    // Parameter files. %1: the file's full name; for a refused value %2: the key, %3: the
    // value; for a file that cannot be read or written %2: the system's reason.
    ParameterFileBadValue,
    ParameterFileNoParameterSet,
    ParameterFileNotIni,
    ParameterFileTooLarge,
    ParameterFileUnreadable,
    ParameterFileNotSaved,
    // %1: the year of the PC clock.
    ClockYearRefused,
    // %1: the write position the controller reported.
    FaultPositionImpossible,
    // Status line: the live reading runs, but no sound answer has reached the display for
    // over a second; the values on screen are the last sound ones.
    LiveValuesStale,
    // The port vanished during a transfer (a USB adapter pulled). %1: the port list entry,
    // %2: the device it led to.
    PortLost,
    // The menu of our own that holds the instruments.
    ToolsMenu,
    // Tooltip of the controller clock's drift. %1: the drift ("+3 min 12 s").
    ClockDrift,
    // The same, for a drift over a minute. %1: the drift, %2: the clock button's caption.
    ClockDriftWorthSync,
};

// The text in the active language; German, the design language, while none is active.
QString ownText(std::optional<Language> active, OwnText text);
