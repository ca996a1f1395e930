#include "trend/trend_axis_ticks.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr qint64 kSecond = 1000;
constexpr qint64 kMinute = 60 * kSecond;
constexpr qint64 kHour = 60 * kMinute;
constexpr std::array<qint64, 17> kClockSteps = {
    kSecond, 2 * kSecond, 5 * kSecond, 10 * kSecond, 15 * kSecond, 30 * kSecond,
    kMinute, 2 * kMinute, 5 * kMinute, 10 * kMinute, 15 * kMinute, 30 * kMinute,
    kHour,   2 * kHour,   3 * kHour,   6 * kHour,    12 * kHour};

// Division rounding towards minus infinity, for times before 1970 as well.
qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Guards the divisions against a range edge that lies on a tick but for rounding.
constexpr double kSlack = 1e-9;
} // namespace

TrendTicks trendTicks(double low, double high, int maxSteps) {
    TrendTicks ticks;
    if (!std::isfinite(low) || !std::isfinite(high) || !(high > low) || maxSteps < 1) {
        ticks.anchor = std::isfinite(low) ? std::ceil(low) : 0;
        return ticks;
    }
    const double raw = (high - low) / maxSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude; // 1 ≤ fraction < 10
    const double step = fraction <= 1 + kSlack   ? 1
                        : fraction <= 2 + kSlack ? 2
                        : fraction <= 5 + kSlack ? 5
                                                 : 10;
    ticks.interval = step * magnitude;
    ticks.anchor = std::ceil(low / ticks.interval - kSlack) * ticks.interval;
    if (std::abs(ticks.anchor) < ticks.interval * kSlack)
        ticks.anchor = 0; // never "-0"
    ticks.decimals = std::max(0, int(-std::floor(std::log10(ticks.interval) + kSlack)));
    return ticks;
}

std::pair<double, double> trendNiceRange(double low, double high, int maxSteps) {
    const TrendTicks ticks = trendTicks(low, high, maxSteps);
    const double from = std::floor(low / ticks.interval + kSlack) * ticks.interval;
    double to = std::ceil(high / ticks.interval - kSlack) * ticks.interval;
    if (!(to > from))
        to = from + ticks.interval;
    return {from, to};
}

TrendTimeRange trendTimeRange(qint64 fromMs, qint64 toMs, qint64 offsetMs, int maxSteps) {
    toMs = std::max(toMs, fromMs + 1);
    maxSteps = std::max(maxSteps, 1);
    qint64 first = 0;
    qint64 last = 0;
    qint64 step = 0;
    for (qint64 candidate : kClockSteps) {
        step = candidate;
        first = floorDiv(fromMs + offsetMs, step);
        last = -floorDiv(-(toMs + offsetMs), step); // rounded up
        if (last - first <= maxSteps)
            break;
    }
    // Longer than twelve steps of twelve hours: the last step, however many it takes.
    TrendTimeRange range;
    range.fromMs = first * step - offsetMs;
    range.toMs = last * step - offsetMs;
    range.tickCount = int(std::min<qint64>(last - first, 1000)) + 1;
    return range;
}
