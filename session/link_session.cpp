#include "session/link_session.h"

#include "base/message_sink.h"
#include "protocol/read_confirmation.h"
#include "protocol/requests.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "serial/transfer_record.h"
#include "session/interruption.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <unistd.h>
#endif

namespace {
// The line counts as quiet after this long without a byte; a controller that keeps
// talking longer than the bound is left to the second synchronisation's own check.
constexpr int kQuietMs = 150;
constexpr int kQuietBoundMs = 2000;
} // namespace

LinkSession::LinkSession() = default;

LinkSession::~LinkSession() = default;

bool LinkSession::open(const QString& port, QString* error) {
    link_.reset();
    // A COM entry is mapped as in the window; anything else is a device path of its own.
    port_name = port.trimmed();
    QString message;
    const MessageSink previous =
        setMessageSink([&message](const QString& text) { message = text; });
    auto link = std::make_unique<TSio>();
    setMessageSink(previous);
    openError_ = link->openError();
    triedPath_ = link->devicePath();
    if (port_handle < 0 || !port_open) {
        if (error)
            *error = message;
        return false;
    }
    link_ = std::move(link);
    QObject::connect(link_.get(), &TSio::transferEnded, [this](const TransferRecord& record) {
        ++figures_.transfers;
        figures_.bytes += record.count;
        figures_.transferNs += record.durationNs;
        lastRecord_ = record;
    });
    QObject::connect(link_.get(), &TSio::progressChanged, [this](int percent) {
        if (onProgress)
            onProgress(percent);
    });
    return true;
}

bool LinkSession::isOpen() const {
    return link_ && port_open && !link_->hasLostPort();
}

QString LinkSession::devicePath() const {
    return link_ ? link_->devicePath() : QString();
}

bool LinkSession::transfer(quint32 count) {
    // The new block read starts its own transfer in its builder.
    if (count > 0 && link_->isAsleep() && !link_->anmeldung)
        startTransfer(link_.get(), count);
    // The transfer runs from the link's zero-interval timer; it has ended once the link
    // is asleep again.
    while (!link_->isAsleep() || link_->anmeldung)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return !data_error;
}

void LinkSession::recover() {
    if (!isOpen())
        return;
    transfer(buildResynchronisation());
    data_error = false;
    // Answers of the recovery that come late (a busy controller or adapter) would spoil
    // the next synchronisation: the next exchange starts on a quiet line.
    if (isOpen())
        waitForQuietLine();
}

void LinkSession::noteFailure(const QString& name, bool synchronisation) {
    lastFailed_ = FailedTransfer{name, synchronisation, lastRecord_};
}

void LinkSession::waitForQuietLine() {
#ifdef Q_OS_UNIX
    // Straight from the descriptor, without the event loop: what arrives now is the tail
    // of an answer nobody waits for. The next transfer purges whatever the port buffered.
    const QDeadlineTimer bound(kQuietBoundMs);
    pollfd line{port_handle, POLLIN, 0};
    while (!bound.hasExpired() && !interruptRequested()) {
        const int ready = ::poll(&line, 1, kQuietMs);
        if (ready == 0)
            return; // quiet
        if (ready < 0 && errno != EINTR)
            return;
        if (ready > 0) {
            if (line.revents & (POLLERR | POLLHUP | POLLNVAL))
                return;
            char drop[256];
            if (::read(port_handle, drop, sizeof drop) <= 0)
                return;
        }
    }
#else
    QThread::msleep(kQuietMs);
#endif
}

LinkSession::Failure LinkSession::exchange(const std::function<quint32(TSio* link)>& build,
                                           const QString& name) {
    if (interruptRequested())
        return Failure::Interrupted;
    if (!isOpen())
        return Failure::PortLost;
    ++figures_.exchanges;
    lastExchange_ = name;
    if (onExchangeStarted)
        onExchangeStarted();
    bool synchronised = transfer(buildSynchronisation());
    if (!synchronised && !synchronisedOnce_ && !link_->hasLostPort()) {
        // The first of the session: once more, on a quiet and purged line.
        data_error = false;
        waitForQuietLine();
        synchronised = transfer(buildSynchronisation());
    }
    if (!synchronised) {
        const Failure failure = link_->hasLostPort() ? Failure::PortLost : Failure::Synchronisation;
        noteFailure(name, true);
        recover();
        return failure;
    }
    synchronisedOnce_ = true;
    if (!transfer(build(link_.get()))) {
        const Failure failure = link_->hasLostPort() ? Failure::PortLost : Failure::Answer;
        noteFailure(name, false);
        recover();
        return failure;
    }
    return Failure::None;
}

LinkSession::Failure LinkSession::confirmedExchange(const std::function<quint32(TSio* link)>& build,
                                                    const QString& name) {
    if (!confirmReads)
        return exchange(build, name);
    ReadConfirmation confirmation;
    for (;;) {
        if (const Failure failure = exchange(build, name); failure != Failure::None)
            return failure;
        switch (confirmation.add(answer().toByteArray())) {
        case ReadConfirmation::Verdict::NeedAnother:
            continue;
        case ReadConfirmation::Verdict::Confirmed:
            // The answer just received is the one two reads agreed on.
            return Failure::None;
        case ReadConfirmation::Verdict::Corrupted:
            return Failure::Corrupted;
        }
    }
}

QByteArrayView LinkSession::answer() const {
    return receivedAnswer();
}

double LinkSession::Figures::wireSeconds() const {
    // Every byte sent waits for its answer byte before the next goes out: ten bits each
    // way per byte.
    return double(bytes) * 2.0 * 10.0 / 38400.0;
}
