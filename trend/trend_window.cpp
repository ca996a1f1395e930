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

constexpr int kTicks = 4;    // a plot is short: four ticks or so read at a glance
constexpr qreal kGap = 6;    // between a plot's edge, its labels and its axis title
constexpr qreal kMargin = 4; // around the chart

constexpr size_t kBottom = kTrendPlotCount - 1; // the plot with the time labels

// The labels a value axis shows at its round ticks.
QStringList tickLabels(const QValueAxis* axis, const QLocale& locale) {
    const TrendTicks ticks = trendTicks(axis->min(), axis->max(), kTicks);
    QStringList labels;
    for (double v = ticks.anchor; v <= axis->max() + ticks.interval * 1e-6 && labels.size() < 50;
         v += ticks.interval)
        labels.append(locale.toString(v, 'f', ticks.decimals));
    return labels;
}

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

void TTrendView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    emit resized();
}

TTrendWindow::TTrendWindow(QWidget* parent, const TrendRing& ring, const TrendRecorder& recorder,
                           LanguageOf language)
    : QWidget(parent, Qt::Window), ring_(ring), recorder_(recorder), language_(std::move(language)),
      refreshTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("TTrendWindow"));
    resize(960, 660);
    drawing_ = true; // the axes taking their first ranges are no zoom

    auto* plots = new QGridLayout;
    std::array<QVBoxLayout*, kTrendPlotCount> boxColumns{};
    for (size_t p = 0; p < kTrendPlotCount; ++p) {
        auto* chart = new QChart;
        chart->legend()->hide(); // the check boxes name the lines
        chart->setMargins(QMargins(0, 0, 0, 0));
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
        connect(plotView, &TTrendView::resized, this, &TTrendWindow::alignPlotAreas);
        // Every change of the time range that is not the window's own is a zoom (rubber
        // band, wheel, the right button): the plots stop following and all show that range.
        connect(time, &QDateTimeAxis::rangeChanged, this, [this, p] {
            if (!drawing_)
                followTime(TrendPlot(p));
        });
        // Round ticks at every range, ours or a zoom's; a zoom's values stay as it left them.
        connect(values, &QValueAxis::rangeChanged, this, [this, p, values] {
            tickRound(values);
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
    alignPlotAreas();
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
        QDateTime start;
        QDateTime end;
        if (!ring_.isEmpty()) {
            from = ring_.at(0).time.toMSecsSinceEpoch();
            to = ring_.newest().time.toMSecsSinceEpoch();
            // A single sample still gets a span of time to stand in.
            const qint64 span = std::max<qint64>(to - from, 10000);
            start = QDateTime::fromMSecsSinceEpoch(to - span);
            end = QDateTime::fromMSecsSinceEpoch(to);
        } else {
            end = QDateTime::currentDateTime();
            start = end.addSecs(-60);
        }
        for (QDateTimeAxis* axis : timeAxes)
            axis->setRange(start, end);
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
    const double room = std::max(1.0, (high - low) * 0.05);
    const auto [from, to] = trendNiceRange(low - room, high + room, kTicks);
    const bool wasDrawing = drawing_;
    drawing_ = true;
    valueAxes[size_t(plot)]->setRange(from, to);
    drawing_ = wasDrawing;
}

void TTrendWindow::tickRound(QValueAxis* axis) {
    const TrendTicks ticks = trendTicks(axis->min(), axis->max(), kTicks);
    axis->setTickAnchor(ticks.anchor);
    axis->setTickInterval(ticks.interval);
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(ticks.decimals));
    alignPlotAreas();
}

void TTrendWindow::alignPlotAreas() {
    if (!views[kBottom])
        return; // still being built
    // Qt lays out each chart on its own, its plot area beside labels as wide as its own
    // numbers; the plots here share one time axis, so they share one plot width, room
    // left of it for the widest labels of any of them.
    const QLocale locale = fixedLocale();
    qreal labelWidth = 0;
    for (const QValueAxis* axis : valueAxes) {
        const QFontMetricsF metrics(axis->labelsFont());
        for (const QString& label : tickLabels(axis, locale))
            labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label));
    }
    const QFontMetricsF labels(timeAxes[kBottom]->labelsFont());
    const QFontMetricsF titles(valueAxes[0]->titleFont());
    const qreal left = kMargin + titles.height() + kGap + labelWidth + kGap;
    // Half a time label sticks out right of the plot under its last tick.
    const qreal right = kMargin + labels.horizontalAdvance(QStringLiteral("00:00:00")) / 2;
    const qreal top = kMargin + labels.height() / 2;
    for (size_t p = 0; p < kTrendPlotCount; ++p) {
        QChart* chart = views[p]->chart();
        const qreal bottom = p == kBottom ? kMargin + labels.height() + kGap + titles.height()
                                          : kMargin + labels.height() / 2;
        const QRectF area(left, top, chart->size().width() - left - right,
                          chart->size().height() - top - bottom);
        if (area.isValid() && area != chart->plotArea())
            chart->setPlotArea(area);
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
