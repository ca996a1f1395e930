#include "trace/trace_rows.h"
#include "text/confirm_texts.h"

#include "text/trace_texts.h"

#include <QDateTime>
#include <QLocale>

namespace {

QString text(std::optional<Language> language, TraceText id) {
    return traceText(language, id);
}

QString hexWord(quint16 word) {
    return QStringLiteral("0x") +
           QString::number(word, 16).rightJustified(4, QLatin1Char('0')).toUpper();
}

QString ms(double value) {
    return QString::number(value, 'f', 1);
}

TraceText itemName(const TelegramItem& item) {
    switch (item.kind) {
    case TelegramItem::Kind::SyncRun:
        return TraceText::ItemSyncRun;
    case TelegramItem::Kind::AcknowledgeRun:
        return TraceText::ItemAcknowledgeRun;
    case TelegramItem::Kind::HardwareTest:
        return TraceText::ItemHardwareTest;
    case TelegramItem::Kind::RamRead:
        return TraceText::ItemRamRead;
    case TelegramItem::Kind::ParameterRead:
        return TraceText::ItemParameterRead;
    case TelegramItem::Kind::RamWrite:
        return TraceText::ItemRamWrite;
    case TelegramItem::Kind::ParameterWrite:
        return TraceText::ItemParameterWrite;
    case TelegramItem::Kind::BlockRead:
        return item.checksum ? TraceText::ItemChecksum : TraceText::ItemBlockRead;
    case TelegramItem::Kind::Unknown:
        break;
    }
    return TraceText::ItemUnknown;
}

// Bytes in hex, 16 a line.
QString hexLines(const QByteArray& bytes, const QString& indent) {
    QString out;
    for (qsizetype i = 0; i < bytes.size(); i += 16) {
        out += indent + QStringLiteral("%1 ").arg(i, 4, 10, QLatin1Char(' '));
        for (qsizetype j = i; j < std::min(bytes.size(), i + 16); ++j)
            out += QLatin1Char(' ') + hexByte(quint8(bytes[j]));
        out += QLatin1Char('\n');
    }
    return out;
}

} // namespace

double wireMs(quint32 bytes) {
    return bytes * 2.0 * 10.0 / 38400.0 * 1000.0;
}

QString exchangeName(std::optional<Language> language, TraceExchange exchange) {
    static constexpr TraceText kNames[] = {TraceText::ExchangeSync,
                                           TraceText::ExchangeHardwareTest,
                                           TraceText::ExchangeIdentity,
                                           TraceText::ExchangeRamRead,
                                           TraceText::ExchangeParameterRead,
                                           TraceText::ExchangeParameterWrite,
                                           TraceText::ExchangeClock,
                                           TraceText::ExchangeFaultMemoryRead,
                                           TraceText::ExchangeFaultMemoryClear,
                                           TraceText::ExchangeCalibration,
                                           TraceText::ExchangeOther};
    return text(language, kNames[int(exchange)]);
}

QString traceTime(qint64 startMs) {
    return QDateTime::fromMSecsSinceEpoch(startMs).toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString durationText(const TransferRecord& record) {
    return ms(double(record.durationNs) / 1e6) + QStringLiteral(" / ") + ms(wireMs(record.count));
}

QString resultText(std::optional<Language> language, const TransferRecord& record) {
    switch (record.outcome) {
    case TransferRecord::Outcome::Sound:
        return text(language, TraceText::ResultSound);
    case TransferRecord::Outcome::WrongByte:
        return text(language, TraceText::ResultWrongByte)
            .arg(record.failPosition)
            .arg(hexByte(record.expected), hexByte(record.got));
    case TransferRecord::Outcome::AnswerMissing:
        if (record.failPosition == 0)
            return text(language, TraceText::ResultNoAnswer);
        return text(language, TraceText::ResultAnswerStopped).arg(record.failPosition);
    case TransferRecord::Outcome::PortLost:
        return text(language, TraceText::ResultPortLost);
    }
    return {};
}

QString resultText(std::optional<Language> language, const TraceEntry& entry) {
    return entry.corrupted ? confirmText(language, ConfirmText::ResultCorrupted)
                           : resultText(language, entry.record);
}

QString diagnosisText(std::optional<Language> language, const TransferRecord& record) {
    switch (record.outcome) {
    case TransferRecord::Outcome::Sound:
        return {};
    case TransferRecord::Outcome::WrongByte:
        return text(language, TraceText::DiagnosisWrongBytes);
    case TransferRecord::Outcome::AnswerMissing:
        if (record.failPosition == 0)
            return text(language, TraceText::DiagnosisNoAnswer);
        return text(language, TraceText::DiagnosisAnswerStopped).arg(record.failPosition);
    case TransferRecord::Outcome::PortLost:
        return text(language, TraceText::DiagnosisPortLost);
    }
    return {};
}

std::vector<bool> failingBytes(const TransferRecord& record) {
    std::vector<bool> failing(record.count, false);
    const bool checked = !record.mask.isEmpty() && record.mask[0] != 0;
    for (quint32 i = 0; i < record.count; ++i) {
        if (i >= quint32(record.received.size())) {
            failing[i] = true;
            continue;
        }
        if (!checked || i >= quint32(record.mask.size()))
            continue;
        const quint8 got = quint8(record.received[i]);
        if (record.mask[i] == 1)
            failing[i] = got != quint8(record.sent[i]);
        else if (record.mask[i] == 2)
            failing[i] = got != 0xAA;
    }
    return failing;
}

QString hexByte(quint8 byte) {
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

QList<TelegramItem> itemsOf(const TraceEntry& entry) {
    return splitTelegram(entry.record.sent, entry.record.received, entry.hwOld);
}

QString itemText(std::optional<Language> language, const TelegramItem& item) {
    const QString name = text(language, itemName(item));
    const QString at = QStringLiteral("%1: ").arg(item.position, 4);
    switch (item.kind) {
    case TelegramItem::Kind::SyncRun:
    case TelegramItem::Kind::AcknowledgeRun:
        return at + QStringLiteral("%1 × %2 %3").arg(item.length).arg(hexByte(item.command), name);
    case TelegramItem::Kind::HardwareTest:
        return at + hexByte(item.command) + QLatin1Char(' ') + name +
               (item.value ? QStringLiteral(" → ") + hexByte(quint8(*item.value)) : QString());
    case TelegramItem::Kind::Unknown:
        return at + hexByte(item.command) + QLatin1Char(' ') + name +
               QStringLiteral(" (%1)").arg(item.length);
    default:
        break;
    }
    QString line = at + hexByte(item.command) + QLatin1Char(' ') + name;
    if (item.checksum)
        return line + (item.value ? QStringLiteral(" = ") + hexByte(quint8(*item.value))
                                  : QStringLiteral(" = ?"));
    line += QLatin1Char(' ') + hexWord(item.address);
    const bool write = item.kind == TelegramItem::Kind::RamWrite ||
                       item.kind == TelegramItem::Kind::ParameterWrite;
    line += write ? QStringLiteral(" ← ") : QStringLiteral(" = ");
    return line + (item.value ? hexWord(*item.value) : QStringLiteral("?"));
}

QStringList statisticsLines(std::optional<Language> language, const LinkStatistics& stats) {
    QStringList lines;
    lines << text(language, TraceText::StatTransfers).arg(stats.transfers).arg(stats.bytes);
    lines << text(language, TraceText::StatErrors)
                 .arg(stats.noAnswer)
                 .arg(stats.answerStopped)
                 .arg(stats.wrongBytes)
                 .arg(stats.portLost);
    if (stats.cycles == 0)
        lines << text(language, TraceText::StatNoCycle);
    else
        lines << text(language, TraceText::StatCycle)
                     .arg(ms(stats.lastCycleMs), ms(stats.meanCycleMs), ms(stats.maxCycleMs))
                     .arg(stats.cycles);
    if (!stats.lastError)
        lines << text(language, TraceText::StatNoError);
    else
        lines << text(language, TraceText::StatLastError)
                     .arg(traceTime(stats.lastError->record.startMs),
                          exchangeName(language, stats.lastError->exchange),
                          resultText(language, stats.lastError->record));
    return lines;
}

QByteArray traceFileText(std::optional<Language> language, const TraceRing& ring,
                         const LinkStatistics& stats) {
    QString out;
    for (const QString& line : statisticsLines(language, stats))
        out += line + QLatin1Char('\n');
    out += QLatin1Char('\n');
    out +=
        QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
            .arg(text(language, TraceText::ColumnTime), text(language, TraceText::ColumnExchange),
                 text(language, TraceText::ColumnLength), text(language, TraceText::ColumnDuration),
                 text(language, TraceText::ColumnResult));
    const QString indent = QStringLiteral("    ");
    for (quint64 n = ring.first(); n < ring.end(); ++n) {
        const TraceEntry& entry = *ring.find(n);
        const TransferRecord& r = entry.record;
        out += QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                   .arg(QDateTime::fromMSecsSinceEpoch(r.startMs).toString(
                            QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")),
                        exchangeName(language, entry.exchange))
                   .arg(r.count)
                   .arg(durationText(r), resultText(language, entry));
        out += indent + text(language, TraceText::Sent) + QLatin1Char('\n');
        out += hexLines(r.sent, indent);
        out += indent + text(language, TraceText::Received) + QLatin1Char('\n');
        out += hexLines(r.received, indent);
        out += indent + text(language, TraceText::Items) + QLatin1Char('\n');
        for (const TelegramItem& item : itemsOf(entry))
            out += indent + indent + itemText(language, item) + QLatin1Char('\n');
    }
    return out.toUtf8();
}
