// The trend window against the simulator over a pseudo-terminal: after connecting, every
// live display run's values go into the trend and onto its lines; pause freezes the lines
// while the trend fills; a recording gives a CSV file with the controller in its header
// and a row a run; a line can be hidden; the captions follow the language.
#include "text/trend_texts.h"
#include "trend/trend_window.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QValueAxis>

using trvsim::Generation;

Q_DECLARE_METATYPE(Generation)

class TrendWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() { resetShared(); }
    void cleanup() { releaseAll(); }

    void liveReadingFillsTheTrend_data();
    void liveReadingFillsTheTrend();
    void pauseFreezesTheLines();
    void recordingGivesARowPerRun_data();
    void recordingGivesARowPerRun();
    void recordingRefusedForAFolderThatIsNot();
    void linesShowAndHideAndFollowTheLanguage();

private:
    void connectAndRead(Generation generation, int runs = 3) {
        startController(generation);
        createWindow();
        w_->english1Click();
        connectAndIdentify();
        const quint64 before = displayRuns_;
        QTRY_VERIFY_WITH_TIMEOUT(displayRuns_ >= before + quint64(runs), kWait);
    }
    QLineSeries* line(TrendSeries s) const { return w_->trendWindow->series[size_t(s)]; }
};

void TrendWindowTest::liveReadingFillsTheTrend_data() {
    QTest::addColumn<Generation>("generation");
    QTest::newRow("new") << Generation::New;
    QTest::newRow("old") << Generation::Old;
}

void TrendWindowTest::liveReadingFillsTheTrend() {
    QFETCH(Generation, generation);
    connectAndRead(generation);
    // One sample a display run, with the values the display showed.
    QCOMPARE(quint64(w_->trend_ring.size()), displayRuns_);
    const TrendSample& newest = w_->trend_ring.newest();
    QCOMPARE(newest.dcLinkVolts, w_->live_values.dcLinkVolts);
    QCOMPARE(newest.mainsVolts, w_->live_values.mainsVolts);
    QCOMPARE(newest.actualHz, w_->live_values.actualHz);
    QCOMPARE(newest.heatSink2Celsius, w_->live_values.heatSink2Celsius);
    QVERIFY(qAbs(newest.time.msecsTo(QDateTime::currentDateTimeUtc())) < 60000);
    QCOMPARE(newest.time.timeSpec(), Qt::UTC);

    w_->openTrend();
    TTrendWindow* trend = w_->trendWindow;
    QVERIFY(trend && trend->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(line(TrendSeries::DcLink)->count() >= 3, kWait);
    QCOMPARE(line(TrendSeries::Mains)->count(), line(TrendSeries::DcLink)->count());
    // The second heat sink's line has points only where the controller has the sensor.
    QCOMPARE(line(TrendSeries::HeatSink2)->count() > 0, newest.heatSink2Celsius.has_value());
    // The lines run against the clock, on the axis of their unit.
    const QPointF last = line(TrendSeries::DcLink)->points().constLast();
    QVERIFY(last.x() >= qreal(w_->trend_ring.at(0).time.toMSecsSinceEpoch()));
    QVERIFY(trend->voltAxis->min() <= last.y() && last.y() <= trend->voltAxis->max());
}

void TrendWindowTest::pauseFreezesTheLines() {
    connectAndRead(Generation::New);
    w_->openTrend();
    TTrendWindow* trend = w_->trendWindow;
    trend->refresh();
    trend->setPaused(true);
    QCOMPARE(trend->pauseButton->text(), QStringLiteral("Resume"));
    const int frozen = line(TrendSeries::DcLink)->count();
    const qsizetype samples = w_->trend_ring.size();
    QTRY_VERIFY_WITH_TIMEOUT(w_->trend_ring.size() >= samples + 3, kWait); // still filling
    trend->refresh();
    QCOMPARE(line(TrendSeries::DcLink)->count(), frozen);

    trend->setPaused(false);
    QCOMPARE(trend->pauseButton->text(), QStringLiteral("Pause"));
    QVERIFY(line(TrendSeries::DcLink)->count() >= frozen + 3);
    // A zoom stops the following; reset zoom takes it up again.
    trend->view->chart()->zoom(2.0);
    QVERIFY(trend->zoomed());
    QVERIFY(line(TrendSeries::DcLink)->count() < int(w_->trend_ring.size()));
    trend->resetZoom();
    QVERIFY(!trend->zoomed());
    QCOMPARE(line(TrendSeries::DcLink)->count(), int(w_->trend_ring.size()));
}

void TrendWindowTest::recordingGivesARowPerRun_data() {
    QTest::addColumn<Generation>("generation");
    QTest::newRow("new") << Generation::New;
    QTest::newRow("old") << Generation::Old;
}

void TrendWindowTest::recordingGivesARowPerRun() {
    QFETCH(Generation, generation);
    connectAndRead(generation, 1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("night.csv"));
    QString filterAsked;
    w_->chooseRecordingFile = [&](const QString& filter) {
        filterAsked = filter;
        return path;
    };
    w_->openTrend();
    TTrendWindow* trend = w_->trendWindow;
    trend->recordButton->click();
    QCOMPARE(filterAsked, QStringLiteral("CSV files (*.csv)"));
    QVERIFY(w_->trend_recorder.recording());
    QCOMPARE(trend->recordButton->text(), QStringLiteral("Stop recording"));
    const quint64 before = displayRuns_;
    QTRY_VERIFY_WITH_TIMEOUT(displayRuns_ >= before + 3, kWait);
    trend->refresh();
    QVERIFY2(trend->recordingStatus->text().startsWith(QStringLiteral("Recording to night.csv: ")),
             qPrintable(trend->recordingStatus->text()));
    trend->recordButton->click();
    QVERIFY(!w_->trend_recorder.recording());
    QCOMPARE(trend->recordingStatus->text(), QStringLiteral("Not recording"));
    QCOMPARE(trend->recordButton->text(), QStringLiteral("Record…"));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> lines = bytes.mid(3).split('\n');
    QCOMPARE(lines.last(), QByteArray()); // the last line ends too
    const QString code =
        generation == Generation::Old ? w_->HW_Ver_Str.trimmed() : w_->HW_Produktcode;
    QVERIFY(!code.isEmpty());
    const QString caption = QStringLiteral("Time UTC (%1 hardware / product code %2)")
                                .arg(generation == Generation::Old ? "old" : "new", code);
    QVERIFY2(QString::fromUtf8(lines.first()).startsWith(csvCell(caption) + ','),
             lines.first().constData());
    const qsizetype rows = lines.size() - 2;
    QVERIFY(rows >= 3);
    QCOMPARE(quint64(rows), w_->trend_recorder.rows());
    for (qsizetype i = 1; i <= rows; ++i) {
        QVERIFY(lines[i].endsWith('\r'));
        QCOMPARE(lines[i].count(','), lines.first().count(','));
        QVERIFY(QDateTime::fromString(QString::fromLatin1(lines[i].left(24)), Qt::ISODateWithMs)
                    .isValid());
    }
}

void TrendWindowTest::recordingRefusedForAFolderThatIsNot() {
    connectAndRead(Generation::New, 1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gone/night.csv"));
    w_->chooseRecordingFile = [&](const QString&) { return path; };
    w_->openTrend();
    w_->trendWindow->recordButton->click();
    QVERIFY(!w_->trend_recorder.recording());
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_.first().startsWith(QStringLiteral("Cannot record to %1: ").arg(path)),
             qPrintable(messages_.first()));
    QVERIFY(w_->trendWindow->recordingStatus->text().startsWith(
        QStringLiteral("Cannot record to night.csv: ")));
    // Cancelling the dialog starts nothing and says nothing.
    w_->chooseRecordingFile = [](const QString&) { return QString(); };
    w_->trendWindow->recordButton->click();
    QVERIFY(!w_->trend_recorder.recording());
    QCOMPARE(messages_.size(), 1);
}

void TrendWindowTest::linesShowAndHideAndFollowTheLanguage() {
    connectAndRead(Generation::New, 1);
    w_->openTrend();
    TTrendWindow* trend = w_->trendWindow;
    QCheckBox* mains = trend->shown[size_t(TrendSeries::Mains)];
    QCOMPARE(mains->text(), QStringLiteral("Mains (V)"));
    mains->setChecked(false);
    QVERIFY(!line(TrendSeries::Mains)->isVisible());
    QVERIFY(line(TrendSeries::DcLink)->isVisible());
    mains->setChecked(true);
    QVERIFY(line(TrendSeries::Mains)->isVisible());

    w_->german1Click();
    QCOMPARE(mains->text(), QStringLiteral("Netz (V)"));
    QCOMPARE(trend->pauseButton->text(), QStringLiteral("Anhalten"));
    QCOMPARE(trend->recordButton->text(), QStringLiteral("Aufzeichnen…"));
    QCOMPARE(w_->trend1->text(), QStringLiteral("Trend…"));
    w_->Franzsich1Click();
    QCOMPARE(trend->windowTitle(), QStringLiteral("Tendance"));
    QCOMPARE(w_->trend1->text(), QStringLiteral("Tendance…"));
    // The item is the tools menu's last.
    QCOMPARE(w_->tools1->actions().constLast(), w_->trend1);
}

QTEST_MAIN(TrendWindowTest)
#include "tst_trend_window.moc"
