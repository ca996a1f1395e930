#pragma once
// The kinds of the telegrams in the bytes the simulated controller received, in order, as
// the controller tells them apart (replayed through its own protocol): what a window test
// reads to see which exchanges reached the controller.
#include "sim/controller_model.h"
#include "sim/sim_protocol.h"
#include "sim/telegram_kinds.h"

#include <QByteArray>
#include <QList>

inline QList<trvsim::TelegramKind> telegramKinds(const QByteArray& received,
                                                 trvsim::Generation generation) {
    trvsim::ControllerModel memory(generation);
    memory.setFrozen(true);
    trvsim::SimProtocol protocol(memory);
    trvsim::TelegramTracker tracker;
    QList<trvsim::TelegramKind> kinds;
    for (const char byte : received) {
        const auto reply = protocol.feed(quint8(byte));
        const auto place =
            tracker.feed(quint8(byte), reply.event.kind == trvsim::ProtocolEvent::Kind::Sync);
        if (place.kindKnownNow)
            kinds.append(*place.kind);
    }
    return kinds;
}
