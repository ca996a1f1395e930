// The simulator's byte protocol against a bare memory: what the controller answers to
// each byte of every telegram the PC sends, for both hardware generations.
#include "sim/faults.h"
#include "sim/sim_protocol.h"
#include "tests/sim_fake_memory.h"

#include <QRandomGenerator>
#include <QTest>

using namespace trvsim;

Q_DECLARE_METATYPE(trvsim::Generation)
Q_DECLARE_METATYPE(trvsim::Space)
Q_DECLARE_METATYPE(trvsim::Fault::Kind)

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

QByteArray repeat(quint8 byte, int count) {
    return QByteArray(count, char(byte));
}

// The words the read rows expect.
void preset(FakeMemory& memory) {
    memory.set(Space::Ram, 0x0030, 0xFFFF);
    memory.set(Space::Ram, 0x0032, 0x0102);
    memory.set(Space::Ram, 0x0040, 0x0102);
    memory.set(Space::Parameter, 0x0128, 0x0102);
    memory.set(Space::Parameter, 0x00E0, 0xFFFF);
    memory.set(Space::Parameter, 0x0070, 0xBEEF);
}

QByteArray feed(SimProtocol& protocol, const QByteArray& sent) {
    QByteArray answers;
    for (char byte : sent)
        answers.append(char(protocol.feed(quint8(byte)).byte));
    return answers;
}

} // namespace

class TestSimProtocol : public QObject {
    Q_OBJECT

private slots:
    void exchange_data();
    void exchange();
    void writeStoresTheValue_data();
    void writeStoresTheValue();
    void liveBlockRead();
    void resetForgetsHalfItem_data();
    void resetForgetsHalfItem();
    void recoveryEndsHalfItem_data();
    void recoveryEndsHalfItem();
    void garbageNeverBreaksTheProtocol_data();
    void garbageNeverBreaksTheProtocol();
    void faultForms_data();
    void faultForms();
};

void TestSimProtocol::exchange_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("answers");
    QTest::addColumn<int>("reads");

    const auto New = Generation::New;
    const auto Old = Generation::Old;
    QTest::newRow("new: synchronisation") << New << repeat(0x00, 10) << repeat(0xAA, 10) << 0;
    QTest::newRow("old: synchronisation") << Old << repeat(0x00, 10) << repeat(0xAA, 10) << 0;
    QTest::newRow("new: resynchronisation, the AA tail echoed")
        << New << repeat(0x00, 10) + repeat(0xAA, 10) << repeat(0xAA, 20) << 0;
    QTest::newRow("new: hardware test") << New << hex("63 05") << hex("63 4D") << 0;
    QTest::newRow("old: hardware test") << Old << hex("63 05") << hex("63 00") << 0;

    QTest::newRow("new: RAM read of FFFF")
        << New << hex("05 00 30 05 05") << hex("05 00 30 FF FF") << 1;
    QTest::newRow("new: parameter read of 0102, low byte first")
        << New << hex("06 01 28 05 05") << hex("06 01 28 02 01") << 1;
    QTest::newRow("new: two read items in one telegram")
        << New << hex("05 00 30 05 05 05 00 32 05 05") << hex("05 00 30 FF FF 05 00 32 02 01") << 2;
    QTest::newRow("new: word never set reads 0")
        << New << hex("06 02 00 05 05") << hex("06 02 00 00 00") << 1;
    QTest::newRow("old: RAM read of 0102, one address byte")
        << Old << hex("01 40 05 05") << hex("01 40 02 01") << 1;
    QTest::newRow("old: parameter read of FFFF")
        << Old << hex("02 E0 05 05") << hex("02 E0 FF FF") << 1;

    QTest::newRow("new: block read, checksum, five unused bytes")
        << New << hex("09 04 00 30") + repeat(0x05, 10)
        << hex("09 04 00 30 FF FF 02 01 01 00 00 00 00 00") << 2;
    QTest::newRow("new: block read of an odd byte count")
        << New << hex("09 03 00 30") + repeat(0x05, 9)
        << hex("09 03 00 30 FF FF 02 00 00 00 00 00 00") << 2;
    QTest::newRow("new: empty block read")
        << New << hex("09 00 00 30") + repeat(0x05, 6) << hex("09 00 00 30 00 00 00 00 00 00") << 0;
    QTest::newRow("new: block read is followed by a new telegram")
        << New << hex("09 00 00 30") + repeat(0x05, 6) + hex("00")
        << hex("09 00 00 30 00 00 00 00 00 00 AA") << 0;

    QTest::newRow("new: old-hardware codes and stray bytes echoed")
        << New << hex("01 02 03 04 FF 0A") << hex("01 02 03 04 FF 0A") << 0;
    QTest::newRow("old: new-hardware codes echoed")
        << Old << hex("05 06 07 08 AA") << hex("05 06 07 08 AA") << 0;
    QTest::newRow("old: no block read, 0x09 is an unknown byte")
        << Old << hex("09 A0 00 30 05 05") << hex("09 A0 AA 30 05 05") << 0;
}

void TestSimProtocol::exchange() {
    QFETCH(Generation, generation);
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, answers);
    QFETCH(int, reads);

    FakeMemory memory(generation);
    preset(memory);
    SimProtocol protocol(memory);
    QCOMPARE(feed(protocol, sent).toHex(' '), answers.toHex(' '));
    QCOMPARE(memory.reads.load(), reads);
    QCOMPARE(memory.writes.load(), 0);
    QVERIFY(protocol.idle());
}

void TestSimProtocol::writeStoresTheValue_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QByteArray>("item");
    QTest::addColumn<Space>("space");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value");

    QTest::newRow("new: RAM write, value high byte first")
        << Generation::New << hex("07 00 A8 12 34 05") << Space::Ram << 0xA8 << 0x1234;
    QTest::newRow("new: parameter write of 0")
        << Generation::New << hex("08 00 70 00 00 05") << Space::Parameter << 0x70 << 0;
    QTest::newRow("new: two-byte address")
        << Generation::New << hex("08 01 28 AB CD 05") << Space::Parameter << 0x128 << 0xABCD;
    QTest::newRow("old: RAM write, value low byte first")
        << Generation::Old << hex("03 AA 34 12 05") << Space::Ram << 0xAA << 0x1234;
    QTest::newRow("old: parameter write")
        << Generation::Old << hex("04 48 CD AB 05") << Space::Parameter << 0x48 << 0xABCD;
}

void TestSimProtocol::writeStoresTheValue() {
    QFETCH(Generation, generation);
    QFETCH(QByteArray, item);
    QFETCH(Space, space);
    QFETCH(int, address);
    QFETCH(int, value);

    FakeMemory memory(generation);
    preset(memory);
    SimProtocol protocol(memory);
    const QByteArray answers = feed(protocol, item);
    // Every byte but the trailing filler is echoed; the filler's answer is not checked.
    QCOMPARE(answers.chopped(1).toHex(' '), item.chopped(1).toHex(' '));
    QCOMPARE(memory.writes.load(), 1);
    QCOMPARE(memory.get(space, quint16(address)), quint16(value));
    QCOMPARE(feed(protocol, hex("00")), hex("AA"));
}

// The new-hardware live read: 80 words from 0x30 in one 170-byte telegram.
void TestSimProtocol::liveBlockRead() {
    FakeMemory memory(Generation::New);
    for (int k = 0; k < 80; ++k)
        memory.set(Space::Ram, quint16(0x30 + 2 * k), quint16((k + 1) << 8 | (0xF0 - k)));
    SimProtocol protocol(memory);

    const QByteArray sent = hex("09 A0 00 30") + repeat(0x05, 166);
    QByteArray answers;
    QList<int> checksumPositions;
    for (int i = 0; i < sent.size(); ++i) {
        const SimProtocol::Reply reply = protocol.feed(quint8(sent[i]));
        answers.append(char(reply.byte));
        if (reply.checksum)
            checksumPositions << i;
    }

    QCOMPARE(answers.left(4), sent.left(4));
    quint8 sum = 0;
    for (int k = 0; k < 80; ++k) {
        QCOMPARE(quint8(answers[4 + 2 * k]), quint8(0xF0 - k));
        QCOMPARE(quint8(answers[5 + 2 * k]), quint8(k + 1));
        sum = quint8(sum + quint8(answers[4 + 2 * k]) + quint8(answers[5 + 2 * k]));
    }
    QCOMPARE(checksumPositions, QList<int>{164});
    QCOMPARE(quint8(answers[164]), sum);
    QCOMPARE(answers.mid(165), repeat(0x00, 5));
    QCOMPARE(memory.reads.load(), 80);
    QVERIFY(protocol.idle());
}

void TestSimProtocol::resetForgetsHalfItem_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QByteArray>("halfItem");

    QTest::newRow("new: read after its command") << Generation::New << hex("05");
    QTest::newRow("new: read after the address high byte") << Generation::New << hex("06 00");
    QTest::newRow("new: read between its data bytes") << Generation::New << hex("05 00 30 05");
    QTest::newRow("new: write before its value low byte") << Generation::New << hex("07 00 A8 12");
    QTest::newRow("new: block read in its data") << Generation::New << hex("09 A0 00 30 05 05 05");
    QTest::newRow("new: hardware test") << Generation::New << hex("63");
    QTest::newRow("old: read after its command") << Generation::Old << hex("01");
    QTest::newRow("old: write after its address") << Generation::Old << hex("03 AA");
}

void TestSimProtocol::resetForgetsHalfItem() {
    QFETCH(Generation, generation);
    QFETCH(QByteArray, halfItem);

    FakeMemory memory(generation);
    SimProtocol protocol(memory);
    feed(protocol, halfItem);
    QVERIFY(!protocol.idle());
    protocol.reset();
    // Without the reset these zeros would be taken as address or value bytes.
    QCOMPARE(feed(protocol, repeat(0x00, 10)), repeat(0xAA, 10));
    QCOMPARE(memory.writes.load(), 0);
}

// The PC's error recovery after a transfer it gave up in the middle of an item: ten 0x00,
// then ten 0xAA. The half item takes the zeros it still expects as address, length or
// value bytes (echoed); the first zero in the place of a filler ends it and is
// acknowledged. The controller is in step afterwards, and the half item wrote nothing.
void TestSimProtocol::recoveryEndsHalfItem_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QByteArray>("halfItem");
    QTest::addColumn<int>("astray"); // zeros of the recovery taken into the half item

    const auto New = Generation::New;
    const auto Old = Generation::Old;
    QTest::newRow("new: read after its command") << New << hex("05") << 2;
    QTest::newRow("new: read after its address") << New << hex("06 01 28") << 0;
    QTest::newRow("new: read between its data bytes") << New << hex("05 00 30 05") << 0;
    QTest::newRow("new: write after its command") << New << hex("07") << 4;
    QTest::newRow("new: write after its address") << New << hex("08 00 70") << 2;
    QTest::newRow("new: write of zeros to 0, before its filler")
        << New << hex("07 00 00 00 00") << 0;
    QTest::newRow("new: block read after its command") << New << hex("09") << 3;
    QTest::newRow("new: block read after its length") << New << hex("09 A0") << 2;
    QTest::newRow("new: block read in its data") << New << hex("09 A0 00 30 05 05 05") << 0;
    QTest::newRow("new: block read in its trailer") << New << hex("09 00 00 30 05 05") << 0;
    QTest::newRow("new: hardware test") << New << hex("63") << 0;
    QTest::newRow("old: read after its command") << Old << hex("01") << 1;
    QTest::newRow("old: write after its command") << Old << hex("03") << 3;
    QTest::newRow("old: write before its filler") << Old << hex("04 48 CD AB") << 0;
    QTest::newRow("old: hardware test") << Old << hex("63") << 0;
}

void TestSimProtocol::recoveryEndsHalfItem() {
    QFETCH(Generation, generation);
    QFETCH(QByteArray, halfItem);
    QFETCH(int, astray);

    FakeMemory memory(generation);
    preset(memory);
    SimProtocol protocol(memory);
    feed(protocol, halfItem);
    QVERIFY(!protocol.idle());

    const QByteArray recovery = repeat(0x00, 10) + repeat(0xAA, 10);
    QByteArray answers;
    QList<int> dropped;
    for (char byte : recovery) {
        const SimProtocol::Reply reply = protocol.feed(quint8(byte));
        answers.append(char(reply.byte));
        if (reply.dropped > 0)
            dropped << reply.dropped;
    }
    QCOMPARE(answers.toHex(' '), (repeat(0x00, astray) + repeat(0xAA, 20 - astray)).toHex(' '));
    QCOMPARE(dropped, QList<int>{int(halfItem.size()) + astray});
    QVERIFY(protocol.idle());
    QCOMPARE(memory.writes.load(), 0);

    const bool isNew = generation == Generation::New;
    QCOMPARE(feed(protocol, repeat(0x00, 10) + (isNew ? hex("05 00 30 05 05") : hex("01 40 05 05")))
                 .toHex(' '),
             (repeat(0xAA, 10) + (isNew ? hex("05 00 30 FF FF") : hex("01 40 02 01"))).toHex(' '));
}

void TestSimProtocol::garbageNeverBreaksTheProtocol_data() {
    QTest::addColumn<Generation>("generation");
    QTest::newRow("new") << Generation::New;
    QTest::newRow("old") << Generation::Old;
}

void TestSimProtocol::garbageNeverBreaksTheProtocol() {
    QFETCH(Generation, generation);

    FakeMemory memory(generation);
    SimProtocol protocol(memory);
    QRandomGenerator random(5200);
    for (int round = 0; round < 200; ++round) {
        for (int i = 0; i < 1000; ++i)
            protocol.feed(quint8(random.bounded(256)));
        // Whatever state the bytes left behind, the longest item (a block read of 255
        // bytes) ends within 265 bytes, after which zeros are synchronisation again.
        const QByteArray answers = feed(protocol, repeat(0x00, 300));
        QCOMPARE(answers.right(10), repeat(0xAA, 10));
    }
}

void TestSimProtocol::faultForms_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<Fault::Kind>("kind");
    QTest::addColumn<qulonglong>("afterBytes");
    QTest::addColumn<int>("delayMs");

    using K = Fault::Kind;
    QTest::newRow("drop") << "drop@0" << true << K::DropByte << 0ull << 0;
    QTest::newRow("corrupt") << "corrupt@12" << true << K::CorruptByte << 12ull << 0;
    QTest::newRow("late") << "late:40@3" << true << K::Late << 3ull << 40;
    QTest::newRow("extra") << "extra@5" << true << K::ExtraByte << 5ull << 0;
    QTest::newRow("silent") << "silent@100" << true << K::Silent << 100ull << 0;
    QTest::newRow("badsum") << "badsum@0" << true << K::BadChecksum << 0ull << 0;
    QTest::newRow("hangup") << "hangup@7" << true << K::HangUp << 7ull << 0;

    QTest::newRow("no byte count") << "drop" << false << K::DropByte << 0ull << 0;
    QTest::newRow("empty byte count") << "drop@" << false << K::DropByte << 0ull << 0;
    QTest::newRow("negative byte count") << "drop@-1" << false << K::DropByte << 0ull << 0;
    QTest::newRow("trailing junk") << "drop@1x" << false << K::DropByte << 0ull << 0;
    QTest::newRow("unknown kind") << "flip@1" << false << K::DropByte << 0ull << 0;
    QTest::newRow("late without delay") << "late@3" << false << K::DropByte << 0ull << 0;
    QTest::newRow("late with bad delay") << "late:x@3" << false << K::DropByte << 0ull << 0;
    QTest::newRow("delay on another kind") << "drop:5@3" << false << K::DropByte << 0ull << 0;

    // Placed in a telegram: byte BYTE of the NTH telegram of a kind.
    QTest::newRow("in a telegram") << "drop@ramread:2:17" << true << K::DropByte << 0ull << 0;
    QTest::newRow("late in a telegram")
        << "late:900@identity:1:150" << true << K::Late << 0ull << 900;
    QTest::newRow("checksum of a telegram")
        << "badsum@ramread:3" << true << K::BadChecksum << 0ull << 0;
    QTest::newRow("first byte of a sync") << "hangup@sync:1:0" << true << K::HangUp << 0ull << 0;
    QTest::newRow("unknown telegram") << "drop@ramwrite:1:2" << false << K::DropByte << 0ull << 0;
    QTest::newRow("telegrams count from 1")
        << "drop@ramread:0:2" << false << K::DropByte << 0ull << 0;
    QTest::newRow("no byte") << "drop@ramread:1" << false << K::DropByte << 0ull << 0;
    QTest::newRow("negative byte") << "drop@ramread:1:-1" << false << K::DropByte << 0ull << 0;
    QTest::newRow("byte beyond any telegram")
        << "drop@ramread:1:1025" << false << K::DropByte << 0ull << 0;
    QTest::newRow("before the address shows the kind")
        << "drop@errclear:1:1" << false << K::DropByte << 0ull << 0;
    QTest::newRow("checksum takes no byte")
        << "badsum@ramread:1:164" << false << K::BadChecksum << 0ull << 0;
    QTest::newRow("too many parts") << "drop@ramread:1:2:3" << false << K::DropByte << 0ull << 0;
}

void TestSimProtocol::faultForms() {
    QFETCH(QString, form);
    QFETCH(bool, valid);
    QFETCH(Fault::Kind, kind);
    QFETCH(qulonglong, afterBytes);
    QFETCH(int, delayMs);

    QString error;
    const std::optional<Fault> fault = parseFault(form, &error);
    QCOMPARE(fault.has_value(), valid);
    if (!valid) {
        QVERIFY(error.contains(form));
        return;
    }
    QCOMPARE(fault->kind, kind);
    QCOMPARE(fault->afterBytes, afterBytes);
    QCOMPARE(fault->delayMs, delayMs);
    QCOMPARE(faultForm(*fault), form);
}

QTEST_GUILESS_MAIN(TestSimProtocol)
#include "tst_sim_protocol.moc"
