// How the simulator tells the PC's telegrams apart, and faults placed in them: the
// telegrams are the program's own, built by its request builders, and answered by the
// simulator's byte protocol, so a telegram whose first item changes in the program shows
// here.
#include "parameters/parameter_set.h"
#include "protocol/requests.h"
#include "serial/sio.h"
#include "sim/faults.h"
#include "sim/sim_protocol.h"
#include "sim/telegram_kinds.h"
#include "tests/sim_fake_memory.h"

#include <QTest>

using namespace trvsim;

Q_DECLARE_METATYPE(trvsim::Generation)

namespace {

using K = TelegramKind;

struct Telegram {
    TelegramKind kind;
    QByteArray bytes;
};

QByteArray sent(quint32 count) {
    return QByteArray(reinterpret_cast<const char*>(expect_buffer), int(count));
}

QByteArray synchronisation() {
    return QByteArray(10, '\0');
}

// One session of the program as its sequencer runs it: connecting, the live reading, every
// request of the service pages, and an error recovery. Every exchange is preceded by a
// synchronisation.
QList<Telegram> session(bool old) {
    const auto build = [](quint32 count) {
        const QByteArray bytes = sent(count);
        std::fill(std::begin(check_mask), std::end(check_mask), quint8(0));
        return bytes;
    };
    ParameterSet set;
    set.profileTimes = {0x1600, 0x0000, 0x051E, 0x0600, 0x1700, 0x0100, 0x0700, 0x0800};
    set.takts = {172, 100, 200, 150, 100, 172};
    set.startTakt = 143;
    set.burnInSeconds = 300;
    const QList<WriteItem> parameterWrite = *dataWriteItems(old, set, true);
    const std::array<quint16, 8> clock{0x1E05, 0x010D, 0x070F, 0x000C, 1, 2, 2, 2};

    const QList<Telegram> requests{
        {K::HardwareTest, QByteArray::fromHex("6305")},
        // The identity confirmed by its second read, then a parameter read at once (as
        // the command line's read does), and a confirmed one.
        {K::Identity, build(buildHwInfoRead(old))},
        {K::Identity, build(buildHwInfoRead(old))},
        {K::ParameterRead, build(buildDataRead(old))},
        {K::RamRead, build(buildRamRead(nullptr, old))},
        {K::ParameterRead, build(buildDataRead(old))},
        {K::ParameterRead, build(buildDataRead(old))},
        {K::RamRead, build(buildRamRead(nullptr, old))},
        {K::ParameterWrite, build(buildWrites(old, parameterWrite))},
        {K::ClockWrite, build(buildWrites(old, timeWriteItems(old, clock)))},
        {K::FaultMemoryRead, build(buildErrmemRead(old))},
        {K::FaultMemoryClear, build(buildErrmemClear(old))},
        {K::CalibrationWrite,
         build(buildWrites(old, kalWriteItems(old, {575, 600, 575, 600, 575})))},
        {K::RamRead, build(buildRamRead(nullptr, old))},
    };
    QList<Telegram> telegrams;
    for (const Telegram& request : requests)
        telegrams << Telegram{K::Sync, synchronisation()} << request;
    // The error recovery: ten synchronisation bytes and ten acknowledge bytes.
    telegrams << Telegram{K::Sync, synchronisation()} << Telegram{K::Other, QByteArray(10, '\xAA')};
    return telegrams;
}

QByteArray joined(const QList<Telegram>& telegrams) {
    QByteArray bytes;
    for (const Telegram& t : telegrams)
        bytes += t.bytes;
    return bytes;
}

// Where telegram n (0-based in the session) begins in the joined bytes.
qsizetype startOf(const QList<Telegram>& telegrams, int n) {
    qsizetype at = 0;
    for (int i = 0; i < n; ++i)
        at += telegrams[i].bytes.size();
    return at;
}

// The n-th (1-based) telegram of a kind in the session, 0-based.
int indexOf(const QList<Telegram>& telegrams, TelegramKind kind, int nth) {
    for (int i = 0; i < telegrams.size(); ++i)
        if (telegrams[i].kind == kind && --nth == 0)
            return i;
    return -1;
}

} // namespace

class TestSimTelegrams : public QObject {
    Q_OBJECT

private slots:
    void generations_data();
    void sessionTelegramsAreTold_data() { generations_data(); }
    void sessionTelegramsAreTold();
    void faultsPlacedInTelegrams_data();
    void faultsPlacedInTelegrams();
    void countingBeginsAfterArming();
};

void TestSimTelegrams::generations_data() {
    QTest::addColumn<Generation>("generation");
    QTest::newRow("new hardware") << Generation::New;
    QTest::newRow("old hardware") << Generation::Old;
}

// Every telegram of a session is one telegram of its kind, known from the byte its first
// item shows it; the zeros written by the fault memory clear stay values.
void TestSimTelegrams::sessionTelegramsAreTold() {
    QFETCH(Generation, generation);
    const bool old = generation == Generation::Old;
    const QList<Telegram> telegrams = session(old);
    FakeMemory memory(generation);
    SimProtocol protocol(memory);
    TelegramTracker tracker;

    int at = 0;
    for (int t = 0; t < telegrams.size(); ++t) {
        const Telegram& telegram = telegrams[t];
        const QByteArray& bytes = telegram.bytes;
        const int known = telegram.kind == K::Sync || telegram.kind == K::HardwareTest ||
                                  telegram.kind == K::RamRead || telegram.kind == K::Other
                              ? 0
                              : (old ? 1 : 2);
        for (int b = 0; b < bytes.size(); ++b, ++at) {
            const SimProtocol::Reply reply = protocol.feed(quint8(bytes[b]));
            const TelegramPlace place =
                tracker.feed(quint8(bytes[b]), reply.event.kind == ProtocolEvent::Kind::Sync);
            const QByteArray where = QStringLiteral("telegram %1 (%2), byte %3")
                                         .arg(t)
                                         .arg(telegramKindName(telegram.kind))
                                         .arg(b)
                                         .toUtf8();
            QVERIFY2(place.telegram == quint64(t + 1), where.constData());
            QVERIFY2(place.byte == b, where.constData());
            QVERIFY2(place.kindKnownNow == (b == known), where.constData());
            QVERIFY2(place.kind.has_value() == (b >= known), where.constData());
            if (place.kind)
                QVERIFY2(*place.kind == telegram.kind, where.constData());
        }
    }
    QCOMPARE(tracker.telegrams(), quint64(telegrams.size()));
}

// A fault placed in a telegram hits that byte of it wherever the telegram lies in the
// session; one whose byte never comes lapses.
void TestSimTelegrams::faultsPlacedInTelegrams_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("telegram"); // index in the session of the telegram hit; −1: none
    QTest::addColumn<int>("byte");     // the byte hit in it
    QTest::addColumn<bool>("lapses");  // none hit: its telegram came without the byte
    for (const Generation g : {Generation::New, Generation::Old}) {
        const bool old = g == Generation::Old;
        const QList<Telegram> s = session(old);
        const char* gen = old ? "old" : "new";
        const auto row = [&](const char* form, int telegram, int byte, bool lapses = false) {
            QTest::addRow("%s: %s", gen, form) << g << QString(form) << telegram << byte << lapses;
        };
        row("drop@ramread:2:17", indexOf(s, K::RamRead, 2), 17);
        row("corrupt@sync:3:9", indexOf(s, K::Sync, 3), 9);
        row("hangup@identity:1:2", indexOf(s, K::Identity, 1), 2);
        row("extra@parread:1:40", indexOf(s, K::ParameterRead, 1), 40);
        row("late:50@hwtest:1:0", indexOf(s, K::HardwareTest, 1), 0);
        row("silent@errclear:1:60", indexOf(s, K::FaultMemoryClear, 1), 60);
        row("drop@calib:1:24", indexOf(s, K::CalibrationWrite, 1), 24);
        row("drop@clock:1:2", indexOf(s, K::ClockWrite, 1), 2);
        row("drop@parwrite:1:100", indexOf(s, K::ParameterWrite, 1), 100);
        row("drop@errread:1:195", indexOf(s, K::FaultMemoryRead, 1), 195);
        row("drop@hwtest:1:2", -1, 0, true); // the hardware test has two bytes
        row("drop@ramread:9:0", -1, 0);      // there are only three
        if (old)
            row("badsum@ramread:1", -1, 0, true); // old hardware has no block read
        else
            row("badsum@ramread:3", indexOf(s, K::RamRead, 3), 164);
    }
}

void TestSimTelegrams::faultsPlacedInTelegrams() {
    QFETCH(Generation, generation);
    QFETCH(QString, form);
    QFETCH(int, telegram);
    QFETCH(int, byte);
    QFETCH(bool, lapses);
    const QList<Telegram> telegrams = session(generation == Generation::Old);
    const QByteArray bytes = joined(telegrams);
    QString error;
    const std::optional<Fault> fault = parseFault(form, &error);
    QVERIFY2(fault, qPrintable(error));

    FakeMemory memory(generation);
    SimProtocol protocol(memory);
    FaultInjector faults;
    faults.arm(*fault);
    QList<qsizetype> hits;
    int lapsed = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const SimProtocol::Reply reply = protocol.feed(quint8(bytes[i]));
        const FaultAction action = faults.take(
            quint8(bytes[i]), reply.event.kind == ProtocolEvent::Kind::Sync, reply.checksum);
        if (!action.fired.empty())
            hits << i;
        lapsed += int(action.lapsed.size());
    }
    if (telegram < 0) {
        QVERIFY(hits.isEmpty());
        QCOMPARE(lapsed, lapses ? 1 : 0);
        return;
    }
    QCOMPARE(hits, QList<qsizetype>{startOf(telegrams, telegram) + byte});
    QCOMPARE(lapsed, 0);
    QCOMPARE(faults.firedCount(), quint64(1));
}

// Telegrams are counted from the first that begins after arming: a fault armed in the
// middle of a RAM read hits the next one, and the old byte count goes on beside it.
void TestSimTelegrams::countingBeginsAfterArming() {
    const QList<Telegram> telegrams = session(false);
    const QByteArray bytes = joined(telegrams);
    const int firstRead = indexOf(telegrams, K::RamRead, 1);
    const qsizetype armAt = startOf(telegrams, firstRead) + 5;

    FakeMemory memory(Generation::New);
    SimProtocol protocol(memory);
    FaultInjector faults;
    QList<qsizetype> hits;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i == armAt) {
            faults.arm(Fault::drop().in(K::RamRead, 1, 3));
            faults.arm(Fault::corrupt(4));
        }
        const SimProtocol::Reply reply = protocol.feed(quint8(bytes[i]));
        const FaultAction action = faults.take(
            quint8(bytes[i]), reply.event.kind == ProtocolEvent::Kind::Sync, reply.checksum);
        for (std::size_t f = 0; f < action.fired.size(); ++f)
            hits << i;
    }
    QCOMPARE(hits, (QList<qsizetype>{armAt + 4,
                                     startOf(telegrams, indexOf(telegrams, K::RamRead, 2)) + 3}));
}

QTEST_GUILESS_MAIN(TestSimTelegrams)
#include "tst_sim_telegrams.moc"
