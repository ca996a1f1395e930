#include "trend/trend_csv.h"

#include <QStringList>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Two decimals: finer than any field of the live display shows.
QString number(double value) {
    QString text = QString::number(value, 'f', 2);
    if (text == QLatin1String("-0.00"))
        text.remove(0, 1);
    return text;
}

} // namespace

QString csvCell(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString trendTimeCaption(const TrendSource& source) {
    QString what;
    if (source.hwOld)
        what = *source.hwOld ? QStringLiteral("old hardware") : QStringLiteral("new hardware");
    const QString code = source.productCode.trimmed();
    if (!code.isEmpty())
        what += (what.isEmpty() ? QString() : QStringLiteral(" / ")) +
                QStringLiteral("product code ") + code;
    if (what.isEmpty())
        what = QStringLiteral("controller not identified");
    return QStringLiteral("Time UTC (%1)").arg(what);
}

QString trendCsvHeader(const TrendSource& source) {
    const QStringList cells = {
        csvCell(trendTimeCaption(source)),
        QStringLiteral("DC link (V)"),
        QStringLiteral("Mains (V)"),
        QStringLiteral("Frequency actual (Hz)"),
        QStringLiteral("Frequency nominal (Hz)"),
        QStringLiteral("Heat sink 1 (°C)"),
        QStringLiteral("Heat sink 2 (°C)"),
        QStringLiteral("Saving (%)"),
        QStringLiteral("Controller clock"),
    };
    return cells.join(QLatin1Char(',')) + kCrLf;
}

QString trendCsvGapRow(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")) +
           QString(8, QLatin1Char(',')) + kCrLf;
}

QString trendCsvRow(const TrendSample& s) {
    const QStringList cells = {
        s.time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")),
        number(s.dcLinkVolts),
        number(s.mainsVolts),
        number(s.actualHz),
        number(s.nominalHz),
        number(s.heatSink1Celsius),
        s.heatSink2Celsius ? number(*s.heatSink2Celsius) : QString(),
        number(s.savingPercent),
        // The controller's clock has no zone: ISO 8601 without an offset.
        s.controllerClock.isValid()
            ? s.controllerClock.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
            : QString(),
    };
    return cells.join(QLatin1Char(',')) + kCrLf;
}
