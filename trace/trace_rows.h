#pragma once
// What the trace shows of its entries, as texts in the active language: the table's
// columns, the result, the status line's diagnosis of a failed transfer, the decoded items,
// the statistics, and the whole trace as a text file.
#include "protocol/telegram_split.h"
#include "text/info_table.h"
#include "trace/link_statistics.h"
#include "trace/trace_ring.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The time a telegram of that many bytes takes on the line at 38400 baud, 8N1, each byte
// sent and answered: bytes × 2 × 10 bits.
double wireMs(quint32 bytes);

QString exchangeName(std::optional<Language> language, TraceExchange exchange);
// Local time of day with milliseconds, "hh:mm:ss.zzz".
QString traceTime(qint64 startMs);
// "12.4 / 8.9": the transfer's duration against its wire time, ms.
QString durationText(const TransferRecord& record);
QString resultText(std::optional<Language> language, const TransferRecord& record);
// The same for a row of the trace: a confirmed read's last answer whose data no earlier
// answer matched says so.
QString resultText(std::optional<Language> language, const TraceEntry& entry);
// The status line's note on a failed transfer: nothing came, the answer stopped, wrong
// bytes came, the port is gone. Empty for a sound one.
QString diagnosisText(std::optional<Language> language, const TransferRecord& record);

// Per byte of the telegram whether its answer is wrong: an echo or acknowledge that does
// not match (the link stops at the first, the view marks each) or a byte that did not come.
std::vector<bool> failingBytes(const TransferRecord& record);
QString hexByte(quint8 byte);

QList<TelegramItem> itemsOf(const TraceEntry& entry);
// "0x05 RAM read 0x0040 = 0x1234" and the like.
QString itemText(std::optional<Language> language, const TelegramItem& item);

QStringList statisticsLines(std::optional<Language> language, const LinkStatistics& stats);

// The trace as text: the statistics, then per entry its row, its bytes (sent, received)
// and its items. UTF-8.
QByteArray traceFileText(std::optional<Language> language, const TraceRing& ring,
                         const LinkStatistics& stats);
