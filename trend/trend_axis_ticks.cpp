#include "trend/trend_axis_ticks.h"

#include <algorithm>
#include <cmath>

namespace {
// Guards the divisions against a range edge that lies on a tick but for rounding.
constexpr double kSlack = 1e-9;
} // namespace

TrendTicks trendTicks(double low, double high, int target) {
    TrendTicks ticks;
    if (!std::isfinite(low) || !std::isfinite(high) || !(high > low) || target < 1) {
        ticks.anchor = std::isfinite(low) ? std::ceil(low) : 0;
        return ticks;
    }
    const double raw = (high - low) / target;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    // The round step nearest the raw one (halfway on a log scale), so the count of ticks
    // stays within √2 of the target either way.
    const double fraction = raw / magnitude; // 1 ≤ fraction < 10
    const double step = fraction < std::sqrt(2.0)    ? 1
                        : fraction < std::sqrt(10.0) ? 2
                        : fraction < std::sqrt(50.0) ? 5
                                                     : 10;
    ticks.interval = step * magnitude;
    ticks.anchor = std::ceil(low / ticks.interval - kSlack) * ticks.interval;
    if (std::abs(ticks.anchor) < ticks.interval * kSlack)
        ticks.anchor = 0; // never "-0"
    ticks.decimals = std::max(0, int(-std::floor(std::log10(ticks.interval) + kSlack)));
    return ticks;
}

std::pair<double, double> trendNiceRange(double low, double high, int target) {
    const TrendTicks ticks = trendTicks(low, high, target);
    const double from = std::floor(low / ticks.interval + kSlack) * ticks.interval;
    double to = std::ceil(high / ticks.interval - kSlack) * ticks.interval;
    if (!(to > from))
        to = from + ticks.interval;
    return {from, to};
}
