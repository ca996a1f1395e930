#include "app/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {
const QByteArray kRestore = QByteArrayLiteral("restore\n");

QString userName() {
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
    if (name.isEmpty())
        name = QDir(QDir::homePath()).dirName();
    return name;
}

QString lockFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}
} // namespace

SingleInstance::SingleInstance(const QString& appKey, QObject* parent)
    : QObject(parent), serverName_(appKey + QLatin1Char('-') + userName()) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockFilePath() const {
    return lockFolder() + QLatin1Char('/') + serverName_ + QStringLiteral(".lock");
}

bool SingleInstance::tryBecomePrimary() {
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // The lock lasts as long as the program runs; only a dead owner makes it stale.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        askPrimaryToRestore();
        return false;
    }
    // Holding the lock, any socket of that name is left over from a crashed run.
    QLocalServer::removeServer(serverName_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_))
        qWarning("Single instance: cannot listen on %s: %s", qPrintable(serverName_),
                 qPrintable(server_->errorString()));
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(kRestore.trimmed()))
                    emit restoreRequested();
            });
        }
    });
    return true;
}

void SingleInstance::askPrimaryToRestore() {
    // The first instance may be starting at this very moment and not listen yet.
    for (int attempt = 0; attempt < 15; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(200)) {
            socket.write(kRestore);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return;
        }
        QThread::msleep(100);
    }
}
