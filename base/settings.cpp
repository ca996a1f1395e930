#include "base/settings.h"

#include "base/ini_file.h"

namespace {
const QString kSection = QStringLiteral("Option");
}

StartSettings readSettingsFile(const QString& path) {
    IniFile ini;
    ini.load(path);
    return readSettings(ini);
}

StartSettings readSettings(const IniFile& ini) {
    StartSettings settings;
    const QString com = ini.value(kSection, QStringLiteral("Com"));
    if (!com.isEmpty())
        settings.com_port = com;
    settings.language_code =
        ini.value(kSection, QStringLiteral("Language"), settings.language_code);
    return settings;
}

bool writeSettingsFile(const QString& path, const QString& com, const QString& language,
                       QString* error) {
    IniFile ini;
    ini.load(path);
    ini.setValue(kSection, QStringLiteral("Com"), com);
    ini.setValue(kSection, QStringLiteral("Language"), language);
    return saveIniMakingFolder(ini, path, error);
}

QStringList comEntries() {
    QStringList entries;
    for (int n = 1; n <= 32; ++n)
        entries.append(QStringLiteral("COM%1").arg(n));
    return entries;
}

int comListIndex(const QStringList& entries, const QString& com_port) {
    // The list is stepped through from its first entry until the text matches; a name
    // that is not in the list leaves the first entry selected.
    const int index = int(entries.indexOf(com_port));
    return index >= 0 ? index : 0;
}
