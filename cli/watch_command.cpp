// watch [--csv FILE] [--seconds N]: the live values, one line per sound reading at the
// window's pace, until N seconds have passed or Ctrl-C. Ctrl-C is how a watch without
// --seconds ends, so it ends soundly (exit 0) with everything printed and recorded.
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

    QElapsedTimer running;
    running.start();
    int readings = 0;
    for (;;) {
        if (seconds > 0 && running.elapsed() >= qint64(seconds) * 1000)
            break;
        const QDeadlineTimer next(kReadingPeriodMs);
        const LiveReadResult live = readLive(context.session, *id);
        if (live.failure == LinkSession::Failure::Interrupted)
            break;
        if (live.failure != LinkSession::Failure::None)
            return finish(sayFailure(live.failure));
        // A block whose checksum fails is no reading; the window skips it too.
        if (live.display) {
            const QDateTime at = QDateTime::currentDateTimeUtc();
            ++readings;
            if (recorder.recording() && !recorder.append(trendSample(at, live.display->values))) {
                printError(QStringLiteral("%1: %2: the recording ended; the rows before it are "
                                          "in the file")
                               .arg(recorder.path(), recorder.errorText()));
                stopProgress();
                return kExitFile;
            }
            if (context.json)
                printOut(QString::fromUtf8(QJsonDocument(readingJson(at, live.display->values))
                                               .toJson(QJsonDocument::Compact)) +
                         QLatin1Char('\n'));
            else
                printOut(readingText(at, live.display->values));
        }
        if (seconds > 0)
            showProgressFraction(double(running.elapsed()) / (seconds * 1000.0));
        waitUntil(next);
    }
    stopProgress();
    exitCode = finish(kExitSound);
    if (!context.json)
        printError(QStringLiteral("%1 readings").arg(readings));
    return exitCode;
}
