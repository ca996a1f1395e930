#include "parameters/parameter_compare.h"

#include "base/formats.h"
#include "live/ram_table.h"
#include "text/confirm_texts.h"
#include "text/verify_texts.h"

namespace {

// The profile groups (workday, weekend): their heading, first period row and time column.
struct ProfileRows {
    int group;
    int firstPeriod; // period 1; periods 2, 3 and the dimming end follow
    int time;
    int saving;
};
constexpr ProfileRows kWorkday{34, 36, 40, 41};
constexpr ProfileRows kWeekend{42, 44, 48, 49};

} // namespace

QList<ParameterId> writtenParameters(bool withRampTimes) {
    QList<ParameterId> ids;
    // Each profile on the page: its periods' times and savings, then its dimming end.
    for (int profile = 0; profile < 2; ++profile) {
        for (int period = 0; period < 3; ++period) {
            ids.append({ParameterField::ProfileTime, profile * 4 + period});
            ids.append({ParameterField::Takt, profile * 3 + period});
        }
        ids.append({ParameterField::ProfileTime, profile * 4 + 3});
    }
    ids.append({ParameterField::StartFrequency});
    ids.append({ParameterField::BurnIn});
    if (withRampTimes) {
        ids.append({ParameterField::Darken});
        ids.append({ParameterField::Brighten});
    }
    return ids;
}

QList<int> captionRowsOf(ParameterId id) {
    switch (id.field) {
    case ParameterField::ProfileTime: {
        const ProfileRows& rows = id.index < 4 ? kWorkday : kWeekend;
        return {rows.group, rows.firstPeriod + id.index % 4, rows.time};
    }
    case ParameterField::Takt: {
        const ProfileRows& rows = id.index < 3 ? kWorkday : kWeekend;
        return {rows.group, rows.firstPeriod + id.index % 3, rows.saving};
    }
    case ParameterField::StartFrequency:
        return {91};
    case ParameterField::BurnIn:
        return {93};
    case ParameterField::Darken:
        return {113};
    case ParameterField::Brighten:
        return {114};
    }
    return {};
}

QString parameterCaption(std::optional<Language> language, ParameterId id) {
    QStringList parts;
    for (int row : captionRowsOf(id))
        parts.append(GetInfoString(language, row).trimmed());
    return parts.join(QStringLiteral(" – "));
}

quint16 parameterWord(const ParameterSet& set, ParameterId id) {
    switch (id.field) {
    case ParameterField::ProfileTime:
        return set.profileTimes[std::size_t(id.index)];
    case ParameterField::Takt:
        return set.takts[std::size_t(id.index)];
    case ParameterField::StartFrequency:
        return set.startTakt;
    case ParameterField::BurnIn:
        return set.burnInSeconds;
    case ParameterField::Darken:
        return quint16(set.rampWord & 0xFF);
    case ParameterField::Brighten:
        return quint16(set.rampWord >> 8);
    }
    return 0;
}

QString parameterText(const ParameterSet& set, ParameterId id) {
    const quint16 word = parameterWord(set, id);
    switch (id.field) {
    case ParameterField::ProfileTime:
        return QStringLiteral("%1:%2")
            .arg(word >> 8, 2, 10, QLatin1Char('0'))
            .arg(word & 0xFF, 2, 10, QLatin1Char('0'));
    case ParameterField::Takt:
        return formatFixed(energy_saving_table[word], 0);
    case ParameterField::StartFrequency:
        // A takt of 0 has no frequency; the decoder never gives one, a file may not either.
        return word == 0 ? QStringLiteral("–") : formatFixed(10000.0 / word, 0);
    case ParameterField::BurnIn:
        return formatFixed(word / 60.0, 0);
    case ParameterField::Darken:
    case ParameterField::Brighten:
        return QString::number(word * 25);
    }
    return {};
}

QList<ParameterRow> compareParameterSets(const ParameterSet& ours, const ParameterSet& theirs,
                                         bool withRampTimes) {
    QList<ParameterRow> rows;
    for (const ParameterId id : writtenParameters(withRampTimes)) {
        const quint16 ourWord = parameterWord(ours, id);
        const quint16 theirWord = parameterWord(theirs, id);
        ParameterRow row{id, parameterText(ours, id), parameterText(theirs, id),
                         ourWord != theirWord};
        if (row.differs && row.ours == row.theirs) {
            row.ours += QStringLiteral(" (%1)").arg(ourWord);
            row.theirs += QStringLiteral(" (%1)").arg(theirWord);
        }
        rows.append(row);
    }
    return rows;
}

QList<ParameterRow> differingParameters(const ParameterSet& ours, const ParameterSet& theirs,
                                        bool withRampTimes) {
    QList<ParameterRow> rows;
    for (const ParameterRow& row : compareParameterSets(ours, theirs, withRampTimes))
        if (row.differs)
            rows.append(row);
    return rows;
}

ParameterFields fieldsOfParameterFile(const LoadedParameters& loaded) {
    ParameterFields fields;
    fields.profileTimes = loaded.profileTimes;
    for (std::size_t i = 0; i < 6; ++i)
        fields.takts[i] = QString::number(loaded.takts[i]);
    fields.startHz = QString::number(loaded.startHz);
    fields.burnInMinutes = QString::number(loaded.burnInMinutes);
    fields.darkenSeconds = QString::number(loaded.darkenSeconds);
    fields.brightenSeconds = QString::number(loaded.brightenSeconds);
    return fields;
}

QString verifyFailedMessage(std::optional<Language> language, const QList<ParameterRow>& rows) {
    QStringList lines{verifyText(language, VerifyText::VerifyFailed)};
    for (const ParameterRow& row : rows)
        lines.append(verifyText(language, VerifyText::VerifyDifference)
                         .arg(parameterCaption(language, row.id), row.ours, row.theirs));
    return lines.join(QLatin1Char('\n'));
}

ParameterId parameterOf(const FieldRefusal& refusal) {
    switch (refusal.field) {
    case RefusedField::Takt:
        return {ParameterField::Takt, refusal.index};
    case RefusedField::StartFrequency:
        return {ParameterField::StartFrequency};
    case RefusedField::BurnIn:
        return {ParameterField::BurnIn};
    case RefusedField::Darken:
        return {ParameterField::Darken};
    case RefusedField::Brighten:
        return {ParameterField::Brighten};
    }
    return {};
}

namespace {

// The slots of the read answer the limited words come from, as the decoders name them
// in their violations ("[37] high byte"), and the unheld new burn-in; the ramp times are
// never limited.
struct ReadSlots {
    int profile;
    int takt;
    int start;
    int burnIn;
};
constexpr ReadSlots kNewSlots{36, 44, 47, 48};
constexpr ReadSlots kOldSlots{20, 28, 31, 32};
// The parameter memory read of old hardware: the same words from memory after the 33 items.
constexpr ReadSlots kOldMemorySlots{33, 41, 44, 45};

QString slotOf(int slot) {
    return QStringLiteral("[%1]").arg(slot);
}

} // namespace

namespace {

bool limitedAt(const ParameterRead& read, const ReadSlots& at, ParameterId id) {
    QString source;
    switch (id.field) {
    case ParameterField::ProfileTime:
        source = slotOf(at.profile + id.index); // either byte spoils the time
        break;
    case ParameterField::Takt:
        source = slotOf(at.takt + id.index / 2) +
                 (id.index % 2 ? QStringLiteral(" high byte") : QStringLiteral(" low byte"));
        break;
    case ParameterField::StartFrequency:
        source = slotOf(at.start);
        break;
    case ParameterField::BurnIn:
        source = slotOf(at.burnIn);
        break;
    case ParameterField::Darken:
    case ParameterField::Brighten:
        return false;
    }
    const bool wholeWord = id.field != ParameterField::Takt;
    for (const RangeViolation& violation : implausibleWords(read))
        if (violation.source == source ||
            (wholeWord && violation.source.startsWith(source + QLatin1Char(' '))))
            return true;
    return false;
}

} // namespace

bool limitedOnRead(const ParameterRead& read, bool hwOld, ParameterId id) {
    if (!hwOld)
        return limitedAt(read, kNewSlots, id);
    // The old hardware's memory read carries the parameter memory's words after the read
    // button's items; a word limited in either copy is no value of the controller's.
    return limitedAt(read, kOldSlots, id) || limitedAt(read, kOldMemorySlots, id);
}

void markImplausible(QList<ParameterRow>& rows, const ParameterRead& read, bool hwOld,
                     std::optional<Language> language) {
    for (ParameterRow& row : rows) {
        if (!limitedOnRead(read, hwOld, row.id))
            continue;
        row.theirs = confirmText(language, ConfirmText::NotPlausible);
        row.differs = !row.ours.isEmpty();
    }
}
