#pragma once
// The link without the window: one controller on one port, one exchange at a time, for
// the command-line tool. Every exchange is what the window's sequencer does for it — the
// synchronisation, then the telegram the request builder put into the link's buffers —
// through the same link and builders; after a failed answer the error recovery's
// telegram is sent as the window's error step sends it. Runs on the calling thread: the
// link's transfer is a timer of this thread, so an exchange spins its event loop until
// the link is asleep again.
#include "serial/transfer_record.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class TSio;

class LinkSession {
public:
    LinkSession();
    ~LinkSession();
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    // Opens a port list entry ("COM1" … "COM32", mapped as in the window) or, for anything
    // else, that device path. On failure returns the link's own message ("Kein Zugriff auf
    // …, Fehlernummer: …").
    bool open(const QString& port, QString* error);
    bool isOpen() const;
    QString devicePath() const;
    // The system's error number of the last failed open (0 after a sound one) and the
    // device path it tried.
    int openError() const { return openError_; }
    QString triedPath() const { return triedPath_; }

    // Why an exchange failed.
    // Interrupted: Ctrl-C came before the exchange began, and nothing of it was sent.
    // Corrupted: a confirmed read whose answers never agreed — the line spoils data bytes,
    // which the link's echo check cannot see.
    enum class Failure { None, Synchronisation, Answer, PortLost, Interrupted, Corrupted };

    // The synchronisation, then the telegram `build` puts into the buffers (it returns its
    // length; 0 when it started the transfer itself, as the new block read does). Sound:
    // the answer is in receivedAnswer() until the next exchange. `name` says what the
    // exchange is for ("parameter read"), for the message of a failure.
    //
    // The first synchronisation of the session gets a second chance: a controller may
    // still be answering the telegram of a run that was cut off, and its answers spoil the
    // zeros. The line is left until it has been quiet for a moment, purged, and the
    // synchronisation sent once more. Later ones fail at once, as the window's do.
    Failure exchange(const std::function<quint32(TSio* link)>& build, const QString& name = {});

    // A read whose values are kept, written back or handed on: the same exchange again
    // right after the first, and the answer counts only when two agree byte for byte (a
    // third decides; three unlike are Corrupted). With confirmation off, one exchange.
    Failure confirmedExchange(const std::function<quint32(TSio* link)>& build,
                              const QString& name = {});
    // On unless the user turned it off (a slow line where every second counts).
    bool confirmReads = true;

    // Told when an exchange begins, and of its telegram's progress in percent (the
    // link's own reports), for a progress display.
    std::function<void()> onExchangeStarted;
    std::function<void(int percent)> onProgress;

    // What went over the line since the port was opened, for the figure of a whole job
    // against the line's own speed.
    struct Figures {
        quint64 exchanges = 0;
        quint64 transfers = 0;      // the synchronisations and recoveries among them
        quint64 bytes = 0;          // sent; each one is answered by one
        qint64 transferNs = 0;      // time inside the transfers
        double wireSeconds() const; // the bytes and their answers at 38400 baud, 8N1
    };
    const Figures& figures() const { return figures_; }

    // The answer of the last exchange as far as it came.
    QByteArrayView answer() const;

    // The transfer that made the last exchange fail, and what the exchange was for: which
    // byte went unanswered or was answered wrongly. Unset before any failure; a Corrupted
    // read leaves it as it was (its transfers were sound).
    struct FailedTransfer {
        QString exchange;             // "parameter read"; empty when the job named none
        bool synchronisation = false; // the synchronisation before it failed
        TransferRecord record;
    };
    const std::optional<FailedTransfer>& lastFailed() const { return lastFailed_; }
    // The name of the exchange that ran last (empty when the job named none).
    QString lastExchange() const { return lastExchange_; }

private:
    bool transfer(quint32 count); // false: data_error
    void recover();
    // After a failed transfer: keeps its record for the message.
    void noteFailure(const QString& name, bool synchronisation);
    // Reads and drops whatever still arrives until nothing has for a moment (bounded).
    void waitForQuietLine();
    std::unique_ptr<TSio> link_;
    Figures figures_;
    TransferRecord lastRecord_;
    std::optional<FailedTransfer> lastFailed_;
    QString lastExchange_;
    bool synchronisedOnce_ = false;
    int openError_ = 0;
    QString triedPath_;
};
