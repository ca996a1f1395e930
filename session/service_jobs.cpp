#include "session/service_jobs.h"

#include "protocol/requests.h"
#include "serial/sio.h"
#include "services/clock_words.h"
#include "services/identity.h"

#include <vector>

LiveReadResult readLive(LinkSession& session, const ControllerIdentity& identity) {
    LiveReadResult result;
    const bool hwOld = identity.hwOld;
    result.failure = session.exchange([hwOld](TSio* link) { return buildRamRead(link, hwOld); },
                                      QStringLiteral("live reading"));
    if (result.failure != LinkSession::Failure::None)
        return result;
    TRam_Data ram;
    TRam_Data ramOld;
    TRam_Data eep;
    initRamTables(ram, ramOld, eep);
    std::vector<GridRow> rows;
    if (hwOld) {
        if (!parseOldRamAnswer(session.answer(), ramOld, rows)) {
            result.failure = LinkSession::Failure::Answer;
            return result;
        }
        const QByteArrayView answer = session.answer();
        // The ramp-time bytes of the answer (item 28), as the window takes them.
        result.display = liveDisplayOld({.ram = ramOld,
                                         .HW_Ver_Nr = identity.revision,
                                         .kal_value230 = identity.kal_value230,
                                         .rampLow = quint8(answer[4 * 28 + 2]),
                                         .rampHigh = quint8(answer[4 * 28 + 3])});
        return result;
    }
    const std::optional<BlockChecksum> check = parseNewRamAnswer(session.answer(), ram, rows);
    if (!check) {
        result.failure = LinkSession::Failure::Answer;
        return result;
    }
    if (!check->matches()) {
        result.checksumFailed = true;
        return result;
    }
    // The light sensor's fields are the technician's: the command line shows no lux.
    result.display = liveDisplayNew({.ram = ram,
                                     .DEV_Nr = identity.deviceNumber,
                                     .kal_value230 = identity.kal_value230,
                                     .luxM = QString(),
                                     .luxN = QString()});
    return result;
}

FaultReadResult readFaults(LinkSession& session, const ControllerIdentity& identity) {
    FaultReadResult result;
    const bool hwOld = identity.hwOld;
    result.failure = session.confirmedExchange([hwOld](TSio*) { return buildErrmemRead(hwOld); },
                                               QStringLiteral("fault-memory read"));
    if (result.failure != LinkSession::Failure::None)
        return result;
    const std::optional<FaultAnswer> words = faultAnswerWords(hwOld, session.answer());
    if (!words) {
        result.failure = LinkSession::Failure::Answer;
        return result;
    }
    result.list = decodeFaultRing(hwOld, *words);
    result.position = (*words)[kFaultItems - 1];
    return result;
}

LinkSession::Failure clearFaults(LinkSession& session, const ControllerIdentity& identity) {
    const bool hwOld = identity.hwOld;
    return session.exchange([hwOld](TSio*) { return buildErrmemClear(hwOld); },
                            QStringLiteral("fault-memory clear"));
}

std::optional<LinkSession::Failure>
writeClock(LinkSession& session, const ControllerIdentity& identity, const QDateTime& pcLocalNow) {
    const auto words =
        clockWords(pcLocalNow, daylightBiasMinutes(pcLocalNow.timeZone(), pcLocalNow));
    if (!words)
        return std::nullopt;
    const std::array<quint16, 8> values{(*words)[0], (*words)[1], (*words)[2], (*words)[3],
                                        1,           2,           2,           2};
    const bool hwOld = identity.hwOld;
    return session.exchange(
        [&](TSio*) { return buildWrites(hwOld, timeWriteItems(hwOld, values)); },
        QStringLiteral("clock write"));
}

CalibrationResult calibrate(LinkSession& session, const ControllerIdentity& identity,
                            const LiveDisplay& live, int measuredVolts) {
    CalibrationResult result;
    result.refusal = calibrationRefusal({.hw_old = identity.hwOld,
                                         .HW_Ver_Nr = identity.revision,
                                         .lampFrequency = live.Edit_fist,
                                         .controller_state = live.controller_state,
                                         .uac_ist_int = live.uac_ist_int});
    if (!calibrationArming(identity.hwOld, identity.revision, identity.kal_value230).armed &&
        result.refusal.isEmpty())
        result.refusal =
            calibrationArming(identity.hwOld, identity.revision, identity.kal_value230).log;
    if (!result.refusal.isEmpty())
        return result;
    // The set points stay at their volts: converted with the old value for display, back
    // with the new one for the write, as the page does.
    const quint16 startVolts = measurementToVolts(identity.uac_start_int, identity.kal_value230);
    const quint16 nominalVolts = measurementToVolts(identity.uac_nenn_int, identity.kal_value230);
    result.newValue = newCalibrationValue(live.uac_ist_int, measuredVolts);
    const quint16 start = voltsToMeasurement(startVolts, result.newValue);
    const quint16 nominal = voltsToMeasurement(nominalVolts, result.newValue);
    result.log = {newValueLine(result.newValue)};
    result.log += writeLog(result.newValue, start, nominal);
    const bool hwOld = identity.hwOld;
    const auto items = kalWriteItems(hwOld, {result.newValue, start, nominal, start, nominal});
    result.failure = session.exchange([&](TSio*) { return buildWrites(hwOld, items); },
                                      QStringLiteral("calibration write"));
    return result;
}
