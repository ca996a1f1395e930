#pragma once
// The heat-sink temperature sensors: a thermistor on a 10-bit AD input. The table turns
// the AD value 0..1023 into °C with one decimal, falling from 530,7 °C (AD 0 and 1) to
// −65,0 °C (AD 1023).
#include <array>

constexpr int kTemperatureEntries = 1024;

// The 1024 temperatures, indexed by the AD value.
const std::array<float, kTemperatureEntries>& temperature_table();

// Temperature for an AD value; a value outside 0..1023 reads the nearer end of the table.
float temperatureAt(int adValue);
