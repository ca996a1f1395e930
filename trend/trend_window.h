#pragma once
// The trend: the live values over time in four plots stacked over one time axis, one a
// kind of quantity with its own unit (voltages, frequencies, temperatures, the saving).
// A check box beside its plot shows or hides each line; pause freezes the view while the
// trend goes on filling; a rubber band zooms into a plot, the wheel zooms the time, and
// every plot follows the time range of the one zoomed; reset zoom goes back to following
// the whole trend. The value axes tick at round numbers whatever the zoom, with the
// window's decimal comma. The record button starts and stops the CSV recording, which
// the main window runs. Not modal; the main window opens it from its tools menu and tells
// it when the language changes. It reads the trend and the recorder the window holds and
// redraws from its own timer, never per sample, so the live cycle keeps its pace.
#include "text/info_table.h"
#include "trend/trend_sample.h"

#include <QChartView>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QTimer;
class QValueAxis;
class TrendRecorder;
class TrendRing;

// A plot's view: the rubber band zooms in (the right button out); the wheel zooms the time
// about the pointer.
class TTrendView : public QChartView {
    Q_OBJECT
public:
    using QChartView::QChartView;

protected:
    void wheelEvent(QWheelEvent* event) override;
};

class TTrendWindow : public QWidget {
    Q_OBJECT
public:
    using LanguageOf = std::function<std::optional<Language>()>;
    TTrendWindow(QWidget* parent, const TrendRing& ring, const TrendRecorder& recorder,
                 LanguageOf language);

    // At most this many points a line: the view thins the trend to it.
    static constexpr int kMaxPoints = 2000;

    // One of each a plot, in TrendPlot order, top to bottom.
    std::array<TTrendView*, kTrendPlotCount> views{};
    std::array<QDateTimeAxis*, kTrendPlotCount> timeAxes{};
    std::array<QValueAxis*, kTrendPlotCount> valueAxes{};
    std::array<QLineSeries*, kTrendSeriesCount> series{};
    std::array<QCheckBox*, kTrendSeriesCount> shown{};
    QPushButton* pauseButton = nullptr;
    QPushButton* resetZoomButton = nullptr;
    QPushButton* recordButton = nullptr;
    QLabel* recordingStatus = nullptr;
    QLabel* sampleCount = nullptr;

    TTrendView* view(TrendPlot plot) const { return views[size_t(plot)]; }
    QValueAxis* valueAxis(TrendPlot plot) const { return valueAxes[size_t(plot)]; }

    bool paused() const { return paused_; }
    bool zoomed() const { return zoomed_; }
    void setPaused(bool paused);
    void resetZoom();
    // Takes in the new samples (the timer does it while shown and not paused) and the
    // recording's status.
    void refresh();
    // Captions in the main window's active language.
    void relabel();

signals:
    // The record button: the main window starts or stops the recording.
    void recordClicked();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Draws the lines of the range shown (all of the trend unless zoomed).
    void redraw();
    // Once the zoom that asked for it has finished changing the axes.
    void scheduleRedraw();
    // A plot's time range changed by a zoom: every other plot takes it.
    void followTime(TrendPlot zoomedPlot);
    // The value axis spans the visible lines of its plot, widened to round ticks.
    void fitValueAxis(TrendPlot plot);
    // Ticks at round values of the axis's range, as many as the plot's height takes.
    int maxSteps(TrendPlot plot) const;
    void tickRound(TrendPlot plot);
    // Puts the plot areas one above the other, so one time stands at one x in all.
    void scheduleAlign();
    void alignPlotAreas();
    void showRecordingStatus();

    const TrendRing& ring_;
    const TrendRecorder& recorder_;
    LanguageOf language_;
    QTimer* refreshTimer_;
    quint64 drawn_ = 0; // the ring's appended() when last drawn
    bool paused_ = false;
    bool zoomed_ = false;
    std::array<bool, kTrendPlotCount> valueZoomed_{}; // a rubber band set the values too
    bool drawing_ = false;                            // our own range changes are no zoom
    bool redrawPending_ = false;
    bool alignPending_ = false;
};
