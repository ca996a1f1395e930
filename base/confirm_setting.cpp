#include "base/confirm_setting.h"

#include "base/tools_switch.h"

namespace {
const QString kKey = QStringLiteral("ConfirmReads");
} // namespace

bool readConfirmReads(const IniFile& ini) {
    return readToolsSwitch(
        ini, kKey); // a mistyped value keeps the guard against a corrupted data byte on
}

bool writeConfirmReads(const QString& path, bool on, QString* error) {
    return writeToolsSwitch(path, kKey, on, error);
}
