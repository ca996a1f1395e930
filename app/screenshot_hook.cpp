#include "app/screenshot_hook.h"

#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "app/lang_form.h"
#include "text/info_table.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace {

constexpr int kSettleMs = 3000;

const struct {
    const char* code;
    Language language;
} kLanguages[] = {{"ger", Language::German},
                  {"eng", Language::English},
                  {"schw", Language::Swedish},
                  {"franz", Language::French},
                  {"tuerk", Language::Turkish}};

QString suffix() {
    const QString code = qEnvironmentVariable("TRV5200_SCREENSHOT_LANGUAGE");
    return code.isEmpty() ? QString() : QLatin1Char('-') + code;
}

void save(QWidget* widget, const QString& dir, const QString& name) {
    const QString path = dir + QLatin1Char('/') + name + suffix() + QStringLiteral(".png");
    if (!widget->grab().save(path))
        qWarning("Screenshot: cannot write %s", qPrintable(path));
}

void grabPages(THauptfenster* w, const QString& dir) {
    qInfo("Screenshot: window %dx%d, minimum %dx%d", w->width(), w->height(),
          w->minimumSizeHint().width(), w->minimumSizeHint().height());
    for (int i = 0; i < w->PageControl1->count(); ++i)
        w->PageControl1->setTabVisible(i, true);
    w->TabSheet2_contents->show();
    w->Grenzw_cont->show();
    for (int i = 0; i < w->PageControl1->count(); ++i) {
        QWidget* page = w->PageControl1->widget(i);
        w->PageControl1->setCurrentIndex(i);
        QApplication::processEvents();
        save(w, dir,
             QStringLiteral("%1-%2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(page->objectName()));
        // The page's own minimum tells whether it would push the window beyond its size.
        qInfo("Screenshot: %s, minimum %dx%d, shown %dx%d", qPrintable(page->objectName()),
              page->minimumSizeHint().width(), page->minimumSizeHint().height(), page->width(),
              page->height());
    }
    for (QDialog* dialog :
         {static_cast<QDialog*>(w->Infofenst), static_cast<QDialog*>(w->lang_form)}) {
        dialog->show();
        QApplication::processEvents();
        save(dialog, dir, dialog->metaObject()->className());
        dialog->hide();
    }
    QApplication::quit();
}

} // namespace

std::optional<Language> screenshotLanguage() {
    const QString code = qEnvironmentVariable("TRV5200_SCREENSHOT_LANGUAGE");
    for (const auto& entry : kLanguages)
        if (code == QLatin1String(entry.code))
            return entry.language;
    return std::nullopt;
}

bool scheduleScreenshots(THauptfenster& window) {
    const QString dir = qEnvironmentVariable("TRV5200_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return false;
    QDir().mkpath(dir);
    // Object names give the files readable names.
    const struct {
        QWidget* page;
        const char* name;
    } pages[] = {{window.TabSheet1, "TabSheet1"}, {window.TabSheet2, "TabSheet2"},
                 {window.TabSheet3, "TabSheet3"}, {window.TabSheet4, "TabSheet4"},
                 {window.TabSheet5, "TabSheet5"}, {window.TabSheet6, "TabSheet6"}};
    for (const auto& p : pages)
        p.page->setObjectName(QLatin1String(p.name));

    THauptfenster* w = &window;
    const bool connectFirst =
        qEnvironmentVariable("TRV5200_SCREENSHOT_CONNECT") == QLatin1String("1");
    QTimer::singleShot(kSettleMs, w, [w, dir, connectFirst] {
        if (!connectFirst) {
            grabPages(w, dir);
            return;
        }
        w->Com_activate_bt->click();
        QTimer::singleShot(kSettleMs, w, [w, dir] { grabPages(w, dir); });
    });
    return true;
}
