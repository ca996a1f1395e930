#include "parameters/parameter_memory_read.h"

#include "text/write_failure_texts.h"

#include <QRegularExpression>
#include <cstring>

namespace {

constexpr int kOldItem = 4;
// The RAM mirror's words in the read button's answer, and their copies from memory.
constexpr int kOldMirrorFirst = 20;
constexpr int kOldMirrorSlots = 13;
constexpr int kOldMemoryFirst = kOldParameterSlots;

// "[20] high byte" of the stand-in answer is "[33] high byte" of the real one.
QString memorySlotName(const QString& source) {
    static const QRegularExpression slot(QStringLiteral("^\\[(\\d+)\\]"));
    const QRegularExpressionMatch match = slot.match(source);
    if (!match.hasMatch())
        return source;
    const int k = match.captured(1).toInt();
    if (k < kOldMirrorFirst || k >= kOldMirrorFirst + kOldMirrorSlots)
        return source;
    return QStringLiteral("[%1]").arg(k - kOldMirrorFirst + kOldMemoryFirst) +
           source.mid(match.capturedLength());
}

} // namespace

std::optional<ParameterMemoryRead> decodeParameterMemoryRead(bool hw_old, QByteArrayView answer,
                                                             qint32 hwVerNr) {
    if (!hw_old) {
        std::optional<ParameterRead> read = decodeNewParameterRead(answer);
        if (!read)
            return std::nullopt;
        return ParameterMemoryRead{std::move(*read), std::nullopt};
    }
    if (answer.size() < kOldItem * kOldParameterMemorySlots)
        return std::nullopt;
    const ParameterRead ram = *decodeOldParameterRead(answer, hwVerNr);
    // The memory's words in the places of their RAM mirror decode as the read button's
    // answer does, with the same limits.
    QByteArray standIn(answer.data(), kOldItem * kOldParameterSlots);
    std::memcpy(standIn.data() + kOldItem * kOldMirrorFirst,
                answer.data() + kOldItem * kOldMemoryFirst, kOldItem * kOldMirrorSlots);
    ParameterMemoryRead result{*decodeOldParameterRead(standIn, hwVerNr), ram.set};
    for (RangeViolation& violation : result.memory.violations)
        violation.source = memorySlotName(violation.source);
    result.memory.violations += ram.violations;
    return result;
}

ControllerRows compareWithController(std::optional<Language> language, const ParameterSet& ours,
                                     const ParameterMemoryRead& read, bool withRampTimes) {
    ControllerRows result;
    result.rows = compareParameterSets(ours, read.memory.set, withRampTimes);
    const QList<ParameterRow> ram =
        read.ram ? compareParameterSets(read.memory.set, *read.ram, withRampTimes)
                 : QList<ParameterRow>{};
    for (qsizetype i = 0; i < result.rows.size(); ++i) {
        ParameterRow& row = result.rows[i];
        if (i >= ram.size() || !ram[i].differs) {
            result.ram.append(QString());
            continue;
        }
        // The controller would come back from a power cut with another value than it
        // works with now.
        row.theirs = writeFailureText(language, WriteFailureText::MemoryAndRam)
                         .arg(ram[i].ours, ram[i].theirs);
        row.differs = true;
        result.ram.append(ram[i].theirs);
    }
    return result;
}

ControllerRows differingFromController(std::optional<Language> language,
                                       const ParameterSet& written, const ParameterMemoryRead& read,
                                       bool withRampTimes) {
    const ControllerRows all = compareWithController(language, written, read, withRampTimes);
    ControllerRows differing;
    for (qsizetype i = 0; i < all.rows.size(); ++i) {
        if (!all.rows[i].differs)
            continue;
        differing.rows.append(all.rows[i]);
        differing.ram.append(all.ram[i]);
    }
    return differing;
}
