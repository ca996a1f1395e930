// The editing rules of the parameter page: a night profile's order across midnight and
// which picker turns red, and the takt step of a period's up-down with its saving.
#include "base/formats.h"
#include "live/ram_table.h"
#include "parameters/profile_check.h"

#include <QTest>

class ProfileCheckTest : public QObject {
    Q_OBJECT
private slots:
    void order_data();
    void order();
    void taktSteps_data();
    void taktSteps();
};

void ProfileCheckTest::order_data() {
    QTest::addColumn<QStringList>("times");
    QTest::addColumn<int>("sender"); // -1: none
    QTest::addColumn<bool>("inOrder");
    QTest::addColumn<QList<bool>>("red");
    const QList<bool> none{false, false, false, false};
    QTest::newRow("night across midnight")
        << QStringList{"22:00", "00:00", "05:00", "06:00"} << -1 << true << none;
    QTest::newRow("equal times") << QStringList{"22:00", "22:00", "05:00", "05:00"} << -1 << true
                                 << none;
    QTest::newRow("second before first, no sender")
        << QStringList{"20:00", "19:00", "05:00", "06:00"} << -1 << false
        << QList<bool>{false, true, false, false};
    QTest::newRow("sender first of the pair")
        << QStringList{"22:00", "04:00", "03:00", "06:00"} << 1 << false
        << QList<bool>{false, true, false, false};
    QTest::newRow("sender second of the pair")
        << QStringList{"22:00", "04:00", "03:00", "06:00"} << 2 << false
        << QList<bool>{false, false, true, false};
    QTest::newRow("12:00 sorts first, 11:00 last")
        << QStringList{"11:00", "13:00", "14:00", "15:00"} << -1 << false
        << QList<bool>{false, true, false, false};
    QTest::newRow("12:00 to 11:59")
        << QStringList{"12:00", "18:00", "00:00", "11:59"} << -1 << true << none;
    QTest::newRow("two pairs out of order") << QStringList{"23:00", "22:00", "06:00", "05:00"} << -1
                                            << false << QList<bool>{false, true, false, true};
}

void ProfileCheckTest::order() {
    QFETCH(QStringList, times);
    QFETCH(int, sender);
    QFETCH(bool, inOrder);
    QFETCH(QList<bool>, red);
    std::array<QTime, 4> t;
    for (int i = 0; i < 4; ++i)
        t[std::size_t(i)] = QTime::fromString(times[i], "HH:mm");
    const ProfileCheck check =
        checkProfile(t, sender < 0 ? std::nullopt : std::optional<int>(sender));
    QCOMPARE(check.inOrder, inOrder);
    QCOMPARE(QList<bool>(check.red.begin(), check.red.end()), red);
}

void ProfileCheckTest::taktSteps_data() {
    QTest::addColumn<int>("takt");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("stepped");
    QTest::addColumn<QString>("saving");
    QTest::newRow("100 up stays") << 100 << true << 100 << "67";
    QTest::newRow("200 down stays") << 200 << false << 200 << "0";
    QTest::newRow("172 up") << 172 << true << 170 << "32";
    QTest::newRow("172 down") << 172 << false << 174 << "29";
    // An odd takt from a file steps beyond the ends of the table: the saving comes from
    // the nearest entry.
    QTest::newRow("101 up to 99") << 101 << true << 99 << "89";
    QTest::newRow("199 down to 201") << 199 << false << 201 << "0";
}

void ProfileCheckTest::taktSteps() {
    QFETCH(int, takt);
    QFETCH(bool, up);
    QFETCH(int, stepped);
    QFETCH(QString, saving);
    QCOMPARE(stepTakt(takt, up), stepped);
    QCOMPARE(formatFixed(energy_saving_table[stepped], 0), saving);
}

QTEST_GUILESS_MAIN(ProfileCheckTest)
#include "tst_profile_check.moc"
