#pragma once
// The link without the window: one controller on one port, one exchange at a time, for
// the command-line tool. Every exchange is what the window's sequencer does for it — the
// synchronisation, then the telegram the request builder put into the link's buffers —
// through the same link and builders; after a failed answer the error recovery's
// telegram is sent as the window's error step sends it. Runs on the calling thread: the
// link's transfer is a timer of this thread, so an exchange spins its event loop until
// the link is asleep again.
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>

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
    enum class Failure { None, Synchronisation, Answer, PortLost };

    // The synchronisation, then the telegram `build` puts into the buffers (it returns its
    // length; 0 when it started the transfer itself, as the new block read does). Sound:
    // the answer is in receivedAnswer() until the next exchange.
    Failure exchange(const std::function<quint32(TSio* link)>& build);

    // The answer of the last exchange as far as it came.
    QByteArrayView answer() const;

private:
    bool transfer(quint32 count); // false: data_error
    void recover();
    std::unique_ptr<TSio> link_;
    int openError_ = 0;
    QString triedPath_;
};
