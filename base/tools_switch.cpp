#include "base/tools_switch.h"

#include "base/ini_file.h"

namespace {
const QString kSection = QStringLiteral("Tools");
} // namespace

bool readToolsSwitch(const IniFile& ini, const QString& key) {
    return ini.value(kSection, key).trimmed() != QLatin1String("0");
}

bool writeToolsSwitch(const QString& path, const QString& key, bool on, QString* error) {
    IniFile ini;
    // A missing file starts empty; one that cannot be read is left alone rather than
    // replaced by a file holding this key alone.
    if (!ini.load(path) && ini.loadError() != IniFile::LoadError::Missing) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    ini.setValue(kSection, key, on ? QStringLiteral("1") : QStringLiteral("0"));
    return saveIniMakingFolder(ini, path, error);
}
