#pragma once
// What one transfer of the link did, handed out by TSio at its end: when it ran, how long
// it took, what went out, what came back and how the answer check ended. The link knows
// nothing of steps; the window tags the record with its exchange.
#include <QByteArray>
#include <QtGlobal>
#include <optional>

struct TransferRecord {
    enum class Outcome {
        Sound,         // every answer byte arrived and passed its check
        WrongByte,     // an answer byte failed its check (failPosition, expected, received)
        AnswerMissing, // answer bytes missing from failPosition on (0: none came at all)
        PortLost,      // the port vanished (or was gone before the transfer)
    };

    qint64 startMs = 0;          // wall clock at the start, ms since the epoch
    qint64 startMonotonicNs = 0; // monotonic clock at the start
    qint64 durationNs = 0;       // monotonic, start to end of the transfer
    quint32 count = 0;           // telegram length
    QByteArray sent;             // the telegram
    QByteArray received;         // the answer bytes, only as many as arrived
    QByteArray mask;             // the check of each answer byte (0 data, 1 echo, 2 0xAA)
    Outcome outcome = Outcome::Sound;
    quint32 failPosition = 0; // WrongByte: the byte; AnswerMissing: the first missing one
    quint8 expected = 0;      // WrongByte: the echo byte or 0xAA
    quint8 got = 0;           // WrongByte: what came instead

    bool sound() const { return outcome == Outcome::Sound; }
};

// The record of a transfer of `count` bytes whose answer arrived up to `arrived`. The
// outcome is PortLost when `portLost`, AnswerMissing when fewer than count bytes arrived,
// else WrongByte at `wrongAt` (the link's own answer check) or Sound. Copies the three
// buffers and nothing more: the check is not run a second time.
TransferRecord makeTransferRecord(const quint8* sent, const quint8* received, const quint8* mask,
                                  quint32 count, quint32 arrived, bool portLost,
                                  std::optional<quint32> wrongAt);
