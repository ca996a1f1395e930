// The pure rules of the serial link: clamping, chunking, the answer check, and the port
// list's device paths.
#include "serial/link_rules.h"
#include "serial/port_map.h"

#include <QTest>

class LinkRulesTest : public QObject {
    Q_OBJECT
private slots:
    void clamps();
    void chunks_data();
    void chunks();
    void answerCheck_data();
    void answerCheck();
    void devicePaths();
};

void LinkRulesTest::clamps() {
    QCOMPARE(clampChunkSize(0), 1u);
    QCOMPARE(clampChunkSize(500), 100u);
    QCOMPARE(clampChunkSize(3), 3u);
    QCOMPARE(clampReadTimeout(0), 30);
    QCOMPARE(clampReadTimeout(1000), 800);
    QCOMPARE(clampReadTimeout(-5), 30);
    QCOMPARE(readTimeoutMs(0, 1), 31); // a one-byte read returns after at most 31 ms
    QVERIFY(processesMessagesDuringTransfer(20));
    QVERIFY(processesMessagesDuringTransfer(300));
    QVERIFY(!processesMessagesDuringTransfer(124));
    QVERIFY(!processesMessagesDuringTransfer(170));
}

void LinkRulesTest::chunks_data() {
    QTest::addColumn<int>("chunkSize");
    QTest::addColumn<int>("txCount");
    QTest::addColumn<QList<int>>("lengths");
    QTest::newRow("3 of 10") << 3 << 10 << QList<int>{3, 3, 3, 1};
    QTest::newRow("1 of 3") << 1 << 3 << QList<int>{1, 1, 1};
    QTest::newRow("100 of 170") << 100 << 170 << QList<int>{100, 70};
    QTest::newRow("exact fit") << 5 << 10 << QList<int>{5, 5};
}

void LinkRulesTest::chunks() {
    QFETCH(int, chunkSize);
    QFETCH(int, txCount);
    QFETCH(QList<int>, lengths);
    QList<int> got;
    for (quint32 pos = 0; pos < quint32(txCount); pos += quint32(chunkSize))
        got.append(int(chunkLength(pos, quint32(chunkSize), quint32(txCount))));
    QCOMPARE(got, lengths);
}

void LinkRulesTest::answerCheck_data() {
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<QByteArray>("mask");
    QTest::addColumn<int>("firstError"); // −1: sound

    const QByteArray item = QByteArray::fromHex("0500300505");
    const QByteArray echoMask = QByteArray::fromHex("0101010000");
    QTest::newRow("echo and data") << item << QByteArray::fromHex("050030AB12") << echoMask << -1;
    QTest::newRow("wrong echo") << item << QByteArray::fromHex("050031AB12") << echoMask << 2;
    QTest::newRow("first failure only")
        << item << QByteArray::fromHex("FF0031AB12") << echoMask << 0;
    QTest::newRow("acknowledge") << QByteArray(10, 0) << QByteArray(10, char(0xAA))
                                 << QByteArray(10, 2) << -1;
    QTest::newRow("missing acknowledge")
        << QByteArray(10, 0) << QByteArray(9, char(0xAA)) + '\0' << QByteArray(10, 2) << 9;
    QTest::newRow("first mask byte 0 checks nothing")
        << item << QByteArray(5, char(0x77)) << QByteArray::fromHex("0001010202") << -1;
    QTest::newRow("other codes unchecked")
        << item << QByteArray(5, char(0x77)) << QByteArray::fromHex("0307FF0909") << -1;
}

void LinkRulesTest::answerCheck() {
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, received);
    QFETCH(QByteArray, mask);
    QFETCH(int, firstError);
    const auto error =
        firstAnswerError(reinterpret_cast<const quint8*>(sent.constData()),
                         reinterpret_cast<const quint8*>(received.constData()),
                         reinterpret_cast<const quint8*>(mask.constData()), quint32(sent.size()));
    QCOMPARE(error.has_value() ? int(*error) : -1, firstError);
}

void LinkRulesTest::devicePaths() {
    setPortOverrides({});
#ifdef Q_OS_WIN
    QCOMPARE(devicePathFor("COM3"), QString("COM3"));
#else
    QCOMPARE(devicePathFor("COM1"), QString("/dev/ttyS0"));
    QCOMPARE(devicePathFor("COM32"), QString("/dev/ttyS31"));
    setPortOverrides({{"com7", "/dev/serial/by-id/usb-adapter"}, {"COM2", "  "}});
    QCOMPARE(devicePathFor("COM7"), QString("/dev/serial/by-id/usb-adapter"));
    QCOMPARE(devicePathFor("COM2"), QString("/dev/ttyS1")); // an empty mapping is ignored
#endif
    setPortOverrides({});
}

QTEST_GUILESS_MAIN(LinkRulesTest)
#include "tst_link_rules.moc"
