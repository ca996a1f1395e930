// Times telegrams through the serial link against a controller on a device path
// (normally trv5200-sim --baud-timing) and prints each with its ratio to the wire time:
// N bytes × 2 directions × 10 bits / 38400 baud.
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

quint32 startBlockRead(TSio* link) {
    return buildRamRead(link, false);
}

quint32 startIdentity(TSio* link) {
    const quint32 n = buildHwInfoRead(false);
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s DEVICE [ROUNDS] [old]\n", argv[0]);
        return 2;
    }
    const int rounds = args.size() > 2 ? std::max(1, args[2].toInt()) : 50;
    // An old-generation controller answers only the parameter telegrams of its own layout.
    const bool hw_old = args.size() > 3 && args[3] == QLatin1String("old");

    port_name = QStringLiteral("COM1");
    setPortOverrides({{port_name, args[1]}});
    TSio link;
    if (!port_open)
        return 1;

    std::vector<Case> cases;
    if (!hw_old) {
        cases.push_back({"synchronisation", startSync});
        cases.push_back({"block read", startBlockRead});
        cases.push_back({"identity", startIdentity});
    }
    cases.push_back(
        {"parameter read", [hw_old](TSio* l) { return startParameterRead(l, hw_old); }});
    cases.push_back(
        {"parameter write", [hw_old](TSio* l) { return startParameterWrite(l, hw_old); }});
    cases.push_back({"clock write", [hw_old](TSio* l) { return startClockWrite(l, hw_old); }});
    cases.push_back({"fault read", [hw_old](TSio* l) { return startFaultRead(l, hw_old); }});
    cases.push_back({"fault clear", [hw_old](TSio* l) { return startFaultClear(l, hw_old); }});
    cases.push_back(
        {"calibration", [hw_old](TSio* l) { return startCalibrationWrite(l, hw_old); }});

    std::printf("%-16s %6s %10s %10s %10s %10s %7s\n", "telegram", "bytes", "wire ms", "median ms",
                "min ms", "max ms", "ratio");
    for (const Case& c : cases) {
        std::vector<double> times;
        quint32 bytes = 0;
        int errors = 0;
        for (int r = 0; r < rounds; ++r) {
            QElapsedTimer clock;
            clock.start();
            bytes = c.build(&link);
            while (!link.isAsleep())
                QCoreApplication::processEvents();
            times.push_back(double(clock.nsecsElapsed()) / 1e6);
            errors += data_error ? 1 : 0;
        }
        std::sort(times.begin(), times.end());
        const double wireMs = bytes * 2.0 * 10.0 / 38400.0 * 1000.0;
        const double median = times[times.size() / 2];
        std::printf("%-16s %6u %10.2f %10.2f %10.2f %10.2f %7.2f%s\n", c.name, bytes, wireMs,
                    median, times.front(), times.back(), median / wireMs,
                    errors ? qPrintable(QString("  (%1 answer errors)").arg(errors)) : "");
    }
    return 0;
}
