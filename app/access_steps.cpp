// The service page's password and the pages each access level opens.
#include "app/hauptfenster.h"
#include "base/access_levels.h"

#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>

namespace {

// A modal text entry. The entry is masked; Cancel gives back the pre-filled word, which
// no password matches.
QString askPassword(QWidget* parent, const QString& caption, const QString& prompt,
                    const QString& preset) {
    QInputDialog* dialog = THauptfenster::passwordDialog(parent, caption, prompt, preset);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QString entry = dialog->textValue();
    delete dialog;
    return accepted ? entry : preset;
}

void setTabShown(QTabWidget* pages, QWidget* page, const std::optional<bool>& shown) {
    if (shown)
        pages->setTabVisible(pages->indexOf(page), *shown);
}

} // namespace

QInputDialog* THauptfenster::passwordDialog(QWidget* parent, const QString& caption,
                                            const QString& prompt, const QString& preset) {
    auto* dialog = new QInputDialog(parent);
    dialog->setWindowTitle(caption);
    dialog->setLabelText(prompt);
    dialog->setTextEchoMode(QLineEdit::Password);
    dialog->setTextValue(preset);
    return dialog;
}

void THauptfenster::PageControl1Change() {
    if (service_unlocked || PageControl1->currentWidget() != TabSheet2) {
        TabSheet2_contents->show();
        return;
    }
    passw_level = 0;
    TabSheet2_contents->hide();

    const QString caption = GetInfoString(65);
    const QString prompt = GetInfoString(66);
    const QString preset = GetInfoString(163);
    const QString entry = passwordPrompt ? passwordPrompt(caption, prompt, preset)
                                         : askPassword(this, caption, prompt, preset);

    service_unlocked = false;
    const AccessLevel level = accessLevelOf(entry);
    const std::optional<AccessView> view = accessViewOf(level);
    if (!view) {
        // No message for a wrong entry: back to the first page, without asking again.
        const QSignalBlocker blocker(PageControl1);
        PageControl1->setCurrentWidget(TabSheet1);
        return;
    }
    Grenzw_cont->setVisible(view->limitsGroup);
    passw_level = passwLevelOf(level);
    service_unlocked = true;
    TabSheet2_contents->show();
    setTabShown(PageControl1, TabSheet3, view->calibrationTab);
    setTabShown(PageControl1, TabSheet4, view->measurementTab);
    setTabShown(PageControl1, TabSheet5, view->parameterMemoryTab);
    setTabShown(PageControl1, TabSheet6, view->lightControlTab);
}
