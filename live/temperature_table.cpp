#include "live/temperature_table.h"

#include <QtGlobal>
#include <cmath>
#include <vector>

namespace {

// The sensor's characteristic as measured at these AD values (°C). AD 0 reads the same as
// AD 1: the input is at its end stop there.
struct SupportPoint {
    int ad;
    double celsius;
};
constexpr SupportPoint kSupport[] = {
    {1, 530.7},    {2, 440.3},    {3, 396.1},    {4, 367.8},    {8, 308.1},    {16, 258.0},
    {32, 215.1},   {64, 177.4},   {96, 157.2},   {128, 143.3},  {160, 132.8},  {192, 124.3},
    {224, 117.0},  {256, 110.7},  {288, 105.0},  {320, 99.9},   {352, 95.1},   {384, 90.6},
    {416, 86.4},   {448, 82.4},   {480, 78.5},   {512, 74.7},   {544, 71.0},   {576, 67.3},
    {608, 63.6},   {640, 60.0},   {672, 56.2},   {704, 52.4},   {736, 48.5},   {768, 44.3},
    {800, 39.9},   {832, 35.2},   {864, 29.9},   {896, 23.9},   {928, 16.6},   {960, 7.2},
    {992, -7.3},   {1008, -20.6}, {1016, -33.3}, {1020, -46.2}, {1021, -51.9}, {1022, -61.2},
    {1023, -65.0},
};

constexpr double kKelvin = 273.15;

// The values between the support points follow the physics of the sensor rather than a
// straight line. The AD value is the thermistor's share of a voltage divider, so
// x = ln(ad / (1024 − ad)) is the logarithm of its resistance (relative to the divider
// resistor), and a thermistor's 1/T is close to a straight line in ln R (the beta
// equation; Steinhart–Hart adds a small cubic term). In that plane the support points lie
// almost on a line with a gentle, smooth bend. They are joined there by a monotone cubic
// Hermite curve (Fritsch–Carlson, slopes by the weighted harmonic mean of Fritsch and
// Butland), which passes through every point, never overshoots and so keeps the table
// falling; the result is turned back into °C and rounded to one decimal. Rounding keeps
// the order (two neighbours may round to the same value) and gives the support points
// back exactly.
double resistanceCoordinate(double ad) {
    return std::log(ad / (1024.0 - ad));
}

double inverseKelvin(double celsius) {
    return 1000.0 / (celsius + kKelvin);
}

double celsiusFromInverseKelvin(double y) {
    return 1000.0 / y - kKelvin;
}

std::array<float, kTemperatureEntries> buildTable() {
    const int n = int(std::size(kSupport));
    std::vector<double> x(n), y(n), h(n - 1), d(n - 1), m(n);
    for (int k = 0; k < n; ++k) {
        x[k] = resistanceCoordinate(kSupport[k].ad);
        y[k] = inverseKelvin(kSupport[k].celsius);
    }
    for (int k = 0; k + 1 < n; ++k) {
        h[k] = x[k + 1] - x[k];
        d[k] = (y[k + 1] - y[k]) / h[k];
    }
    m[0] = d[0];
    m[n - 1] = d[n - 2];
    for (int k = 1; k + 1 < n; ++k) {
        if (d[k - 1] * d[k] <= 0) {
            m[k] = 0; // a flat step or a turn: keep the curve flat there
            continue;
        }
        const double w1 = 2 * h[k] + h[k - 1];
        const double w2 = h[k] + 2 * h[k - 1];
        m[k] = (w1 + w2) / (w1 / d[k - 1] + w2 / d[k]);
    }

    std::array<float, kTemperatureEntries> table{};
    int k = 0;
    for (int ad = 1; ad < kTemperatureEntries; ++ad) {
        const double xa = resistanceCoordinate(ad);
        while (k + 2 < n && xa > x[k + 1])
            ++k;
        const double t = (xa - x[k]) / h[k];
        const double t2 = t * t;
        const double t3 = t2 * t;
        const double ya = (2 * t3 - 3 * t2 + 1) * y[k] + (t3 - 2 * t2 + t) * h[k] * m[k] +
                          (-2 * t3 + 3 * t2) * y[k + 1] + (t3 - t2) * h[k] * m[k + 1];
        table[ad] = float(std::round(celsiusFromInverseKelvin(ya) * 10.0) / 10.0);
    }
    table[0] = table[1];
    return table;
}

} // namespace

const std::array<float, kTemperatureEntries>& temperature_table() {
    static const std::array<float, kTemperatureEntries> table = buildTable();
    return table;
}

float temperatureAt(int adValue) {
    return temperature_table()[std::size_t(qBound(0, adValue, kTemperatureEntries - 1))];
}
