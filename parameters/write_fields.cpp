#include "parameters/write_fields.h"

#include "base/formats.h"

namespace {

std::optional<qint64> wholeNumber(const QString& text) {
    return parseInteger(text.trimmed());
}

} // namespace

quint16 profileWord(QTime time) {
    return quint16(time.hour() << 8 | time.minute());
}

std::variant<ParameterSet, FieldRefusal> parameterSetFromFields(const ParameterFields& fields,
                                                                bool withRampTimes) {
    ParameterSet set;
    for (std::size_t i = 0; i < 8; ++i)
        set.profileTimes[i] = profileWord(fields.profileTimes[i]);

    for (std::size_t i = 0; i < 6; ++i) {
        const auto takt = wholeNumber(fields.takts[i]);
        if (!takt || *takt < 0 || *takt > 0xFF)
            return FieldRefusal{RefusedField::Takt, int(i), fields.takts[i]};
        set.takts[i] = quint16(*takt);
    }

    // 10000 / Hz: a frequency below 1 Hz has no takt word.
    const auto hz = parseFixed(fields.startHz);
    if (!hz || !(*hz >= 1.0))
        return FieldRefusal{RefusedField::StartFrequency, 0, fields.startHz};
    set.startTakt = quint16(roundHalfEven(10000.0 / *hz));

    // Range first: a huge number must not overflow on its way to a word.
    const auto minutes = parseFixed(fields.burnInMinutes);
    if (!minutes || !(*minutes >= 0.0 && *minutes * 60.0 <= 65535.0))
        return FieldRefusal{RefusedField::BurnIn, 0, fields.burnInMinutes};
    set.burnInSeconds = quint16(roundHalfEven(*minutes * 60.0));

    if (withRampTimes) {
        // Each time travels in one byte, in units of 25 s.
        const auto darken = wholeNumber(fields.darkenSeconds);
        if (!darken || *darken < 0 || *darken / 25 > 0xFF)
            return FieldRefusal{RefusedField::Darken, 0, fields.darkenSeconds};
        const auto brighten = wholeNumber(fields.brightenSeconds);
        if (!brighten || *brighten < 0 || *brighten / 25 > 0xFF)
            return FieldRefusal{RefusedField::Brighten, 0, fields.brightenSeconds};
        set.rampWord = quint16((*brighten / 25) << 8 | (*darken / 25));
    }
    return set;
}

bool rampTimesAllowed(int passwLevel, bool hwOld, qint32 hwVerNr) {
    return passwLevel > 0 && (!hwOld || hwVerNr >= 14);
}
