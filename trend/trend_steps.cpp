// The window's side of the trend: every live display run's values go into the trend and,
// while a recording runs, into its file; the tools menu opens the trend window, whose
// record button starts and stops the recording here. The recording goes on while the
// trend window is closed, and ends with the program, which then says where the file is.
#include "app/hauptfenster.h"
#include "base/message_sink.h"
#include "text/trend_texts.h"
#include "trend/trend_csv.h"
#include "trend/trend_window.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

void THauptfenster::addTrendMenuItem() {
    trend1 = tools1->addAction(trendText(std::nullopt, TrendText::MenuItem));
    connect(trend1, &QAction::triggered, this, [this] { openTrend(); });
    connect(this, &THauptfenster::languageApplied, this,
            [this] { trend1->setText(trendText(activeLanguage(), TrendText::MenuItem)); });
    connect(this, &THauptfenster::liveValuesShown, this, &THauptfenster::takeTrendSample);
}

void THauptfenster::takeTrendSample() {
    const TrendSample sample = trendSample(QDateTime::currentDateTimeUtc(), live_values);
    trend_ring.append(sample);
    if (!trend_recorder.recording() || trend_recorder.append(sample))
        return;
    // The disk refused a write: the recording has ended. Said once, after the step that
    // showed the values has finished, so the live cycle is not held inside it.
    const QString text = trendText(activeLanguage(), TrendText::RecordingFailed)
                             .arg(trend_recorder.path(), trend_recorder.errorText());
    QTimer::singleShot(0, this, [text] { showMessage(text); });
}

TrendSource THauptfenster::trendSource() const {
    TrendSource source;
    if (!sio_started || hw_test_req || hw_info_req)
        return source; // nobody identified on the line
    source.hwOld = HW_old;
    source.productCode = HW_old ? HW_Ver_Str.trimmed() : HW_Produktcode;
    return source;
}

void THauptfenster::trendRecordClick() {
    const std::optional<Language> language = activeLanguage();
    if (trend_recorder.recording()) {
        if (!trend_recorder.stop())
            showMessage(trendText(language, TrendText::RecordingFailed)
                            .arg(trend_recorder.path(), trend_recorder.errorText()));
    } else {
        const QString filter = trendText(language, TrendText::RecordFilter);
        const StaleWatch::Hold hold(liveWatch_); // time under the dialog is not the line's
        const QString path =
            chooseRecordingFile
                ? chooseRecordingFile(filter)
                : QFileDialog::getSaveFileName(
                      trendWindow ? static_cast<QWidget*>(trendWindow) : this,
                      trendText(language, TrendText::Record), QStringLiteral("trend.csv"), filter);
        if (path.isEmpty())
            return;
        QString error;
        if (!trend_recorder.start(path, trendCsvHeader(trendSource()), &error))
            showMessage(trendText(language, TrendText::RecordingNotStarted).arg(path, error));
    }
    if (trendWindow)
        trendWindow->refresh();
}

void THauptfenster::openTrend() {
    if (!trendWindow) {
        trendWindow =
            new TTrendWindow(this, trend_ring, trend_recorder, [this] { return activeLanguage(); });
        connect(this, &THauptfenster::languageApplied, trendWindow, &TTrendWindow::relabel);
        connect(trendWindow, &TTrendWindow::recordClicked, this, &THauptfenster::trendRecordClick);
    }
    trendWindow->show();
    trendWindow->raise();
    trendWindow->activateWindow();
}

void THauptfenster::endTrendRecordingAtClose() {
    if (!trend_recorder.recording())
        return;
    // The technician may not remember having left it running: the file is named in full,
    // so it can be found again after the program has gone.
    const std::optional<Language> language = activeLanguage();
    const QString path =
        QDir::toNativeSeparators(QFileInfo(trend_recorder.path()).absoluteFilePath());
    if (trend_recorder.stop())
        showMessage(trendText(language, TrendText::RecordingEndedAtClose)
                        .arg(path, QString::number(trend_recorder.rows())));
    else
        showMessage(
            trendText(language, TrendText::RecordingFailed).arg(path, trend_recorder.errorText()));
}
