// Decoding of the hardware test and identity answers of both generations.
#include "protocol/telegram.h"
#include "services/identity.h"

#include <QTest>
#include <array>

namespace {

// An identity answer with the given words in the data bytes of their items.
struct Answer {
    std::array<quint8, 1025> bytes{};
    bool old;
    explicit Answer(bool hwOld) : old(hwOld) {}
    void word(int item, quint16 value) {
        const int at = old ? 4 * item + 2 : 5 * item + 3;
        bytes[at] = quint8(value & 0xFF);
        bytes[at + 1] = quint8(value >> 8);
    }
    void text(int firstItem, const QByteArray& chars) {
        for (int i = 0; i < chars.size(); i += 2)
            word(
                firstItem + i / 2,
                quint16(quint8(chars[i]) | (i + 1 < chars.size() ? quint8(chars[i + 1]) << 8 : 0)));
    }
    void fill(int firstItem, int items, quint16 value) {
        for (int k = firstItem; k < firstItem + items; ++k)
            word(k, value);
    }
};

} // namespace

class IdentityTest : public QObject {
    Q_OBJECT
private slots:
    void hardwareTest_data();
    void hardwareTest();
    void oldRevision_data();
    void oldRevision();
    void oldIdentity();
    void newIdentity();
    void newIdentityWithoutNewerBlock();
    void cutAtStops();
    void volts_data();
    void volts();
};

void IdentityTest::hardwareTest_data() {
    QTest::addColumn<int>("b0");
    QTest::addColumn<int>("b1");
    QTest::addColumn<bool>("old");
    QTest::newRow("63 4D new") << 0x63 << 0x4D << false;
    QTest::newRow("63 05 old") << 0x63 << 0x05 << true;
    QTest::newRow("63 00 old") << 0x63 << 0x00 << true;
    QTest::newRow("4D without echo") << 0x00 << 0x4D << true;
}

void IdentityTest::hardwareTest() {
    QFETCH(int, b0);
    QFETCH(int, b1);
    QFETCH(bool, old);
    QCOMPARE(isOldHardware(quint8(b0), quint8(b1)), old);
}

void IdentityTest::oldRevision_data() {
    QTest::addColumn<QByteArray>("chars12and13");
    QTest::addColumn<int>("revision");
    QTest::newRow("14") << QByteArray("14") << 14;
    QTest::newRow("13") << QByteArray("13") << 13;
    QTest::newRow("12") << QByteArray("12") << 12;
    QTest::newRow("unprogrammed") << QByteArray("\xFF\xFF") << 0;
    QTest::newRow("letters") << QByteArray("ab") << 0;
    QTest::newRow("blank and digit") << QByteArray(" 4") << 0;
}

void IdentityTest::oldRevision() {
    QFETCH(QByteArray, chars12and13);
    QFETCH(int, revision);
    const QString text = QStringLiteral("TRV5200 Rev") + QString::fromLatin1(chars12and13) +
                         QStringLiteral(" 3x400V 20.11.2009 ");
    QCOMPARE(revisionFromVersionText(text), revision);
}

void IdentityTest::oldIdentity() {
    Answer a(true);
    a.text(0, "TRV5200 Rev14 3x400V 20.11.2009 ");
    a.word(16, 605);
    a.word(17, 592);
    a.word(18, 0x0C08); // darken 8 × 25 s, brighten 12 × 25 s
    a.word(19, 0xFFFF); // unprogrammed calibration value
    const OldIdentity id = decodeOldIdentity(a.bytes.data());
    QCOMPARE(id.versionText, QString("TRV5200 Rev14 3x400V 20.11.2009 "));
    QCOMPARE(id.revision, 14);
    QCOMPARE(id.uac_start_int, quint16(605));
    QCOMPARE(id.uac_nenn_int, quint16(592));
    QCOMPARE(id.darkeningSeconds, 200);
    QCOMPARE(id.brighteningSeconds, 300);
    QCOMPARE(id.kal_value230, quint16(0));

    Answer erased(true);
    erased.fill(0, 20, 0xFFFF);
    const OldIdentity blank = decodeOldIdentity(erased.bytes.data());
    QCOMPARE(blank.versionText, QString(32, QChar(0xFF))); // not cut on old hardware
    QCOMPARE(blank.revision, 0);
}

void IdentityTest::newIdentity() {
    Answer a(false);
    a.text(12, QByteArray("TRV5200-3x400V\0\0", 16));
    a.text(22, "14.03.2019");
    a.word(32, 600);
    a.word(33, 587);
    a.word(35, 620);
    a.word(36, 0x091B); // SW 27, version type 9 (training)
    a.word(37, 0x0003); // option bit 0: no second heat-sink sensor
    a.word(38, 0xAB02); // development number 2 (high byte unused)
    a.text(44, "TRV5200-3x400V  ");
    a.text(52, " SW 22.05.2023");
    const NewIdentity id = decodeNewIdentity(a.bytes.data());
    QCOMPARE(id.SW_Nr, quint16(27));
    QCOMPARE(id.TVers_Nr, quint16(9));
    QCOMPARE(id.Opt_Bits, quint16(3));
    QCOMPARE(id.Entw_Nr, quint16(2));
    QCOMPARE(id.DEV_Nr, quint16(1));
    QCOMPARE(id.Rev_Str, QString("27.9.3.2"));
    QCOMPARE(id.HW_Produktcode, QString("TRV5200-3x400V"));
    QCOMPARE(id.HW_Beschreibung, QString("14.03.2019"));
    QCOMPARE(id.HW_Produktcode_Neu, QString("TRV5200-3x400V  "));
    QCOMPARE(id.SW_Date_neu, QString(" SW 22.05.2023"));
    QVERIFY(id.hw_descr_new);
    QCOMPARE(id.kal_value230, quint16(620));
    QCOMPARE(newVersionPanel(id, QString()),
             QString("Version: TRV5200-3x400V  14.03.2019 SW 22.05.2023"));
}

void IdentityTest::newIdentityWithoutNewerBlock() {
    Answer a(false);
    a.text(12, QByteArray("TRV\0XYZ", 7)); // a NUL in the fourth character
    a.text(22, "01.02.2010");
    a.word(36, 0x001B);
    a.fill(44, 8, 0xFFFF); // newer block unprogrammed
    a.fill(52, 7, 0xFFFF);
    a.word(35, 0);
    const NewIdentity id = decodeNewIdentity(a.bytes.data());
    QCOMPARE(id.HW_Produktcode, QString("TRV"));
    QCOMPARE(id.SW_Date_neu, QString());
    QCOMPARE(id.HW_Produktcode_Neu, QString());
    QVERIFY(!id.hw_descr_new);
    QCOMPARE(id.kal_value230, quint16(0));
    // Without the newer block, SW_Date is the description.
    QCOMPARE(newVersionPanel(id, id.HW_Beschreibung), QString("Version: TRV27.0.0.0  01.02.2010"));
}

void IdentityTest::cutAtStops() {
    QCOMPARE(cutAt(QString("ab") + QChar(0) + "cd", QChar(0)), QString("ab"));
    QCOMPARE(cutAt(QString("abc"), QChar(0)), QString("abc"));
    QCOMPARE(cutAt(QString(QChar(0xFF)) + "x", QChar(0xFF)), QString());
}

void IdentityTest::volts_data() {
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("kal");
    QTest::addColumn<int>("volts");
    QTest::newRow("no calibration uses 587") << 587 << 0 << 230;
    QTest::newRow("start 600 without calibration") << 600 << 0 << 235; // 235.09
    QTest::newRow("600 with 620") << 600 << 620 << 223;                // 222.58
    QTest::newRow("half rounds to even, down") << 1 << 460 << 0;       // 0.5
    QTest::newRow("half rounds to even, up") << 3 << 460 << 2;         // 1.5
    // 11 / 20 × 230 is 126.50000000000001 in floating point: the tie is kept exact.
    QTest::newRow("tie kept exact") << 11 << 20 << 126;
    QTest::newRow("implausible value is clamped") << 65535 << 1 << 65535;
}

void IdentityTest::volts() {
    QFETCH(int, raw);
    QFETCH(int, kal);
    QFETCH(int, volts);
    QCOMPARE(int(measurementToVolts(quint16(raw), quint16(kal))), volts);
}

QTEST_APPLESS_MAIN(IdentityTest)
#include "tst_identity.moc"
