#include "sim/pty_host.h"

#include "sim/sim_protocol.h"

#include <QFile>
#include <QStringList>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <poll.h>
#include <pty.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <utility>

namespace trvsim {

namespace {

// While the log gathers a telegram, a quiet line this long ends it: the bytes of one
// telegram follow each other within about a millisecond, and the sequencer leaves at
// least one 50 ms tick between telegrams.
constexpr int kLogQuietMs = 30;

qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

timespec toTimespec(qint64 ns) {
    return {time_t(ns / 1000000000LL), long(ns % 1000000000LL)};
}

QString hex2(int value) {
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

void closeFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool setFdFlag(int fd, int getCmd, int setCmd, int flag) {
    const int flags = fcntl(fd, getCmd);
    return flags >= 0 && fcntl(fd, setCmd, flags | flag) == 0;
}

} // namespace

struct PtyHost::Impl {
    Impl(ControllerMemory& memory, HostOptions options)
        : options(std::move(options)), protocol(memory) {}

    void run();
    void takeLineEvents();
    void handle(quint8 byte, qint64 arrivalNs);
    bool waitUntil(qint64 dueNs);
    void pause(int ms);
    bool writeByte(quint8 byte);
    void hangUp();
    void removeLink();
    QString faultNote(const Fault& fault, quint64 index, quint8 received, quint8 answer,
                      quint8 sent) const;

    const HostOptions options;
    SimProtocol protocol; // host thread only
    FaultInjector faults;
    std::optional<TelegramLog> log; // host thread only while running

    int master = -1;
    int slave = -1; // held for the host's whole life: see start()
    int wakeRead = -1;
    int wakeWrite = -1;
    int watch = -1; // inotify on the slave device: the PC opening and closing the port
    std::thread thread;
    std::atomic<bool> stopping{false};
    std::atomic<bool> running{false};
    std::atomic<bool> hungUp{false};
    qint64 lastActivityNs = 0; // host thread only

    // Bytes read from the line and not answered yet (a late answer, a long row of bytes
    // read at once). Taken with the read itself, so that isQuiet() never finds a byte
    // neither waiting on the line nor counted here; hangUp() closes the master under it.
    mutable std::mutex inputMutex;
    quint64 unanswered = 0;

    mutable std::mutex mutex; // guards the fields below
    QString path;
    QString link;
    QByteArray received;
};

PtyHost::PtyHost(ControllerMemory& memory, HostOptions options)
    : d(std::make_unique<Impl>(memory, std::move(options))) {}

PtyHost::~PtyHost() {
    stop();
}

bool PtyHost::start(QString* error) {
    auto failed = [&](const QString& text) {
        closeFd(d->master);
        closeFd(d->slave);
        closeFd(d->wakeRead);
        closeFd(d->wakeWrite);
        closeFd(d->watch);
        if (error)
            *error = text;
        return false;
    };
    if (d->thread.joinable())
        stop();

    if (openpty(&d->master, &d->slave, nullptr, nullptr, nullptr) != 0)
        return failed(systemError("openpty"));
    // Raw 8N1 at 38400 baud on the line itself, so the tty layer neither echoes the
    // controller's answers back to it nor translates any byte, even before the PC has
    // configured its side.
    termios tio{};
    if (tcgetattr(d->slave, &tio) != 0)
        return failed(systemError("tcgetattr"));
    cfmakeraw(&tio);
    cfsetispeed(&tio, B38400);
    cfsetospeed(&tio, B38400);
    if (tcsetattr(d->slave, TCSANOW, &tio) != 0)
        return failed(systemError("tcsetattr"));
    if (!setFdFlag(d->master, F_GETFD, F_SETFD, FD_CLOEXEC) ||
        !setFdFlag(d->slave, F_GETFD, F_SETFD, FD_CLOEXEC) ||
        !setFdFlag(d->master, F_GETFL, F_SETFL, O_NONBLOCK))
        return failed(systemError("fcntl"));
    // The slave descriptor stays open inside the host until stop(). Without it the master
    // reports a hang-up (POLLHUP, reads fail with EIO) whenever the PC has the port
    // closed, between two connections or while it reopens the port.

    std::array<char, 128> name{};
    if (ptsname_r(d->master, name.data(), name.size()) != 0)
        return failed(systemError("ptsname"));
    int wake[2];
    if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0)
        return failed(systemError("pipe"));
    d->wakeRead = wake[0];
    d->wakeWrite = wake[1];
    // Opening and closing the device by the PC is seen through inotify; the host's own
    // slave descriptor was opened before the watch and is closed after it. Without the
    // watch (no inotify instance left) the controller gets back in step by the
    // synchronisation bytes alone.
    d->watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (d->watch >= 0 && inotify_add_watch(d->watch, name.data(), IN_OPEN | IN_CLOSE) < 0)
        closeFd(d->watch);
    const QString watchError = d->watch < 0 ? QString::fromLocal8Bit(strerror(errno)) : QString();

    {
        std::lock_guard lock(d->mutex);
        d->path = QString::fromLocal8Bit(name.data());
        d->received.clear();
    }
    d->protocol.reset();
    d->faults.restartCount();
    d->unanswered = 0;
    if (d->options.log) {
        d->log.emplace(d->options.logSink);
        if (d->watch < 0)
            d->log->note(QStringLiteral("cannot watch %1 (%2): the port being opened or "
                                        "closed goes unnoticed")
                             .arg(devicePath(), watchError));
    }
    d->stopping = false;
    d->hungUp = false;
    d->running = true;
    d->thread = std::thread([this] { d->run(); });
    return true;
}

void PtyHost::stop() {
    if (d->thread.joinable()) {
        d->stopping = true;
        const char wake = 1;
        [[maybe_unused]] const ssize_t n = ::write(d->wakeWrite, &wake, 1);
        d->thread.join();
    }
    d->running = false;
    d->removeLink();
    closeFd(d->watch);
    closeFd(d->master);
    closeFd(d->slave);
    closeFd(d->wakeRead);
    closeFd(d->wakeWrite);
    d->log.reset();
}

bool PtyHost::isRunning() const {
    return d->running;
}
bool PtyHost::hasHungUp() const {
    return d->hungUp;
}

QString PtyHost::devicePath() const {
    std::lock_guard lock(d->mutex);
    return d->path;
}

QString PtyHost::linkPath() const {
    std::lock_guard lock(d->mutex);
    return d->link;
}

bool PtyHost::publishLink(const QString& path, QString* error) {
    auto failed = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    const QString target = devicePath();
    if (target.isEmpty() || !isRunning())
        return failed(QStringLiteral("no device to link to: the simulator is not running"));
    const QByteArray linkName = QFile::encodeName(path);
    struct stat st {};
    if (lstat(linkName.constData(), &st) == 0 && !S_ISLNK(st.st_mode))
        return failed(QStringLiteral("%1 exists and is not a symbolic link").arg(path));

    // Made under a temporary name and renamed over the old link, so a PC program polling
    // the name never finds it missing.
    const QByteArray temporary = linkName + ".tmp-" + QByteArray::number(getpid());
    ::unlink(temporary.constData());
    if (symlink(QFile::encodeName(target).constData(), temporary.constData()) != 0)
        return failed(systemError("symlink") + QStringLiteral(" (%1)").arg(path));
    if (rename(temporary.constData(), linkName.constData()) != 0) {
        const QString text = systemError("rename") + QStringLiteral(" (%1)").arg(path);
        ::unlink(temporary.constData());
        return failed(text);
    }

    const QString previous = linkPath();
    if (!previous.isEmpty() && previous != path)
        d->removeLink();
    std::lock_guard lock(d->mutex);
    d->link = path;
    return true;
}

void PtyHost::Impl::removeLink() {
    QString linkName;
    QString target;
    {
        std::lock_guard lock(mutex);
        linkName = std::exchange(link, QString());
        target = path;
    }
    if (linkName.isEmpty())
        return;
    // Only our own link: another simulator may have taken the name over meanwhile.
    const QByteArray name = QFile::encodeName(linkName);
    std::array<char, 256> pointsTo{};
    const ssize_t length = readlink(name.constData(), pointsTo.data(), pointsTo.size() - 1);
    if (length > 0 && QFile::decodeName(QByteArray(pointsTo.data(), length)) == target)
        ::unlink(name.constData());
}

void PtyHost::inject(const Fault& fault) {
    d->faults.arm(fault);
}
void PtyHost::clearFaults() {
    d->faults.clear();
}

QByteArray PtyHost::received() const {
    std::lock_guard lock(d->mutex);
    return d->received;
}

void PtyHost::clearReceived() {
    std::lock_guard lock(d->mutex);
    d->received.clear();
}

quint64 PtyHost::receivedCount() const {
    return d->faults.count();
}

quint64 PtyHost::faultsFired() const {
    return d->faults.firedCount();
}

bool PtyHost::isQuiet() const {
    if (!d->running)
        return true;
    std::lock_guard lock(d->inputMutex);
    int waiting = 0;
    if (d->master >= 0 && ioctl(d->master, FIONREAD, &waiting) != 0)
        waiting = 0;
    return waiting == 0 && d->unanswered == 0;
}

void PtyHost::Impl::run() {
    // Timer slack of 1 ns: the default 50 µs would blur the paced answers.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    lastActivityNs = monotonicNs();
    std::array<quint8, 512> buffer{};
    while (!stopping) {
        pollfd fds[3] = {{master, POLLIN, 0}, {wakeRead, POLLIN, 0}, {watch, POLLIN, 0}};
        // While the log gathers a telegram, wake up when the line falls quiet to end it.
        const int timeout = log && log->pending() ? kLogQuietMs : -1;
        const int ready = poll(fds, watch >= 0 ? 3 : 2, timeout);
        if (ready < 0) {
            if (errno != EINTR)
                pause(10);
            continue;
        }
        if (fds[1].revents != 0)
            continue; // stop() woke us
        if (ready == 0) {
            log->flush();
            continue;
        }
        // Before the bytes: the PC opens the port before it sends on it. Taken whether or
        // not the poll saw it, for an open that came between the poll and the read.
        takeLineEvents();
        if (fds[0].revents & POLLIN) {
            ssize_t got = 0;
            {
                std::lock_guard lock(inputMutex);
                got = ::read(master, buffer.data(), buffer.size());
                if (got > 0)
                    unanswered += quint64(got);
            }
            if (got > 0) {
                const qint64 arrival = monotonicNs();
                for (ssize_t i = 0; i < got && !stopping; ++i) {
                    handle(buffer[i], arrival);
                    std::lock_guard lock(inputMutex);
                    --unanswered;
                }
                continue;
            }
            if (got < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
        }
        if (fds[0].revents == 0)
            continue; // only the watch
        // EIO or POLLHUP: no slave side open. The host's own slave descriptor prevents
        // that, but should it happen, wait instead of spinning on a poll that never blocks.
        pause(10);
    }
    if (log)
        log->flush();
    running = false;
}

// The PC opened or closed the port: whatever it sent last belonged to a connection that
// has ended, so a half-received item is forgotten.
void PtyHost::Impl::takeLineEvents() {
    if (watch < 0)
        return;
    alignas(inotify_event) std::array<char, 1024> events{};
    for (;;) {
        const ssize_t got = ::read(watch, events.data(), events.size());
        if (got <= 0)
            return;
        for (ssize_t at = 0; at < got;) {
            inotify_event event{};
            std::memcpy(&event, events.data() + at, sizeof event);
            at += ssize_t(sizeof event + event.len);
            if (!(event.mask & (IN_OPEN | IN_CLOSE)))
                continue;
            if (log) {
                QString line = event.mask & IN_OPEN ? QStringLiteral("port opened")
                                                    : QStringLiteral("port closed");
                if (!protocol.idle())
                    line += QStringLiteral(": half-received item dropped after %1 bytes")
                                .arg(protocol.itemPosition());
                log->note(line);
            }
            protocol.reset();
            faults.lineReset();
        }
    }
}

void PtyHost::Impl::handle(quint8 byte, qint64 arrivalNs) {
    if (options.recordReceived) {
        std::lock_guard lock(mutex);
        received.append(char(byte));
    }
    // Bytes read together queue behind each other's answers, as on the line.
    arrivalNs = std::max(arrivalNs, lastActivityNs);

    // A pause says nothing here: a busy PC may stop for a while in the middle of an item
    // and go on with it. The controller gets back in step by the synchronisation bytes
    // (SimProtocol) and by the port being reopened (takeLineEvents()).
    const SimProtocol::Reply reply = protocol.feed(byte);
    if (reply.dropped > 0 && log)
        log->note(QStringLiteral("synchronisation in place of a filler: half-received item "
                                 "dropped after %1 bytes")
                      .arg(reply.dropped));
    const FaultAction action =
        faults.take(byte, reply.event.kind == ProtocolEvent::Kind::Sync, reply.checksum);
    const quint64 index = faults.count() - 1;
    if (log) {
        for (const Fault& fault : action.lapsed)
            log->note(QStringLiteral("FAULT %1 lapsed at byte #%2: its byte did not come in "
                                     "its telegram")
                          .arg(faultForm(fault))
                          .arg(index));
    }
    if (action.hangUp) {
        if (log) {
            for (const Fault& fault : action.fired)
                if (fault.kind == Fault::Kind::HangUp)
                    log->note(faultNote(fault, index, byte, reply.byte, reply.byte));
        }
        hangUp();
        return;
    }

    quint8 answer = reply.byte;
    if (action.badChecksum)
        answer = quint8(answer + 1);
    if (action.corrupt)
        answer ^= 0xFF;
    qint64 dueNs = arrivalNs;
    if (action.delayMs >= 0)
        dueNs += qint64(action.delayMs) * 1000000LL;
    else if (options.baudTiming)
        dueNs += kRoundTripNs;
    if (!waitUntil(dueNs))
        return;
    if (!action.silent) {
        if (!action.drop)
            writeByte(answer);
        if (action.extra)
            writeByte(*action.extra);
    }
    lastActivityNs = monotonicNs();

    if (log) {
        for (const Fault& fault : action.fired)
            log->note(faultNote(fault, index, byte, reply.byte, answer));
        log->event(reply.event);
    }
}

QString PtyHost::Impl::faultNote(const Fault& fault, quint64 index, quint8 received, quint8 answer,
                                 quint8 sent) const {
    QString what;
    switch (fault.kind) {
    case Fault::Kind::DropByte:
        what = QStringLiteral("answer %1 not sent").arg(hex2(answer));
        break;
    case Fault::Kind::CorruptByte:
    case Fault::Kind::BadChecksum:
        what = QStringLiteral("answer %1 sent as %2").arg(hex2(answer), hex2(sent));
        break;
    case Fault::Kind::Late:
        what = QStringLiteral("answer %1 sent after %2 ms").arg(hex2(answer)).arg(fault.delayMs);
        break;
    case Fault::Kind::ExtraByte:
        what = QStringLiteral("extra byte %1 after the answer").arg(hex2(fault.extraByte));
        break;
    case Fault::Kind::Silent:
        what = QStringLiteral("no answers from here on");
        break;
    case Fault::Kind::HangUp:
        what = QStringLiteral("line closed");
        break;
    }
    return QStringLiteral("FAULT %1 at byte #%2 (%3): %4")
        .arg(faultForm(fault))
        .arg(index)
        .arg(hex2(received), what);
}

bool PtyHost::Impl::waitUntil(qint64 dueNs) {
    for (;;) {
        if (stopping)
            return false;
        const qint64 remaining = dueNs - monotonicNs();
        if (remaining <= 0)
            return true;
        if (remaining > 3000000) {
            // Long waits (late answers) stay interruptible by stop().
            pause(int((remaining - 2000000) / 1000000));
        } else if (remaining > 100000) {
            const timespec until = toTimespec(dueNs - 80000);
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
        }
        // The last 80 µs are spun: a sleep cannot promise that precision.
    }
}

void PtyHost::Impl::pause(int ms) {
    pollfd wake{wakeRead, POLLIN, 0};
    poll(&wake, 1, ms);
}

bool PtyHost::Impl::writeByte(quint8 byte) {
    for (int attempt = 0; attempt < 3;) {
        const ssize_t n = ::write(master, &byte, 1);
        if (n == 1)
            return true;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            // The PC does not read (its port is closed and the line's buffer is full).
            pollfd out{master, POLLOUT, 0};
            poll(&out, 1, 20);
            ++attempt;
            continue;
        }
        return false;
    }
    return false;
}

void PtyHost::Impl::hangUp() {
    // Closing the master hangs the line up for every holder of the slave side; the
    // host's own slave descriptor goes too, so the device node disappears, and with it
    // the published name, as a pulled USB adapter takes its /dev/serial/by-id link
    // along. A link left behind would lead to whatever pseudo-terminal gets the number
    // next.
    removeLink();
    {
        std::lock_guard lock(inputMutex);
        closeFd(master);
    }
    closeFd(slave);
    hungUp = true;
    stopping = true;
    if (options.onHangUp)
        options.onHangUp();
}

} // namespace trvsim
