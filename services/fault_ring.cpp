#include "services/fault_ring.h"

#include "protocol/telegram.h"

namespace {

constexpr int kRecordBytes = 6;
constexpr int kNoText = 0;
constexpr int kFree = -1;

// Text-table row of each fault bit.
constexpr int kBitRows[16] = {kNoText, 28,    29,  32,  111, 31,  171, 33,
                              169,     kFree, 170, 171, 172, 173, 174, 175};

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

FaultAnswer faultAnswerWords(bool hw_old, const quint8* answer) {
    FaultAnswer words{};
    for (int item = 0; item < kFaultItems; ++item)
        words[std::size_t(item)] = readItemWord(hw_old, answer, item);
    return words;
}

std::optional<FaultAnswer> faultAnswerWords(bool hw_old, QByteArrayView answer) {
    if (answer.size() < faultAnswerBytes(hw_old))
        return std::nullopt;
    return faultAnswerWords(hw_old, reinterpret_cast<const quint8*>(answer.data()));
}

FaultList decodeFaultRing(bool hw_old, const FaultAnswer& items) {
    FaultList list;
    const int position = items[kFaultItems - 1];
    list.impossiblePosition = position > kRecordBytes * kFaultRecordCount;
    const int n = std::min(position / kRecordBytes, kFaultRecordCount);

    const auto record = [&items](int k) {
        const auto word = [&items, k](int w) { return items[std::size_t(3 * k + w)]; };
        return FaultRow{faultTimeText(word(1), word(2)), word(0)};
    };
    int row = 0;
    for (int k = n - 1; k >= 0; --k)
        list.rows[std::size_t(row++)] = record(k);
    for (int k = kFaultRecordCount - 1; k >= n; --k) {
        FaultRow older = record(k);
        if (!hw_old && older.time == QLatin1String("00.00  00:00"))
            older.time.clear();
        list.rows[std::size_t(row++)] = older;
    }
    return list;
}

QString faultTimeText(quint16 hourMinute, quint16 monthDay) {
    return twoDigits(monthDay >> 8) + QLatin1Char('.') + twoDigits(monthDay & 0xFF) +
           QStringLiteral("  ") + twoDigits(hourMinute & 0xFF) + QLatin1Char(':') +
           twoDigits(hourMinute >> 8);
}

QString faultText(quint16 bits, const std::function<QString(int)>& text) {
    QString joined;
    for (int bit = 0; bit < 16; ++bit) {
        if (!(bits & (1u << bit)) || kBitRows[bit] == kNoText)
            continue;
        joined += kBitRows[bit] == kFree ? QStringLiteral("free") : text(kBitRows[bit]);
    }
    return joined;
}
