#include "session/link_session.h"

#include "base/message_sink.h"
#include "protocol/read_confirmation.h"
#include "protocol/requests.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "serial/transfer_record.h"
#include "session/interruption.h"

#include <QCoreApplication>
#include <QEventLoop>

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
}

LinkSession::Failure LinkSession::exchange(const std::function<quint32(TSio* link)>& build) {
    if (interruptRequested())
        return Failure::Interrupted;
    if (!isOpen())
        return Failure::PortLost;
    ++figures_.exchanges;
    if (onExchangeStarted)
        onExchangeStarted();
    if (!transfer(buildSynchronisation())) {
        const Failure failure = link_->hasLostPort() ? Failure::PortLost : Failure::Synchronisation;
        recover();
        return failure;
    }
    if (!transfer(build(link_.get()))) {
        const Failure failure = link_->hasLostPort() ? Failure::PortLost : Failure::Answer;
        recover();
        return failure;
    }
    return Failure::None;
}

LinkSession::Failure
LinkSession::confirmedExchange(const std::function<quint32(TSio* link)>& build) {
    if (!confirmReads)
        return exchange(build);
    ReadConfirmation confirmation;
    for (;;) {
        if (const Failure failure = exchange(build); failure != Failure::None)
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
