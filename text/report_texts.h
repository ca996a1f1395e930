#pragma once
// The texts of the commissioning report and of its menu item, in the five languages of
// the text table. Kept beside the table and never numbered as its rows.
#include "text/info_table.h"

#include <QString>
#include <optional>

enum class ReportText {
    // Tools menu item.
    MenuItem,
    // The document's title and its first section.
    Title,
    General,
    Created,
    ToolVersion,
    // The controller's identity.
    Controller,
    Generation,
    GenerationOld,
    GenerationNew,
    ProductCode,
    Description,
    SoftwareDate,
    Revision,
    DeviceNumber,
    // The calibration. %1: the set point in volts, %2: its raw count.
    CalibrationValue,
    NoCalibrationValue,
    SetPointValue,
    CalibrationLog,
    NoCalibrationThisSession,
    // Anything the session did not read.
    NotRead,
    // A ramp time an old controller does not store.
    NotStored,
    // The controller clock.
    ClockSection,
    ClockDrift,
    // %1: the drift ("+3 min 12 s").
    ClockDriftWorthSync,
    NoValidTime,
    // The fault memory.
    NoFaultRecords,
    // The live values.
    LiveValues,
    // The lines to be filled in by hand.
    Confirmation,
    Place,
    ControllerNumber,
    Signature,
    // Footer. %1: this page, %2: the pages.
    Page,
    // After writing. %1: the file; for a failure %2: the reason.
    Saved,
    NotSaved,
};

// The text in the active language; German, the design language, while none is active.
QString reportText(std::optional<Language> active, ReportText text);
