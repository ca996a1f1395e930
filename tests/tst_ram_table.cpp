// The variable tables without the window: names and norms of both generations, the
// energy saving per lamp period, the binary formatter, the measurement grid's column
// widths and the decoding of the two RAM-read answers.
#include "live/ram_table.h"

#include <QTest>
#include <climits>

namespace {

enum class Table { New, Old, Eep };

// A new-hardware block-read answer as the link stores it: echoes of 0x09, the length
// and the start address, the 80 words low byte first, then the checksum byte.
std::array<quint8, kNewRamAnswerLength> newAnswer(const std::array<quint16, kNewRamWords>& words,
                                                  int checksum = -1) {
    std::array<quint8, kNewRamAnswerLength> rx{};
    rx[0] = 0x09;
    rx[1] = 160;
    rx[2] = 0x00;
    rx[3] = 0x30;
    quint32 sum = 0;
    for (int i = 0; i < kNewRamWords; ++i) {
        rx[4 + 2 * i] = quint8(words[i] & 0xFF);
        rx[5 + 2 * i] = quint8(words[i] >> 8);
        sum += rx[4 + 2 * i] + rx[5 + 2 * i];
    }
    rx[164] = quint8(checksum < 0 ? sum : quint32(checksum));
    return rx;
}

std::array<quint16, kNewRamWords> filled(quint16 word) {
    std::array<quint16, kNewRamWords> words;
    words.fill(word);
    return words;
}

} // namespace

Q_DECLARE_METATYPE(Table)

class RamTableTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void intToBin_data();
    void intToBin();
    void names_data();
    void names();
    void norms_data();
    void norms();
    void energySaving_data();
    void energySaving();
    void columnWidths_data();
    void columnWidths();

    void newAnswerChecksum_data();
    void newAnswerChecksum();
    void newAnswerWords_data();
    void newAnswerWords();
    void newAnswerLeavesEntry80();
    void oldAnswer();

private:
    TRam_Data ram_;
    TRam_Data ramOld_;
    TRam_Data eep_;
};

void RamTableTest::initTestCase() {
    initRamTables(ram_, ramOld_, eep_);
}

void RamTableTest::intToBin_data() {
    QTest::addColumn<quint32>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("text");
    // Sixteen characters: thirteen zeros, then 101.
    QTest::newRow("5") << 5u << 16 << QString(13, '0') + "101";
    QTest::newRow("0") << 0u << 16 << QString(16, '0');
    QTest::newRow("0xFFFF") << 0xFFFFu << 16 << QString(16, '1');
    QTest::newRow("0x8001") << 0x8001u << 16 << "1" + QString(14, '0') + "1";
    // More bits than digits: the low bits are kept, the text never grows.
    QTest::newRow("0x1FFFE in 16") << 0x1FFFEu << 16 << QString(15, '1') + "0";
    QTest::newRow("0xFFFFFFFF in 4") << 0xFFFFFFFFu << 4 << QString("1111");
    QTest::newRow("no digits") << 5u << 0 << QString();
    QTest::newRow("negative digits") << 5u << -3 << QString();
}

void RamTableTest::intToBin() {
    QFETCH(quint32, value);
    QFETCH(int, digits);
    QFETCH(QString, text);
    QCOMPARE(IntToBin(value, digits), text);
}

void RamTableTest::names_data() {
    QTest::addColumn<Table>("table");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("new 0") << Table::New << 0 << "uac_soll_start";
    QTest::newRow("new 2") << Table::New << 2 << "hl_time / rl_time";
    QTest::newRow("new 9") << Table::New << 9 << "uac_ad_pt1";
    QTest::newRow("new 31, no blank before /") << Table::New << 31 << "port_e_sh/ port_d_sh";
    QTest::newRow("new 34 empty") << Table::New << 34 << "";
    QTest::newRow("new 55 empty") << Table::New << 55 << "";
    QTest::newRow("new 59") << Table::New << 59 << "____ / year";
    QTest::newRow("new 79") << Table::New << 79 << "df_we2 / df_we3";
    QTest::newRow("new 80 empty") << Table::New << 80 << "";
    QTest::newRow("old 0") << Table::Old << 0 << "temp1_ad";
    QTest::newRow("old 19") << Table::Old << 19 << "helptimer / regime";
    QTest::newRow("old 28") << Table::Old << 28 << "HL / RL Time";
    QTest::newRow("old 30, trailing blank") << Table::Old << 30 << "Port_E / Port_D ";
    QTest::newRow("old 31 empty") << Table::Old << 31 << "";
    QTest::newRow("eep 0") << Table::Eep << 0 << "Codeword";
    QTest::newRow("eep 9") << Table::Eep << 9 << "Codeword";
    QTest::newRow("eep 11") << Table::Eep << 11 << "HW/SW-Info";
    QTest::newRow("eep 36") << Table::Eep << 36 << "Dimmmzeiten";
    QTest::newRow("eep 46") << Table::Eep << 46 << "Dimmmfreq.";
    QTest::newRow("eep 48") << Table::Eep << 48 << "Einbrennzeit";
    QTest::newRow("eep 49 empty") << Table::Eep << 49 << "";
}

void RamTableTest::names() {
    QFETCH(Table, table);
    QFETCH(int, index);
    QFETCH(QString, name);
    const TRam_Data& t = table == Table::New ? ram_ : table == Table::Old ? ramOld_ : eep_;
    QCOMPARE(t.name[index], name);
}

void RamTableTest::norms_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<float>("norm");
    QTest::newRow("uac_soll_start") << 0 << 12800.0f;
    QTest::newRow("uac_soll_nenn") << 1 << 12800.0f;
    QTest::newRow("hl_time / rl_time") << 2 << 0.0f;
    QTest::newRow("uz_ad_pt1") << 8 << 12800.0f;
    QTest::newRow("uac_ad_pt1") << 9 << 12926.95f;
    QTest::newRow("poti_ad_pt1") << 10 << 160.0f;
    QTest::newRow("ex2_ad_pt1") << 11 << 0.0f;
    QTest::newRow("iz_ad_pt1") << 12 << 59.26f;
    QTest::newRow("entry 80") << 80 << 0.0f;
}

void RamTableTest::norms() {
    QFETCH(int, index);
    QFETCH(float, norm);
    // Exactly the single-precision constant, not a double rounded on the way.
    QCOMPARE(ram_.norm[index], norm);
    QVERIFY(ramOld_.norm[index] == 0.0f);
}

void RamTableTest::energySaving_data() {
    QTest::addColumn<int>("period");
    QTest::addColumn<float>("percent");
    QTest::newRow("50") << 50 << 88.8f;
    QTest::newRow("75") << 75 << 88.8f;
    QTest::newRow("99") << 99 << 88.8f;
    QTest::newRow("100 (100 Hz)") << 100 << 67.0f;
    QTest::newRow("109") << 109 << 64.0f;
    QTest::newRow("150") << 150 << 45.1f;
    QTest::newRow("172") << 172 << 30.2f;
    QTest::newRow("199") << 199 << 3.3f;
    QTest::newRow("200 (50 Hz)") << 200 << 0.0f;
    // Outside the table: the nearer end, never a read past it.
    QTest::newRow("49") << 49 << 88.8f;
    QTest::newRow("0") << 0 << 88.8f;
    QTest::newRow("INT_MIN") << INT_MIN << 88.8f;
    QTest::newRow("201") << 201 << 0.0f;
    QTest::newRow("65535") << 65535 << 0.0f;
    QTest::newRow("INT_MAX") << INT_MAX << 0.0f;
}

void RamTableTest::energySaving() {
    QFETCH(int, period);
    QFETCH(float, percent);
    QCOMPARE(energy_saving_table[period], percent);
    QCOMPARE(::energySaving(period), percent);
}

void RamTableTest::columnWidths_data() {
    QTest::addColumn<int>("gridWidth");
    QTest::addColumn<int>("nameColumn");
    QTest::newRow("1000: at most 300, not 360") << 1000 << 300;
    QTest::newRow("940: exactly 300") << 940 << 300;
    QTest::newRow("800") << 800 << 160;
    QTest::newRow("741") << 741 << 101;
    QTest::newRow("740: the minimum") << 740 << kMinNameColumnWidth;
    QTest::newRow("640: the minimum, not 0") << 640 << kMinNameColumnWidth;
    QTest::newRow("300: the minimum, not negative") << 300 << kMinNameColumnWidth;
    QTest::newRow("0") << 0 << kMinNameColumnWidth;
    QTest::newRow("INT_MIN") << INT_MIN << kMinNameColumnWidth;
}

void RamTableTest::columnWidths() {
    QFETCH(int, gridWidth);
    QFETCH(int, nameColumn);
    const std::array<int, 7> expected = {60, nameColumn, 100, 100, 150, 100, 100};
    QCOMPARE(measurementColumnWidths(gridWidth), expected);
}

void RamTableTest::newAnswerChecksum_data() {
    QTest::addColumn<quint16>("word");
    QTest::addColumn<int>("checksumByte");
    QTest::addColumn<int>("computed");
    QTest::addColumn<bool>("matches");
    // 160 × 255 = 40800 = 159 × 256 + 96.
    QTest::newRow("all 0xFF, checksum 96") << quint16(0xFFFF) << 96 << 96 << true;
    QTest::newRow("all 0xFF, checksum 97") << quint16(0xFFFF) << 97 << 96 << false;
    QTest::newRow("all 0, checksum 0") << quint16(0) << 0 << 0 << true;
    QTest::newRow("all 0, checksum 255") << quint16(0) << 255 << 0 << false;
    // 80 × (0x12 + 0x34) = 5600 = 21 × 256 + 224.
    QTest::newRow("all 0x1234, checksum 224") << quint16(0x1234) << 224 << 224 << true;
}

void RamTableTest::newAnswerChecksum() {
    QFETCH(quint16, word);
    QFETCH(int, checksumByte);
    QFETCH(int, computed);
    QFETCH(bool, matches);
    const auto rx = newAnswer(filled(word), checksumByte);
    TRam_Data ram = ram_;
    std::vector<GridRow> rows;
    const BlockChecksum check = parseNewRamAnswer(rx.data(), ram, rows);
    QCOMPARE(int(check.computed), computed);
    QCOMPARE(int(check.received), checksumByte);
    QCOMPARE(check.matches(), matches);
    // The words are taken whatever the checksum says.
    QCOMPARE(rows.size(), std::size_t(kNewRamWords));
    QCOMPARE(ram.val_int[40], word);
}

void RamTableTest::newAnswerWords_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<quint16>("word");
    QTest::addColumn<qint16>("signedWord");
    QTest::addColumn<float>("normalised");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("0xFFFF in uac_soll_start")
        << 0 << quint16(0xFFFF) << qint16(-1) << float(65535.0 * 12800.0 / 32767.0)
        << QStringList{"0x0030", "[0]  uac_soll_start",   "65535",
                       "0xFFFF", "0x" + QString(16, '1'), "25600,39",
                       "-1"};
    QTest::newRow("0x8000 in uz_ad_pt1")
        << 8 << quint16(0x8000) << qint16(-32768) << float(32768.0 * 12800.0 / 32767.0)
        << QStringList{"0x0040",   "[8]  uz_ad_pt1", "32768", "0x8000", "0x1" + QString(15, '0'),
                       "12800,39", "-32768"};
    QTest::newRow("341 in uac_ad_pt1")
        << 9 << quint16(341) << qint16(341) << float(341.0 * double(12926.95f) / 32767.0)
        << QStringList{"0x0042", "[9]  uac_ad_pt1", "341", "0x0155", "0x0000000101010101", "134,53",
                       "341"};
    QTest::newRow("0x7FFF in iz_ad_pt1") << 12 << quint16(0x7FFF) << qint16(32767) << 59.26f
                                         << QStringList{"0x0048", "[12]  iz_ad_pt1",        "32767",
                                                        "0x7FFF", "0x0" + QString(15, '1'), "59,26",
                                                        "32767"};
    QTest::newRow("empty name 34")
        << 34 << quint16(0x00AB) << qint16(0xAB) << 0.0f
        << QStringList{"0x0074", "[34]  ", "171", "0x00AB", "0x0000000010101011", "0,00", "171"};
    QTest::newRow("last word 79") << 79 << quint16(0x0102) << qint16(0x0102) << 0.0f
                                  << QStringList{"0x00CE", "[79]  df_we2 / df_we3", "258",
                                                 "0x0102", "0x0000000100000010",    "0,00",
                                                 "258"};
}

void RamTableTest::newAnswerWords() {
    QFETCH(int, index);
    QFETCH(quint16, word);
    QFETCH(qint16, signedWord);
    QFETCH(float, normalised);
    QFETCH(QStringList, cells);
    auto words = filled(0);
    words[index] = word;
    const auto rx = newAnswer(words);
    TRam_Data ram = ram_;
    std::vector<GridRow> rows;
    parseNewRamAnswer(rx.data(), ram, rows);

    QCOMPARE(ram.nr[index], index);
    QCOMPARE(ram.adr[index], cells[0]);
    QCOMPARE(ram.val_int[index], word);
    QCOMPARE(ram.val_sint[index], signedWord);
    QCOMPARE(ram.val_n[index], normalised);
    // The new-hardware read leaves the text and byte columns of the table alone.
    QVERIFY(ram.val_hex[index].isEmpty());
    QVERIFY(ram.val_bin[index].isEmpty());
    QCOMPARE(ram.val_high[index], quint16(0));
    const auto& row = rows[std::size_t(index)].cells;
    QCOMPARE(QStringList(row.begin(), row.end()), cells);
}

void RamTableTest::newAnswerLeavesEntry80() {
    TRam_Data ram = ram_;
    std::vector<GridRow> rows;
    parseNewRamAnswer(newAnswer(filled(0xFFFF)).data(), ram, rows);
    QCOMPARE(ram.nr[80], 0);
    QVERIFY(ram.adr[80].isEmpty());
    QCOMPARE(ram.val_int[80], quint16(0));
    QCOMPARE(ram.adr[0], QString("0x0030"));
    QCOMPARE(ram.adr[79], QString("0x00CE"));
    QCOMPARE(rows.back().cells[0], QString("0x00CE"));
}

void RamTableTest::oldAnswer() {
    // The 31 items as the link stores them: command echo, address echo, low, high.
    const quint8 addresses[kOldRamWords] = {0x40, 0x42, 0x44, 0x46, 0x48, 0x4A, 0x4C, 0x4E,
                                            0x50, 0x52, 0x54, 0x56, 0x58, 0x5A, 0x5C, 0x5E,
                                            0x60, 0x62, 0x64, 0x66, 0x70, 0x72, 0xA0, 0xA2,
                                            0xA4, 0xA6, 0x2C, 0x2E, 0x30, 0x32, 0x08};
    std::array<quint8, kOldRamAnswerLength> rx{};
    for (int i = 0; i < kOldRamWords; ++i) {
        rx[4 * i] = 0x01;
        rx[4 * i + 1] = addresses[i];
        rx[4 * i + 2] = quint8(i);            // low byte
        rx[4 * i + 3] = quint8(0xF0 + i / 4); // high byte
    }
    rx[4 * 30 + 2] = 0x34;
    rx[4 * 30 + 3] = 0x12;

    TRam_Data old = ramOld_;
    std::vector<GridRow> rows;
    parseOldRamAnswer(rx.data(), old, rows);
    QCOMPARE(rows.size(), std::size_t(kOldRamWords));

    const auto& last = rows[30].cells;
    QCOMPARE(QStringList(last.begin(), last.end()),
             QStringList({"0x0008", "Port_E / Port_D ", "4660", "0x1234", "0x0001001000110100",
                          "18", "52"}));
    QCOMPARE(old.adr[30], QString("0x0008"));
    QCOMPARE(old.val_hex[30], QString("0x1234"));
    QCOMPARE(old.val_bin[30], QString("0x0001001000110100"));
    QCOMPARE(old.val_high[30], quint16(0x12));
    QCOMPARE(old.val_low[30], quint16(0x34));

    // Item 20 (0x70): 0xF5 high, 20 low; a negative word signed.
    const auto& row20 = rows[20].cells;
    QCOMPARE(QStringList(row20.begin(), row20.end()),
             QStringList({"0x0070", "error_bits / en_bits", "62740", "0xF514", "0x1111010100010100",
                          "245", "20"}));
    QCOMPARE(old.nr[20], 20);
    QCOMPARE(old.val_int[20], quint16(0xF514));
    QCOMPARE(old.val_sint[20], qint16(-2796));
    // Old hardware has no normalised value.
    QCOMPARE(old.val_n[20], 0.0f);
    QCOMPARE(rows[26].cells[0], QString("0x002C"));
    QCOMPARE(rows[0].cells[1], QString("temp1_ad"));
}

QTEST_GUILESS_MAIN(RamTableTest)
#include "tst_ram_table.moc"
