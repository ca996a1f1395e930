#include "session/parameter_jobs.h"

#include "base/formats.h"
#include "protocol/requests.h"

ParameterReadResult readParameters(LinkSession& session, const ControllerIdentity& identity) {
    ParameterReadResult result;
    const bool hwOld = identity.hwOld;
    result.failure = session.confirmedExchange([hwOld](TSio*) { return buildDataRead(hwOld); },
                                               QStringLiteral("parameter read"));
    if (result.failure != LinkSession::Failure::None)
        return result;
    result.read = hwOld ? decodeOldParameterRead(session.answer(), identity.revision)
                        : decodeNewParameterRead(session.answer());
    if (!result.read)
        result.failure = LinkSession::Failure::Answer; // an answer that ended early
    return result;
}

ParameterMemoryResult readParameterMemory(LinkSession& session,
                                          const ControllerIdentity& identity) {
    ParameterMemoryResult result;
    const bool hwOld = identity.hwOld;
    result.failure =
        session.confirmedExchange([hwOld](TSio*) { return buildParameterMemoryRead(hwOld); });
    if (result.failure != LinkSession::Failure::None)
        return result;
    result.read = decodeParameterMemoryRead(hwOld, session.answer(), identity.revision);
    if (!result.read)
        result.failure = LinkSession::Failure::Answer; // an answer that ended early
    return result;
}

ParameterFileFields fieldsOf(const ParameterRead& read) {
    const ParameterSet& set = read.set;
    ParameterFileFields fields;
    fields.startHz = formatFixed(10000.0 / set.startTakt, 0);
    fields.burnInMinutes = formatFixed(set.burnInSeconds / 60.0, 0);
    for (std::size_t i = 0; i < fields.profileTimes.size(); ++i) {
        const quint16 time = set.profileTimes[i];
        fields.profileTimes[i] = QTime(time >> 8, time & 0xFF);
    }
    for (std::size_t i = 0; i < fields.takts.size(); ++i) {
        fields.takts[i] = QString::number(set.takts[i]);
        fields.savings[i] = formatFixed(read.savings[i], 0);
    }
    if (read.hasRampTimes) {
        fields.darkenSeconds = QString::number((set.rampWord & 0xFF) * 25);
        fields.brightenSeconds = QString::number((set.rampWord >> 8) * 25);
    }
    return fields;
}
