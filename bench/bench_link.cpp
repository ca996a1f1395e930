// Times telegrams through the serial link against a controller on a device path
// (normally trv5200-sim --baud-timing) and prints each with its ratio to the wire time:
// N bytes × 2 directions × 10 bits / 38400 baud. Then, per byte, where the time beyond the
// wire goes: the program's own part (progress report, write, read, the main thread's CPU
// time while it waits, the telegram's set-up spread over its bytes) and the rest, the
// wake-ups of both sides and the simulator's pacing. --round-trip-us gives the round trip
// of one byte through an unpaced simulator (both wake-ups, no pacing), which
// --measure-round-trip prints; the rest is then split into the two.
//
//   trv5200-bench-link DEVICE [ROUNDS] [old] [--no-header] [--round-trip-us US]
//   trv5200-bench-link DEVICE --measure-round-trip
#include "parameters/parameter_set.h"
#include "protocol/requests.h"
#include "protocol/telegram.h"
#include "serial/port_map.h"
#include "serial/sio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <vector>

namespace {

struct Case {
    const char* name;
    std::function<quint32(TSio*)> build; // builds the telegram and starts the transfer
};

quint32 startSync(TSio* link) {
    for (int i = 0; i < 10; ++i) {
        expect_buffer[i] = 0x00;
        check_mask[i] = 2;
    }
    startTransfer(link, 10);
    return 10;
}

quint32 startHardwareTest(TSio* link) {
    expect_buffer[0] = 0x63;
    check_mask[0] = 1;
    expect_buffer[1] = 0x05;
    check_mask[1] = 0;
    startTransfer(link, 2);
    return 2;
}

// New hardware: one block read (it starts its own transfer); old: 31 word reads.
quint32 startRamRead(TSio* link, bool hw_old) {
    if (!hw_old)
        return buildRamRead(link, false);
    const quint32 n = buildRamRead(link, true);
    startTransfer(link, n);
    return n;
}

quint32 startIdentity(TSio* link, bool hw_old) {
    const quint32 n = buildHwInfoRead(hw_old);
    startTransfer(link, n);
    return n;
}

quint32 startParameterRead(TSio* link, bool hw_old) {
    const quint32 n = buildDataRead(hw_old);
    startTransfer(link, n);
    return n;
}

// The commissioning set a technician writes most: the profiles as delivered, 55 Hz,
// 10 minutes, ramp times included.
quint32 startParameterWrite(TSio* link, bool hw_old) {
    ParameterSet set;
    set.profileTimes = {0x1400, 0x1600, 0x0500, 0x0600, 0x1600, 0x0000, 0x0700, 0x0800};
    set.takts = {172, 100, 172, 172, 100, 172};
    set.startTakt = 182;
    set.burnInSeconds = 600;
    set.rampWord = 0x1818;
    const quint32 n =
        buildWrites(hw_old, dataWriteItems(hw_old, set, true).value_or(QList<WriteItem>{}));
    startTransfer(link, n);
    return n;
}

// The clock of the example PC, 15.07.2012 13:30:05 standard time, then the request word.
quint32 startClockWrite(TSio* link, bool hw_old) {
    const quint32 n =
        buildWrites(hw_old, timeWriteItems(hw_old, {0x1E05, 0x010D, 0x070F, 0x000C, 1, 2, 2, 2}));
    startTransfer(link, n);
    return n;
}

quint32 startFaultRead(TSio* link, bool hw_old) {
    const quint32 n = buildErrmemRead(hw_old);
    startTransfer(link, n);
    return n;
}

quint32 startFaultClear(TSio* link, bool hw_old) {
    const quint32 n = buildErrmemClear(hw_old);
    startTransfer(link, n);
    return n;
}

// A calibration: 600 counts at 240 V give 575; set points 240 V and 230 V.
quint32 startCalibrationWrite(TSio* link, bool hw_old) {
    const quint32 n = buildWrites(hw_old, kalWriteItems(hw_old, {575, 600, 575, 600, 575}));
    startTransfer(link, n);
    return n;
}

struct Figures {
    std::vector<double> timesMs;
    quint32 bytes = 0;
    int errors = 0;
    TransferTiming timing;
};

Figures measure(TSio& link, const Case& c, int rounds) {
    Figures f;
    link.setTiming(&f.timing);
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer clock;
        clock.start();
        f.bytes = c.build(&link);
        while (!link.isAsleep())
            QCoreApplication::processEvents();
        f.timesMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        f.errors += data_error ? 1 : 0;
    }
    link.setTiming(nullptr);
    std::sort(f.timesMs.begin(), f.timesMs.end());
    return f;
}

double wireMs(quint32 bytes) {
    return bytes * 2.0 * 10.0 / 38400.0 * 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const bool noHeader = args.removeAll(QStringLiteral("--no-header")) > 0;
    const bool measureRoundTrip = args.removeAll(QStringLiteral("--measure-round-trip")) > 0;
    double roundTripUs = -1;
    if (const qsizetype at = args.indexOf(QStringLiteral("--round-trip-us"));
        at > 0 && at + 1 < args.size()) {
        roundTripUs = args[at + 1].toDouble();
        args.remove(at, 2);
    }
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: %s DEVICE [ROUNDS] [old] [--no-header] [--round-trip-us US]\n"
                     "       %s DEVICE --measure-round-trip\n",
                     argv[0], argv[0]);
        return 2;
    }
    const int rounds = args.size() > 2 ? std::max(1, args[2].toInt()) : 50;
    // An old-generation controller answers only the telegrams of its own layout.
    const bool hw_old = args.size() > 3 && args[3] == QLatin1String("old");

    port_name = QStringLiteral("COM1");
    setPortOverrides({{port_name, args[1]}});
    TSio link;
    if (!port_open)
        return 1;

    if (measureRoundTrip) {
        // The identity telegram, 300 bytes, 20 times: the wait per byte less the main
        // thread's own CPU time in it.
        const Figures f =
            measure(link, {"identity", [](TSio* l) { return startIdentity(l, false); }}, 20);
        const double us =
            double(f.timing.waitNs - f.timing.waitCpuNs) / double(f.timing.bytes) / 1e3;
        std::printf("%.1f\n", us);
        return f.errors ? 1 : 0;
    }

    std::vector<Case> cases;
    cases.push_back({"synchronisation", startSync});
    cases.push_back({"hardware test", startHardwareTest});
    cases.push_back({"identity", [hw_old](TSio* l) { return startIdentity(l, hw_old); }});
    cases.push_back({hw_old ? "RAM word reads" : "RAM block read",
                     [hw_old](TSio* l) { return startRamRead(l, hw_old); }});
    cases.push_back(
        {"parameter read", [hw_old](TSio* l) { return startParameterRead(l, hw_old); }});
    cases.push_back(
        {"parameter write", [hw_old](TSio* l) { return startParameterWrite(l, hw_old); }});
    cases.push_back({"clock write", [hw_old](TSio* l) { return startClockWrite(l, hw_old); }});
    cases.push_back({"fault read", [hw_old](TSio* l) { return startFaultRead(l, hw_old); }});
    cases.push_back({"fault clear", [hw_old](TSio* l) { return startFaultClear(l, hw_old); }});
    cases.push_back(
        {"calibration", [hw_old](TSio* l) { return startCalibrationWrite(l, hw_old); }});

    if (!noHeader) {
        std::printf("%-4s %-16s %5s %8s %9s %6s | per byte, µs: %6s %6s | program: %5s %5s %5s "
                    "%5s %5s | %6s %6s\n",
                    "gen", "telegram", "bytes", "wire ms", "median ms", "ratio", "beyond", "wire",
                    "progr", "write", "read", "wait", "setup", "wakeup", "pacing");
        std::printf("%-4s %-16s %5s %8s %9s %6s | %13s %6s %6s | %8s %5s %5s %5s %5s | %6s "
                    "%6s\n",
                    "", "", "", "", "", "", "", "", "", "", "", "", "cpu", "", "", "");
    }
    for (const Case& c : cases) {
        const Figures f = measure(link, c, rounds);
        const double wire = wireMs(f.bytes);
        const double median = f.timesMs[f.timesMs.size() / 2];
        const TransferTiming& t = f.timing;
        const double bytes = double(std::max<quint64>(t.bytes, 1));
        const auto us = [bytes](qint64 ns) { return double(ns) / 1e3 / bytes; }; // per byte
        const double byteWireUs = 2.0 * 10.0 / 38400.0 * 1e6;
        // The mean time per byte beyond the wire, all rounds.
        const double totalUs = std::accumulate(f.timesMs.begin(), f.timesMs.end(), 0.0) * 1e3;
        const double beyond = totalUs / bytes - byteWireUs;
        const double program = us(t.progressNs + t.writeNs + t.readNs + t.waitCpuNs + t.setupNs);
        const double rest = beyond - program;
        char split[64];
        if (roundTripUs >= 0)
            std::snprintf(split, sizeof split, "%6.1f %6.1f", roundTripUs, rest - roundTripUs);
        else
            std::snprintf(split, sizeof split, "%6.1f %6s", rest, "?");
        std::printf("%-4s %-16s %5u %8.2f %9.2f %6.2f | %13.1f %6.1f %6.1f | %5.1f %5.1f %5.1f "
                    "%5.1f %5.1f | %s%s\n",
                    hw_old ? "old" : "new", c.name, f.bytes, wire, median, median / wire, beyond,
                    byteWireUs, program, us(t.progressNs), us(t.writeNs), us(t.readNs),
                    us(t.waitCpuNs), us(t.setupNs), split,
                    f.errors ? qPrintable(QString("  (%1 answer errors)").arg(f.errors)) : "");
    }
    return 0;
}
