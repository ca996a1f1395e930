#include "parameters/parameter_set.h"

#include "live/ram_table.h"
#include "protocol/telegram.h"

namespace {

// Profile words in picker order start at these slots of the read answer.
constexpr int kNewProfileSlot = 36;
constexpr int kNewTaktSlot = 44;
constexpr int kNewStartSlot = 47;
constexpr int kNewBurnInSlot = 48;
constexpr int kNewRampSlot = 34;
constexpr int kOldUacStartSlot = 16;
constexpr int kOldUacNennSlot = 17;
constexpr int kOldRampSlot = 18;
constexpr int kOldProfileSlot = 20;
constexpr int kOldTaktSlot = 28;
constexpr int kOldStartSlot = 31;
constexpr int kOldBurnInSlot = 32;

class Limiter {
public:
    explicit Limiter(QList<RangeViolation>& violations) : violations_(violations) {}
    quint16 operator()(quint16 value, quint16 low, quint16 high, const QString& source) {
        const quint16 read = value;
        if (limitToRange(value, low, high))
            violations_.append({source, read, value});
        return value;
    }

private:
    QList<RangeViolation>& violations_;
};

QString slotName(int slot, const char* part = nullptr) {
    QString name = QStringLiteral("[%1]").arg(slot);
    if (part)
        name += QLatin1Char(' ') + QLatin1String(part);
    return name;
}

// Hour and minute of a profile word, each limited to its range.
quint16 profileTime(quint16 word, int slot, Limiter& limit) {
    const quint16 hour = limit(quint16(word >> 8), 0, 23, slotName(slot, "high byte"));
    const quint16 minute = limit(quint16(word & 0xFF), 0, 59, slotName(slot, "low byte"));
    return quint16(hour << 8 | minute);
}

// The eight profile words from their first slot on, each limited to a time of day.
template <typename Word>
std::array<quint16, 8> profileTimes(const Word& word, int firstSlot, Limiter& limit) {
    std::array<quint16, 8> times{};
    for (int i = 0; i < 8; ++i)
        times[std::size_t(i)] = profileTime(word(firstSlot + i), firstSlot + i, limit);
    return times;
}

// The six takt bytes of the three words from firstSlot on: low byte, then high byte of each.
template <typename Word> std::array<quint16, 6> taktBytes(const Word& word, int firstSlot) {
    std::array<quint16, 6> bytes{};
    for (std::size_t i = 0; i < 3; ++i) {
        const quint16 w = word(firstSlot + int(i));
        bytes[2 * i] = quint16(w & 0xFF);
        bytes[2 * i + 1] = quint16(w >> 8);
    }
    return bytes;
}

} // namespace

std::optional<std::array<quint16, 3>> taktWords(const std::array<quint16, 6>& takts) {
    std::array<quint16, 3> words{};
    for (std::size_t i = 0; i < 3; ++i) {
        const quint16 low = takts[2 * i];
        const quint16 high = takts[2 * i + 1];
        if (low > 0xFF || high > 0xFF)
            return std::nullopt;
        words[i] = quint16(high << 8 | low);
    }
    return words;
}

QList<RangeViolation> implausibleWords(const ParameterRead& read) {
    return read.violations + read.unheld;
}

ParameterRead decodeNewParameterRead(const quint8* answer) {
    ParameterRead r;
    Limiter limit(r.violations);
    const auto word = [answer](int slot) { return readItemWord(false, answer, slot); };
    for (int k = 0; k < kNewParameterSlots; ++k)
        r.words.append({quint16(answer[5 * k + 1] << 8 | answer[5 * k + 2]), word(k)});

    r.set.rampWord = word(kNewRampSlot);
    r.set.startTakt = limit(word(kNewStartSlot), 100, 200, slotName(kNewStartSlot));
    r.set.burnInSeconds = word(kNewBurnInSlot);
    // Taken over as it is, as the window shows it; the controller holds 3 … 15 min only.
    if (r.set.burnInSeconds < 180 || r.set.burnInSeconds > 900)
        r.unheld.append({slotName(kNewBurnInSlot), r.set.burnInSeconds, r.set.burnInSeconds});
    r.set.profileTimes = profileTimes(word, kNewProfileSlot, limit);
    const auto bytes = taktBytes(word, kNewTaktSlot);
    for (std::size_t i = 0; i < 6; ++i) {
        const int slot = kNewTaktSlot + int(i / 2);
        const quint16 takt = limit(bytes[i], EnergySavingTable::kFirst, EnergySavingTable::kLast,
                                   slotName(slot, i % 2 ? "high byte" : "low byte"));
        r.set.takts[i] = takt;
        r.savings[i] = energy_saving_table[takt];
    }
    return r;
}

ParameterRead decodeOldParameterRead(const quint8* answer, qint32 hwVerNr) {
    ParameterRead r;
    Limiter limit(r.violations);
    const auto word = [answer](int slot) { return readItemWord(true, answer, slot); };

    r.uac_start_int = word(kOldUacStartSlot);
    r.uac_nenn_int = word(kOldUacNennSlot);
    r.hasRampTimes = hwVerNr >= 14;
    if (r.hasRampTimes)
        r.set.rampWord = word(kOldRampSlot);
    r.set.profileTimes = profileTimes(word, kOldProfileSlot, limit);
    const auto bytes = taktBytes(word, kOldTaktSlot);
    for (std::size_t i = 0; i < 6; ++i) {
        // The old controller keeps the takt even; below 100 (faster than 100 Hz) and above
        // 200 a period saves nothing.
        const quint16 takt = quint16(bytes[i] / 2 * 2);
        r.set.takts[i] = takt;
        r.savings[i] = takt >= 100 && takt <= 200 ? energy_saving_table[takt] : 0.0f;
    }
    r.set.startTakt = limit(word(kOldStartSlot), 100, 200, slotName(kOldStartSlot));
    r.set.burnInSeconds = limit(word(kOldBurnInSlot), 180, 900, slotName(kOldBurnInSlot));
    return r;
}

std::optional<ParameterRead> decodeNewParameterRead(QByteArrayView answer) {
    if (answer.size() < 5 * kNewParameterSlots)
        return std::nullopt;
    return decodeNewParameterRead(reinterpret_cast<const quint8*>(answer.data()));
}

std::optional<ParameterRead> decodeOldParameterRead(QByteArrayView answer, qint32 hwVerNr) {
    if (answer.size() < 4 * kOldParameterSlots)
        return std::nullopt;
    return decodeOldParameterRead(reinterpret_cast<const quint8*>(answer.data()), hwVerNr);
}

std::optional<QList<WriteItem>> dataWriteItems(bool hw_old, const ParameterSet& set,
                                               bool withRampTimes) {
    const auto takts = taktWords(set.takts);
    if (!takts)
        return std::nullopt;
    QList<quint16> values;
    for (quint16 time : set.profileTimes)
        values.append(time);
    for (quint16 w : *takts)
        values.append(w);
    values << set.startTakt << set.burnInSeconds;

    const DataWriteAddresses addresses = dataWriteAddresses(hw_old);
    constexpr quint16 kRequestWordValue = 2; // frames the write for the controller
    QList<WriteItem> items;
    items.append({kRamWrite, addresses.ram.front(), kRequestWordValue});
    for (int i = 0; i < values.size(); ++i)
        items.append({kRamWrite, addresses.ram[i + 1], values[i]});
    for (int i = 0; i < values.size(); ++i)
        items.append({kParameterWrite, addresses.parameter[i], values[i]});
    items.append({kRamWrite, addresses.tail[0].adr, kRequestWordValue});
    if (withRampTimes) {
        items.append({kRamWrite, addresses.tail[1].adr, set.rampWord});
        items.append({kParameterWrite, addresses.tail[2].adr, set.rampWord});
    }
    return items;
}
