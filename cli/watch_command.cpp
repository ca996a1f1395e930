// watch [--csv FILE] [--seconds N] [--max-errors N]: the live values, one line per sound
// reading at the window's pace, until N seconds have passed or Ctrl-C. Ctrl-C is how a
// watch without --seconds ends, so it ends soundly (exit 0) with everything printed and
// recorded; SIGTERM, SIGHUP and a closed stdout (`| head`) end it the same way.
//
// A night beside a frequency converter has its glitches: a failed reading is counted, the
// link resynchronised (the session sends the error recovery's telegram) and the watch goes
// on. The gap is noted where the readings go: a line saying so, a JSON object with
// "error" in place of the values, and in the CSV a row with its time and every value cell
// empty (the form's own empty cell), so the file keeps one header and one form and a plot
// shows the gap. --max-errors N ends it (exit 4) after N failures in a row.
#include "cli/cli_commands.h"
#include "cli/progress_bar.h"
#include "session/interruption.h"
#include "session/service_jobs.h"
#include "trend/trend_csv.h"
#include "trend/trend_recorder.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QThread>
#include <cmath>

namespace {

// The window reads the RAM every fourth tick of its 50 ms sequencer.
constexpr int kReadingPeriodMs = 200;
constexpr int kMaxSeconds = 7 * 24 * 3600;

// To the digits the window shows and one more: the words' own resolution, without the
// binary fraction's noise.
double rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

QJsonObject readingJson(const QDateTime& at, const LiveValues& v) {
    QJsonObject o{{"time", at.toString(Qt::ISODateWithMs)},
                  {"dc_link_v", rounded(v.dcLinkVolts, 2)},
                  {"mains_v", rounded(v.mainsVolts, 1)},
                  {"actual_hz", rounded(v.actualHz, 2)},
                  {"nominal_hz", rounded(v.nominalHz, 2)},
                  {"heat_sink_1_c", rounded(v.heatSink1Celsius, 2)},
                  {"saving_percent", rounded(v.savingPercent, 1)},
                  // The old generation has one heat sink.
                  {"heat_sink_2_c", v.heatSink2Celsius ? QJsonValue(rounded(*v.heatSink2Celsius, 2))
                                                       : QJsonValue(QJsonValue::Null)},
                  // The controller's local standard time, not the PC's UTC of "time".
                  {"controller_clock", controllerClockJson(v.controllerClock)}};
    return o;
}

QJsonObject gapJson(const QDateTime& at, const QString& why) {
    return QJsonObject{{"time", at.toString(Qt::ISODateWithMs)}, {"error", why}};
}

QString gapText(const QDateTime& at, const QString& why) {
    return QStringLiteral("%1  no reading: %2\n")
        .arg(at.toLocalTime().toString(QStringLiteral("HH:mm:ss.zzz")), why);
}

QString readingText(const QDateTime& at, const LiveValues& v) {
    QString text = QStringLiteral("%1  DC link %2 V  mains %3 V  %4 Hz (nominal %5 Hz)  "
                                  "heat sink %6 °C")
                       .arg(at.toLocalTime().toString(QStringLiteral("HH:mm:ss.zzz")))
                       .arg(v.dcLinkVolts, 0, 'f', 1)
                       .arg(v.mainsVolts, 0, 'f', 0)
                       .arg(v.actualHz, 0, 'f', 1)
                       .arg(v.nominalHz, 0, 'f', 1)
                       .arg(v.heatSink1Celsius, 0, 'f', 1);
    if (v.heatSink2Celsius)
        text += QStringLiteral(" / %1 °C").arg(*v.heatSink2Celsius, 0, 'f', 1);
    text += QStringLiteral("  saving %1 %\n").arg(v.savingPercent, 0, 'f', 0);
    return text;
}

// Waits out the rest of a reading's period, and no longer than Ctrl-C.
void waitUntil(const QDeadlineTimer& next) {
    while (!next.hasExpired() && !interruptRequested())
        QThread::msleep(std::min<qint64>(20, std::max<qint64>(1, next.remainingTime())));
}

} // namespace

int checkWatch(CliContext& context) {
    // A folder that is not there is found before anything is sent.
    if (const QString csv = context.options.value(QStringLiteral("csv")); !csv.isEmpty()) {
        if (const QFileInfo folder(QFileInfo(csv).absolutePath());
            !folder.isDir() || !folder.isWritable()) {
            printError(QStringLiteral("watch: %1: the folder cannot be written").arg(csv));
            return kExitFile;
        }
    }
    if (context.options.contains(QStringLiteral("max-errors"))) {
        bool ok = false;
        const int errors = context.options.value(QStringLiteral("max-errors")).toInt(&ok);
        if (!ok || errors < 1) {
            printError(QStringLiteral("watch: --max-errors must be a whole number from 1 on"));
            return kExitUsage;
        }
    }
    if (context.options.contains(QStringLiteral("seconds"))) {
        bool ok = false;
        const int seconds = context.options.value(QStringLiteral("seconds")).toInt(&ok);
        if (!ok || seconds < 1 || seconds > kMaxSeconds) {
            printError(QStringLiteral("watch: --seconds must be a whole number from 1 to %1")
                           .arg(kMaxSeconds));
            return kExitUsage;
        }
    }
    return kExitSound;
}

int runWatch(CliContext& context) {
    int exitCode = kExitSound;
    const std::optional<ControllerIdentity> id = identifyOrSay(context, &exitCode);
    if (!id)
        return exitCode;
    const int seconds =
        context.options.value(QStringLiteral("seconds"), QStringLiteral("0")).toInt();
    // The same file as the window's trend records, from the same recorder.
    TrendRecorder recorder;
    if (const QString csv = context.options.value(QStringLiteral("csv")); !csv.isEmpty()) {
        const TrendSource source{id->hwOld,
                                 id->hwOld ? id->versionText.trimmed() : id->productCode.trimmed()};
        QString error;
        if (!recorder.start(csv, trendCsvHeader(source), &error)) {
            printError(QStringLiteral("%1: %2").arg(csv, error));
            return kExitFile;
        }
    }
    // Whatever ends the watch, the rows gathered reach the file; a failed write says so.
    const auto finish = [&recorder](int exitCode) {
        if (recorder.recording() && !recorder.stop()) {
            printError(QStringLiteral("%1: %2").arg(recorder.path(), recorder.errorText()));
            return exitCode == kExitSound ? int(kExitFile) : exitCode;
        }
        return exitCode;
    };
    // The bar over time replaces the one over exchanges; without an end there is none.
    stopProgress();
    if (seconds > 0)
        startProgress(context.session, QStringLiteral("watch"), 1);
    context.session.onProgress = nullptr;
    context.session.onExchangeStarted = nullptr;

    // 0: ride through every failure.
    const int maxErrors =
        context.options.value(QStringLiteral("max-errors"), QStringLiteral("0")).toInt();
    const auto show = [&context](const QJsonObject& json, const QString& text) {
        return context.json ? printOut(QString::fromUtf8(
                                           QJsonDocument(json).toJson(QJsonDocument::Compact)) +
                                       QLatin1Char('\n'))
                            : printOut(text);
    };

    QElapsedTimer running;
    running.start();
    int readings = 0;
    int failed = 0;
    int failedInRow = 0;
    for (;;) {
        if (seconds > 0 && running.elapsed() >= qint64(seconds) * 1000)
            break;
        const QDeadlineTimer next(kReadingPeriodMs);
        const LiveReadResult live = readLive(context.session, *id);
        if (live.failure == LinkSession::Failure::Interrupted)
            break;
        // A vanished port does not come back by waiting.
        if (live.failure == LinkSession::Failure::PortLost)
            return finish(sayFailure(live.failure));
        const QDateTime at = QDateTime::currentDateTimeUtc();
        // A word the controller cannot hold (the window's "Com-Error !") is no reading
        // either: a gap like a failed answer, never a value in the file.
        const QString implausible =
            live.display ? implausibleText(QList<RangeViolation>(live.display->violations.begin(),
                                                                 live.display->violations.end()),
                                           QStringLiteral("live reading"))
                         : QString();
        bool shown = true;
        if (live.failure != LinkSession::Failure::None || !implausible.isEmpty()) {
            ++failed;
            ++failedInRow;
            const QString why = implausible.isEmpty() ? failureText(live.failure) : implausible;
            if (recorder.recording() && !recorder.appendGap(at)) {
                printError(QStringLiteral("%1: %2: the recording ended; the rows before it are "
                                          "in the file")
                               .arg(recorder.path(), recorder.errorText()));
                stopProgress();
                return kExitFile;
            }
            shown = show(gapJson(at, why), gapText(at, why));
            if (maxErrors > 0 && failedInRow >= maxErrors) {
                stopProgress();
                printError(QStringLiteral("watch ended: %1 failed reading%2 in a row")
                               .arg(failedInRow)
                               .arg(failedInRow == 1 ? "" : "s"));
                if (!implausible.isEmpty()) {
                    printError(implausible);
                    return finish(kExitLink);
                }
                return finish(sayFailure(live.failure));
            }
        } else if (live.display) {
            // A block whose checksum fails is no reading; the window skips it too.
            failedInRow = 0;
            ++readings;
            if (recorder.recording() && !recorder.append(trendSample(at, live.display->values))) {
                printError(QStringLiteral("%1: %2: the recording ended; the rows before it are "
                                          "in the file")
                               .arg(recorder.path(), recorder.errorText()));
                stopProgress();
                return kExitFile;
            }
            shown =
                show(readingJson(at, live.display->values), readingText(at, live.display->values));
        }
        // Whoever read stdout has gone (`| head`): the watch has done its work.
        if (!shown)
            break;
        if (seconds > 0)
            showProgressFraction(double(running.elapsed()) / (seconds * 1000.0));
        waitUntil(next);
    }
    stopProgress();
    exitCode = finish(kExitSound);
    if (!context.json)
        printError(failed == 0
                       ? QStringLiteral("%1 readings").arg(readings)
                       : QStringLiteral("%1 readings, %2 failed").arg(readings).arg(failed));
    return exitCode;
}
