#pragma once
// One running program per user. The first start takes a lock file and listens on a local
// socket named "TRV5200-<user>"; a second start finds the lock taken, asks the first one
// through the socket to come to the front and ends without a window.
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // appKey names the lock and the socket together with the user name; the program uses
    // "TRV5200", tests their own key.
    explicit SingleInstance(const QString& appKey = QStringLiteral("TRV5200"),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first one and now owns the lock and the socket.
    // False when another instance runs; it has then been asked to come to the front.
    bool tryBecomePrimary();

    QString serverName() const { return serverName_; }
    QString lockFilePath() const;

signals:
    // A second start asked this instance to come to the front.
    void restoreRequested();

private:
    void askPrimaryToRestore();

    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};
