#include "services/calibration.h"

#include "base/formats.h"

#include <algorithm>

namespace {

// Rows of the calibration log in the text table.
constexpr int kReadyToCalibrate = 141;
constexpr int kReadyRevision = 142;
constexpr int kCannotCalibrateIdentity = 143;
constexpr int kCannotRevisionIdentity = 144;
constexpr int kFoundValue = 145;
constexpr int kNoValue = 146;
constexpr int kCannotCalibrate = 147;
constexpr int kCannotRevision = 148;
constexpr int kNot50Hz = 149;
constexpr int kNotNormal = 150;
constexpr int kNewValue = 151;
constexpr int kWriteValue = 152;
constexpr int kWriteStart = 153;
constexpr int kWriteNominal = 154;

constexpr quint16 kNormalOperation = 2;

CalibrationLogLine row(int r, std::optional<qint64> number = std::nullopt) {
    return {.row = r, .own = std::nullopt, .number = number};
}

} // namespace

quint64 roundedQuotient(quint64 numerator, quint64 denominator) {
    const quint64 q = numerator / denominator;
    const quint64 r = numerator % denominator;
    // Compare the remainder with half the denominator without halving it.
    const quint64 twice = 2 * r;
    if (twice > denominator || (twice == denominator && q % 2 == 1))
        return q + 1;
    return q;
}

quint16 voltsToMeasurement(quint16 volts, quint16 kal_value230) {
    return quint16(std::min<quint64>(roundedQuotient(quint64(volts) * kal_value230, 230), 65535));
}

quint16 newCalibrationValue(quint16 uac_ist_int, int measured) {
    if (measured <= 0)
        return 0;
    return quint16(
        std::min<quint64>(roundedQuotient(quint64(uac_ist_int) * 230, quint64(measured)), 65535));
}

QString logLineText(std::optional<Language> language, const CalibrationLogLine& line) {
    QString text = line.own ? ownText(language, *line.own) : GetInfoString(language, line.row);
    if (line.number)
        text += QString::number(*line.number);
    return text;
}

CalibrationLogLine newValueLine(quint16 kal_value230) {
    return row(kNewValue, kal_value230);
}

QList<CalibrationLogLine> writeLog(quint16 kal_value230, quint16 start, quint16 nominal) {
    return {row(kWriteValue, kal_value230), row(kWriteStart, start), row(kWriteNominal, nominal)};
}

CalibrationArming calibrationArming(bool hw_old, qint32 HW_Ver_Nr, quint16 kal_value230) {
    CalibrationArming a;
    if (hw_old && HW_Ver_Nr <= 12) {
        a.log = {row(kCannotCalibrateIdentity), row(kCannotRevisionIdentity, HW_Ver_Nr)};
    } else {
        if (hw_old)
            a.log = {row(kReadyToCalibrate), row(kReadyRevision, HW_Ver_Nr)};
        a.armed = true;
    }
    a.log.append(kal_value230 != 0 ? row(kFoundValue, kal_value230) : row(kNoValue));
    return a;
}

QList<CalibrationLogLine> calibrationRefusal(const CalibrationConditions& c) {
    const auto hz = parseInteger(c.lampFrequency);
    const bool at50Hz = hz && *hz == 50;
    const bool normal = c.controller_state == kNormalOperation;
    QList<CalibrationLogLine> log;
    if (c.hw_old) {
        if (c.HW_Ver_Nr < 12)
            log << row(kCannotCalibrate) << row(kCannotRevision, c.HW_Ver_Nr);
        if (!at50Hz)
            log << row(kNot50Hz);
        if (!normal)
            log << row(kNotNormal);
    } else if (!at50Hz) {
        log << row(kNot50Hz);
    } else if (!normal) {
        log << row(kNotNormal);
    }
    if (log.isEmpty() && c.uac_ist_int == 0)
        log << CalibrationLogLine{.row = -1, .own = OwnText::NoMainsReading, .number = {}};
    return log;
}
