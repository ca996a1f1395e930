#include "base/verify_setting.h"

#include "base/ini_file.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kSection = QStringLiteral("Tools");
const QString kKey = QStringLiteral("VerifyAfterWrite");
} // namespace

bool readVerifyAfterWrite(const IniFile& ini) {
    // Anything but an explicit 0 keeps the check on: a mistyped value must not switch off
    // the only proof that a write arrived.
    return ini.value(kSection, kKey).trimmed() != QLatin1String("0");
}

bool writeVerifyAfterWrite(const QString& path, bool on, QString* error) {
    IniFile ini;
    // A missing file starts empty; one that cannot be read is left alone rather than
    // replaced by a file holding this key alone.
    if (!ini.load(path) && ini.loadError() != IniFile::LoadError::Missing) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    ini.setValue(kSection, kKey, on ? QStringLiteral("1") : QStringLiteral("0"));
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    if (!ini.save(path)) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    return true;
}
