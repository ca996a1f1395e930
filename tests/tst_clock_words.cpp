// The controller's summer-time rule, the zone's daylight bias and the four clock words
// the PC writes, with "now" and the zone fixed by the test.
#include "services/clock_drift.h"
#include "services/clock_words.h"

#include <QTest>

using Words = std::array<quint16, 4>;
Q_DECLARE_METATYPE(Words)

namespace {

// A plain wall-clock value: UTC has no changeover that could move it.
QDateTime at(int y, int mo, int d, int h, int mi, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

} // namespace

class ClockWordsTest : public QObject {
    Q_OBJECT
private slots:
    void summerTimeRule_data();
    void summerTimeRule();
    void daylightBias_data();
    void daylightBias();
    void words_data();
    void words();
    void localTimeOfAZone();
    void drift_data();
    void drift();
    void driftText_data();
    void driftText();
};

void ClockWordsTest::summerTimeRule_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<bool>("summer");
    QTest::newRow("25.03.2012 01:59") << at(2012, 3, 25, 1, 59) << false;
    QTest::newRow("25.03.2012 02:00") << at(2012, 3, 25, 2, 0) << true;
    QTest::newRow("28.10.2012 02:59") << at(2012, 10, 28, 2, 59) << true;
    QTest::newRow("28.10.2012 03:00") << at(2012, 10, 28, 3, 0) << false;
    // Up to 1995 the summer ended in September.
    QTest::newRow("24.09.1995 02:59") << at(1995, 9, 24, 2, 59) << true;
    QTest::newRow("24.09.1995 03:00") << at(1995, 9, 24, 3, 0) << false;
    QTest::newRow("15.10.1995") << at(1995, 10, 15, 12, 0) << false;
    QTest::newRow("27.10.1996 02:59, October from 1996") << at(1996, 10, 27, 2, 59) << true;
    QTest::newRow("1980 never") << at(1980, 7, 1, 12, 0) << false;
    QTest::newRow("1981 July") << at(1981, 7, 1, 12, 0) << true;
    // The last day of the month is itself the Sunday: no day back.
    QTest::newRow("30.03.2013 12:00") << at(2013, 3, 30, 12, 0) << false;
    QTest::newRow("31.03.2013 02:00") << at(2013, 3, 31, 2, 0) << true;
    QTest::newRow("31.10.2010 02:59") << at(2010, 10, 31, 2, 59) << true;
    QTest::newRow("31.10.2010 03:00") << at(2010, 10, 31, 3, 0) << false;
    QTest::newRow("10.12.2026") << at(2026, 12, 10, 13, 0) << false;
}

void ClockWordsTest::summerTimeRule() {
    QFETCH(QDateTime, when);
    QFETCH(bool, summer);
    QCOMPARE(CheckBRDSz(when), summer);
}

void ClockWordsTest::daylightBias_data() {
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<int>("bias");
    QTest::newRow("Berlin in summer")
        << QByteArray("Europe/Berlin") << at(2012, 7, 15, 12, 0) << -60;
    // The zone's bias, not its state of the moment: the rule decides when it applies.
    QTest::newRow("Berlin in winter")
        << QByteArray("Europe/Berlin") << at(2012, 1, 15, 12, 0) << -60;
    QTest::newRow("Lord Howe, half an hour")
        << QByteArray("Australia/Lord_Howe") << at(2012, 7, 15, 12, 0) << -30;
    QTest::newRow("UTC") << QByteArray("UTC") << at(2012, 7, 15, 12, 0) << 0;
    QTest::newRow("Tokyo, no summer time")
        << QByteArray("Asia/Tokyo") << at(2012, 7, 15, 12, 0) << 0;
}

void ClockWordsTest::daylightBias() {
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, when);
    QFETCH(int, bias);
    const QTimeZone tz(zone);
    if (!tz.isValid())
        QSKIP("no time-zone data for this zone on this machine");
    QCOMPARE(daylightBiasMinutes(tz, QDateTime(when.date(), when.time(), tz)), bias);
}

void ClockWordsTest::words_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("bias");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<Words>("words");
    // Sunday 15 July 2012, 14:30:05 local summer time goes out as 13:30:05.
    QTest::newRow("summer, bias -60")
        << at(2012, 7, 15, 14, 30, 5) << -60 << true << Words{0x1E05, 0x010D, 0x070F, 0x000C};
    QTest::newRow("summer, zone without summer time")
        << at(2012, 7, 15, 14, 30, 5) << 0 << true << Words{0x1E05, 0x010E, 0x070F, 0x000C};
    QTest::newRow("winter, bias -60 not applied")
        << at(2012, 1, 15, 14, 30, 5) << -60 << true << Words{0x1E05, 0x010E, 0x010F, 0x000C};
    // Monday 00:30 summer time is Sunday 23:30 standard time: day and weekday go back too.
    QTest::newRow("summer shift over midnight")
        << at(2012, 7, 16, 0, 30, 0) << -60 << true << Words{0x1E00, 0x0117, 0x070F, 0x000C};
    QTest::newRow("first year, Saturday")
        << at(2000, 1, 1, 0, 0, 0) << -60 << true << Words{0x0000, 0x0700, 0x0101, 0x0000};
    QTest::newRow("last year, Monday")
        << at(2255, 12, 31, 23, 59, 59) << -60 << true << Words{0x3B3B, 0x0217, 0x0C1F, 0x00FF};
    QTest::newRow("1999 refused") << at(1999, 12, 31, 23, 59, 59) << -60 << false << Words{};
    QTest::newRow("2256 refused") << at(2256, 1, 1, 0, 0, 0) << -60 << false << Words{};
}

void ClockWordsTest::words() {
    QFETCH(QDateTime, now);
    QFETCH(int, bias);
    QFETCH(bool, sent);
    QFETCH(Words, words);
    const auto result = clockWords(now, bias);
    QCOMPARE(result.has_value(), sent);
    if (sent)
        QCOMPARE(*result, words);
}

// The PC's clock arrives as a local time of its zone: its wall-clock reading is what
// the rule and the words see, whatever the zone's offset from UTC.
void ClockWordsTest::localTimeOfAZone() {
    const QTimeZone berlin("Europe/Berlin");
    if (!berlin.isValid())
        QSKIP("no time-zone data for Europe/Berlin on this machine");
    const QDateTime now(QDate(2012, 7, 15), QTime(14, 30, 5), berlin);
    QVERIFY(CheckBRDSz(now));
    const auto result = clockWords(now, daylightBiasMinutes(berlin, now));
    QVERIFY(result);
    QCOMPARE(*result, (Words{0x1E05, 0x010D, 0x070F, 0x000C}));
}

// The controller clock against the PC in standard time: in summer the PC's hour is put
// back first, so a clock just set from the PC shows no drift; the seconds the PC counts
// beyond the controller's whole second are no drift.
void ClockWordsTest::drift_data() {
    QTest::addColumn<QDateTime>("controller");
    QTest::addColumn<QDateTime>("pc");
    QTest::addColumn<int>("bias");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("winter, ahead")
        << at(2026, 12, 10, 12, 3, 12) << at(2026, 12, 10, 12, 0) << -60 << qint64(192);
    QTest::newRow("summer, just set")
        << at(2026, 7, 1, 13, 0, 5) << at(2026, 7, 1, 14, 0, 5) << -60 << qint64(0);
    QTest::newRow("summer, behind")
        << at(2026, 7, 1, 12, 59, 15) << at(2026, 7, 1, 14, 0, 0) << -60 << qint64(-45);
    QTest::newRow("summer, clock in summer time")
        << at(2026, 7, 1, 14, 0, 0) << at(2026, 7, 1, 14, 0, 0) << -60 << qint64(3600);
    QTest::newRow("zone without summer time")
        << at(2026, 7, 1, 14, 0, 0) << at(2026, 7, 1, 14, 0, 0) << 0 << qint64(0);
    QTest::newRow("pc's milliseconds")
        << at(2026, 12, 10, 12, 0, 5) << at(2026, 12, 10, 12, 0, 5).addMSecs(900) << -60
        << qint64(0);
    QTest::newRow("across new year")
        << at(2027, 1, 1, 0, 0, 30) << at(2026, 12, 31, 23, 59, 0) << -60 << qint64(90);
}

void ClockWordsTest::drift() {
    QFETCH(QDateTime, controller);
    QFETCH(QDateTime, pc);
    QFETCH(int, bias);
    QFETCH(qint64, seconds);
    QCOMPARE(clockDriftSeconds(controller, pc, bias), std::optional<qint64>(seconds));
    QVERIFY(!clockDriftSeconds(QDateTime(), pc, bias)); // no valid controller time
}

void ClockWordsTest::driftText_data() {
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("worthSync");
    QTest::newRow("none") << qint64(0) << "0 s" << false;
    QTest::newRow("behind") << qint64(-45) << "-45 s" << false;
    QTest::newRow("a minute") << qint64(60) << "+1 min 0 s" << false;
    QTest::newRow("just over") << qint64(61) << "+1 min 1 s" << true;
    QTest::newRow("minutes") << qint64(192) << "+3 min 12 s" << true;
    QTest::newRow("an hour behind") << qint64(-3605) << "-1 h 0 min 5 s" << true;
    QTest::newRow("days") << qint64(2 * 86400 + 3 * 3600 + 4 * 60 + 59) << "+2 d 3 h 4 min" << true;
}

void ClockWordsTest::driftText() {
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QFETCH(bool, worthSync);
    QCOMPARE(::driftText(seconds), text);
    QCOMPARE(driftWorthSync(seconds), worthSync);
}

QTEST_APPLESS_MAIN(ClockWordsTest)
#include "tst_clock_words.moc"
