#pragma once
// The serial link: owns the port and moves one prepared telegram at a time through it,
// one byte at a time, reading the controller's answer byte for every byte sent.
//
// A requester fills expect_buffer and check_mask, sets tx_count and wakes the link; the
// transfer then runs on the main thread the next time it processes its event queue.
// Instead of a worker thread that hands each transfer to the main thread, the wake-up
// starts a zero-interval timer of the main thread: every wake-up yields exactly one
// transfer on the main thread, and the sequencer sees the link "asleep" only when no
// transfer is pending or running. A timer rather than a posted call: a transfer that
// runs inside the dispatch of posted events could not let the window process its own
// posted events (repaints, queued signals) on the glib event loop.
#include "serial/link_rules.h"
#include "serial/transfer_record.h"

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QTimer>
#include <algorithm>

class QSerialPort;

// Link state shared with the window. Touched on the main thread only.
extern QString port_name;  // port list entry to open, "COM1" … "COM32"
extern qint32 port_handle; // handle of the open port, −1 when the open failed
extern bool port_open;
extern quint8* tx_pointer; // first byte to send; null when no transfer is pending
extern quint32 tx_count;   // telegram length, at most 1025
extern quint32 rx_count;   // set like tx_count by every requester; unused by the transfer
extern quint8 expect_buffer[kLinkBufferSize]; // the telegram, also the echo reference
extern quint8 rx_buffer[kLinkBufferSize];     // answer byte i for telegram byte i
extern quint8 check_mask[kLinkBufferSize];    // 0 data, 1 echo, 2 acknowledge 0xAA
extern quint32 chunk_size;                    // bytes per write/read round, 1 … 100
extern qint32 read_timeout;                   // constant part of the read time-out, ms
extern bool response_ready;
extern bool data_error;

// Where the time of the transfers goes, summed while a benchmark holds it in the link
// (TSio::setTiming): per telegram the set-up (line settings, purge) and per byte the
// progress report, the write, the wait for the answer byte (and the main thread's own
// CPU time within it) and the read. Without it the transfer reads no clock.
struct TransferTiming {
    qint64 setupNs = 0;
    qint64 progressNs = 0;
    qint64 writeNs = 0;
    qint64 waitNs = 0;
    qint64 waitCpuNs = 0;
    qint64 readNs = 0;
    quint64 telegrams = 0;
    quint64 bytes = 0;
};

class TSio : public QObject {
    Q_OBJECT
public:
    // Opens port_name. On failure shows "Kein Zugriff auf …" and leaves port_handle −1.
    TSio();
    // Closes the port; a transfer that is handed over or running is abandoned cleanly.
    ~TSio() override;

    quint8 nullarray[kLinkBufferSize];
    bool anmeldung = false; // a transfer was requested and has not finished

    bool isAsleep() const { return state_ == WorkerState::Asleep; }

    // Wakes the worker: the transfer is posted to the main event loop. Does nothing
    // unless asleep.
    void Resume();
    // Marks the worker terminated: a handed-over transfer will not start and a running
    // one stops at its next chunk.
    void Terminate();

    // One transfer of the pending telegram; runs on the main thread.
    void Transfer();

    // Sets the line to 38400 baud again (connection set-up).
    void setBaudRate38400();

    QString devicePath() const { return devicePath_; }
    // The system's error number of a failed open (the one the message shows); 0 when open.
    int openError() const { return openError_; }
    // The port vanished during a transfer and was closed; the link is dead from then on.
    bool hasLostPort() const { return lostPort_; }

    // Sums the transfers' times into timing from now on (null: no more).
    void setTiming(TransferTiming* timing) { timing_ = timing; }

signals:
    // Progress of the running transfer in percent, before each chunk is written. The
    // window shows it on the bar of the exchange that runs.
    void progressChanged(int percent);
    // The port vanished during a transfer (USB adapter unplugged); the link closed it and
    // failed the telegram (data_error). Not shown by the link: the same event takes the
    // sequencer's error step, which tells the user once, with the port and its device.
    void portLost(const QString& portName, const QString& device);
    // Once at the end of every transfer that ran (not one abandoned by Terminate): what it
    // sent and received and how its answer check ended. Before portLost when the port
    // vanished. The link is asleep again when it comes, and a handler may destroy it.
    void transferEnded(const TransferRecord& record);

private:
    enum class WorkerState { Asleep, HandedOver, Transferring };

    void runHandedOver();
    void endOfRun();
    void applyLineSettings();
    // Waits until n bytes are buffered or the read time-out passes. Returns false when
    // the port failed (not a time-out).
    bool waitForAnswer(quint32 n, int timeoutMs);
    void failLostPort(quint32 arrived);
    // The record of the running transfer, built while check_mask still holds the check.
    TransferRecord recordOf(quint32 arrived, bool portLost, std::optional<quint32> wrongAt) const;
    // Writes up to n bytes without the port's buffer where the platform allows it; returns
    // how many went out (0: none, use the buffer) or kWriteFailed when the port failed.
    static constexpr quint32 kWriteFailed = ~0u;
    quint32 writeDirect(const quint8* data, quint32 n);

    QSerialPort* port_ = nullptr;
    QTimer handOver_;
    QString devicePath_;
    int openError_ = 0;
    WorkerState state_ = WorkerState::Asleep;
    bool terminated_ = false;
    bool lineControlSupported_ = true;
    bool lostPort_ = false;
    TransferTiming* timing_ = nullptr;
    qint64 recordStartMs_ = 0; // wall clock at the start of the running transfer
    qint64 recordStartNs_ = 0; // monotonic clock at its start
    quint32 recordCount_ = 0;  // its length
    const quint8* recordSent_ = nullptr;
};

// The requester's side of a transfer: count, pointer, wake-up, response_ready cleared.
// The telegram must already be in expect_buffer and check_mask.
void startTransfer(TSio* link, quint32 count);

// The answer of the last transfer as far as the link received it: rx_buffer up to the
// count of the telegram. Decoders take this, never the bare buffer.
inline QByteArrayView receivedAnswer() {
    return {rx_buffer, qsizetype(std::min<quint32>(rx_count, kLinkBufferSize))};
}
