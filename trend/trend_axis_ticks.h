#pragma once
// Round numbers on a plot's value axis, whatever range a zoom leaves it with: ticks one,
// two or five times a power of ten apart, the first at or above the axis's low end, and as
// many decimals as the step needs. A rubber band from 289.8 to 326.6 V then reads 290,
// 300, 310, 320 rather than the band's own edges.
#include <utility>

struct TrendTicks {
    double interval = 1; // 1, 2 or 5 × 10^n
    double anchor = 0;   // the lowest tick within the range
    int decimals = 0;    // what a label needs to show the interval
};

// About `target` ticks for an axis from low to high.
TrendTicks trendTicks(double low, double high, int target = 4);
// low..high widened to the ticks around it, for an axis fitted to its lines.
std::pair<double, double> trendNiceRange(double low, double high, int target = 4);
