#include "base/verify_setting.h"

#include "base/tools_switch.h"

namespace {
const QString kKey = QStringLiteral("VerifyAfterWrite");
} // namespace

bool readVerifyAfterWrite(const IniFile& ini) {
    return readToolsSwitch(ini,
                           kKey); // a mistyped value keeps the only proof that a write arrived on
}

bool writeVerifyAfterWrite(const QString& path, bool on, QString* error) {
    return writeToolsSwitch(path, kKey, on, error);
}
