#pragma once
// Readable telegram log of the simulator: one line per telegram or item as the controller
// saw it (synchronisation runs, read runs, each write, block reads, the hardware test),
// plus the lines the host adds for faults and pauses.
#include "sim/sim_protocol.h"

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <vector>

namespace trvsim {

class TelegramLog {
public:
    using Sink = std::function<void(const QString& line)>;

    // Lines go to the sink, or to stderr when it is empty. Each starts with the seconds
    // since the log was created, taken when its first item completed.
    explicit TelegramLog(Sink sink = {});

    // A byte completed an item. Consecutive synchronisation bytes, consecutive equal
    // unknown bytes and consecutive reads of one memory are gathered into one line.
    void event(const ProtocolEvent& event);
    // A line of its own (a fault that fired, a pause); what is gathered is written first.
    void note(const QString& line);
    // Writes what is gathered. The host calls it when the line falls quiet.
    void flush();
    bool pending() const { return gathering_ != Gathering::Nothing; }

private:
    enum class Gathering { Nothing, Sync, Unknown, Read };
    struct Run {
        quint16 start;
        int words;
    };

    void gather(Gathering what);
    void write(const QString& line, qint64 atMs = -1);

    Sink sink_;
    QElapsedTimer clock_;
    Gathering gathering_ = Gathering::Nothing;
    int count_ = 0;
    qint64 gatherStartMs_ = 0; // when the gathered line's first item completed
    quint8 unknownByte_ = 0;
    Space readSpace_ = Space::Ram;
    quint16 lastValue_ = 0;
    std::vector<Run> runs_;
};

QString spaceName(Space space);

} // namespace trvsim
