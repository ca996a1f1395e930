#pragma once
// The controller's fault memory: a ring of 16 records of three words in parameter memory
// (fault bits; hour/minute; month/day) and the write position, the byte offset of the next
// record. Decoding lists the records newest first, then the older records the previous
// pass round the ring left behind.
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>
#include <optional>

constexpr int kFaultRecordCount = 16;
// Items of the read telegram: the 48 ring words (item 3k + w is word w of record k), then
// the write position.
constexpr int kFaultItems = 3 * kFaultRecordCount + 1;
using FaultAnswer = std::array<quint16, kFaultItems>;

// One row of the fault-memory grid.
struct FaultRow {
    QString time; // "dd.MM  HH:mm", empty for a record never written (see decodeFaultRing)
    quint16 bits = 0;
};

struct FaultList {
    std::array<FaultRow, kFaultRecordCount> rows; // grid rows 1 … 16: the newest record first
    // The write position lay beyond the ring (above 96, which a sound controller never
    // reports); the rows are then those of a full ring.
    bool impossiblePosition = false;
};

// The words of the read answer, item by item.
FaultAnswer faultAnswerWords(bool hw_old, const quint8* answer);
// Answer bytes the words are read from: kFaultItems items of 4 (old) or 5 (new) bytes.
constexpr qsizetype faultAnswerBytes(bool hw_old) {
    return qsizetype(hw_old ? 4 : 5) * kFaultItems;
}
// The same from an answer of the length the link received; nullopt when it is shorter.
std::optional<FaultAnswer> faultAnswerWords(bool hw_old, QByteArrayView answer);

// Records n − 1 … 0 (n = position ÷ 6), then, in the second pass, records 15 … n. A new
// controller's second-pass record that was never written ("00.00  00:00") shows an empty
// time; an old controller shows it as it reads.
FaultList decodeFaultRing(bool hw_old, const FaultAnswer& items);

// Day "." month, two blanks, hour ":" minute, each at least two digits.
QString faultTimeText(quint16 hourMinute, quint16 monthDay);

// The texts of the set fault bits in bit order, joined without a separator; text(row)
// gives a row of the text table. Bit 0 has no text, bit 9 is the fixed word "free", and
// bits 6 and 11 both say "short circuit ac".
QString faultText(quint16 bits, const std::function<QString(int)>& text);
