#pragma once
// One point of the trend: when the live display showed it (UTC, to the millisecond) and
// the values it showed, as numbers. Taken from the window's live values, never decoded
// again from the controller's words.
#include "live/live_display.h"

#include <QDateTime>
#include <optional>

struct TrendSample {
    QDateTime time; // UTC, milliseconds
    double dcLinkVolts = 0;
    double mainsVolts = 0;
    double actualHz = 0;
    double nominalHz = 0;
    double heatSink1Celsius = 0;
    std::optional<double> heatSink2Celsius; // only controllers with a second sensor
    double savingPercent = 0;
    QDateTime controllerClock; // as the controller reads it (standard time); may be invalid
};

// The sample of a display run at `now` (taken to UTC and cut to the millisecond).
TrendSample trendSample(const QDateTime& now, const LiveValues& values);

// The values a trend draws, one series each.
enum class TrendSeries { DcLink, Mains, ActualHz, NominalHz, HeatSink1, HeatSink2, Saving };
inline constexpr int kTrendSeriesCount = 7;
// The series' value in a sample; none for the second heat sink of a controller without it.
std::optional<double> trendValue(const TrendSample& sample, TrendSeries series);
// Volts are drawn against their own axis, everything else (Hz, °C, %) against the other.
constexpr bool isVoltSeries(TrendSeries series) {
    return series == TrendSeries::DcLink || series == TrendSeries::Mains;
}
