// A long run of the live reading as a technician leaves it running: the main window
// (offscreen) connects to a controller on a device path (normally trv5200-sim
// --baud-timing), identifies it and reads its RAM cycle after cycle, and every few seconds
// one request of another kind is made as its button would make it, in turn a parameter
// read, a clock write and a fault-memory read. Prints the cycles, exchanges and errors and
// the resident memory at the start (after one round of every kind, so memory that is
// allocated once is not counted as growth), every minute and at the end.
//
//   trv5200-soak DEVICE [MINUTES] [--every SECONDS]
//
// Errors are the messages the window raised (every error step shows one), each with the
// step and the telegram it followed, and requests that were still pending when their turn came
// again. Exits with 1 when there was any.
#include "app/hauptfenster.h"
#include "base/message_sink.h"
#include "protocol/protocol_state.h"
#include "protocol/steps.h"
#include "serial/port_map.h"
#include "serial/sio.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

namespace {

// VmRSS of this process in kB.
long residentKb() {
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

bool isResponseStep(qint32 step) {
    return step == Step::Syncresp ||
           std::any_of(kExchanges.begin(), kExchanges.end(),
                       [step](const Exchange& e) { return e.response == step; });
}

// A request of another kind than the live reading, made as its button makes it.
struct Request {
    const char* name;
    bool RequestFlags::*flag;
    std::function<void(THauptfenster&)> click;
    int made = 0;
};

struct Counts {
    long cycles = 0;    // RAM answers taken
    long exchanges = 0; // response steps completed, synchronisations included
    long stuck = 0;     // a request still pending when its turn came again
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    int everySeconds = 5;
    if (const qsizetype at = args.indexOf(QStringLiteral("--every"));
        at > 0 && at + 1 < args.size()) {
        everySeconds = std::max(1, args[at + 1].toInt());
        args.remove(at, 2);
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s DEVICE [MINUTES] [--every SECONDS]\n", argv[0]);
        return 2;
    }
    const double minutes = args.size() > 2 ? std::max(0.1, args[2].toDouble()) : 30.0;

    QStandardPaths::setTestModeEnabled(true); // the window's settings file: not the user's
    QStringList messages;
    // Set below, once the step watch exists: what a message followed.
    std::function<QString()> context = [] { return QString(); };
    setMessageSink([&](const QString& text) {
        messages.append(text);
        std::printf("message: %s  %s\n", qPrintable(text.trimmed()), qPrintable(context()));
        std::fflush(stdout);
    });

    THauptfenster w;
    setPortOverrides({{QStringLiteral("COM1"), args[1]}});
    w.ComboBox1->setCurrentIndex(0);
    w.show();

    Counts counts;
    QElapsedTimer sinceStart;
    sinceStart.start();
    int stepBefore = protocol_step;
    QObject::connect(w.SPStimer, &QTimer::timeout, &w, [&] {
        const int step = protocol_step;
        if (step != stepBefore) {
            if (isResponseStep(stepBefore))
                ++counts.exchanges;
            if (stepBefore == Step::Resp_Ram_rd && step == Step::Synchronisation)
                ++counts.cycles;
        }
        stepBefore = step;
    });
    // The error step runs within the tick that finds the failed answer, so the message
    // names the step the tick before ended in: the response step that waited for it.
    context = [&] {
        return QStringLiteral("(after step %1, telegram of %2 bytes, at %3 s)")
            .arg(stepBefore)
            .arg(tx_count)
            .arg(double(sinceStart.elapsed()) / 1000.0, 0, 'f', 1);
    };

    const auto waitFor = [](const std::function<bool()>& done, int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < timeoutMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return done();
    };

    w.Com_activate_btClick();
    if (!waitFor([&] { return !messages.isEmpty() || (!w.hw_test_req && !w.hw_info_req); },
                 20000) ||
        !messages.isEmpty()) {
        std::fprintf(stderr, "connecting failed: %s\n", qPrintable(messages.join(" / ")));
        return 1;
    }
    const long connectedKb = residentKb();

    std::array<Request, 3> requests{{
        {"parameter read", &RequestFlags::data_rd_req,
         [](THauptfenster& win) { win.uC_read_btClick(); }},
        {"clock write", &RequestFlags::time_wr_req, [](THauptfenster& win) { win.clk_btClick(); }},
        {"fault memory read", &RequestFlags::errmem_rd_req,
         [](THauptfenster& win) { win.err_mem_read_btClick(); }},
    }};
    std::size_t next = 0;
    const auto makeNext = [&] {
        Request& r = requests[next];
        next = (next + 1) % requests.size();
        if (w.*r.flag) {
            ++counts.stuck; // the last one of this kind never ended
            std::printf("still pending: %s\n", r.name);
            return;
        }
        r.click(w);
        ++r.made;
    };

    std::printf("controller: %s hardware; a request every %d s; %.1f minutes\n",
                w.HW_old ? "old" : "new", everySeconds, minutes);
    std::printf("%8s %8s %10s %7s %10s\n", "minute", "cycles", "exchanges", "errors", "VmRSS kB");
    const auto errors = [&] { return long(messages.size()) + counts.stuck; };
    const auto line = [&](double minute) {
        std::printf("%8.1f %8ld %10ld %7ld %10ld\n", minute, counts.cycles, counts.exchanges,
                    errors(), residentKb());
        std::fflush(stdout);
    };

    QElapsedTimer clock;
    clock.start();
    QTimer requestTimer;
    requestTimer.setInterval(everySeconds * 1000);
    QObject::connect(&requestTimer, &QTimer::timeout, makeNext);
    requestTimer.start();

    // The start: once every kind of request has run once.
    long startKb = -1;
    double startMinute = 0;
    QTimer minuteTimer;
    minuteTimer.setInterval(60000);
    QObject::connect(&minuteTimer, &QTimer::timeout,
                     [&] { line(double(clock.elapsed()) / 60000.0); });
    minuteTimer.start();

    const qint64 endMs = qint64(minutes * 60000.0);
    while (clock.elapsed() < endMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        if (startKb < 0 && std::all_of(requests.begin(), requests.end(), [&](const Request& r) {
                return r.made > 0 && !(w.*r.flag);
            })) {
            startKb = residentKb();
            startMinute = double(clock.elapsed()) / 60000.0;
            std::printf("start (every kind made once): ");
            line(startMinute);
        }
    }
    requestTimer.stop();
    minuteTimer.stop();
    // The last requests end before the figures are taken.
    waitFor(
        [&] {
            return std::none_of(requests.begin(), requests.end(),
                                [&](const Request& r) { return w.*r.flag; });
        },
        10000);
    const long endKb = residentKb();
    std::printf("end: ");
    line(double(clock.elapsed()) / 60000.0);

    std::printf("\nsoak %.1f min: %ld cycles, %ld exchanges (", double(clock.elapsed()) / 60000.0,
                counts.cycles, counts.exchanges);
    for (std::size_t i = 0; i < requests.size(); ++i)
        std::printf("%s%d %ss", i ? ", " : "", requests[i].made, requests[i].name);
    std::printf("), %ld errors (%lld messages, %ld stuck requests)\n", errors(),
                qint64(messages.size()), counts.stuck);
    std::printf("resident memory: %ld kB connected, %ld kB at the start (minute %.1f), %ld kB at "
                "the end: %+ld kB since the start\n",
                connectedKb, startKb, startMinute, endKb, startKb >= 0 ? endKb - startKb : 0);
    return errors() == 0 ? 0 : 1;
}
