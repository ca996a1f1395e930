#pragma once
// Round numbers on a plot's value axis, whatever range a zoom leaves it with: ticks one,
// two or five times a power of ten apart, the first at or above the axis's low end, and as
// many decimals as the step needs. A rubber band from 289.8 to 326.6 V then reads 290,
// 300, 310, 320 rather than the band's own edges.
#include <QtGlobal>
#include <utility>

struct TrendTicks {
    double interval = 1; // 1, 2 or 5 × 10^n
    double anchor = 0;   // the lowest tick within the range
    int decimals = 0;    // what a label needs to show the interval
};

// The finest round step for an axis from low to high that has at most `maxSteps` steps
// between ticks (a plot's height allows so many labels one above the other).
TrendTicks trendTicks(double low, double high, int maxSteps = 5);
// low..high widened to the ticks around it, for an axis fitted to its lines.
std::pair<double, double> trendNiceRange(double low, double high, int maxSteps = 5);

// The time axis of the plots as they follow the trend: from..to (milliseconds since the
// epoch) widened to whole steps of the clock (1, 2, 5, 10, 15, 30 s, 1, 2, 5, 10, 15,
// 30 min, 1, 2, 3, 6, 12 h), the finest with at most `maxSteps` of them, so the times
// below the plots are round on the local clock (offsetMs: its offset from UTC).
struct TrendTimeRange {
    qint64 fromMs = 0;
    qint64 toMs = 0;
    int tickCount = 2; // from, every step, to
};
TrendTimeRange trendTimeRange(qint64 fromMs, qint64 toMs, qint64 offsetMs, int maxSteps = 6);
