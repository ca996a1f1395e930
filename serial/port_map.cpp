#include "serial/port_map.h"

#include "base/ini_file.h"

#include <QRegularExpression>

namespace {
QHash<QString, QString>& overrideTable() {
    static QHash<QString, QString> table;
    return table;
}
} // namespace

bool isPortListEntry(const QString& text) {
    static const QRegularExpression entry(QStringLiteral("^COM([1-9]|[12][0-9]|3[0-2])$"),
                                          QRegularExpression::CaseInsensitiveOption);
    return entry.match(text.trimmed()).hasMatch();
}

bool namesComPort(const QString& text) {
    const QString t = text.trimmed();
    return t.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) && !t.contains(QLatin1Char('/'));
}

QString defaultDevicePath(const QString& entry) {
#ifdef Q_OS_WIN
    return entry;
#else
    static const QRegularExpression comEntry(QStringLiteral("^COM([0-9]+)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const auto match = comEntry.match(entry.trimmed());
    if (match.hasMatch()) {
        const int n = match.captured(1).toInt();
        if (n >= 1)
            return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    }
    return entry;
#endif
}

void setPortOverrides(const QHash<QString, QString>& overrides) {
    auto& table = overrideTable();
    table.clear();
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it)
        if (!it.value().trimmed().isEmpty())
            table.insert(it.key().trimmed().toUpper(), it.value().trimmed());
}

QString devicePathFor(const QString& entry) {
    const auto it = overrideTable().constFind(entry.trimmed().toUpper());
    return it != overrideTable().cend() ? it.value() : defaultDevicePath(entry);
}

void loadPortOverrides(const IniFile& settings) {
    QHash<QString, QString> overrides;
    const QString section = QStringLiteral("Ports");
    for (const QString& key : settings.keys(section))
        overrides.insert(key, settings.value(section, key));
    setPortOverrides(overrides);
}
