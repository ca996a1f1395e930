#include "base/formats.h"

#include <cmath>

QLocale fixedLocale() {
    // de_DE already has the decimal comma, "." for thousands and dd.MM.yyyy; what the
    // program adds is that it never depends on the PC's settings.
    QLocale locale(QLocale::German, QLocale::Germany);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

void applyFixedFormats() {
    QLocale::setDefault(fixedLocale());
}

QString formatFixed(double value, int decimals) {
    return fixedLocale().toString(value, 'f', decimals);
}

std::optional<double> parseFixed(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(u'.'))
        return std::nullopt;
    bool ok = false;
    const double value = fixedLocale().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint64> parseInteger(const QString& text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

QString formatClock(const QDateTime& when) {
    return when.toString(QStringLiteral("dd.MM.yyyy   HH:mm"));
}

qint64 roundHalfEven(double value) {
    return qint64(std::nearbyint(value));
}
