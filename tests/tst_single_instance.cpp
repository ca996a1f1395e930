// One running program per user: the first start owns the lock and the socket, a second
// start asks it to come to the front and gives up, and a socket left by a crashed run
// does not stop the next start.
#include "app/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTest>

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondStartAsksFirstToRestore();
    void leftoverSocketIsReplaced();
    void lockIsFreedWithTheFirst();

private:
    // A key of this test run, so a running program of the user is never disturbed.
    static QString key() {
        return QStringLiteral("TRV5200-test-%1").arg(QCoreApplication::applicationPid());
    }
};

void SingleInstanceTest::secondStartAsksFirstToRestore() {
    SingleInstance first(key());
    QVERIFY(first.tryBecomePrimary());
    QSignalSpy restore(&first, &SingleInstance::restoreRequested);

    SingleInstance second(key());
    QVERIFY(!second.tryBecomePrimary());
    QVERIFY(restore.wait());
    QCOMPARE(restore.size(), 1);
}

void SingleInstanceTest::leftoverSocketIsReplaced() {
    // A crashed run leaves its socket file behind; the lock file went with the process.
    const QString name = SingleInstance(key()).serverName();
    const QString socketPath = QDir::tempPath() + QLatin1Char('/') + name;
    {
        QFile leftover(socketPath);
        QVERIFY(leftover.open(QIODevice::WriteOnly));
    }

    SingleInstance first(key());
    QVERIFY(first.tryBecomePrimary());
    QSignalSpy restore(&first, &SingleInstance::restoreRequested);
    SingleInstance second(key());
    QVERIFY(!second.tryBecomePrimary());
    QVERIFY(restore.wait());
}

void SingleInstanceTest::lockIsFreedWithTheFirst() {
    {
        SingleInstance first(key());
        QVERIFY(first.tryBecomePrimary());
    }
    SingleInstance next(key());
    QVERIFY(next.tryBecomePrimary());
}

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
