#include "serial/port_hint.h"

#include "text/port_hint_texts.h"

#include <QtGlobal>
#include <cerrno>

namespace {

// The connect button while connected: "com deactivate" / "COM stoppen".
constexpr int kStopCaptionRow = 101;

} // namespace

QString portOpenHint(int errorNumber, const QString& entry, const QString& devicePath,
                     const QString& settingsPath, std::optional<Language> language,
                     const std::optional<PortHolder>& holder, const QString& stopCaption) {
#ifdef Q_OS_WIN
    // The link reports the system's own codes there, and there is no group to join.
    Q_UNUSED(errorNumber);
    Q_UNUSED(entry);
    Q_UNUSED(devicePath);
    Q_UNUSED(settingsPath);
    Q_UNUSED(language);
    Q_UNUSED(holder);
    Q_UNUSED(stopCaption);
    return {};
#else
    // A path given as it is maps nothing; an entry stands for a mapped or default path.
    const bool givenAsPath = entry.trimmed() == devicePath;
    const QString caption = stopCaption.isEmpty()
                                ? GetInfoString(language, kStopCaptionRow).trimmed()
                                : stopCaption.trimmed();
    switch (errorNumber) {
    case EACCES:
        return portHintText(language, PortHintText::JoinDialout).arg(devicePath);
    case ENOENT:
        if (givenAsPath)
            return portHintText(language, PortHintText::NoDevice).arg(devicePath);
        return portHintText(language, PortHintText::NoDeviceForEntry)
            .arg(entry.trimmed(), devicePath, settingsPath);
    case EBUSY:
        if (!holder || holder->name.isEmpty())
            return portHintText(language, PortHintText::BusyUnknown).arg(devicePath, caption);
        if (holder->name == QLatin1String(kWindowProgram))
            return portHintText(language, PortHintText::BusyWindow)
                .arg(devicePath, QString::number(holder->pid), caption);
        return portHintText(language, PortHintText::BusyProgram)
            .arg(devicePath, holder->name, QString::number(holder->pid));
    case ENOTTY:
    case EISDIR:
        if (givenAsPath)
            return portHintText(language, PortHintText::NotSerial).arg(devicePath);
        return portHintText(language, PortHintText::NotSerialForEntry)
            .arg(entry.trimmed(), devicePath, settingsPath);
    default:
        return {};
    }
#endif
}
