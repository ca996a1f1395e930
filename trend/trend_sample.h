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
// The plots of the trend, one a kind of quantity with its own unit, stacked over one time
// axis: voltages (V), frequencies (Hz), temperatures (°C), the energy saving (%).
enum class TrendPlot { Volts, Frequency, Temperature, Saving };
inline constexpr int kTrendPlotCount = 4;
constexpr TrendPlot trendPlotOf(TrendSeries series) {
    switch (series) {
    case TrendSeries::DcLink:
    case TrendSeries::Mains:
        return TrendPlot::Volts;
    case TrendSeries::ActualHz:
    case TrendSeries::NominalHz:
        return TrendPlot::Frequency;
    case TrendSeries::HeatSink1:
    case TrendSeries::HeatSink2:
        return TrendPlot::Temperature;
    case TrendSeries::Saving:
        break;
    }
    return TrendPlot::Saving;
}
