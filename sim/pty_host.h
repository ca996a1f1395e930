#pragma once
// The simulated controller on a pseudo-terminal. The host owns the master side; the PC
// opens the slave side (e.g. /dev/pts/7) as its serial port. A thread answers each byte
// as it arrives, through SimProtocol and the armed faults, optionally paced like a real
// 38400-baud line. Whenever the PC opens or closes the port, the controller forgets a
// half-received item, so a new connection starts in step however the last one ended
// (an aborted transfer, a crash, a pulled cable).
#include "sim/controller_memory.h"
#include "sim/faults.h"
#include "sim/telegram_log.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace trvsim {

struct HostOptions {
    // Answer each byte one round trip of a 38400-baud 8N1 line after it arrived (the
    // byte's own 10 bits plus the answer's 10 bits: about 0.52 ms), as the PC would see
    // a real controller; otherwise answer at once.
    bool baudTiming = false;
    // Log the telegrams readably, one line per item or telegram, plus every fault fired.
    bool log = false;
    TelegramLog::Sink logSink; // empty: stderr
    // Keep every received byte for received(); a long-running simulator turns it off.
    bool recordReceived = true;
    // Called on the host's thread after a HangUp fault has closed the line.
    std::function<void()> onHangUp;
};

class PtyHost {
public:
    // Round trip of one byte and its answer on the real line: 2 × 10 bits at 38400 baud.
    static constexpr qint64 kRoundTripNs = 20 * 1000000000LL / 38400;

    explicit PtyHost(ControllerMemory& memory, HostOptions options = {});
    ~PtyHost(); // stops
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    // Opens a new pseudo-terminal and starts answering. Faults armed before start() count
    // from its first byte.
    bool start(QString* error = nullptr);
    // Stops answering, joins the thread, closes the pseudo-terminal and removes the
    // published link. A later start() opens a new device. A hang-up removes the link too.
    void stop();
    // True from start() until stop() or a hang-up.
    bool isRunning() const;
    // A HangUp fault closed the line.
    bool hasHungUp() const;

    // The slave side the PC opens, e.g. /dev/pts/7; empty before start().
    QString devicePath() const;
    // Publishes the device under a fixed name as a symbolic link. A symbolic link already
    // there (a stale one from an earlier run) is replaced; any other file is refused. The
    // link is removed by stop() if it still points at this device.
    bool publishLink(const QString& path, QString* error = nullptr);
    QString linkPath() const;

    // Arms a fault; its afterBytes counts from the bytes received so far, a fault placed in
    // a telegram from the telegrams begun so far. Thread-safe.
    void inject(const Fault& fault);
    // Drops all armed faults and ends a silence. Thread-safe.
    void clearFaults();

    // The bytes received from the PC since start() or clearReceived() (when recorded).
    QByteArray received() const;
    void clearReceived();
    // Bytes received since start(), recorded or not; clearReceived() leaves it.
    quint64 receivedCount() const;
    // Faults that have fired since the host was made.
    quint64 faultsFired() const;
    // Every byte the PC has sent so far has been answered (or dropped by a fault), none is
    // waiting to be read or held back as a late answer; true when not running. A test
    // waits for it before it reconnects after a fault, so that an answer still to come
    // cannot land in the next connection's first telegram.
    bool isQuiet() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace trvsim
