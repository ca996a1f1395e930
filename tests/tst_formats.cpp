// The fixed number and date formats: decimal comma whatever the PC's locale.
#include "base/formats.h"
#include "base/settings.h"

#include <QTest>

class FormatsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void formatting_data();
    void formatting();
    void parsing_data();
    void parsing();
    void clockAndRounding();
    void comList_data();
    void comList();
};

void FormatsTest::initTestCase() {
    // A PC set to English must not change what the program shows or accepts.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    applyFixedFormats();
}

void FormatsTest::formatting_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("one and a half") << 1.5 << 1 << "1,5";
    QTest::newRow("no thousands separator") << 18234.25 << 2 << "18234,25";
    QTest::newRow("no decimals") << 55.0 << 0 << "55";
    QTest::newRow("negative") << -2.25 << 2 << "-2,25";
}

void FormatsTest::formatting() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(formatFixed(value, decimals), text);
    QCOMPARE(QLocale().toString(value, 'f', decimals), text); // the process default too
}

void FormatsTest::parsing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("comma") << "1,5" << true << 1.5;
    QTest::newRow("whole") << " 230 " << true << 230.0;
    QTest::newRow("full stop refused") << "1.5" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void FormatsTest::parsing() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const auto parsed = parseFixed(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

void FormatsTest::clockAndRounding() {
    QCOMPARE(formatClock(QDateTime(QDate(2026, 3, 9), QTime(7, 5, 59))),
             QString("09.03.2026   07:05"));
    QCOMPARE(roundHalfEven(0.5), 0);
    QCOMPARE(roundHalfEven(1.5), 2);
    QCOMPARE(roundHalfEven(222.58), 223);
    QCOMPARE(parseInteger("65535"), std::optional<qint64>(65535));
    QCOMPARE(parseInteger("12,5"), std::nullopt);
}

void FormatsTest::comList_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("index");
    QTest::newRow("COM7") << "COM7" << 6;
    QTest::newRow("COM32") << "COM32" << 31;
    QTest::newRow("COM40 not in the list") << "COM40" << 0;
    QTest::newRow("lower case is another name") << "com3" << 0;
}

void FormatsTest::comList() {
    QFETCH(QString, stored);
    QFETCH(int, index);
    QCOMPARE(comEntries().size(), 32);
    QCOMPARE(comListIndex(comEntries(), stored), index);
}

QTEST_APPLESS_MAIN(FormatsTest)
#include "tst_formats.moc"
