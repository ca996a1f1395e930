#pragma once
// The texts of the trend window and its recording in the five languages, kept beside the
// text table like own_texts and never numbered as its rows.
#include "text/info_table.h"

#include <QString>
#include <optional>

enum class TrendText {
    WindowTitle,
    MenuItem,
    // The series, with their units.
    SeriesDcLink,
    SeriesMains,
    SeriesActualHz,
    SeriesNominalHz,
    SeriesHeatSink1,
    SeriesHeatSink2,
    SeriesSaving,
    // The plots' value axes, one a unit, and the time axis below them.
    AxisVolts,
    AxisFrequency,
    AxisTemperature,
    AxisSaving,
    AxisTime,
    // Buttons.
    Pause,
    Resume,
    ResetZoom,
    Record,
    StopRecording,
    RecordFilter,
    // The recording's status. Recording: %1 the file, %2 the rows so far.
    NotRecording,
    RecordingTo,
    // %1: the file, %2: the system's reason.
    RecordingFailed,
    RecordingNotStarted,
    // The program closed while recording; %1: the file (full path), %2: its rows.
    RecordingEndedAtClose,
    // %1: how many points the trend holds.
    Samples,
};

// The text in the active language; German, the design language, while none is active.
QString trendText(std::optional<Language> active, TrendText text);
