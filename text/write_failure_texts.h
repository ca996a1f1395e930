#pragma once
// What a write that failed its answer check may have left in the controller, what the
// read-back finds when the controller's RAM and parameter memory disagree, and which keys
// of a self-contradicting parameter file were overridden; in the five languages of the
// text table. Kept beside the table and never numbered as its rows.
#include "text/info_table.h"

#include <QString>
#include <optional>

enum class WriteFailureText {
    // The status line's message panel after a failed answer check, by the write that was
    // under way (short: the panel is narrow).
    ParameterWrite,
    ClockWrite,
    FaultMemoryClear,
    CalibrationWrite,
    // The calibration log's line after a failed calibration write, in full.
    CalibrationWriteLog,
    // The calibration button while the identity must be read again (the click reads it).
    IdentityReadFirst,
    // One parameter whose RAM and memory differ: %1 the memory's value, %2 the RAM's.
    MemoryAndRam,
    // After loading a file whose savings contradict its takts. %1: the keys, comma-separated.
    KeysOverridden,
};

// The text in the active language; German, the design language, while none is active.
QString writeFailureText(std::optional<Language> active, WriteFailureText text);
