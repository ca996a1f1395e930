#include "services/clock_drift.h"

#include "services/clock_words.h"

#include <QStringList>
#include <QTimeZone>

std::optional<qint64> clockDriftSeconds(const QDateTime& controllerClock,
                                        const QDateTime& pcLocalNow, int daylightBiasMinutes) {
    if (!controllerClock.isValid() || !pcLocalNow.isValid())
        return std::nullopt;
    // Both as plain calendar values, to the second (the controller counts no less).
    const QDateTime controller(controllerClock.date(), controllerClock.time(), QTimeZone::utc());
    QDateTime pc = standardTime(pcLocalNow, daylightBiasMinutes);
    pc.setTime(QTime(pc.time().hour(), pc.time().minute(), pc.time().second()));
    return pc.secsTo(controller);
}

QString driftText(qint64 seconds) {
    const qint64 magnitude = seconds < 0 ? -seconds : seconds;
    const qint64 days = magnitude / 86400;
    const qint64 hours = magnitude / 3600 % 24;
    const qint64 minutes = magnitude / 60 % 60;
    const qint64 rest = magnitude % 60;
    QStringList parts;
    if (days > 0)
        parts << QStringLiteral("%1 d").arg(days) << QStringLiteral("%1 h").arg(hours)
              << QStringLiteral("%1 min").arg(minutes);
    else if (hours > 0)
        parts << QStringLiteral("%1 h").arg(hours) << QStringLiteral("%1 min").arg(minutes)
              << QStringLiteral("%1 s").arg(rest);
    else if (minutes > 0)
        parts << QStringLiteral("%1 min").arg(minutes) << QStringLiteral("%1 s").arg(rest);
    else
        parts << QStringLiteral("%1 s").arg(rest);
    const QString sign = seconds > 0   ? QStringLiteral("+")
                         : seconds < 0 ? QStringLiteral("-")
                                       : QString();
    return sign + parts.join(QLatin1Char(' '));
}
