// Decoding the fault memory: the order of the ring for every kind of write position,
// the never-written records of the second pass, the time stamps and the fault texts.
#include "protocol/telegram.h"
#include "services/fault_ring.h"
#include "text/info_table.h"

#include <QTest>

Q_DECLARE_METATYPE(Language)

namespace {

// A read answer of one generation, with the words in the data bytes of their items.
struct Answer {
    std::array<quint8, 1025> bytes{};
    bool old;
    explicit Answer(bool hwOld) : old(hwOld) {}
    void word(int item, quint16 value) {
        const int at = old ? 4 * item + 2 : 5 * item + 3;
        bytes[std::size_t(at)] = quint8(value & 0xFF);
        bytes[std::size_t(at + 1)] = quint8(value >> 8);
    }
    void record(int k, quint16 bits, quint16 hourMinute, quint16 monthDay) {
        word(3 * k, bits);
        word(3 * k + 1, hourMinute);
        word(3 * k + 2, monthDay);
    }
    FaultList decode() const { return decodeFaultRing(old, faultAnswerWords(old, bytes.data())); }
};

// Every record k written: its fault bits are k + 1, its stamp k:k on day k + 1 of March.
Answer fullRing(bool old, quint16 position) {
    Answer a(old);
    for (int k = 0; k < kFaultRecordCount; ++k)
        a.record(k, quint16(k + 1), quint16(k << 8 | k), quint16((k + 1) << 8 | 3));
    a.word(48, position);
    return a;
}

QList<int> recordsOf(const FaultList& list) {
    QList<int> order;
    for (const FaultRow& row : list.rows)
        order.append(row.bits - 1);
    return order;
}

QList<int> descending(int from, int to) {
    QList<int> order;
    for (int k = from; k >= to; --k)
        order.append(k);
    return order;
}

} // namespace

class FaultRingTest : public QObject {
    Q_OBJECT
private slots:
    void ringOrder_data();
    void ringOrder();
    void neverWrittenRecords_data();
    void neverWrittenRecords();
    void timeText_data();
    void timeText();
    void faultTexts_data();
    void faultTexts();
};

void FaultRingTest::ringOrder_data() {
    QTest::addColumn<bool>("old");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("records"); // record shown in rows 1 … 16
    QTest::addColumn<bool>("impossible");
    const QList<int> full = descending(15, 0);
    for (const bool old : {false, true}) {
        const char* g = old ? "old" : "new";
        QTest::addRow("%s P=0", g) << old << 0 << full << false;
        QTest::addRow("%s P=18", g) << old << 18 << descending(2, 0) + descending(15, 3) << false;
        QTest::addRow("%s P=20 rounds down", g)
            << old << 20 << descending(2, 0) + descending(15, 3) << false;
        QTest::addRow("%s P=90", g) << old << 90 << descending(14, 0) + QList<int>{15} << false;
        QTest::addRow("%s P=96", g) << old << 96 << full << false;
        QTest::addRow("%s P=97", g) << old << 97 << full << true;
        QTest::addRow("%s P=102", g) << old << 102 << full << true;
        QTest::addRow("%s P=0xFFFF", g) << old << 0xFFFF << full << true;
    }
}

void FaultRingTest::ringOrder() {
    QFETCH(bool, old);
    QFETCH(int, position);
    QFETCH(QList<int>, records);
    QFETCH(bool, impossible);
    const FaultList list = fullRing(old, quint16(position)).decode();
    QCOMPARE(recordsOf(list), records);
    QCOMPARE(list.impossiblePosition, impossible);
    // Each record keeps its own time stamp in its row.
    const int k = records.first();
    QCOMPARE(list.rows[0].time, faultTimeText(quint16(k << 8 | k), quint16((k + 1) << 8 | 3)));
}

void FaultRingTest::neverWrittenRecords_data() {
    QTest::addColumn<bool>("old");
    QTest::addColumn<QString>("secondPass");
    QTest::newRow("new hardware: empty") << false << QString();
    QTest::newRow("old hardware: as read") << true << QString("00.00  00:00");
}

void FaultRingTest::neverWrittenRecords() {
    QFETCH(bool, old);
    QFETCH(QString, secondPass);
    // P = 18: records 0 (first pass, row 3) and 3 (second pass, row 16) never written.
    Answer a = fullRing(old, 18);
    a.record(0, 0, 0, 0);
    a.record(3, 0, 0, 0);
    const FaultList list = a.decode();
    QCOMPARE(list.rows[2].time, QString("00.00  00:00"));
    QCOMPARE(list.rows[15].time, secondPass);
    QCOMPARE(list.rows[15].bits, quint16(0));
    QCOMPARE(list.rows[14].time, QString("05.03  04:04")); // record 4, written
}

void FaultRingTest::timeText_data() {
    QTest::addColumn<quint16>("hourMinute");
    QTest::addColumn<quint16>("monthDay");
    QTest::addColumn<QString>("text");
    QTest::newRow("leading zeros") << quint16(0x050E) << quint16(0x0703) << "07.03  14:05";
    QTest::newRow("never written") << quint16(0) << quint16(0) << "00.00  00:00";
    QTest::newRow("year's last minute") << quint16(0x3B17) << quint16(0x1F0C) << "31.12  23:59";
    QTest::newRow("three digits stay") << quint16(0x0064) << quint16(0x0101) << "01.01  100:00";
}

void FaultRingTest::timeText() {
    QFETCH(quint16, hourMinute);
    QFETCH(quint16, monthDay);
    QFETCH(QString, text);
    QCOMPARE(faultTimeText(hourMinute, monthDay), text);
}

void FaultRingTest::faultTexts_data() {
    QTest::addColumn<Language>("language");
    QTest::addColumn<quint16>("bits");
    QTest::addColumn<QString>("text");
    const Language en = Language::English;
    QTest::newRow("bits 1 and 2 without a blank")
        << en << quint16(0x0006) << "DC-Link overvoltage faultovertemp fault";
    QTest::newRow("bit 6") << en << quint16(0x0040) << "short circuit ac";
    QTest::newRow("bit 11") << en << quint16(0x0800) << "short circuit ac";
    QTest::newRow("bits 6 and 11") << en << quint16(0x0840) << "short circuit acshort circuit ac";
    QTest::newRow("bit 9 free") << en << quint16(0x0200) << "free";
    QTest::newRow("bit 9 free in German") << Language::German << quint16(0x0200) << "free";
    QTest::newRow("bit 0 has no text") << en << quint16(0x0001) << "";
    QTest::newRow("none") << en << quint16(0x0000) << "";
    QTest::newRow("bit 15 after bit 0") << en << quint16(0x8001) << "overtemp fault KK2";
    QTest::newRow("German, bit order") << Language::German << quint16(0x4004)
                                       << QString::fromUtf8("ÜbertemperaturÜbertemperatur KK1");
}

void FaultRingTest::faultTexts() {
    QFETCH(Language, language);
    QFETCH(quint16, bits);
    QFETCH(QString, text);
    QCOMPARE(faultText(bits, [language](int row) { return infoText(language, row); }), text);
}

QTEST_APPLESS_MAIN(FaultRingTest)
#include "tst_fault_ring.moc"
