#include "parameters/light_control.h"

const std::array<LuxPreset, 4>& luxPresets() {
    static const std::array<LuxPreset, 4> presets = {{
        {QStringLiteral("Peha LS-WA 3-300 Lx"), QStringLiteral("29,7"), QStringLiteral("3")},
        {QStringLiteral("Peha LS-WA 30-3000 Lx"), QStringLiteral("297"), QStringLiteral("30")},
        {QStringLiteral("Peha LS-WA 300-30000 Lx"), QStringLiteral("2970"), QStringLiteral("300")},
        {QStringLiteral("Peha LS-WA 600-60000 Lx"), QStringLiteral("5940"), QStringLiteral("600")},
    }};
    return presets;
}

QStringList luxEntries() {
    QStringList entries;
    for (const LuxPreset& preset : luxPresets())
        entries.append(preset.entry);
    entries.append(QStringLiteral("Individual"));
    return entries;
}

std::optional<LuxPreset> luxPreset(int index) {
    if (index < 0 || index >= int(luxPresets().size()))
        return std::nullopt;
    return luxPresets()[std::size_t(index)];
}
