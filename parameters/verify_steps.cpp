// The read-back after a write (queueVerify, Req_Verify_rd, Resp_Verify_rd): after a write
// whose echoes were all sound, the parameter words are read once more from what the
// controller keeps over a power cut, the parameter memory (the old hardware's RAM mirror
// beside it), without touching a field, and compared with what the write sent. The echo only shows
// that each byte crossed the line; the read-back shows that the controller stored it. The tools
// menu item turns it off and on and is kept in the settings file.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "base/ini_file.h"
#include "base/message_sink.h"
#include "base/settings_location.h"
#include "base/verify_setting.h"
#include "parameters/parameter_compare.h"
#include "parameters/parameter_memory_read.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "text/verify_texts.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>

void THauptfenster::buildVerifyItems() {
    IniFile ini;
    ini.load(settingsFilePath()); // missing or unreadable: the check stays on
    verify_after_write1 =
        tools1->addAction(verifyText(std::nullopt, VerifyText::VerifyAfterWriteItem));
    verify_after_write1->setCheckable(true);
    verify_after_write1->setChecked(readVerifyAfterWrite(ini));
    compare1 = tools1->addAction(verifyText(std::nullopt, VerifyText::CompareItem));
    buildFailedWriteNotes();
    // Only a user's choice is stored; the program's own setChecked above is not.
    connect(verify_after_write1, &QAction::triggered, this,
            [this](bool on) { verify_after_write1Click(on); });
    connect(compare1, &QAction::triggered, this, [this] { compare1Click(); });
    // The comparison needs a link whose controller is known.
    connect(tools1, &QMenu::aboutToShow, this, [this] { compare1->setEnabled(sio_active); });
    connect(this, &THauptfenster::languageApplied, this, [this] {
        const auto language = activeLanguage();
        verify_after_write1->setText(verifyText(language, VerifyText::VerifyAfterWriteItem));
        compare1->setText(verifyText(language, VerifyText::CompareItem));
        const QString note = verifyText(language, VerifyText::WrittenAndVerified);
        if (!verified_note.isEmpty() &&
            StatusBar3->panelText(TStatusLine::kMessagePanel) == verified_note) {
            StatusBar3->setPanelText(TStatusLine::kMessagePanel, note);
            verified_note = note;
        }
        if (CompareDialog)
            refreshComparison();
    });
}

void THauptfenster::verify_after_write1Click(bool on) {
    const QString path = settingsFilePath();
    QString error;
    if (!writeVerifyAfterWrite(path, on, &error))
        showMessage(verifyText(activeLanguage(), VerifyText::SettingNotSaved)
                        .arg(QDir::toNativeSeparators(path), error));
}

void THauptfenster::queueVerify() {
    // The note of an earlier write must not vouch for this one.
    if (!verified_note.isEmpty() &&
        StatusBar3->panelText(TStatusLine::kMessagePanel) == verified_note)
        StatusBar3->setPanelText(TStatusLine::kMessagePanel, QString());
    verified_note.clear();
    if (verify_after_write1->isChecked() && written_parameters)
        verify_rd_req = true;
}

void THauptfenster::Req_Verify_rd() {
    startRequest(buildParameterMemoryRead(HW_old), Step::Resp_Verify_rd);
}

void THauptfenster::Resp_Verify_rd() {
    if (!response_ready)
        return;
    const std::optional<ParameterMemoryRead> read =
        decodeParameterMemoryRead(HW_old, receivedAnswer(), HW_Ver_Nr);
    if (!read) {
        data_error = true; // an answer that ends early is a failed one: the error step
        return;
    }
    verify_rd_req = false;
    ProgressBar_EEP->setValue(0);
    response_ready = false;
    SPStimer->stop();
    protocol_step = Step::Synchronisation;
    ram_rd_req = true; // the live reading resumes, as after the write

    // A controller too old for ramp times reads none back: there is nothing to compare.
    const QList<ParameterRow> differing =
        written_parameters ? differingFromController(
                                 activeLanguage(), written_parameters->set, *read,
                                 written_parameters->withRampTimes && read->memory.hasRampTimes)
                                 .rows
                           : QList<ParameterRow>{};
    if (differing.isEmpty()) {
        verified_note = verifyText(activeLanguage(), VerifyText::WrittenAndVerified);
        StatusBar3->setPanelText(TStatusLine::kMessagePanel, verified_note);
    } else {
        showMessage(verifyFailedMessage(activeLanguage(), differing));
    }
    SPStimer->start();
}
