#include "trend/trend_sample.h"

TrendSample trendSample(const QDateTime& now, const LiveValues& values) {
    TrendSample s;
    s.time = QDateTime::fromMSecsSinceEpoch(now.toMSecsSinceEpoch(), Qt::UTC);
    s.dcLinkVolts = values.dcLinkVolts;
    s.mainsVolts = values.mainsVolts;
    s.actualHz = values.actualHz;
    s.nominalHz = values.nominalHz;
    s.heatSink1Celsius = values.heatSink1Celsius;
    s.heatSink2Celsius = values.heatSink2Celsius;
    s.savingPercent = values.savingPercent;
    s.controllerClock = values.controllerClock;
    return s;
}

std::optional<double> trendValue(const TrendSample& s, TrendSeries series) {
    switch (series) {
    case TrendSeries::DcLink:
        return s.dcLinkVolts;
    case TrendSeries::Mains:
        return s.mainsVolts;
    case TrendSeries::ActualHz:
        return s.actualHz;
    case TrendSeries::NominalHz:
        return s.nominalHz;
    case TrendSeries::HeatSink1:
        return s.heatSink1Celsius;
    case TrendSeries::HeatSink2:
        return s.heatSink2Celsius;
    case TrendSeries::Saving:
        return s.savingPercent;
    }
    return std::nullopt;
}
