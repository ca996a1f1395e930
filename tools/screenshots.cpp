// Screenshots of every page of the main window, of the info window, the language chooser
// and the password dialog, for looking at the layout without a screen (scripts/screenshots).
//
//   trv5200-screenshots --out DIR [--connect] [--language CODE]
//
// The window is built and shown as the program does at start, from the settings file of
// the environment (port, language, port mappings). Three seconds after it is shown, every
// tab is made visible (the service page's contents and the limits too), each page is
// selected in turn and QWidget::grab() of the window saved as NN-<page>[-<code>].png;
// then the info window, the language chooser and the password dialog are saved under
// their class names, and the program ends. --connect presses the connect button first,
// then the read button, the fault-memory read and the calibration button, waiting after
// each, so the pages show a controller's values, its fault records and a calibration log;
// then the comparison with the controller, saved after the pages with one field changed,
// and the telegram trace with the last RAM read selected, saved as TTraceWindow; then the
// trend of the live values read meanwhile, saved as TTrendWindow, and once more after a
// rubber band over the middle of its voltages, saved as TTrendWindow-zoom.
// --language applies ger, eng, schw, franz or tuerk through its menu handler, as a
// technician's choice does; the files then carry the code as a suffix.
#include "app/compare_dialog.h"
#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "app/lang_form.h"
#include "base/message_sink.h"
#include "text/info_table.h"
#include "trace/trace_model.h"
#include "trace/trace_window.h"
#include "trend/trend_window.h"

#include <QApplication>
#include <QChart>
#include <QCommandLineParser>
#include <QDir>
#include <QGroupBox>
#include <QInputDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace {

// Long enough for the window to be laid out and, after connecting, for the hardware
// test, the identity read and the first RAM reads to be shown.
constexpr int kSettleMs = 3000;

const struct {
    const char* code;
    Language language;
} kLanguages[] = {{"ger", Language::German},
                  {"eng", Language::English},
                  {"schw", Language::Swedish},
                  {"franz", Language::French},
                  {"tuerk", Language::Turkish}};

// The trace window with the newest RAM read selected, so its detail pane shows.
void openTraceAtRamRead(THauptfenster& w) {
    w.openTrace();
    TTraceWindow* trace = w.traceWindow;
    trace->refresh();
    for (int row = trace->model()->rowCount() - 1; row >= 0; --row) {
        const TraceEntry* entry = trace->model()->entryAt(row);
        if (entry && entry->exchange == TraceExchange::RamRead) {
            trace->table->selectRow(row);
            return;
        }
    }
}

std::optional<Language> languageFor(const QString& code) {
    for (const auto& entry : kLanguages)
        if (code == QLatin1String(entry.code))
            return entry.language;
    return std::nullopt;
}

class ScreenshotRun {
public:
    ScreenshotRun(THauptfenster& window, QString dir, QString suffix)
        : w_(window), dir_(std::move(dir)), suffix_(std::move(suffix)) {}

    bool ok() const { return ok_; }

    void grabAll() {
        qInfo("Screenshot: window %dx%d, minimum %dx%d", w_.width(), w_.height(),
              w_.minimumSizeHint().width(), w_.minimumSizeHint().height());
        for (int i = 0; i < w_.PageControl1->count(); ++i)
            w_.PageControl1->setTabVisible(i, true);
        w_.service_unlocked = true; // every page as at the full access level
        w_.TabSheet2_contents->show();
        w_.Grenzw_cont->show();
        for (int i = 0; i < w_.PageControl1->count(); ++i) {
            QWidget* page = w_.PageControl1->widget(i);
            w_.PageControl1->setCurrentIndex(i);
            QApplication::processEvents();
            save(&w_, QStringLiteral("%1-%2")
                          .arg(i + 1, 2, 10, QLatin1Char('0'))
                          .arg(page->objectName()));
            // The page's own minimum tells whether it would push the window beyond its size.
            qInfo("Screenshot: %s, minimum %dx%d, shown %dx%d", qPrintable(page->objectName()),
                  page->minimumSizeHint().width(), page->minimumSizeHint().height(), page->width(),
                  page->height());
        }
        for (QDialog* dialog :
             {static_cast<QDialog*>(w_.Infofenst), static_cast<QDialog*>(w_.lang_form)}) {
            dialog->show();
            QApplication::processEvents();
            save(dialog, QLatin1String(dialog->metaObject()->className()));
            dialog->hide();
        }
        QInputDialog* password = THauptfenster::passwordDialog(
            &w_, w_.GetInfoString(65), w_.GetInfoString(66), w_.GetInfoString(163));
        password->show();
        QApplication::processEvents();
        save(password, QStringLiteral("PasswordDialog"));
        delete password;
        if (TTraceWindow* trace = w_.traceWindow) {
            trace->refresh();
            QApplication::processEvents();
            save(trace, QLatin1String(trace->metaObject()->className()));
        }
        if (TTrendWindow* trend = w_.trendWindow) {
            trend->refresh();
            QApplication::processEvents();
            save(trend, QLatin1String(trend->metaObject()->className()));
            QChart* volts = trend->view(TrendPlot::Volts)->chart();
            const QRectF area = volts->plotArea();
            volts->zoomIn(area.adjusted(area.width() * 0.25, area.height() * 0.02,
                                        -area.width() * 0.3, -area.height() * 0.6));
            QApplication::processEvents();
            QApplication::processEvents();
            save(trend, QLatin1String(trend->metaObject()->className()) + QStringLiteral("-zoom"));
        }
        if (w_.CompareDialog) {
            // The pages are saved: a field changed now shows a marked row.
            w_.DateTimePicker_Mo_End->setTime(w_.DateTimePicker_Mo_End->time().addSecs(1800));
            w_.refreshComparison();
            w_.CompareDialog->show();
            QApplication::processEvents();
            save(w_.CompareDialog, QLatin1String(w_.CompareDialog->metaObject()->className()));
        }
    }

private:
    void save(QWidget* widget, const QString& name) {
        const QString path = dir_ + QLatin1Char('/') + name + suffix_ + QStringLiteral(".png");
        if (!widget->grab().save(path)) {
            std::fprintf(stderr, "trv5200-screenshots: cannot write %s\n", qPrintable(path));
            ok_ = false;
        }
    }

    THauptfenster& w_;
    QString dir_;
    QString suffix_;
    bool ok_ = true;
};

} // namespace

int main(int argc, char* argv[]) {
    // The options are read before the application exists, so --help and a wrong option
    // need no display.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Saves a PNG of every page of the TRV5200 main window, of the info "
                       "window and of the language chooser."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption outOption(QStringLiteral("out"),
                                       QStringLiteral("Folder the PNG files are written to."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption connectOption(
        QStringLiteral("connect"),
        QStringLiteral("Press the connect button first, so the pages show live values."));
    const QCommandLineOption languageOption(
        QStringLiteral("language"),
        QStringLiteral("Apply ger, eng, schw, franz or tuerk as its menu item does; the files get "
                       "the code as suffix."),
        QStringLiteral("CODE"));
    parser.addOptions({outOption, connectOption, languageOption});
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "trv5200-screenshots: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(helpOption)) {
        // Without an application the parser cannot know the program's name.
        QString help = parser.helpText();
        help.replace(QStringLiteral("<executable_name>"), QStringLiteral("trv5200-screenshots"));
        std::printf("%s", qPrintable(help));
        return 0;
    }
    const QString dir = parser.value(outOption);
    if (dir.isEmpty()) {
        std::fprintf(stderr, "trv5200-screenshots: --out DIR is required\n");
        return 2;
    }
    std::optional<Language> language;
    QString suffix;
    if (parser.isSet(languageOption)) {
        const QString code = parser.value(languageOption);
        language = languageFor(code);
        if (!language) {
            std::fprintf(stderr, "trv5200-screenshots: unknown language %s\n", qPrintable(code));
            return 2;
        }
        suffix = QLatin1Char('-') + code;
    }
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "trv5200-screenshots: cannot create %s\n", qPrintable(dir));
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TRV5200"));

    // Nobody is there to close a message box: messages go to the log.
    setMessageSink([](const QString& text) {
        std::fprintf(stderr, "trv5200-screenshots: message: %s\n", qPrintable(text));
    });

    THauptfenster w;
    // Object names give the files readable names.
    const struct {
        QWidget* page;
        const char* name;
    } pages[] = {{w.TabSheet1, "TabSheet1"}, {w.TabSheet2, "TabSheet2"},
                 {w.TabSheet3, "TabSheet3"}, {w.TabSheet4, "TabSheet4"},
                 {w.TabSheet5, "TabSheet5"}, {w.TabSheet6, "TabSheet6"}};
    for (const auto& p : pages)
        p.page->setObjectName(QLatin1String(p.name));
    w.show();
    if (language)
        w.language_code = parser.value(languageOption);
    w.startLanguage();
    w.lang_form->hide(); // shown for a first start; saved on its own below

    ScreenshotRun run(w, dir, suffix);
    const auto grabAndQuit = [&run] {
        run.grabAll();
        QApplication::quit();
    };
    const bool connectFirst = parser.isSet(connectOption);
    QTimer::singleShot(kSettleMs, &w, [&w, connectFirst, grabAndQuit] {
        if (!connectFirst) {
            grabAndQuit();
            return;
        }
        w.Com_activate_bt->click();
        // Once identified, the parameters are read too, so the profiles, the start
        // settings and the parameter grid show the controller's values.
        QTimer::singleShot(kSettleMs, &w, [&w, grabAndQuit] {
            w.uC_read_bt->click();
            // Then the fault records and a calibration (the demo controller is in normal
            // operation at 50 Hz), so the service and calibration pages show them.
            QTimer::singleShot(kSettleMs, &w, [&w, grabAndQuit] {
                w.err_mem_read_bt->click();
                QTimer::singleShot(kSettleMs, &w, [&w, grabAndQuit] {
                    w.Bt_WR_Kalwert->click();
                    // And the comparison with the controller, then the trace.
                    QTimer::singleShot(kSettleMs, &w, [&w, grabAndQuit] {
                        w.compare1Click();
                        QTimer::singleShot(kSettleMs, &w, [&w, grabAndQuit] {
                            openTraceAtRamRead(w);
                            w.openTrend();
                            grabAndQuit();
                        });
                    });
                });
            });
        });
    });
    const int status = app.exec();
    return status != 0 ? status : run.ok() ? 0 : 1;
}
