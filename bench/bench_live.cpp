// The live reading as the technician sees it: the main window connects to a controller on
// a device path (normally trv5200-sim --baud-timing), identifies it and then reads its RAM
// cycle after cycle. Prints the live cycle period against the sequencer's floor of four
// 50 ms ticks, the longest time the main thread is blocked in each cycle, the cost of the
// answer step, the program's CPU use and its resident memory.
//
//   trv5200-bench-live DEVICE [CYCLES] [--grid] [--trend] [--trace] [--record FILE]
//
// Two runs of CYCLES cycles each (at least 100): the first with a 1 ms probe timer whose
// wake-up gaps show how long the event loop stalls, the second without it, for the CPU
// figure; after the parameter reads a third with the link's progress reports disconnected
// from the window, for the progress bars' share of the CPU. --grid shows the measurement
// page instead of the status page. --trend and --trace open the trend window and the
// telegram trace beside it, --record FILE records the trend to FILE while measuring, so
// the answer step's cost can be compared with the instruments open.
#include "app/hauptfenster.h"
#include "base/message_sink.h"
#include "live/ram_table.h"
#include "protocol/protocol_state.h"
#include "protocol/steps.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "trend/trend_recorder.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <sys/resource.h>
#include <vector>

namespace {

// The sequencer's floor: synchronisation and RAM read take four 50 ms ticks at least.
constexpr double kFloorMs = 200.0;

struct Stats {
    double mean = 0;
    double median = 0;
    double max = 0;
};

Stats stats(std::vector<double> v) {
    Stats s;
    if (v.empty())
        return s;
    std::sort(v.begin(), v.end());
    s.mean = std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
    s.median = v[v.size() / 2];
    s.max = v.back();
    return s;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long statusKb(const char* field) {
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

struct RunResult {
    std::vector<double> periodsMs;   // between the ends of consecutive RAM answer steps
    std::vector<double> maxStallsMs; // per cycle: the longest gap between probe wake-ups
    std::vector<double> answerMs;    // the ticks that ran the RAM answer step
    std::vector<double> tickMs;      // every tick that ran a step
    double wallS = 0;
    double cpuS = 0;
    bool ok = false;
};

// Notes when a timer event reaches the sequencer's timer, before its tick handler runs.
class TickStart : public QObject {
public:
    TickStart(QTimer* timer, const QElapsedTimer& clock) : clock_(clock) {
        timer->installEventFilter(this);
        timer_ = timer;
    }
    ~TickStart() override { timer_->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Timer)
            startNs = clock_.nsecsElapsed();
        return false;
    }
    qint64 startNs = 0;

private:
    const QElapsedTimer& clock_;
    QTimer* timer_ = nullptr;
};

// Runs `cycles` live cycles of the running sequencer. A cycle ends when a RAM answer step
// has run (protocol_step went from Resp_Ram_rd to Synchronisation in a tick).
RunResult run(THauptfenster& w, int cycles, bool probe) {
    RunResult r;
    QElapsedTimer clock;
    TickStart tickStart(w.SPStimer, clock);
    int stepBefore = protocol_step;
    qint64 lastEndNs = -1;
    double cycleStallMs = 0;
    int done = -1; // the first end only starts the clock

    // Runs right after each tick of the window (connected after the window's own slot).
    const QMetaObject::Connection watch = QObject::connect(w.SPStimer, &QTimer::timeout, &w, [&] {
        const qint64 now = clock.nsecsElapsed();
        const double tick = double(now - tickStart.startNs) / 1e6;
        const int step = protocol_step;
        if (step != stepBefore)
            r.tickMs.push_back(tick);
        if (stepBefore == Step::Resp_Ram_rd && step == Step::Synchronisation) {
            if (lastEndNs >= 0) {
                r.periodsMs.push_back(double(now - lastEndNs) / 1e6);
                r.answerMs.push_back(tick);
                if (probe)
                    r.maxStallsMs.push_back(cycleStallMs);
            }
            lastEndNs = now;
            cycleStallMs = 0;
            ++done;
        }
        stepBefore = step;
    });

    QTimer probeTimer;
    qint64 lastWakeNs = 0;
    if (probe) {
        probeTimer.setInterval(1);
        probeTimer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&probeTimer, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            cycleStallMs = std::max(cycleStallMs, double(now - lastWakeNs) / 1e6);
            lastWakeNs = now;
        });
    }

    clock.start();
    const double cpu0 = cpuSeconds();
    if (probe) {
        lastWakeNs = clock.nsecsElapsed();
        probeTimer.start();
    }
    r.ok = waitFor([&] { return done >= cycles || !w.ram_rd_req; }, cycles * 2000 + 10000) &&
           done >= cycles;
    probeTimer.stop();
    r.cpuS = cpuSeconds() - cpu0;
    r.wallS = double(clock.nsecsElapsed()) / 1e9;
    QObject::disconnect(watch);
    return r;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    const bool gridPage = args.removeAll(QStringLiteral("--grid")) > 0;
    const bool trendWindow = args.removeAll(QStringLiteral("--trend")) > 0;
    const bool traceWindow = args.removeAll(QStringLiteral("--trace")) > 0;
    QString recordFile;
    if (const qsizetype at = args.indexOf(QStringLiteral("--record")); at > 0) {
        if (at + 1 >= args.size()) {
            std::fprintf(stderr, "--record needs a FILE\n");
            return 2;
        }
        recordFile = args[at + 1];
        args.remove(at, 2);
    }
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: %s DEVICE [CYCLES] [--grid] [--trend] [--trace] [--record FILE]\n",
                     argv[0]);
        return 2;
    }
    const int cycles = args.size() > 2 ? std::max(100, args[2].toInt()) : 100;

    // The window's settings file goes to a test location, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QStringList messages;
    setMessageSink([&](const QString& text) { messages.append(text); });

    THauptfenster w;
    setPortOverrides({{QStringLiteral("COM1"), args[1]}});
    w.ComboBox1->setCurrentIndex(0);
    if (gridPage) {
        w.PageControl1->setTabVisible(w.PageControl1->indexOf(w.TabSheet4), true);
        w.PageControl1->setCurrentWidget(w.TabSheet4);
    }
    w.show();

    w.Com_activate_btClick();
    if (!waitFor([&] { return !messages.isEmpty() || (!w.hw_test_req && !w.hw_info_req); },
                 20000) ||
        !messages.isEmpty()) {
        std::fprintf(stderr, "connecting failed: %s\n", qPrintable(messages.join(" / ")));
        return 1;
    }
    std::printf("controller: %s hardware, %s; %s page shown\n", w.HW_old ? "old" : "new",
                w.HW_old ? "31 word reads, 124 bytes" : "block read, 170 bytes",
                gridPage ? "measurement" : "status");
    if (traceWindow)
        w.openTrace();
    if (trendWindow)
        w.openTrend();
    if (!recordFile.isEmpty()) {
        w.chooseRecordingFile = [&recordFile](const QString&) { return recordFile; };
        w.trendRecordClick();
        if (!w.trend_recorder.recording()) {
            std::fprintf(stderr, "recording failed: %s\n", qPrintable(messages.join(" / ")));
            return 1;
        }
    }
    std::printf("open: trend window %s, trace window %s, recording %s\n",
                trendWindow ? "yes" : "no", traceWindow ? "yes" : "no",
                recordFile.isEmpty() ? "off" : qPrintable(recordFile));

    const RunResult probed = run(w, cycles, true);
    const RunResult plain = run(w, cycles, false);
    if (!recordFile.isEmpty()) {
        const quint64 rows = w.trend_recorder.rows();
        if (!w.trend_recorder.stop()) {
            std::fprintf(stderr, "recording failed: %s\n",
                         qPrintable(w.trend_recorder.errorText()));
            return 1;
        }
        std::printf("recorded: %llu rows to %s\n", static_cast<unsigned long long>(rows),
                    qPrintable(recordFile));
    }
    if (!probed.ok || !plain.ok || !messages.isEmpty()) {
        std::fprintf(stderr, "the live reading stopped: %s\n", qPrintable(messages.join(" / ")));
        return 1;
    }

    std::vector<double> allPeriods = probed.periodsMs;
    allPeriods.insert(allPeriods.end(), plain.periodsMs.begin(), plain.periodsMs.end());
    const Stats period = stats(allPeriods);
    const Stats stall = stats(probed.maxStallsMs);
    std::vector<double> answers = probed.answerMs;
    answers.insert(answers.end(), plain.answerMs.begin(), plain.answerMs.end());
    std::vector<double> ticks = probed.tickMs;
    ticks.insert(ticks.end(), plain.tickMs.begin(), plain.tickMs.end());
    const Stats answer = stats(answers);
    const Stats tick = stats(ticks);

    std::printf("live cycles: %zu (%d with the stall probe, %d without)\n", allPeriods.size(),
                cycles, cycles);
    std::printf("cycle period ms:          mean %7.1f  median %7.1f  max %7.1f   "
                "mean/floor %.2f (floor %.0f ms)\n",
                period.mean, period.median, period.max, period.mean / kFloorMs, kFloorMs);
    std::printf("main thread blocked ms:   mean %7.1f  median %7.1f  max %7.1f   "
                "(longest event-loop stall per cycle)\n",
                stall.mean, stall.median, stall.max);
    std::printf("answer step tick ms:      mean %7.3f  median %7.3f  max %7.3f   "
                "(tables, grid, live display)\n",
                answer.mean, answer.median, answer.max);
    std::printf("any step tick ms:         mean %7.3f  median %7.3f  max %7.3f\n", tick.mean,
                tick.median, tick.max);
    std::printf("CPU:                      %.1f %% of one core over %.1f s without the probe "
                "(%.1f %% with it)\n",
                100.0 * plain.cpuS / plain.wallS, plain.wallS, 100.0 * probed.cpuS / probed.wallS);
    std::printf("memory:                   VmRSS %.1f MiB, peak VmHWM %.1f MiB\n",
                double(statusKb("VmRSS")) / 1024.0, double(statusKb("VmHWM")) / 1024.0);

    // The read button to filled fields: synchronisation, the parameter read and its answer
    // step, against the wire time of the two telegrams (the 50 ms ticks come on top).
    constexpr int kReads = 20;
    std::vector<double> readsMs;
    for (int i = 0; i < kReads; ++i) {
        QElapsedTimer clock;
        clock.start();
        w.uC_read_btClick();
        if (!waitFor([&] { return !messages.isEmpty() || !w.data_rd_req; }, 20000) ||
            !messages.isEmpty()) {
            std::fprintf(stderr, "the parameter read failed: %s\n",
                         qPrintable(messages.join(" / ")));
            return 1;
        }
        readsMs.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    const Stats read = stats(readsMs);
    const double readWireMs = (10.0 + (w.HW_old ? 132 : 245)) * 2.0 * 10.0 / 38400.0 * 1000.0;
    std::printf("read button to fields ms: mean %7.1f  median %7.1f  max %7.1f   "
                "mean/wire %.2f (wire %.1f ms, %d reads)\n",
                read.mean, read.median, read.max, read.mean / readWireMs, readWireMs, kReads);

    // The live reading once more without the progress bars: the link's progress reports
    // reach no widget. What the bars cost of the CPU figure above.
    QObject::disconnect(w.Ths, &TSio::progressChanged, &w, nullptr);
    const RunResult quiet = run(w, cycles, false);
    if (!quiet.ok)
        return 1;
    std::printf("CPU without progress bars: %.1f %% of one core over %.1f s (the bars' share: "
                "%.1f %%)\n",
                100.0 * quiet.cpuS / quiet.wallS, quiet.wallS,
                100.0 * (plain.cpuS / plain.wallS - quiet.cpuS / quiet.wallS));
    return 0;
}
