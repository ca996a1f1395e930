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
    ProductCodeNewerBlock,
    SoftwareDate,
    // The older identity block's software date, kept in its description words.
    SoftwareDateOlderBlock,
    SoftwareNumber,
    VersionType,
    // %1: the version type.
    VersionTypeTraining,
    OptionBits,
    // %1: the option bits as 0x…; bit 0 set.
    OptionBitsOneHeatSink,
    DevelopmentNumber,
    // %1: the development number, 0 or not.
    DevelopmentRelease,
    DevelopmentTestVersion,
    HardwareVersion,
    HardwareRevision,
    // The calibration. %1: the set point in volts, %2: its raw count.
    CalibrationSection,
    CalibrationValue,
    NoCalibrationValue,
    UacStart,
    UacNominal,
    SetPointValue,
    CalibrationLog,
    NoCalibrationThisSession,
    // The two night profiles; %1 the period 1 … 3.
    WorkdayProfile,
    WeekendProfile,
    PeriodStart,
    PeriodSaving,
    DimmingEnd,
    // Start settings and ramp times.
    StartSettings,
    StartFrequency,
    BurnInTime,
    DarkenTime,
    BrightenTime,
    // Anything the session did not read.
    NotRead,
    // A ramp time an old controller does not store.
    NotStored,
    // The controller clock.
    ClockSection,
    ControllerTime,
    PcTime,
    ClockDrift,
    // %1: the drift ("+3 min 12 s").
    ClockDriftWorthSync,
    NoValidTime,
    // The fault memory.
    FaultSection,
    FaultTime,
    FaultText,
    NoFaultRecords,
    NoYearNote,
    // The fault names of the records' bits, worded for the client.
    FaultDcLinkOvervoltage,
    FaultOvertemperature,
    FaultEarth,
    FaultStart,
    FaultPermanent,
    FaultUndervoltage,
    FaultConcept,
    FaultIz,
    FaultShortCircuitAc,
    FaultChopper,
    FaultOverload,
    FaultOvertemperatureHeatSink1,
    FaultOvertemperatureHeatSink2,
    // The live values and the operating state they were taken in.
    LiveValues,
    OperatingState,
    StateStart,
    StateRunUp,
    StateNormal,
    StatePowerReduction,
    StateError,
    StateStandby,
    // %1: a state no state panel shows.
    StateOther,
    // Beside a value taken before normal operation, and the note under the section.
    BeforeNormalOperation,
    BeforeNormalOperationNote,
    DcLinkVoltage,
    MainsVoltage,
    ActualFrequency,
    NominalFrequency,
    HeatSink1,
    HeatSink2,
    EnergySaving,
    // Values with their units. %1: the number in the language's own notation.
    Percent,
    Minutes,
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
