// The trend's core: the ring keeps the newest samples in order up to its capacity, the CSV
// form opens in spreadsheets and pandas without settings, the view's thinning keeps the
// peaks, the value axes tick at round numbers whatever the zoom, and the recorder ends on a
// failed write keeping what reached the file.
#include "trend/trend_axis_ticks.h"
#include "trend/trend_csv.h"
#include "trend/trend_points.h"
#include "trend/trend_recorder.h"
#include "trend/trend_ring.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <csignal>
#include <sys/resource.h>

Q_DECLARE_METATYPE(std::optional<bool>)

namespace {

const QDateTime kStart = QDateTime(QDate(2024, 11, 5), QTime(22, 13, 5, 120), Qt::UTC);

// Sample n of a fixed series: one a fifth of a second, values that change with n.
TrendSample sampleAt(int n) {
    TrendSample s;
    s.time = kStart.addMSecs(200 * n);
    s.dcLinkVolts = 325.25 + n;
    s.mainsVolts = 230;
    s.actualHz = 49.5;
    s.nominalHz = 50;
    s.heatSink1Celsius = 41.7;
    s.savingPercent = 33.333;
    s.controllerClock = QDateTime(QDate(2024, 11, 5), QTime(21, 13, 0));
    return s;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TrendTest : public QObject {
    Q_OBJECT
private slots:
    void ringKeepsTheNewestInOrder_data();
    void ringKeepsTheNewestInOrder();
    void defaultCapacityHoldsAnHour();
    void csvHeader_data();
    void csvHeader();
    void csvRows();
    void thinningKeepsThePeaks();
    void ticksAreRound_data();
    void ticksAreRound();
    void timesAreRound_data();
    void timesAreRound();
    void recorderWritesTheFile();
    void recorderRefusesAFullDisk();
    void recorderStopsOnAFailedWriteKeepingTheRows();
};

void TrendTest::ringKeepsTheNewestInOrder_data() {
    QTest::addColumn<int>("appended");
    QTest::newRow("below capacity") << 3;
    QTest::newRow("at capacity") << 5;
    QTest::newRow("wrapped once and a bit") << 7;
    QTest::newRow("wrapped many times") << 23;
}

void TrendTest::ringKeepsTheNewestInOrder() {
    QFETCH(int, appended);
    TrendRing ring(5);
    for (int n = 0; n < appended; ++n)
        ring.append(sampleAt(n));
    QCOMPARE(ring.size(), std::min(appended, 5));
    QCOMPARE(ring.appended(), quint64(appended));
    const int oldest = std::max(0, appended - 5);
    for (qsizetype i = 0; i < ring.size(); ++i)
        QCOMPARE(ring.at(i).time, sampleAt(oldest + int(i)).time);
    QCOMPARE(ring.newest().dcLinkVolts, sampleAt(appended - 1).dcLinkVolts);
    ring.clear();
    QVERIFY(ring.isEmpty());
    QCOMPARE(ring.appended(), quint64(0));
}

void TrendTest::defaultCapacityHoldsAnHour() {
    // At the live cycle of about 0.2 s, one hour is 18,000 samples.
    TrendRing ring;
    QVERIFY(ring.capacity() * 200 >= 3600 * 1000);
    for (int n = 0; n < ring.capacity() + 10; ++n)
        ring.append(sampleAt(n));
    QCOMPARE(ring.size(), ring.capacity());
    QCOMPARE(ring.at(0).time, sampleAt(10).time);
}

void TrendTest::csvHeader_data() {
    QTest::addColumn<std::optional<bool>>("hwOld");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("firstCell");
    QTest::newRow("new") << std::optional<bool>(false) << "TRV5200-3x400V"
                         << "Time UTC (new hardware / product code TRV5200-3x400V)";
    QTest::newRow("old") << std::optional<bool>(true) << "  TRV 27.9 "
                         << "Time UTC (old hardware / product code TRV 27.9)";
    QTest::newRow("not identified") << std::optional<bool>() << ""
                                    << "Time UTC (controller not identified)";
    // A comma in the code is quoted, so the columns stay in place.
    QTest::newRow("comma") << std::optional<bool>(false) << "A,\"B\""
                           << "\"Time UTC (new hardware / product code A,\"\"B\"\")\"";
}

void TrendTest::csvHeader() {
    QFETCH(std::optional<bool>, hwOld);
    QFETCH(QString, code);
    QFETCH(QString, firstCell);
    const QString header = trendCsvHeader({hwOld, code});
    QVERIFY(header.endsWith("\r\n"));
    QCOMPARE(header.count("\r\n"), 1);
    QVERIFY2(header.startsWith(firstCell + ','), qPrintable(header));
    QVERIFY(header.endsWith(",DC link (V),Mains (V),Frequency actual (Hz),Frequency nominal (Hz),"
                            "Heat sink 1 (°C),Heat sink 2 (°C),Saving (%),Controller clock\r\n"));
}

void TrendTest::csvRows() {
    TrendSample s = sampleAt(0);
    QCOMPARE(trendCsvRow(s), QString("2024-11-05T22:13:05.120Z,325.25,230.00,49.50,50.00,41.70,,"
                                     "33.33,2024-11-05T21:13:00\r\n"));
    // Heat sink 2 when the controller has it; a clock without a date is an empty cell; a
    // time in another zone is written in UTC.
    s.heatSink2Celsius = -5.05;
    s.controllerClock = {};
    s.time = QDateTime(QDate(2024, 7, 1), QTime(0, 30), QTimeZone(7200));
    QCOMPARE(trendCsvRow(s), QString("2024-06-30T22:30:00.000Z,325.25,230.00,49.50,50.00,41.70,"
                                     "-5.05,33.33,\r\n"));
    // As many cells as the header has.
    QCOMPARE(trendCsvRow(s).count(','), trendCsvHeader({}).count(','));
}

void TrendTest::thinningKeepsThePeaks() {
    TrendRing ring(1000);
    for (int n = 0; n < 1000; ++n) {
        TrendSample s = sampleAt(n);
        s.mainsVolts = n == 617 ? 150 : n == 300 ? 260 : 230; // a dip and a surge
        s.heatSink2Celsius = n % 2 ? std::optional<double>(20) : std::nullopt;
        ring.append(s);
    }
    const qint64 all = std::numeric_limits<qint64>::max();
    const QList<QPointF> mains =
        trendPoints(ring, TrendSeries::Mains, std::numeric_limits<qint64>::min(), all, 100);
    QVERIFY(mains.size() <= 100);
    double low = 1e9, high = -1e9;
    for (qsizetype i = 0; i < mains.size(); ++i) {
        low = std::min(low, mains[i].y());
        high = std::max(high, mains[i].y());
        if (i > 0)
            QVERIFY(mains[i].x() > mains[i - 1].x()); // in time order
    }
    QCOMPARE(low, 150.0);
    QCOMPARE(high, 260.0);
    // A range: only its samples, all of them when few; missing values left out.
    const qint64 from = sampleAt(10).time.toMSecsSinceEpoch();
    const qint64 to = sampleAt(19).time.toMSecsSinceEpoch();
    QCOMPARE(trendPoints(ring, TrendSeries::DcLink, from, to, 100).size(), 10);
    QCOMPARE(trendPoints(ring, TrendSeries::HeatSink2, from, to, 100).size(), 5);
    QCOMPARE(trendPoints(ring, TrendSeries::DcLink, from, to, 100).first().x(), qreal(from));
}

void TrendTest::ticksAreRound_data() {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<QList<double>>("ticks");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("niceLow");
    QTest::addColumn<double>("niceHigh");
    // The rubber band's own edges, as a zoom of the voltages left them.
    QTest::newRow("zoomed volts") << 289.8 << 326.6 << QList<double>{290, 300, 310, 320} << 0
                                  << 280.0 << 330.0;
    QTest::newRow("mains around 230")
        << 224.3 << 237.9 << QList<double>{225, 230, 235} << 0 << 220.0 << 240.0;
    QTest::newRow("frequency steady at 50")
        << 49.0 << 51.0 << QList<double>{49, 49.5, 50, 50.5, 51} << 1 << 49.0 << 51.0;
    QTest::newRow("deep zoom") << 49.913 << 50.087 << QList<double>{49.95, 50, 50.05} << 2 << 49.9
                               << 50.1;
    QTest::newRow("frost on the heat sinks")
        << -17.4 << 12.2 << QList<double>{-10, 0, 10} << 0 << -20.0 << 20.0;
    QTest::newRow("saving 0 to 89 %")
        << -1.0 << 90.0 << QList<double>{0, 20, 40, 60, 80} << 0 << -20.0 << 100.0;
    QTest::newRow("empty range") << 50.0 << 50.0 << QList<double>{50} << 0 << 50.0 << 51.0;
}

void TrendTest::ticksAreRound() {
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(QList<double>, ticks);
    QFETCH(int, decimals);
    QFETCH(double, niceLow);
    QFETCH(double, niceHigh);
    const TrendTicks t = trendTicks(low, high);
    // The axis draws anchor, anchor + interval, … up to its high end.
    QList<double> drawn;
    for (double v = t.anchor; v <= high + t.interval * 1e-6 && drawn.size() < 100; v += t.interval)
        drawn.append(v);
    QCOMPARE(drawn.size(), ticks.size());
    for (qsizetype i = 0; i < ticks.size(); ++i) {
        QVERIFY2(qAbs(drawn[i] - ticks[i]) < 1e-9, qPrintable(QString::number(drawn[i])));
        // What the label shows is the round number itself.
        QCOMPARE(QString::number(drawn[i], 'f', t.decimals),
                 QString::number(ticks[i], 'f', decimals));
    }
    QCOMPARE(t.decimals, decimals);
    const auto [from, to] = trendNiceRange(low, high);
    QVERIFY2(qAbs(from - niceLow) < 1e-9 && qAbs(to - niceHigh) < 1e-9,
             qPrintable(QStringLiteral("%1 … %2").arg(from).arg(to)));
}

void TrendTest::timesAreRound_data() {
    QTest::addColumn<QTime>("from");
    QTest::addColumn<QTime>("to");
    QTest::addColumn<int>("offsetMinutes");
    QTest::addColumn<QTime>("niceFrom");
    QTest::addColumn<QTime>("niceTo");
    QTest::addColumn<int>("ticks");
    QTest::newRow("a quarter minute") << QTime(17, 49, 33, 200) << QTime(17, 49, 47, 900) << 0
                                      << QTime(17, 49, 30) << QTime(17, 49, 50) << 5;
    QTest::newRow("two hours") << QTime(16, 0, 10) << QTime(18, 0, 5) << 0 << QTime(16, 0)
                               << QTime(18, 30) << 6;
    // UTC times; the ticks are round on a clock 5 h 45 min ahead.
    QTest::newRow("zone of 45 minutes")
        << QTime(10, 7) << QTime(10, 52) << 345 << QTime(10, 5) << QTime(10, 55) << 6;
    QTest::newRow("one sample") << QTime(9, 0, 0, 500) << QTime(9, 0, 0, 500) << 60 << QTime(9, 0)
                                << QTime(9, 0, 1) << 2;
}

void TrendTest::timesAreRound() {
    QFETCH(QTime, from);
    QFETCH(QTime, to);
    QFETCH(int, offsetMinutes);
    QFETCH(QTime, niceFrom);
    QFETCH(QTime, niceTo);
    QFETCH(int, ticks);
    const QDate day(2024, 11, 5);
    const auto ms = [&](QTime t) { return QDateTime(day, t, Qt::UTC).toMSecsSinceEpoch(); };
    const TrendTimeRange range =
        trendTimeRange(ms(from), ms(to), qint64(offsetMinutes) * 60 * 1000, 6);
    QCOMPARE(QDateTime::fromMSecsSinceEpoch(range.fromMs, Qt::UTC).time(), niceFrom);
    QCOMPARE(QDateTime::fromMSecsSinceEpoch(range.toMs, Qt::UTC).time(), niceTo);
    QCOMPARE(range.tickCount, ticks);
}

void TrendTest::recorderWritesTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("trend.csv");
    TrendRecorder recorder;
    QString error;
    const QString header = trendCsvHeader({false, "TRV5200-230"});
    QVERIFY2(recorder.start(path, header, &error), qPrintable(error));
    QVERIFY(recorder.recording());
    for (int n = 0; n < 3; ++n)
        QVERIFY(recorder.append(sampleAt(n)));
    QCOMPARE(recorder.rows(), quint64(3));
    QVERIFY(recorder.stop());
    QVERIFY(!recorder.recording());
    QVERIFY(recorder.errorText().isEmpty());

    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"
                             "Time UTC (new hardware / product code TRV5200-230),"));
    QVERIFY(bytes.contains("Heat sink 1 (\xC2\xB0"
                           "C)")); // the degree sign in UTF-8
    QByteArray expected = QByteArray(kTrendCsvBom) + header.toUtf8();
    for (int n = 0; n < 3; ++n)
        expected += trendCsvRow(sampleAt(n)).toUtf8();
    QCOMPARE(bytes, expected);
    QCOMPARE(bytes.count("\r\n"), 4);
    QCOMPARE(bytes.count('\n'), 4);         // no bare line feeds
    QVERIFY(!recorder.append(sampleAt(4))); // stopped: nothing more
}

void TrendTest::recorderRefusesAFullDisk() {
    if (!QFile::exists("/dev/full"))
        QSKIP("no /dev/full here");
    TrendRecorder recorder;
    QString error;
    QVERIFY(!recorder.start("/dev/full", trendCsvHeader({}), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(recorder.errorText(), error);
    QVERIFY(recorder.refusedAtStart());
    QVERIFY(!recorder.recording());
    QVERIFY(!recorder.append(sampleAt(0)));
}

void TrendTest::recorderStopsOnAFailedWriteKeepingTheRows() {
    // The file may grow to a limit only, as on a disk that fills up: the write that
    // crosses it fails (EFBIG instead of the signal).
    QTemporaryDir dir;
    const QString path = dir.filePath("trend.csv");
    const QString header = trendCsvHeader({false, "TRV5200-230"});
    const qsizetype rowBytes = trendCsvRow(sampleAt(0)).toUtf8().size();
    const rlim_t limit = rlim_t(3 + header.toUtf8().size() + 10 * rowBytes + 5);
    rlimit before{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &before) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before;
    limited.rlim_cur = limit;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);

    TrendRecorder recorder;
    QString error;
    const bool started = recorder.start(path, header, &error);
    int n = 0;
    bool failed = false;
    // Enough rows for several flushes.
    while (started && n < 5000 && !failed)
        failed = !recorder.append(sampleAt(n++));
    const bool stoppedCleanly = recorder.stop();

    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY2(started, qPrintable(error));
    QVERIFY(failed);
    QVERIFY(!stoppedCleanly);
    QVERIFY(!recorder.recording());
    QVERIFY(!recorder.refusedAtStart());
    QVERIFY(!recorder.errorText().isEmpty());
    // What reached the file stays: the header and the first rows, up to the limit.
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), qsizetype(limit));
    QVERIFY(bytes.startsWith(QByteArray(kTrendCsvBom) + header.toUtf8() +
                             trendCsvRow(sampleAt(0)).toUtf8()));
    QVERIFY(bytes.contains(trendCsvRow(sampleAt(9)).toUtf8()));
}

QTEST_GUILESS_MAIN(TrendTest)
#include "tst_trend.moc"
