// The language menu and the labelling of the windows in the chosen language.
#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "app/lang_form.h"
#include "text/own_texts.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// Each code with the handler that applies it, in the order the start-up compares them.
struct StoredLanguage {
    const char* code;
    void (THauptfenster::*handler)();
};
constexpr StoredLanguage kStoredLanguages[] = {
    {"eng", &THauptfenster::english1Click}, {"ger", &THauptfenster::german1Click},
    {"schw", &THauptfenster::Schwe1Click},  {"franz", &THauptfenster::Franzsich1Click},
    {"tuerk", &THauptfenster::tuerk1Click},
};

} // namespace

void THauptfenster::german1Click() {
    chooseLanguage(QStringLiteral("ger"), german1);
}

void THauptfenster::english1Click() {
    chooseLanguage(QStringLiteral("eng"), english1);
}

void THauptfenster::Schwe1Click() {
    chooseLanguage(QStringLiteral("schw"), Schwe1);
}

void THauptfenster::Franzsich1Click() {
    chooseLanguage(QStringLiteral("franz"), Franzsich1);
}

void THauptfenster::tuerk1Click() {
    chooseLanguage(QStringLiteral("tuerk"), tuerk1);
}

void THauptfenster::chooseLanguage(const QString& code, QAction* item) {
    language_code = code;
    for (QAction* each : {german1, english1, Schwe1, Franzsich1, tuerk1})
        each->setChecked(each == item);
    apply_language();
}

void THauptfenster::apply_language() {
    // Qt's own strings first, so that whatever relabels on the signal below sees them.
    qt_translation.use(activeLanguage());
    const auto textOf = [this](int row) { return GetInfoString(row); };
    // Every caption the pages were built with from a row, in the rows' own order.
    applyCaptions(captionRows_, textOf);
    // Built with a caption of its own; a language gives it its row.
    Label22->setText(textOf(115));
    Com_activate_bt->setText(textOf(sio_started ? 101 : 50));
    applyCaptions(Infofenst->captionRows(), textOf);
    // The log's lines are in the language they were written in.
    Memo1->clear();
    // Our own captions: the tools menu here, the instrument windows on the signal.
    tools1->setTitle(ownText(activeLanguage(), OwnText::ToolsMenu));
    emit languageApplied();
}

void THauptfenster::startLanguage() {
    if (language_code == QLatin1String("none")) {
        lang_form->show();
        return;
    }
    for (const StoredLanguage& stored : kStoredLanguages) {
        if (language_code == QLatin1String(stored.code)) {
            (this->*stored.handler)();
            return;
        }
    }
}
