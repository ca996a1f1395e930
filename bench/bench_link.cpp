// Times telegrams through the serial link against a controller on a device path
// (normally trv5200-sim --baud-timing) and prints each with its ratio to the wire time:
// N bytes × 2 directions × 10 bits / 38400 baud.
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s DEVICE [ROUNDS]\n", argv[0]);
        return 2;
    }
    const int rounds = args.size() > 2 ? std::max(1, args[2].toInt()) : 50;

    port_name = QStringLiteral("COM1");
    setPortOverrides({{port_name, args[1]}});
    TSio link;
    if (!port_open)
        return 1;

    const Case cases[] = {{"synchronisation", startSync},
                          {"block read", startBlockRead},
                          {"identity", startIdentity}};
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
