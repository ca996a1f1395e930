#include "serial/port_hint.h"

#include "text/port_hint_texts.h"

#include <QtGlobal>
#include <cerrno>

QString portOpenHint(int errorNumber, const QString& entry, const QString& devicePath,
                     const QString& settingsPath, std::optional<Language> language) {
#ifdef Q_OS_WIN
    // The link reports the system's own codes there, and there is no group to join.
    Q_UNUSED(errorNumber);
    Q_UNUSED(entry);
    Q_UNUSED(devicePath);
    Q_UNUSED(settingsPath);
    Q_UNUSED(language);
    return {};
#else
    switch (errorNumber) {
    case EACCES:
        return portHintText(language, PortHintText::JoinDialout).arg(devicePath);
    case ENOENT:
        // A path given as it is maps nothing; an entry stands for a mapped or default path.
        if (entry.trimmed() == devicePath)
            return portHintText(language, PortHintText::NoDevice).arg(devicePath);
        return portHintText(language, PortHintText::NoDeviceForEntry)
            .arg(entry.trimmed(), devicePath, settingsPath);
    default:
        return {};
    }
#endif
}
