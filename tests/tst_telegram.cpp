// Telegram items of both generations, byte and mask exact, and the length of every
// request the tool sends.
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/telegram.h"
#include "serial/sio.h"

#include <QTest>
#include <algorithm>

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

QByteArray sent(int from, int count) {
    return QByteArray(reinterpret_cast<const char*>(expect_buffer + from), count);
}

QByteArray masks(int from, int count) {
    return QByteArray(reinterpret_cast<const char*>(check_mask + from), count);
}

void clearBuffers() {
    std::fill(std::begin(expect_buffer), std::end(expect_buffer), quint8(0xEE));
    std::fill(std::begin(check_mask), std::end(check_mask), quint8(0));
    tx_count = rx_count = 0;
    tx_pointer = nullptr;
    protocol_step = 0;
}

bool untouchedFrom(int from) {
    for (int i = from; i < kLinkBufferSize; ++i)
        if (expect_buffer[i] != 0xEE || check_mask[i] != 0)
            return false;
    return true;
}

} // namespace

class TelegramTest : public QObject {
    Q_OBJECT
private slots:
    void init() { clearBuffers(); }

    void items_data();
    void items();
    void otherKindsBuildNothing_data();
    void otherKindsBuildNothing();
    void blockRead();
    void itemsBeyondTheBufferAreNotBuilt();
    void readItemWordIsLowByteFirst();
    void requestLengths_data();
    void requestLengths();
    void requestBytes();
    void writeRequests();
};

void TelegramTest::items_data() {
    QTest::addColumn<bool>("hwOld");
    QTest::addColumn<int>("cfg");
    QTest::addColumn<int>("adr");
    QTest::addColumn<int>("anz");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("from");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("mask");
    QTest::addColumn<int>("endOfItems");

    QTest::newRow("old RAM read, first and last of 20") // 01 40 05 05 … 01 66 05 05
        << true << 1 << 0x40 << 20 << 0 << 0 << hex("01400505014205050144050501660505").left(8)
        << hex("01010000") << 80;
    QTest::newRow("old RAM read, item 19")
        << true << 1 << 0x40 << 20 << 0 << 76 << hex("01660505") << hex("01010000") << 80;
    QTest::newRow("new parameter read, item 22")
        << false << 2 << 0x128 << 10 << 22 << 110 << hex("0601280505") << hex("0101010000") << 160;
    QTest::newRow("new parameter read, item 31")
        << false << 2 << 0x128 << 10 << 22 << 155 << hex("06013A0505") << hex("0101010000") << 160;
    QTest::newRow("old RAM write, value low byte first")
        << true << 3 << 0xAA << 0x1234 << 1 << 5 << hex("03AA341205") << hex("0101010100") << 10;
    QTest::newRow("new parameter write, value high byte first")
        << false << 4 << 0x70 << 0 << 48 << 288 << hex("080070000005") << hex("010101010100")
        << 294;
    QTest::newRow("new RAM write") << false << 3 << 0xA8 << 0x1234 << 0 << 0 << hex("0700A8123405")
                                   << hex("010101010100") << 6;
    QTest::newRow("old address above 0xFF sends its low byte")
        << true << 2 << 0x1A4 << 1 << 0 << 0 << hex("02A40505") << hex("01010000") << 4;
    QTest::newRow("old parameter write of 0xFFFF")
        << true << 4 << 0x48 << 0xFFFF << 0 << 0 << hex("0448FFFF05") << hex("0101010100") << 5;
}

void TelegramTest::items() {
    QFETCH(bool, hwOld);
    QFETCH(int, cfg);
    QFETCH(int, adr);
    QFETCH(int, anz);
    QFETCH(int, offset);
    QFETCH(int, from);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, mask);
    QFETCH(int, endOfItems);

    send_sio(nullptr, hwOld, quint16(cfg), quint16(adr), quint16(anz), quint16(offset));
    QCOMPARE(sent(from, bytes.size()).toHex(' '), bytes.toHex(' '));
    QCOMPARE(masks(from, mask.size()).toHex(' '), mask.toHex(' '));
    QVERIFY2(untouchedFrom(endOfItems), "bytes written beyond the items");
    QCOMPARE(tx_count, 0u); // items only; the caller starts the transfer
}

void TelegramTest::otherKindsBuildNothing_data() {
    QTest::addColumn<bool>("hwOld");
    QTest::addColumn<int>("cfg");
    for (bool old : {false, true})
        for (int cfg : {0, 5, 6, 7, 8, 10, 0xFFFF})
            QTest::addRow("%s cfg %d", old ? "old" : "new", cfg) << old << cfg;
    QTest::newRow("block read on old hardware") << true << 9;
}

void TelegramTest::otherKindsBuildNothing() {
    QFETCH(bool, hwOld);
    QFETCH(int, cfg);
    send_sio(nullptr, hwOld, quint16(cfg), 0x30, 80, 0);
    QVERIFY(untouchedFrom(0));
    QCOMPARE(tx_count, 0u);
    QCOMPARE(protocol_step, 0);
}

void TelegramTest::blockRead() {
    send_sio(nullptr, false, 9, 0x30, 80, 7);
    QCOMPARE(sent(0, 4).toHex(' '), hex("09A00030").toHex(' '));
    QCOMPARE(masks(0, 4).toHex(' '), hex("01000101").toHex(' '));
    QCOMPARE(sent(4, 166), QByteArray(166, 0x05));
    QCOMPARE(masks(4, 166), QByteArray(166, 0));
    QVERIFY(untouchedFrom(170));
    // The block read starts its own transfer and waits at the RAM read's response step.
    QCOMPARE(tx_count, 170u);
    QCOMPARE(rx_count, 170u);
    QCOMPARE(tx_pointer, expect_buffer);
    QCOMPARE(protocol_step, 4);
    QVERIFY(!response_ready);

    clearBuffers();
    send_sio(nullptr, false, 9, 0x30, 128, 0); // the length byte cannot carry 256
    QVERIFY(untouchedFrom(0));
}

void TelegramTest::itemsBeyondTheBufferAreNotBuilt() {
    // 205 old read items fill bytes 0 … 819; item 256 would start at 1024 and not fit.
    send_sio(nullptr, true, 1, 0x00, 300, 0);
    QVERIFY(untouchedFrom(1024));
    QCOMPARE(sent(1020, 4).toHex(' '), hex("01FE0505").toHex(' ')); // item 255, a = 0x1FE
    clearBuffers();
    send_sio(nullptr, false, 4, 0x70, 1, 170); // would end at byte 1025
    QVERIFY(untouchedFrom(0));
}

void TelegramTest::readItemWordIsLowByteFirst() {
    std::fill(std::begin(rx_buffer), std::end(rx_buffer), quint8(0));
    rx_buffer[4 * 3 + 2] = 0x02; // old item 3: word 0x0102 arrives as 02 01
    rx_buffer[4 * 3 + 3] = 0x01;
    rx_buffer[5 * 10 + 3] = 0xFF; // new item 10: 0xFFFF arrives as FF FF
    rx_buffer[5 * 10 + 4] = 0xFF;
    QCOMPARE(readItemWord(true, rx_buffer, 3), quint16(0x0102));
    QCOMPARE(readItemWord(false, rx_buffer, 10), quint16(0xFFFF));
}

void TelegramTest::requestLengths_data() {
    QTest::addColumn<QString>("request");
    QTest::addColumn<bool>("hwOld");
    QTest::addColumn<int>("length");
    QTest::newRow("RAM read old") << "ram" << true << 124;
    QTest::newRow("RAM read new") << "ram" << false << 170;
    QTest::newRow("data read old") << "data" << true << 132;
    QTest::newRow("data read new") << "data" << false << 245;
    QTest::newRow("identity old") << "info" << true << 80;
    QTest::newRow("identity new") << "info" << false << 300;
    QTest::newRow("fault memory read old") << "errmem" << true << 196;
    QTest::newRow("fault memory read new") << "errmem" << false << 245;
    QTest::newRow("fault memory clear old") << "clear" << true << 245;
    QTest::newRow("fault memory clear new") << "clear" << false << 294;
    QTest::newRow("clock old") << "time" << true << 40;
    QTest::newRow("clock new") << "time" << false << 48;
    QTest::newRow("calibration old") << "kal" << true << 25;
    QTest::newRow("calibration new") << "kal" << false << 30;
}

void TelegramTest::requestLengths() {
    QFETCH(QString, request);
    QFETCH(bool, hwOld);
    QFETCH(int, length);
    quint32 built = 0;
    if (request == "ram")
        built = buildRamRead(nullptr, hwOld);
    else if (request == "data")
        built = buildDataRead(hwOld);
    else if (request == "info")
        built = buildHwInfoRead(hwOld);
    else if (request == "errmem")
        built = buildErrmemRead(hwOld);
    else if (request == "clear")
        built = buildErrmemClear(hwOld);
    else if (request == "time")
        built = buildWrites(hwOld, timeWriteItems(hwOld, {}));
    else if (request == "kal")
        built = buildWrites(hwOld, kalWriteItems(hwOld, {}));
    QCOMPARE(int(built), length);
    // The calls together cover every byte up to the length: every item starts with its
    // echo-checked command code, and nothing lies beyond.
    const int size = (request == "clear" || request == "time" || request == "kal")
                         ? (hwOld ? 5 : 6)
                         : (hwOld ? 4 : 5);
    if (!(request == "ram" && !hwOld))
        for (int k = 0; k < length / size; ++k)
            QVERIFY2(check_mask[k * size] == 1, qPrintable(QString("item %1").arg(k)));
    QVERIFY(untouchedFrom(length));
}

void TelegramTest::requestBytes() {
    // Old RAM read: the last item reads word 0x08 at item 30.
    buildRamRead(nullptr, true);
    QCOMPARE(sent(120, 4).toHex(' '), hex("01080505").toHex(' '));
    QCOMPARE(sent(88, 4).toHex(' '), hex("01A00505").toHex(' ')); // item 22
    clearBuffers();
    // New identity read: item 52 reads the newer date block at 0x180.
    buildHwInfoRead(false);
    QCOMPARE(sent(260, 5).toHex(' '), hex("0601800505").toHex(' '));
    QCOMPARE(sent(50, 5).toHex(' '), hex("0600000505").toHex(' ')); // item 10: word 0x000
    clearBuffers();
    // Old data read mixes parameter and RAM reads: item 20 reads RAM 0xB2.
    buildDataRead(true);
    QCOMPARE(sent(80, 4).toHex(' '), hex("01B20505").toHex(' '));
    QCOMPARE(sent(124, 4).toHex(' '), hex("01500505").toHex(' ')); // item 31
}

void TelegramTest::writeRequests() {
    // Clock, new hardware: four clock registers, then the request word four times.
    buildWrites(false, timeWriteItems(false, {0x0A0B, 0x0C0D, 0x1112, 0x1314, 1, 1, 1, 1}));
    QCOMPARE(sent(0, 6).toHex(' '), hex("0700A80A0B05").toHex(' '));
    QCOMPARE(sent(18, 6).toHex(' '), hex("0700AE131405").toHex(' '));
    QCOMPARE(sent(42, 6).toHex(' '), hex("070064000105").toHex(' '));
    clearBuffers();
    // Calibration, old hardware: kinds 4, 3, 3, 4, 4.
    buildWrites(true, kalWriteItems(true, {0x0301, 2, 3, 0x00C8, 0x00E6}));
    QCOMPARE(sent(0, 25).toHex(' '), hex("04480103050"
                                         "32C020005"
                                         "032E030005"
                                         "0442C80005"
                                         "0444E60005")
                                         .toHex(' '));
    clearBuffers();
    // A full parameter write numbers the items without gaps: 14 + 13 + 3 = 30 items.
    for (bool old : {true, false}) {
        const DataWriteAddresses a = dataWriteAddresses(old);
        QList<WriteItem> items;
        for (quint16 adr : a.ram)
            items.append({kRamWrite, adr, 0});
        for (quint16 adr : a.parameter)
            items.append({kParameterWrite, adr, 0});
        for (const WriteItem& tail : a.tail)
            items.append(tail);
        QCOMPARE(items.size(), 30);
        QCOMPARE(int(buildWrites(old, items)), old ? 150 : 180);
        const int last = old ? 145 : 174;
        QCOMPARE(sent(last, old ? 2 : 3).toHex(' '),
                 (old ? hex("0446") : hex("080046")).toHex(' '));
        clearBuffers();
    }
}

QTEST_GUILESS_MAIN(TelegramTest)
#include "tst_telegram.moc"
