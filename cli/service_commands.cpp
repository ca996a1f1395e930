// sync-clock, faults [--clear] and calibrate --measured VOLTS: the service page's jobs.
#include "base/access_levels.h"
#include "cli/cli_commands.h"
#include "session/service_jobs.h"
#include "text/info_table.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace {

QString englishRow(int row) {
    return GetInfoString(Language::English, row);
}

// A record's fault texts, one per bit set.
QStringList faultsOf(quint16 bits) {
    QStringList texts;
    for (int bit = 0; bit < 16; ++bit)
        if (const QString text = faultText(quint16(bits & (1U << bit)), englishRow);
            !text.isEmpty())
            texts << text;
    return texts;
}

// A record's time stamp, "dd.MM  HH:mm": the controller stores no year, so none is made
// up; day, month, hour and minute as numbers beside the text.
QJsonObject faultRecordJson(const FaultRow& row) {
    static const QRegularExpression stamp(
        QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\s+(\\d{1,2}):(\\d{1,2})$"));
    QJsonObject o{{"time", row.time},
                  {"bits", row.bits},
                  {"faults", QJsonArray::fromStringList(faultsOf(row.bits))}};
    const QRegularExpressionMatch match = stamp.match(row.time.trimmed());
    const char* const parts[] = {"day", "month", "hour", "minute"};
    for (int i = 0; i < 4; ++i)
        o.insert(QLatin1String(parts[i]), match.hasMatch()
                                              ? QJsonValue(match.captured(i + 1).toInt())
                                              : QJsonValue(QJsonValue::Null));
    return o;
}

} // namespace

int runSyncClock(CliContext& context) {
    int exitCode = kExitSound;
    const std::optional<ControllerIdentity> id = identifyOrSay(context, &exitCode);
    if (!id)
        return exitCode;
    const QDateTime now = QDateTime::currentDateTime();
    const std::optional<LinkSession::Failure> failure = writeClock(context.session, *id, now);
    if (!failure) {
        printError(QStringLiteral("the PC clock shows the year %1; the controller takes only "
                                  "2000 to 2255: nothing was sent")
                       .arg(now.date().year()));
        return kExitRefused;
    }
    if (*failure != LinkSession::Failure::None) {
        return sayFailure(*failure, QStringLiteral(" while setting the clock: the clock may "
                                                   "have been set; set it again"));
    }
    // What the controller shows now, read as the live display reads it.
    const LiveReadResult live = readLive(context.session, *id);
    const QString shown = live.display ? live.display->uC_Zeit : QString();
    if (context.json)
        printJson(
            QJsonObject{{"set", true},
                        {"controller_clock",
                         live.display ? controllerClockJson(live.display->values.controllerClock)
                                      : QJsonValue(QJsonValue::Null)}});
    else
        printOut(QStringLiteral("clock set%1\n").arg(shown.isEmpty() ? QString() : ": " + shown));
    return kExitSound;
}

int runFaults(CliContext& context) {
    int exitCode = kExitSound;
    const std::optional<ControllerIdentity> id = identifyOrSay(context, &exitCode);
    if (!id)
        return exitCode;
    const FaultReadResult read = readFaults(context.session, *id);
    if (!read.list) {
        return sayFailure(read.failure);
    }
    if (read.list->impossiblePosition) {
        printError(impossiblePositionText(read.position));
        return kExitLink;
    }
    QJsonArray records;
    QString text;
    for (const FaultRow& row : read.list->rows) {
        if (row.bits == 0)
            continue; // a record never written, or cleared
        records.append(faultRecordJson(row));
        // The window's grid joins a record's fault texts without a separator; a terminal
        // line reads better with commas.
        text += QStringLiteral("%1  %2\n").arg(row.time, faultsOf(row.bits).join(", "));
    }
    QJsonObject result{
        {"records", records}, {"impossible_position", QJsonValue::Null}, {"cleared", false}};
    if (context.options.contains(QStringLiteral("clear"))) {
        const LinkSession::Failure failure = clearFaults(context.session, *id);
        if (failure != LinkSession::Failure::None) {
            return sayFailure(failure, QStringLiteral(" while clearing: the fault memory may "
                                                      "be cleared; read it to see"));
        }
        result.insert("cleared", true);
        text += QStringLiteral("fault memory cleared\n");
    }
    if (context.json)
        printJson(result);
    else
        printOut(text.isEmpty() ? QStringLiteral("no fault records\n") : text);
    return kExitSound;
}

int checkCalibrate(CliContext& context) {
    const std::optional<QString> password =
        context.options.contains(QStringLiteral("password"))
            ? std::optional<QString>(context.options.value(QStringLiteral("password")))
            : std::nullopt;
    bool ok = false;
    const int volts = context.options.value(QStringLiteral("measured")).toInt(&ok);
    if (!ok) {
        printError(QStringLiteral("calibrate: --measured VOLTS, a whole number of volts"));
        return kExitUsage;
    }
    // The range of the page's measured-value field.
    if (volts < 210 || volts > 260) {
        printError(QStringLiteral("calibrate: --measured %1 is outside 210 … 260 V, the range a "
                                  "calibration takes: nothing was sent")
                       .arg(volts));
        return kExitRefused;
    }
    // The calibration page opens from the calibration level on.
    const AccessLevel level = password ? accessLevelOf(*password) : AccessLevel::None;
    if (level != AccessLevel::Calibration && level != AccessLevel::Full) {
        printError(QStringLiteral("calibrate: a password of the calibration level is needed: "
                                  "nothing was sent"));
        return kExitRefused;
    }
    return kExitSound;
}

int runCalibrate(CliContext& context) {
    int exitCode = kExitSound;
    const std::optional<ControllerIdentity> id = identifyOrSay(context, &exitCode);
    if (!id)
        return exitCode;
    // The conditions are judged on a fresh live reading, as the page's are on the last.
    LiveReadResult live = readLive(context.session, *id);
    for (int attempt = 0; attempt < 3 && live.checksumFailed; ++attempt)
        live = readLive(context.session, *id);
    if (!live.display) {
        if (live.checksumFailed) {
            printError(QStringLiteral("no sound live reading (block checksum)"));
            return kExitLink;
        }
        return sayFailure(live.failure);
    }
    const int volts = context.options.value(QStringLiteral("measured")).toInt();
    const CalibrationResult result = calibrate(context.session, *id, *live.display, volts);
    const auto lines = [](const QList<CalibrationLogLine>& log) {
        QStringList out;
        for (const CalibrationLogLine& line : log)
            // The window's log appends a number without a space; a terminal line has one.
            out << (line.number ? logLineText(Language::English, {line.row, line.own, std::nullopt})
                                          .trimmed() +
                                      QLatin1Char(' ') + QString::number(*line.number)
                                : logLineText(Language::English, line));
        return out;
    };
    if (!result.refusal.isEmpty()) {
        printError(QStringLiteral("calibration refused: ") + lines(result.refusal).join("; "));
        return kExitRefused;
    }
    if (result.failure != LinkSession::Failure::None) {
        // Every run reads the identity first, so the next one computes from what the
        // controller holds then.
        return sayFailure(result.failure,
                          QStringLiteral(" during the calibration write: the controller may hold "
                                         "the new calibration value with the old set points: "
                                         "the identity is read again before the next "
                                         "calibration"));
    }
    if (context.json)
        printJson(QJsonObject{{"calibration_value", result.newValue},
                              {"log", QJsonArray::fromStringList(lines(result.log))}});
    else
        printOut(lines(result.log).join('\n') + QLatin1Char('\n'));
    return kExitSound;
}
