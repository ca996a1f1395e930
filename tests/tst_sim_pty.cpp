// The simulator's pseudo-terminal host over a real pseudo-terminal, driven from the PC
// side with plain open/read/write on the device, byte by byte as the PC's link does.
#include "sim/pty_host.h"
#include "tests/sim_fake_memory.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using namespace trvsim;

Q_DECLARE_METATYPE(trvsim::Generation)
Q_DECLARE_METATYPE(trvsim::Fault)

namespace {

// Bound for an answer that must come; a passing test never waits this long.
constexpr int kAnswerBoundMs = 2000;
// The PC's read time-out for one answer byte.
constexpr int kPcReadTimeoutMs = 31;
// How long the fault tests wait for an answer that may be missing.
constexpr int kFaultWindowMs = 300;

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}
QByteArray repeat(quint8 byte, int count) {
    return QByteArray(count, char(byte));
}

// Answers as "05 -- 30": two hex digits per answer, "--" where none came.
QString answersText(const QList<int>& answers) {
    QStringList parts;
    for (int answer : answers)
        parts << (answer < 0 ? QStringLiteral("--")
                             : QStringLiteral("%1").arg(answer, 2, 16, QLatin1Char('0')).toUpper());
    return parts.join(QLatin1Char(' '));
}

QString answersText(const QByteArray& answers) {
    QList<int> list;
    for (char byte : answers)
        list << quint8(byte);
    return answersText(list);
}

// The PC's end of the line: the device opened as a serial port, nothing more. The line
// settings are the host's (raw), so the tests see what the host configured.
class PcPort {
public:
    explicit PcPort(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {}
    ~PcPort() { close(); }
    PcPort(const PcPort&) = delete;
    PcPort& operator=(const PcPort&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    void close() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

    bool send(quint8 byte) { return ::write(fd_, &byte, 1) == 1; }

    // One byte read within windowMs; -1 when none came.
    int readByte(int windowMs) {
        pollfd in{fd_, POLLIN, 0};
        if (poll(&in, 1, windowMs) != 1 || !(in.revents & POLLIN))
            return -1;
        quint8 byte = 0;
        return ::read(fd_, &byte, 1) == 1 ? byte : -1;
    }

    // Writes each byte and reads its answer before the next, as the link does.
    QList<int> telegram(const QByteArray& bytes, int windowMs = kAnswerBoundMs) {
        QList<int> answers;
        for (char byte : bytes) {
            if (!send(quint8(byte)))
                break;
            answers << readByte(windowMs);
        }
        return answers;
    }

    // Whatever else arrives within windowMs.
    QByteArray drain(int windowMs) {
        QByteArray bytes;
        for (int byte; (byte = readByte(windowMs)) >= 0;)
            bytes.append(char(byte));
        return bytes;
    }

private:
    int fd_ = -1;
};

} // namespace

class TestSimPty : public QObject {
    Q_OBJECT

private slots:
    void telegrams_data();
    void telegrams();
    void faultsOnTheAnswers_data();
    void faultsOnTheAnswers();
    void lateAnswer_data();
    void lateAnswer();
    void lateAnswerInATelegramHoldsTheHost();
    void badChecksumHitsTheNextBlockRead();
    void hangUpMakesThePortVanish();
    void pauseInTheMiddleOfAnItem_data();
    void pauseInTheMiddleOfAnItem();
    void abandonedItemIsRecovered_data();
    void abandonedItemIsRecovered();
    void reopenAfterAbortedTelegram_data();
    void reopenAfterAbortedTelegram();
    void publishLink();
};

void TestSimPty::telegrams_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<bool>("baudTiming");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("answers");

    QTest::newRow("synchronisation")
        << Generation::New << false << repeat(0x00, 10) << answersText(repeat(0xAA, 10));
    QTest::newRow("synchronisation, paced like the line")
        << Generation::New << true << repeat(0x00, 10) << answersText(repeat(0xAA, 10));
    QTest::newRow("new: read item")
        << Generation::New << false << hex("05 00 30 05 05") << "05 00 30 34 12";
    QTest::newRow("old: read item")
        << Generation::Old << false << hex("01 30 05 05") << "01 30 34 12";
    QTest::newRow("new: hardware test") << Generation::New << false << hex("63 05") << "63 4D";
    QTest::newRow("new: block read, paced")
        << Generation::New << true << hex("09 04 00 30") + repeat(0x05, 10)
        << "09 04 00 30 34 12 78 56 14 00 00 00 00 00";
    // A line left cooked would turn CR into LF, swallow XON/XOFF, raise a signal for ^C
    // and echo the answers back into the controller.
    QTest::newRow("raw line: control characters pass unchanged")
        << Generation::New << false << hex("0D 0A 11 13 03 1A 1C 7F 04")
        << "0D 0A 11 13 03 1A 1C 7F 04";
}

void TestSimPty::telegrams() {
    QFETCH(Generation, generation);
    QFETCH(bool, baudTiming);
    QFETCH(QByteArray, sent);
    QFETCH(QString, answers);

    FakeMemory memory(generation);
    memory.set(Space::Ram, 0x30, 0x1234);
    memory.set(Space::Ram, 0x32, 0x5678);
    HostOptions options;
    options.baudTiming = baudTiming;
    PtyHost host(memory, options);
    QString error;
    QVERIFY2(host.start(&error), qPrintable(error));
    QVERIFY(host.devicePath().startsWith(QLatin1String("/dev/")));

    PcPort pc(host.devicePath());
    QVERIFY(pc.isOpen());
    QCOMPARE(answersText(pc.telegram(sent)), answers);
    QCOMPARE(pc.drain(50), QByteArray());
    QCOMPARE(host.received().toHex(' '), sent.toHex(' '));
    QCOMPARE(host.receivedCount(), quint64(sent.size()));
}

// A RAM read item of 0x1234 at 0x30 (answers 05 00 30 34 12) with one fault armed.
void TestSimPty::faultsOnTheAnswers_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QByteArray>("leftOver");

    QTest::newRow("dropped answer: the read times out")
        << Fault::drop(1) << "05 -- 30 34 12" << QByteArray();
    QTest::newRow("corrupted echo") << Fault::corrupt(0) << "FA 00 30 34 12" << QByteArray();
    QTest::newRow("corrupted data") << Fault::corrupt(4) << "05 00 30 34 ED" << QByteArray();
    QTest::newRow("late answer still in order")
        << Fault::late(60, 3) << "05 00 30 34 12" << QByteArray();
    QTest::newRow("extra byte shifts the answers")
        << Fault::extra(2) << "05 00 30 FF 34" << hex("12");
    QTest::newRow("silent from the third byte on")
        << Fault::silent(2) << "05 00 -- -- --" << QByteArray();
}

void TestSimPty::faultsOnTheAnswers() {
    QFETCH(Fault, fault);
    QFETCH(QString, answers);
    QFETCH(QByteArray, leftOver);

    FakeMemory memory;
    memory.set(Space::Ram, 0x30, 0x1234);
    PtyHost host(memory);
    QString error;
    QVERIFY2(host.start(&error), qPrintable(error));
    PcPort pc(host.devicePath());
    QVERIFY(pc.isOpen());

    QCOMPARE(answersText(pc.telegram(hex("00"))), QStringLiteral("AA"));
    host.inject(fault);
    QCOMPARE(answersText(pc.telegram(hex("05 00 30 05 05"), kFaultWindowMs)), answers);
    QCOMPARE(pc.drain(kFaultWindowMs).toHex(' '), leftOver.toHex(' '));
    QCOMPARE(host.received().toHex(' '), hex("00 05 00 30 05 05").toHex(' '));

    // Each fault fires once, a silence lasts until cleared; then the line is sound again.
    host.clearFaults();
    QCOMPARE(answersText(pc.telegram(hex("05 00 30 05 05 00"))),
             QStringLiteral("05 00 30 34 12 AA"));
}

void TestSimPty::lateAnswer_data() {
    QTest::addColumn<int>("delayMs");
    QTest::newRow("within the PC's read time-out") << 10;
    // Far beyond: the test itself may be held up for a while before it starts to wait.
    QTest::newRow("beyond the PC's read time-out") << 500;
}

void TestSimPty::lateAnswer() {
    QFETCH(int, delayMs);

    FakeMemory memory;
    PtyHost host(memory);
    QString error;
    QVERIFY2(host.start(&error), qPrintable(error));
    PcPort pc(host.devicePath());
    QVERIFY(pc.isOpen());

    host.inject(Fault::late(delayMs));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(pc.send(0x00));
    if (delayMs > kPcReadTimeoutMs)
        QCOMPARE(pc.readByte(kPcReadTimeoutMs), -1); // the PC gives up on this byte
    QCOMPARE(pc.readByte(kAnswerBoundMs), 0xAA);
    QVERIFY(clock.elapsed() >= delayMs);
    QCOMPARE(answersText(pc.telegram(hex("00 00"))), QStringLiteral("AA AA"));
}

// A fault placed in the second synchronisation run: the first passes untouched, and until
// the late answer has gone out the host is not quiet, so a test knows when nothing of a
// faulty exchange can still arrive.
void TestSimPty::lateAnswerInATelegramHoldsTheHost() {
    constexpr int kDelayMs = 1000; // far beyond the PC's time-out, as above
    FakeMemory memory;
    PtyHost host(memory);
    QString error;
    QVERIFY2(host.start(&error), qPrintable(error));
    PcPort pc(host.devicePath());
    QVERIFY(pc.isOpen());

    host.inject(Fault::late(kDelayMs).in(TelegramKind::Sync, 2, 3));
    QCOMPARE(answersText(pc.telegram(repeat(0x00, 10))), answersText(repeat(0xAA, 10)));
    // The host counts a byte answered once its answer's write has returned, which may be
    // just after the PC has read it.
    QTRY_VERIFY_WITH_TIMEOUT(host.isQuiet(), kAnswerBoundMs);
    QCOMPARE(answersText(pc.telegram(repeat(0x00, 3))), QStringLiteral("AA AA AA"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(pc.send(0x00));
    QCOMPARE(pc.readByte(kPcReadTimeoutMs), -1);
    QVERIFY(!host.isQuiet());
    QTRY_VERIFY_WITH_TIMEOUT(host.isQuiet(), kDelayMs + kAnswerBoundMs);
    QCOMPARE(pc.readByte(kAnswerBoundMs), 0xAA);
    QVERIFY(clock.elapsed() >= kDelayMs);
    QCOMPARE(host.faultsFired(), quint64(1));
}

void TestSimPty::badChecksumHitsTheNextBlockRead() {
    FakeMemory memory;
    memory.set(Space::Ram, 0x30, 0x1234);
    memory.set(Space::Ram, 0x32, 0x5678);
    PtyHost host(memory);
    QString error;
    QVERIFY2(host.start(&error), qPrintable(error));
    PcPort pc(host.devicePath());
    QVERIFY(pc.isOpen());

    const QByteArray block = hex("09 04 00 30") + repeat(0x05, 10);
    host.inject(Fault::badChecksum());
    // A read item has no checksum: the fault waits for the block read.
    QCOMPARE(answersText(pc.telegram(hex("05 00 30 05 05"))), QStringLiteral("05 00 30 34 12"));
    QCOMPARE(answersText(pc.telegram(block)),
             QStringLiteral("09 04 00 30 34 12 78 56 15 00 00 00 00 00"));
    QCOMPARE(answersText(pc.telegram(block)),
             QStringLiteral("09 04 00 30 34 12 78 56 14 00 00 00 00 00"));
}

void TestSimPty::hangUpMakesThePortVanish() {
    FakeMemory memory;
    std::atomic<bool> told{false};
    HostOptions options;
    options.onHangUp = [&told] { told = true; };
    PtyHost host(memory, options);
    QString error;
    QVERIFY2(host.start(&error), qPrintable(error));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("ttyTRV"));
    QVERIFY2(host.publishLink(link, &error), qPrintable(error));
    PcPort pc(link);
    QVERIFY(pc.isOpen());

    host.inject(Fault::hangUp(1));
    QCOMPARE(answersText(pc.telegram(hex("00"))), QStringLiteral("AA"));
    QVERIFY(pc.send(0x00));

    pollfd line{pc.fd(), POLLIN, 0};
    QCOMPARE(poll(&line, 1, kAnswerBoundMs), 1);
    const bool hungUp = line.revents & (POLLHUP | POLLERR);
    quint8 byte = 0;
    errno = 0;
    const ssize_t got = ::read(pc.fd(), &byte, 1);
    QVERIFY2(hungUp || got == 0 || (got < 0 && errno == EIO),
             qPrintable(QStringLiteral("revents %1, read %2").arg(line.revents).arg(got)));
    QTRY_VERIFY_WITH_TIMEOUT(host.hasHungUp() && !host.isRunning(), kAnswerBoundMs);
    QVERIFY(told);
    // The name goes with the device, before the line is closed: reopening it must fail
    // rather than reach whichever pseudo-terminal gets the number next.
    QVERIFY(!QFileInfo(link).isSymLink());
}

// The PC is held up (a busy machine) in the middle of an item and then goes on with it:
// the controller has waited for it.
void TestSimPty::pauseInTheMiddleOfAnItem_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<int>("wordAtB2"); // afterwards; 0xBEEF before

    const auto New = Generation::New;
    const QByteArray fill8 = repeat(0x05, 8);
    QTest::newRow("new: read, after its command")
        << New << hex("05") << hex("00 30 05 05") << "05 00 30 34 12" << 0xBEEF;
    QTest::newRow("new: read, between its address bytes")
        << New << hex("05 00") << hex("30 05 05") << "05 00 30 34 12" << 0xBEEF;
    QTest::newRow("new: read, between its data bytes")
        << New << hex("05 00 30 05") << hex("05") << "05 00 30 34 12" << 0xBEEF;
    QTest::newRow("new: write of zeros, before its value")
        << New << hex("07 00 B2") << hex("00 00 05") << "07 00 B2 00 00 AA" << 0;
    QTest::newRow("new: write, before its filler")
        << New << hex("07 00 B2 12 34") << hex("05") << "07 00 B2 12 34 AA" << 0x1234;
    QTest::newRow("new: block read, in its data")
        << New << hex("09 04 00 30 05 05") << fill8 << "09 04 00 30 34 12 78 56 14 00 00 00 00 00"
        << 0xBEEF;
    QTest::newRow("new: hardware test") << New << hex("63") << hex("05") << "63 4D" << 0xBEEF;
    QTest::newRow("old: read, after its address")
        << Generation::Old << hex("01 30") << hex("05 05") << "01 30 34 12" << 0xBEEF;
}

void TestSimPty::pauseInTheMiddleOfAnItem() {
    QFETCH(Generation, generation);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QString, answers);
    QFETCH(int, wordAtB2);

    FakeMemory memory(generation);
    memory.set(Space::Ram, 0x30, 0x1234);
    memory.set(Space::Ram, 0x32, 0x5678);
    memory.set(Space::Ram, 0xB2, 0xBEEF);
    PtyHost host(memory);
    QString error;
    QVERIFY2(host.start(&error), qPrintable(error));
    PcPort pc(host.devicePath());
    QVERIFY(pc.isOpen());

    QCOMPARE(answersText(pc.telegram(repeat(0x00, 10))), answersText(repeat(0xAA, 10)));
    QList<int> got = pc.telegram(before);
    QTest::qSleep(250);
    got += pc.telegram(after);
    QCOMPARE(answersText(got), answers);
    QCOMPARE(memory.get(Space::Ram, 0xB2), quint16(wordAtB2));
    QCOMPARE(answersText(pc.telegram(hex("00"))), QStringLiteral("AA"));
}

// The PC's link gives up on a telegram when an answer does not come within its read
// time-out, in the middle of an item. Its error recovery follows on the open port (ten
// 0x00, ten 0xAA, answers not looked at); the next exchange must find the controller in
// step, and the item it gave up must not have written anything.
void TestSimPty::abandonedItemIsRecovered_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QByteArray>("sent"); // up to the byte whose answer is missing

    QTest::newRow("new: read, at its address") << Generation::New << hex("05 00");
    QTest::newRow("new: write, at its command") << Generation::New << hex("07");
    QTest::newRow("new: write, at its value") << Generation::New << hex("08 00 B2 00");
    QTest::newRow("new: block read, at its length") << Generation::New << hex("09 A0");
    QTest::newRow("new: block read, in its data") << Generation::New << hex("09 A0 00 30 05 05");
    QTest::newRow("new: hardware test, at its command") << Generation::New << hex("63");
    QTest::newRow("old: write, at its address") << Generation::Old << hex("03 B2");
    QTest::newRow("old: read, in its data") << Generation::Old << hex("02 B2 05");
}

void TestSimPty::abandonedItemIsRecovered() {
    QFETCH(Generation, generation);
    QFETCH(QByteArray, sent);

    FakeMemory memory(generation);
    memory.set(Space::Ram, 0x30, 0x1234);
    PtyHost host(memory);
    QString error;
    QVERIFY2(host.start(&error), qPrintable(error));
    PcPort pc(host.devicePath());
    QVERIFY(pc.isOpen());
    QCOMPARE(answersText(pc.telegram(repeat(0x00, 10))), answersText(repeat(0xAA, 10)));

    host.inject(Fault::drop(quint64(sent.size() - 1)));
    const QList<int> before = pc.telegram(sent.chopped(1));
    QVERIFY2(!before.contains(-1), qPrintable(answersText(before)));
    QVERIFY(pc.send(quint8(sent.back())));
    QCOMPARE(pc.readByte(kPcReadTimeoutMs), -1); // dropped: it never comes

    const QList<int> recovery = pc.telegram(repeat(0x00, 10) + repeat(0xAA, 10));
    QVERIFY2(!recovery.contains(-1), qPrintable(answersText(recovery)));
    QCOMPARE(pc.drain(50), QByteArray());

    const bool isNew = generation == Generation::New;
    QCOMPARE(answersText(pc.telegram(repeat(0x00, 10))), answersText(repeat(0xAA, 10)));
    QCOMPARE(answersText(pc.telegram(isNew ? hex("05 00 30 05 05") : hex("01 30 05 05"))),
             isNew ? QStringLiteral("05 00 30 34 12") : QStringLiteral("01 30 34 12"));
    QCOMPARE(memory.writes.load(), 0);
}

// The PC closes the port in the middle of an item, reopens it at once and synchronises:
// the host's own hold on the line keeps it answering, and the port being closed and
// opened has made it forget the half item, however short the pause.
void TestSimPty::reopenAfterAbortedTelegram_data() {
    QTest::addColumn<QByteArray>("halfItem");
    QTest::addColumn<QString>("answers");
    QTest::newRow("read, after its address high byte") << hex("05 00") << "05 00";
    QTest::newRow("write, before its value") << hex("07 00 B2") << "07 00 B2";
    QTest::newRow("block read, in its data") << hex("09 A0 00 30 05") << "09 A0 00 30 34";
    QTest::newRow("hardware test") << hex("63") << "63";
}

void TestSimPty::reopenAfterAbortedTelegram() {
    QFETCH(QByteArray, halfItem);
    QFETCH(QString, answers);

    FakeMemory memory;
    memory.set(Space::Ram, 0x30, 0x1234);
    PtyHost host(memory);
    QString error;
    QVERIFY2(host.start(&error), qPrintable(error));

    for (int round = 0; round < 3; ++round) {
        PcPort pc(host.devicePath());
        QVERIFY2(pc.isOpen(), qPrintable(QString::fromLocal8Bit(strerror(errno))));
        QCOMPARE(answersText(pc.telegram(repeat(0x00, 10))), answersText(repeat(0xAA, 10)));
        QCOMPARE(answersText(pc.telegram(halfItem)), answers);
        pc.close();
    }
    PcPort pc(host.devicePath());
    QVERIFY(pc.isOpen());
    QCOMPARE(answersText(pc.telegram(hex("00 05 00 30 05 05"))),
             QStringLiteral("AA 05 00 30 34 12"));
    QVERIFY(host.isRunning());
    QCOMPARE(memory.writes.load(), 0);
}

void TestSimPty::publishLink() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("ttyTRV"));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), link)); // stale, dangling
    const QString regular = dir.filePath(QStringLiteral("regular"));
    {
        QFile file(regular);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    FakeMemory memory;
    PtyHost host(memory);
    QString error;
    QVERIFY(!host.publishLink(link, &error)); // nothing to link to before start()
    QVERIFY2(host.start(&error), qPrintable(error));
    QVERIFY(!host.publishLink(regular, &error));
    QVERIFY(QFileInfo(regular).isFile());

    QVERIFY2(host.publishLink(link, &error), qPrintable(error));
    QCOMPARE(QFileInfo(link).symLinkTarget(), host.devicePath());
    {
        PcPort pc(link);
        QVERIFY(pc.isOpen());
        QCOMPARE(answersText(pc.telegram(hex("00"))), QStringLiteral("AA"));
    }

    host.stop();
    QVERIFY(!QFileInfo(link).isSymLink());
    QVERIFY(!QFileInfo::exists(link));
}

QTEST_GUILESS_MAIN(TestSimPty)
#include "tst_sim_pty.moc"
