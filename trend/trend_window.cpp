#include "trend/trend_window.h"

#include "base/formats.h"
#include "text/trend_texts.h"
#include "trend/trend_axis_ticks.h"
#include "trend/trend_points.h"
#include "trend/trend_recorder.h"
#include "trend/trend_ring.h"

#include <QChart>
#include <QCheckBox>
#include <QDateTimeAxis>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>

namespace {

// Four redraws a second follow the live cycle closely enough for the eye.
constexpr int kRefreshMs = 250;

constexpr TrendText kSeriesTexts[kTrendSeriesCount] = {
    TrendText::SeriesDcLink,    TrendText::SeriesMains,     TrendText::SeriesActualHz,
    TrendText::SeriesNominalHz, TrendText::SeriesHeatSink1, TrendText::SeriesHeatSink2,
    TrendText::SeriesSaving};

constexpr TrendText kAxisTexts[kTrendPlotCount] = {TrendText::AxisVolts, TrendText::AxisFrequency,
                                                   TrendText::AxisTemperature,
                                                   TrendText::AxisSaving};

// Colours that stay apart on a laptop screen in daylight. The nominal frequency is a
// light band under the actual one, which it often equals.
const QColor kSeriesColours[kTrendSeriesCount] = {
    QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
    QColor(0x98, 0xdf, 0x8a), QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b),
    QColor(0x94, 0x67, 0xbd)};

// The order the lines go into their plots, which is the order they are painted in: the
// nominal frequency first, so the actual one stays visible on top of it.
constexpr TrendSeries kDrawOrder[kTrendSeriesCount] = {
    TrendSeries::DcLink,    TrendSeries::Mains,     TrendSeries::NominalHz, TrendSeries::ActualHz,
    TrendSeries::HeatSink1, TrendSeries::HeatSink2, TrendSeries::Saving};

// The value axis of a plot without a visible line.
constexpr std::pair<double, double> kEmptyRange[kTrendPlotCount] = {
    {0, 400}, {50, 100}, {0, 80}, {0, 100}};

// The least span of a value axis, so the noise of a steady value is not blown up into
// waves, and whether its values can go below zero.
constexpr double kMinSpan[kTrendPlotCount] = {10, 2, 2, 10};
constexpr bool kSigned[kTrendPlotCount] = {false, false, true, false};

constexpr qreal kTickSpacing = 24;  // the least room a value label needs above the next
constexpr qreal kTimeSpacing = 100; // and a time beside the next
constexpr int kMargin = 4;          // around each chart

constexpr size_t kBottom = kTrendPlotCount - 1; // the plot with the time labels

} // namespace

void TTrendView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return QChartView::wheelEvent(event);
    // The time about the pointer stays where it is; the values are fitted to what remains.
    const QRectF area = chart()->plotArea();
    const qreal factor = delta > 0 ? 0.8 : 1.25;
    const qreal x = std::clamp(chart()->mapFromScene(mapToScene(event->position().toPoint())).x(),
                               area.left(), area.right());
    QRectF range = area;
    range.setLeft(x - (x - area.left()) * factor);
    range.setWidth(area.width() * factor);
    chart()->zoomIn(range);
    event->accept();
}

TTrendWindow::TTrendWindow(QWidget* parent, const TrendRing& ring, const TrendRecorder& recorder,
                           LanguageOf language)
    : QWidget(parent, Qt::Window), ring_(ring), recorder_(recorder), language_(std::move(language)),
      refreshTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("TTrendWindow"));
    resize(960, 700); // within a 1366 × 768 laptop screen
    drawing_ = true;  // the axes taking their first ranges are no zoom

    auto* plots = new QGridLayout;
    std::array<QVBoxLayout*, kTrendPlotCount> boxColumns{};
    for (size_t p = 0; p < kTrendPlotCount; ++p) {
        auto* chart = new QChart;
        chart->legend()->hide(); // the check boxes name the lines
        chart->setMargins(QMargins(kMargin, kMargin, kMargin, kMargin));
        chart->setBackgroundRoundness(0);
        // Numbers as everywhere in the window: decimal comma, whatever the language.
        chart->setLocale(fixedLocale());
        chart->setLocalizeNumbers(true);
        auto* time = new QDateTimeAxis(chart);
        time->setFormat(QStringLiteral("HH:mm:ss"));
        time->setTickCount(7);
        // Only the bottom plot names the times; the others keep the grid lines.
        time->setLabelsVisible(p == kBottom);
        time->setTitleVisible(p == kBottom);
        auto* values = new QValueAxis(chart);
        // Upright titles beside a short plot: regular weight and a little smaller than the
        // labels, so they fit its height in every language.
        QFont title = values->titleFont();
        title.setBold(false);
        title.setPointSizeF(values->labelsFont().pointSizeF() * 0.9);
        values->setTitleFont(title);
        time->setTitleFont(title);
        values->setTickType(QValueAxis::TicksDynamic);
        values->setMinorTickCount(0);
        chart->addAxis(time, Qt::AlignBottom);
        chart->addAxis(values, Qt::AlignLeft);
        timeAxes[p] = time;
        valueAxes[p] = values;

        auto* plotView = new TTrendView(chart, this);
        plotView->setRenderHint(QPainter::Antialiasing, false); // thousands of points, 4 a second
        plotView->setRubberBand(QChartView::RectangleRubberBand);
        plotView->setMinimumHeight(p == kBottom ? 130 : 90);
        views[p] = plotView;
        connect(chart, &QChart::plotAreaChanged, this, &TTrendWindow::scheduleAlign);
        // Every change of the time range that is not the window's own is a zoom (rubber
        // band, wheel, the right button): the plots stop following and all show that range.
        connect(time, &QDateTimeAxis::rangeChanged, this, [this, p] {
            if (!drawing_)
                followTime(TrendPlot(p));
        });
        // Round ticks at every range, ours or a zoom's; a zoom's values stay as it left them.
        connect(values, &QValueAxis::rangeChanged, this, [this, p] {
            tickRound(TrendPlot(p));
            if (!drawing_)
                valueZoomed_[p] = true;
        });

        plots->addWidget(plotView, int(p), 0);
        boxColumns[p] = new QVBoxLayout;
        boxColumns[p]->addStretch(1);
        plots->addLayout(boxColumns[p], int(p), 1);
        // The bottom plot's rows of time labels come on top of its share.
        plots->setRowStretch(int(p), p == kBottom ? 5 : 4);
    }
    plots->setColumnStretch(0, 1);

    for (TrendSeries s : kDrawOrder) {
        const size_t i = size_t(s);
        const size_t p = size_t(trendPlotOf(s));
        QChart* chart = views[p]->chart();
        auto* line = new QLineSeries(chart);
        QPen pen(kSeriesColours[i]);
        pen.setWidthF(1.5);
        if (s == TrendSeries::NominalHz) {
            pen.setWidthF(4);
            pen.setStyle(Qt::DashLine);
        }
        line->setPen(pen);
        chart->addSeries(line);
        line->attachAxis(timeAxes[p]);
        line->attachAxis(valueAxes[p]);
        series[i] = line;
    }
    for (int i = 0; i < kTrendSeriesCount; ++i) {
        const TrendPlot plot = trendPlotOf(TrendSeries(i));
        QLineSeries* line = series[size_t(i)];
        auto* box = new QCheckBox(this);
        box->setChecked(true);
        // The light nominal band's caption darker, to be read on the window's grey.
        const QColor text = TrendSeries(i) == TrendSeries::NominalHz ? kSeriesColours[i].darker(160)
                                                                     : kSeriesColours[i];
        box->setStyleSheet(QStringLiteral("QCheckBox { color: %1; }").arg(text.name()));
        connect(box, &QCheckBox::toggled, this, [this, line, plot](bool on) {
            line->setVisible(on);
            if (!valueZoomed_[size_t(plot)])
                fitValueAxis(plot);
        });
        QVBoxLayout* column = boxColumns[size_t(plot)];
        column->insertWidget(column->count() - 1, box);
        shown[size_t(i)] = box;
    }

    pauseButton = new QPushButton(this);
    resetZoomButton = new QPushButton(this);
    recordButton = new QPushButton(this);
    recordingStatus = new QLabel(this);
    recordingStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sampleCount = new QLabel(this);
    connect(pauseButton, &QPushButton::clicked, this, [this] { setPaused(!paused_); });
    connect(resetZoomButton, &QPushButton::clicked, this, &TTrendWindow::resetZoom);
    connect(recordButton, &QPushButton::clicked, this, &TTrendWindow::recordClicked);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(pauseButton);
    bottom->addWidget(resetZoomButton);
    bottom->addWidget(recordButton);
    bottom->addWidget(recordingStatus, 1);
    bottom->addWidget(sampleCount);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(plots, 1);
    layout->addLayout(bottom);

    refreshTimer_->setInterval(kRefreshMs);
    connect(refreshTimer_, &QTimer::timeout, this, &TTrendWindow::refresh);
    drawing_ = false;
    relabel();
    redraw();
}

void TTrendWindow::relabel() {
    const std::optional<Language> language = language_();
    setWindowTitle(trendText(language, TrendText::WindowTitle));
    for (int i = 0; i < kTrendSeriesCount; ++i) {
        const QString name = trendText(language, kSeriesTexts[i]);
        shown[size_t(i)]->setText(name);
        series[size_t(i)]->setName(name);
    }
    for (size_t p = 0; p < kTrendPlotCount; ++p)
        valueAxes[p]->setTitleText(trendText(language, kAxisTexts[p]));
    timeAxes[kBottom]->setTitleText(trendText(language, TrendText::AxisTime));
    pauseButton->setText(trendText(language, paused_ ? TrendText::Resume : TrendText::Pause));
    resetZoomButton->setText(trendText(language, TrendText::ResetZoom));
    showRecordingStatus();
}

void TTrendWindow::setPaused(bool paused) {
    paused_ = paused;
    pauseButton->setText(trendText(language_(), paused_ ? TrendText::Resume : TrendText::Pause));
    if (!paused_)
        refresh();
}

void TTrendWindow::resetZoom() {
    zoomed_ = false;
    valueZoomed_.fill(false);
    drawing_ = true;
    for (TTrendView* plotView : views)
        plotView->chart()->zoomReset();
    drawing_ = false;
    redraw();
}

void TTrendWindow::followTime(TrendPlot zoomedPlot) {
    zoomed_ = true;
    const QDateTimeAxis* source = timeAxes[size_t(zoomedPlot)];
    drawing_ = true;
    for (QDateTimeAxis* axis : timeAxes)
        if (axis != source)
            axis->setRange(source->min(), source->max());
    drawing_ = false;
    // The zoom is still setting the plot's value axis: the lines follow once it is done.
    scheduleRedraw();
}

void TTrendWindow::scheduleRedraw() {
    if (redrawPending_)
        return;
    redrawPending_ = true;
    QTimer::singleShot(0, this, [this] {
        redrawPending_ = false;
        redraw();
    });
}

void TTrendWindow::refresh() {
    showRecordingStatus();
    if (paused_ || ring_.appended() == drawn_)
        return;
    redraw();
}

void TTrendWindow::redraw() {
    drawn_ = ring_.appended();
    sampleCount->setText(
        trendText(language_(), TrendText::Samples).arg(QString::number(ring_.size())));
    drawing_ = true;
    qint64 from = std::numeric_limits<qint64>::min();
    qint64 to = std::numeric_limits<qint64>::max();
    if (zoomed_) {
        from = timeAxes[0]->min().toMSecsSinceEpoch();
        to = timeAxes[0]->max().toMSecsSinceEpoch();
    } else {
        qint64 start = QDateTime::currentMSecsSinceEpoch() - 60000;
        qint64 end = start + 60000;
        if (!ring_.isEmpty()) {
            from = ring_.at(0).time.toMSecsSinceEpoch();
            to = ring_.newest().time.toMSecsSinceEpoch();
            // A single sample still gets a span of time to stand in.
            end = to;
            start = std::min(from, to - 10000);
        }
        // Out to round times of the clock, as many as fit below the plot.
        const int offsetMs = QDateTime::fromMSecsSinceEpoch(end).offsetFromUtc() * 1000;
        const int fit =
            std::clamp(int(views[kBottom]->chart()->plotArea().width() / kTimeSpacing), 2, 10);
        const TrendTimeRange range = trendTimeRange(start, end, offsetMs, fit);
        for (QDateTimeAxis* axis : timeAxes) {
            axis->setTickCount(range.tickCount);
            axis->setRange(QDateTime::fromMSecsSinceEpoch(range.fromMs),
                           QDateTime::fromMSecsSinceEpoch(range.toMs));
        }
    }
    for (int i = 0; i < kTrendSeriesCount; ++i)
        series[size_t(i)]->replace(trendPoints(ring_, TrendSeries(i), from, to, kMaxPoints));
    for (size_t p = 0; p < kTrendPlotCount; ++p)
        if (!valueZoomed_[p])
            fitValueAxis(TrendPlot(p));
    drawing_ = false;
}

void TTrendWindow::fitValueAxis(TrendPlot plot) {
    // The axis spans the visible lines it carries (the points of the time shown), with a
    // little room above and below, out to the round ticks around that.
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (int i = 0; i < kTrendSeriesCount; ++i) {
        if (trendPlotOf(TrendSeries(i)) != plot || !series[size_t(i)]->isVisible())
            continue;
        for (const QPointF& point : series[size_t(i)]->points()) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
    }
    if (low > high)
        std::tie(low, high) = kEmptyRange[size_t(plot)];
    const double middle = (low + high) / 2;
    const double span = std::max(kMinSpan[size_t(plot)], (high - low) * 1.1);
    low = middle - span / 2;
    high = middle + span / 2;
    if (!kSigned[size_t(plot)] && low < 0) {
        high -= low;
        low = 0;
    }
    const auto [from, to] = trendNiceRange(low, high, maxSteps(plot));
    const bool wasDrawing = drawing_;
    drawing_ = true;
    valueAxes[size_t(plot)]->setRange(from, to);
    drawing_ = wasDrawing;
}

int TTrendWindow::maxSteps(TrendPlot plot) const {
    const qreal height = views[size_t(plot)]->chart()->plotArea().height();
    return height > 0 ? std::clamp(int(height / kTickSpacing), 2, 10) : 4;
}

void TTrendWindow::tickRound(TrendPlot plot) {
    QValueAxis* axis = valueAxes[size_t(plot)];
    const TrendTicks ticks = trendTicks(axis->min(), axis->max(), maxSteps(plot));
    axis->setTickAnchor(ticks.anchor);
    axis->setTickInterval(ticks.interval);
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(ticks.decimals));
}

void TTrendWindow::scheduleAlign() {
    if (alignPending_)
        return;
    alignPending_ = true;
    QTimer::singleShot(0, this, [this] {
        alignPending_ = false;
        alignPlotAreas();
    });
}

void TTrendWindow::alignPlotAreas() {
    // Qt lays out each chart on its own, its plot area beside labels as wide as its own
    // numbers. The plots here share one time axis: each chart's margins make up for what
    // its labels are narrower than the widest, left and right. The insets without the
    // margins do not depend on them, so this settles at the first layout after.
    std::array<qreal, kTrendPlotCount> lefts{};
    std::array<qreal, kTrendPlotCount> rights{};
    for (size_t p = 0; p < kTrendPlotCount; ++p) {
        const QChart* chart = views[p]->chart();
        const QRectF area = chart->plotArea();
        if (!area.isValid())
            return; // not laid out yet
        lefts[p] = area.left() - chart->margins().left();
        rights[p] = chart->size().width() - area.right() - chart->margins().right();
    }
    const qreal left = *std::max_element(lefts.begin(), lefts.end());
    const qreal right = *std::max_element(rights.begin(), rights.end());
    for (size_t p = 0; p < kTrendPlotCount; ++p) {
        QChart* chart = views[p]->chart();
        const QMargins margins(kMargin + qRound(left - lefts[p]), kMargin,
                               kMargin + qRound(right - rights[p]), kMargin);
        if (margins != chart->margins())
            chart->setMargins(margins);
        // The height decides how many ticks fit.
        tickRound(TrendPlot(p));
    }
}

void TTrendWindow::showRecordingStatus() {
    const std::optional<Language> language = language_();
    const QString file = QFileInfo(recorder_.path()).fileName();
    if (recorder_.recording()) {
        recordButton->setText(trendText(language, TrendText::StopRecording));
        recordingStatus->setText(trendText(language, TrendText::RecordingTo)
                                     .arg(file, QString::number(recorder_.rows())));
        return;
    }
    recordButton->setText(trendText(language, TrendText::Record));
    const TrendText status = recorder_.errorText().isEmpty() ? TrendText::NotRecording
                             : recorder_.refusedAtStart()    ? TrendText::RecordingNotStarted
                                                             : TrendText::RecordingFailed;
    recordingStatus->setText(status == TrendText::NotRecording
                                 ? trendText(language, status)
                                 : trendText(language, status).arg(file, recorder_.errorText()));
}

void TTrendWindow::showEvent(QShowEvent* event) {
    refresh();
    refreshTimer_->start();
    QWidget::showEvent(event);
}

void TTrendWindow::hideEvent(QHideEvent* event) {
    refreshTimer_->stop();
    QWidget::hideEvent(event);
}
