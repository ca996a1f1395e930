#pragma once
// The light sensor's characteristic on the light-control page: the input's 0..10 V map
// linearly to n … n + 10 × m lux. The four sensor types fix m and n; "Individual" lets the
// technician type them. Nothing of it is stored or sent: the controller's lux regulator
// never sees these numbers, only the tool's display of the measured illuminance does.
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct LuxPreset {
    QString entry; // as the list shows it
    QString m;     // slope, decimal comma
    QString n;     // offset
};

inline constexpr int kLuxIndividual = 4; // the list's last entry

// The four sensor types, in list order.
const std::array<LuxPreset, 4>& luxPresets();
// The list's five entries: the sensor types, then "Individual".
QStringList luxEntries();
// The preset of a list index; nullopt for "Individual" and for no selection.
std::optional<LuxPreset> luxPreset(int index);
