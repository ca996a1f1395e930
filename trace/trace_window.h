#pragma once
// The telegram trace: every transfer of the link, newest at the bottom, the bytes and
// items of the selected one, the link's statistics and a button that saves it all as
// text. Not modal; the main window opens it from its tools menu, keeps it and tells it
// when the language changes. It reads the trace and the statistics the window holds.
#include "text/info_table.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTableView;
class QTextEdit;
class QTimer;
class TraceModel;
class TraceRing;
struct LinkStatistics;
struct TraceEntry;

class TTraceWindow : public QWidget {
    Q_OBJECT
public:
    using LanguageOf = std::function<std::optional<Language>()>;
    TTraceWindow(QWidget* parent, const TraceRing& ring, const LinkStatistics& stats,
                 LanguageOf language);

    QTableView* table = nullptr;
    QTextEdit* detail = nullptr;  // the selected row's bytes and items
    QLabel* statistics = nullptr; // the link's figures
    QPushButton* saveButton = nullptr;
    TraceModel* model() const { return model_; }

    // The file the trace is saved to; empty when the user cancelled. While unset, a file
    // dialog asks; tests choose the path here.
    std::function<QString(const QString& filter)> chooseSaveFile;

    // Takes in the new transfers and the statistics (the timer does it while shown).
    void refresh();
    // Captions in the main window's active language.
    void relabel();
    void saveClicked();

    // Sent and received bytes side by side, the failing ones marked, then the items (HTML).
    static QString detailHtml(std::optional<Language> language, const TraceEntry& entry);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showSelected();

    const TraceRing& ring_;
    const LinkStatistics& statistics_;
    LanguageOf language_;
    TraceModel* model_;
    QTimer* refreshTimer_;
};
