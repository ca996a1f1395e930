// Confirmed reads in the window: the answer of a read whose values are kept (identity,
// parameter read, read-back, comparison, fault memory) goes to the confirmation before
// its response step runs. The same request is sent once more, as one more exchange of its
// own after a synchronisation, until two answers agree; the response step then runs on
// the answer just received, which is the one they agreed on. Three answers that all
// differ fail the read as a failed answer does, with a message that says the line
// corrupted data. The tools menu item turns it off (kept in the settings file).
#include "app/hauptfenster.h"
#include "base/confirm_setting.h"
#include "base/ini_file.h"
#include "base/message_sink.h"
#include "base/settings_location.h"
#include "protocol/protocol_state.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "text/confirm_texts.h"
#include "text/verify_texts.h"

#include <QAction>
#include <QDir>
#include <QMenu>

void THauptfenster::addConfirmItem() {
    IniFile ini;
    ini.load(settingsFilePath()); // missing or unreadable: the confirmation stays on
    confirm_reads1 = tools1->addAction(confirmText(std::nullopt, ConfirmText::ConfirmReadsItem));
    confirm_reads1->setCheckable(true);
    confirm_reads1->setChecked(readConfirmReads(ini));
    // Only a user's choice is stored; the program's own setChecked above is not.
    connect(confirm_reads1, &QAction::triggered, this,
            [this](bool on) { confirm_reads1Click(on); });
    connect(this, &THauptfenster::languageApplied, this, [this] {
        confirm_reads1->setText(confirmText(activeLanguage(), ConfirmText::ConfirmReadsItem));
    });
}

void THauptfenster::confirm_reads1Click(bool on) {
    const QString path = settingsFilePath();
    QString error;
    if (!writeConfirmReads(path, on, &error))
        showMessage(verifyText(activeLanguage(), VerifyText::SettingNotSaved)
                        .arg(QDir::toNativeSeparators(path), error));
}

bool THauptfenster::confirmReadsOn() const {
    return !confirm_reads1 || confirm_reads1->isChecked();
}

void THauptfenster::resetConfirmation() {
    read_confirmation.reset();
    confirm_repeat_.reset();
}

bool THauptfenster::confirmAnswer() {
    if (!confirmReadsOn() || !response_ready || data_error || !isConfirmedResponse(protocol_step))
        return true;
    switch (read_confirmation.add(receivedAnswer().toByteArray())) {
    case ReadConfirmation::Verdict::Confirmed:
        // The answer just received is the one two reads agreed on.
        confirm_repeat_.reset();
        return true;
    case ReadConfirmation::Verdict::NeedAnother:
        // The same request once more, as an exchange of its own; its flag stays set.
        response_ready = false;
        confirm_repeat_ = exchangeOf(protocol_step)->request;
        protocol_step = Step::Synchronisation;
        return false;
    case ReadConfirmation::Verdict::Corrupted:
        break;
    }
    response_ready = false;
    corrupted_read_ = true;
    protocol_step = Step::DatenFehler;
    DatenFehler();
    return false;
}
