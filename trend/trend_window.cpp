#include "trend/trend_window.h"

#include "text/trend_texts.h"
#include "trend/trend_points.h"
#include "trend/trend_recorder.h"
#include "trend/trend_ring.h"

#include <QChart>
#include <QCheckBox>
#include <QDateTimeAxis>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>
#include <limits>

namespace {

// Four redraws a second follow the live cycle closely enough for the eye.
constexpr int kRefreshMs = 250;

constexpr TrendText kSeriesTexts[kTrendSeriesCount] = {
    TrendText::SeriesDcLink,    TrendText::SeriesMains,     TrendText::SeriesActualHz,
    TrendText::SeriesNominalHz, TrendText::SeriesHeatSink1, TrendText::SeriesHeatSink2,
    TrendText::SeriesSaving};

// Colours that stay apart on a laptop screen in daylight.
const QColor kSeriesColours[kTrendSeriesCount] = {
    QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
    QColor(0x00, 0x80, 0x80), QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b),
    QColor(0x94, 0x67, 0xbd)};

} // namespace

void TTrendView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return QChartView::wheelEvent(event);
    chart()->zoom(delta > 0 ? 1.25 : 0.8);
    event->accept();
}

TTrendWindow::TTrendWindow(QWidget* parent, const TrendRing& ring, const TrendRecorder& recorder,
                           LanguageOf language)
    : QWidget(parent, Qt::Window), ring_(ring), recorder_(recorder), language_(std::move(language)),
      refreshTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("TTrendWindow"));
    resize(900, 560);

    auto* chart = new QChart;
    chart->legend()->hide(); // the check boxes name the lines
    chart->setMargins(QMargins(4, 4, 4, 4));
    timeAxis = new QDateTimeAxis(chart);
    timeAxis->setFormat(QStringLiteral("HH:mm:ss"));
    timeAxis->setTickCount(6);
    voltAxis = new QValueAxis(chart);
    otherAxis = new QValueAxis(chart);
    chart->addAxis(timeAxis, Qt::AlignBottom);
    chart->addAxis(voltAxis, Qt::AlignLeft);
    chart->addAxis(otherAxis, Qt::AlignRight);

    auto* boxes = new QVBoxLayout;
    for (int i = 0; i < kTrendSeriesCount; ++i) {
        auto* line = new QLineSeries(chart);
        QPen pen(kSeriesColours[i]);
        pen.setWidthF(1.5);
        if (TrendSeries(i) == TrendSeries::NominalHz)
            pen.setStyle(Qt::DashLine); // often on the actual frequency's line
        line->setPen(pen);
        chart->addSeries(line);
        line->attachAxis(timeAxis);
        line->attachAxis(isVoltSeries(TrendSeries(i)) ? voltAxis : otherAxis);
        series[size_t(i)] = line;

        auto* box = new QCheckBox(this);
        box->setChecked(true);
        box->setStyleSheet(
            QStringLiteral("QCheckBox { color: %1; }").arg(kSeriesColours[i].name()));
        connect(box, &QCheckBox::toggled, this, [this, line](bool on) {
            line->setVisible(on);
            if (!zoomed_)
                fitValueAxes();
        });
        boxes->addWidget(box);
        shown[size_t(i)] = box;
    }
    boxes->addStretch(1);

    view = new TTrendView(chart, this);
    view->setRenderHint(QPainter::Antialiasing, false); // thousands of points, four times a second
    view->setRubberBand(QChartView::RectangleRubberBand);
    // Every change of the time range that is not the plot's own is a zoom (rubber band,
    // wheel): the plot stops following and shows the range in more detail, paused or not.
    connect(timeAxis, &QDateTimeAxis::rangeChanged, this, [this] {
        if (drawing_)
            return;
        zoomed_ = true;
        redraw();
    });

    pauseButton = new QPushButton(this);
    resetZoomButton = new QPushButton(this);
    recordButton = new QPushButton(this);
    recordingStatus = new QLabel(this);
    recordingStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sampleCount = new QLabel(this);
    connect(pauseButton, &QPushButton::clicked, this, [this] { setPaused(!paused_); });
    connect(resetZoomButton, &QPushButton::clicked, this, &TTrendWindow::resetZoom);
    connect(recordButton, &QPushButton::clicked, this, &TTrendWindow::recordClicked);

    auto* top = new QHBoxLayout;
    top->addWidget(view, 1);
    top->addLayout(boxes);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(pauseButton);
    bottom->addWidget(resetZoomButton);
    bottom->addWidget(recordButton);
    bottom->addWidget(recordingStatus, 1);
    bottom->addWidget(sampleCount);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);

    refreshTimer_->setInterval(kRefreshMs);
    connect(refreshTimer_, &QTimer::timeout, this, &TTrendWindow::refresh);
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
    timeAxis->setTitleText(trendText(language, TrendText::AxisTime));
    voltAxis->setTitleText(trendText(language, TrendText::AxisVolts));
    otherAxis->setTitleText(trendText(language, TrendText::AxisOther));
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
    drawing_ = true;
    view->chart()->zoomReset();
    drawing_ = false;
    redraw();
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
        from = timeAxis->min().toMSecsSinceEpoch();
        to = timeAxis->max().toMSecsSinceEpoch();
    } else if (!ring_.isEmpty()) {
        from = ring_.at(0).time.toMSecsSinceEpoch();
        to = ring_.newest().time.toMSecsSinceEpoch();
        // A single sample still gets a span of time to stand in.
        const qint64 span = std::max<qint64>(to - from, 10000);
        timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(to - span),
                           QDateTime::fromMSecsSinceEpoch(to));
    } else {
        const QDateTime now = QDateTime::currentDateTime();
        timeAxis->setRange(now.addSecs(-60), now);
    }
    for (int i = 0; i < kTrendSeriesCount; ++i)
        series[size_t(i)]->replace(trendPoints(ring_, TrendSeries(i), from, to, kMaxPoints));
    if (!zoomed_)
        fitValueAxes();
    drawing_ = false;
}

void TTrendWindow::fitValueAxes() {
    // Each axis spans the visible lines it carries, with a little room above and below.
    for (QValueAxis* axis : {voltAxis, otherAxis}) {
        double low = std::numeric_limits<double>::max();
        double high = std::numeric_limits<double>::lowest();
        for (int i = 0; i < kTrendSeriesCount; ++i) {
            const bool onAxis = (axis == voltAxis) == isVoltSeries(TrendSeries(i));
            if (!onAxis || !series[size_t(i)]->isVisible())
                continue;
            for (const QPointF& p : series[size_t(i)]->points()) {
                low = std::min(low, p.y());
                high = std::max(high, p.y());
            }
        }
        if (low > high) {
            low = 0;
            high = axis == voltAxis ? 400 : 100;
        }
        const double room = std::max(1.0, (high - low) * 0.05);
        const bool wasDrawing = drawing_;
        drawing_ = true;
        axis->setRange(low - room, high + room);
        axis->applyNiceNumbers();
        drawing_ = wasDrawing;
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
