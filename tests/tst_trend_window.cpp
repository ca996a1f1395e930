// The trend window against the simulator over a pseudo-terminal: after connecting, every
// live display run's values go into the trend and onto its lines; one plot a unit over a
// shared time axis, a zoom in one showing the same time in all, ticks at round numbers
// with the window's decimal comma; pause freezes the lines while the trend fills; a
// recording gives a CSV file with the controller in its header and a row a run, and a
// close while it runs ends it and names the file; a line can be hidden; the captions
// follow the language.
#include "text/trend_texts.h"
#include "trend/trend_window.h"
#include "window_fixture.h"

#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QDateTimeAxis>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QValueAxis>
#include <QWheelEvent>

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
    void plotsByUnitZoomTogether();
    void axisLabelsHaveTheDecimalComma();
    void recordingGivesARowPerRun_data();
    void recordingGivesARowPerRun();
    void recordingRefusedForAFolderThatIsNot();
    void closingWhileRecordingNamesTheFile();
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
    // The texts a plot shows on its axes, as drawn.
    static QStringList drawnTexts(const TTrendView* view) {
        QStringList texts;
        for (QGraphicsItem* item : view->scene()->items())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
                texts.append(text->toPlainText());
        return texts;
    }
    // 1, 2 or 5 times a power of ten.
    static bool isRoundStep(double step) {
        const double fraction = step / std::pow(10.0, std::floor(std::log10(step)));
        return qFuzzyCompare(fraction, 1.0) || qFuzzyCompare(fraction, 2.0) ||
               qFuzzyCompare(fraction, 5.0);
    }
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
    const QValueAxis* volts = trend->valueAxis(TrendPlot::Volts);
    QVERIFY(volts->min() <= last.y() && last.y() <= volts->max());
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
    trend->view(TrendPlot::Volts)->chart()->zoom(2.0);
    QVERIFY(trend->zoomed());
    QTRY_VERIFY_WITH_TIMEOUT(line(TrendSeries::DcLink)->count() < int(w_->trend_ring.size()),
                             kWait);
    trend->resetZoom();
    QVERIFY(!trend->zoomed());
    QCOMPARE(line(TrendSeries::DcLink)->count(), int(w_->trend_ring.size()));
}

void TrendWindowTest::plotsByUnitZoomTogether() {
    connectAndRead(Generation::New, 10);
    w_->openTrend();
    TTrendWindow* trend = w_->trendWindow;
    trend->refresh();
    // One plot a unit, each line in the plot of its unit.
    const QStringList titles = {QStringLiteral("Voltage (V)"), QStringLiteral("Frequency (Hz)"),
                                QStringLiteral("Temperature (°C)"), QStringLiteral("Saving (%)")};
    for (int p = 0; p < kTrendPlotCount; ++p)
        QCOMPARE(trend->valueAxes[size_t(p)]->titleText(), titles[p]);
    for (int i = 0; i < kTrendSeriesCount; ++i) {
        const size_t p = size_t(trendPlotOf(TrendSeries(i)));
        QVERIFY(trend->views[p]->chart()->series().contains(line(TrendSeries(i))));
        QVERIFY(line(TrendSeries(i))->attachedAxes().contains(trend->valueAxes[p]));
    }
    // The actual frequency is painted after the nominal one, thinner: equal, it stays seen.
    const QList<QAbstractSeries*> frequencies =
        trend->view(TrendPlot::Frequency)->chart()->series();
    QVERIFY(frequencies.indexOf(line(TrendSeries::NominalHz)) <
            frequencies.indexOf(line(TrendSeries::ActualHz)));
    QVERIFY(line(TrendSeries::ActualHz)->pen().widthF() <
            line(TrendSeries::NominalHz)->pen().widthF());

    // A rubber band over the middle samples of the temperatures, not quite their full
    // height: every plot shows its time.
    QChart* temperatures = trend->view(TrendPlot::Temperature)->chart();
    QLineSeries* heatSink = line(TrendSeries::HeatSink1);
    QVERIFY(heatSink->count() >= 10);
    const QRectF area = temperatures->plotArea();
    const qreal left = temperatures->mapToPosition(heatSink->at(2), heatSink).x();
    const qreal right =
        temperatures->mapToPosition(heatSink->at(heatSink->count() - 3), heatSink).x();
    temperatures->zoomIn(QRectF(QPointF(left, area.top() + area.height() * 0.2),
                                QPointF(right, area.bottom() - area.height() * 0.3)));
    QVERIFY(trend->zoomed());
    const QDateTimeAxis* zoomedTime = trend->timeAxes[size_t(TrendPlot::Temperature)];
    for (const QDateTimeAxis* time : trend->timeAxes) {
        QCOMPARE(time->min(), zoomedTime->min());
        QCOMPARE(time->max(), zoomedTime->max());
    }
    QTRY_VERIFY_WITH_TIMEOUT(line(TrendSeries::DcLink)->count() < int(w_->trend_ring.size()),
                             kWait);
    const double firstShown = line(TrendSeries::Saving)->points().constFirst().x();
    QVERIFY(firstShown >= double(zoomedTime->min().toMSecsSinceEpoch()));
    // Whatever range the band left, the ticks are round numbers.
    for (const QValueAxis* axis : trend->valueAxes) {
        QCOMPARE(axis->tickType(), QValueAxis::TicksDynamic);
        QVERIFY2(isRoundStep(axis->tickInterval()),
                 qPrintable(QString::number(axis->tickInterval())));
        const double n = axis->tickAnchor() / axis->tickInterval();
        QVERIFY(qAbs(n - std::round(n)) < 1e-6);
        QVERIFY(axis->tickAnchor() >= axis->min() - 1e-9);
        QVERIFY(axis->tickAnchor() < axis->min() + axis->tickInterval());
    }
    // The other plots' values fit their lines in the time shown.
    const QValueAxis* volts = trend->valueAxis(TrendPlot::Volts);
    for (const QPointF& point : line(TrendSeries::DcLink)->points())
        QVERIFY(volts->min() <= point.y() && point.y() <= volts->max());

    trend->resetZoom();
    QVERIFY(!trend->zoomed());
    QCOMPARE(line(TrendSeries::Saving)->count(), int(w_->trend_ring.size()));

    // The wheel over the frequencies narrows the time of every plot about the pointer.
    const QDateTimeAxis* bottomTime = trend->timeAxes[size_t(TrendPlot::Saving)];
    const qint64 span = bottomTime->min().msecsTo(bottomTime->max());
    TTrendView* frequency = trend->view(TrendPlot::Frequency);
    const QPoint middle = frequency->mapFromScene(
        frequency->chart()->mapToScene(frequency->chart()->plotArea().center()));
    QWheelEvent wheel(middle, frequency->viewport()->mapToGlobal(middle), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(frequency->viewport(), &wheel);
    QVERIFY(trend->zoomed());
    QVERIFY(qAbs(bottomTime->min().msecsTo(bottomTime->max()) - span * 8 / 10) < span / 50);
}

void TrendWindowTest::axisLabelsHaveTheDecimalComma() {
    connectAndRead(Generation::New, 1);
    w_->german1Click();
    w_->openTrend();
    TTrendWindow* trend = w_->trendWindow;
    TTrendView* frequency = trend->view(TrendPlot::Frequency);
    QCOMPARE(trend->valueAxis(TrendPlot::Frequency)->titleText(), QStringLiteral("Frequenz (Hz)"));
    // Zoomed into the frequency, the ticks have a decimal: drawn with a comma, as the
    // window's fields show numbers, in any language.
    trend->valueAxis(TrendPlot::Frequency)->setRange(49.63, 50.41);
    QCOMPARE(trend->valueAxis(TrendPlot::Frequency)->labelFormat(), QStringLiteral("%.1f"));
    QTRY_VERIFY_WITH_TIMEOUT(drawnTexts(frequency).contains(QStringLiteral("49,8")), kWait);
    for (const QString& text : drawnTexts(frequency))
        QVERIFY2(!text.contains(QLatin1Char('.')), qPrintable(text));
    w_->english1Click();
    trend->valueAxis(TrendPlot::Frequency)->setRange(49.51, 50.29);
    QTRY_VERIFY_WITH_TIMEOUT(drawnTexts(frequency).contains(QStringLiteral("50,2")), kWait);
    // The times below the bottom plot are the clock's.
    const QStringList times = drawnTexts(trend->view(TrendPlot::Saving));
    QVERIFY(std::any_of(times.begin(), times.end(), [](const QString& t) {
        return QTime::fromString(t, QStringLiteral("HH:mm:ss")).isValid();
    }));
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

void TrendWindowTest::closingWhileRecordingNamesTheFile() {
    connectAndRead(Generation::New, 1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("night.csv"));
    w_->chooseRecordingFile = [&](const QString&) { return path; };
    w_->openTrend();
    w_->trendWindow->recordButton->click();
    QVERIFY(w_->trend_recorder.recording());
    const quint64 before = displayRuns_;
    QTRY_VERIFY_WITH_TIMEOUT(displayRuns_ >= before + 3, kWait);

    QVERIFY(w_->close());
    QVERIFY(!w_->trend_recorder.recording());
    // Every row taken is in the file, the last one whole.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(quint64(bytes.count('\n')), w_->trend_recorder.rows() + 1);
    // Said once, naming the file in full.
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_.first(),
             QStringLiteral("The trend recording has ended with the program. The file is %1 (%2 "
                            "rows).")
                 .arg(QDir::toNativeSeparators(path))
                 .arg(w_->trend_recorder.rows()));
    QVERIFY(w_->close());
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
