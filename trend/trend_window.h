#pragma once
// The trend: the live values over time, one line a value against the clock, volts on the
// left axis and frequency, temperatures and saving on the right. A check box shows or
// hides each line; pause freezes the view while the trend goes on filling; a rubber band
// or the wheel zooms in, reset zoom goes back to following the whole trend. The record
// button starts and stops the CSV recording, which the main window runs. Not modal; the
// main window opens it from its tools menu and tells it when the language changes. It
// reads the trend and the recorder the window holds and redraws from its own timer, never
// per sample, so the live cycle keeps its pace.
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

// The chart view: the rubber band zooms in (the right button out), so does the wheel.
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

    TTrendView* view = nullptr;
    std::array<QLineSeries*, kTrendSeriesCount> series{};
    std::array<QCheckBox*, kTrendSeriesCount> shown{};
    QDateTimeAxis* timeAxis = nullptr;
    QValueAxis* voltAxis = nullptr;
    QValueAxis* otherAxis = nullptr;
    QPushButton* pauseButton = nullptr;
    QPushButton* resetZoomButton = nullptr;
    QPushButton* recordButton = nullptr;
    QLabel* recordingStatus = nullptr;
    QLabel* sampleCount = nullptr;

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
    void fitValueAxes();
    void showRecordingStatus();

    const TrendRing& ring_;
    const TrendRecorder& recorder_;
    LanguageOf language_;
    QTimer* refreshTimer_;
    quint64 drawn_ = 0; // the ring's appended() when last drawn
    bool paused_ = false;
    bool zoomed_ = false;
    bool drawing_ = false; // our own range changes are no zoom
};
