// What a failed write leaves behind (noteFailedWrite, clearFailedWriteNote): a write whose
// answer check failed may have stored part of what it sent, as the controller stores each
// item as it comes. The error step's message box says what it always said; the status
// line's message panel says what the controller may hold and what to do (a failed
// calibration also in the calibration log, in full). A failed calibration write also marks
// the identity stale: the next calibration is computed only from a fresh identity read.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"

#include <QPlainTextEdit>
#include <utility>

void THauptfenster::buildFailedWriteNotes() {
    connect(this, &THauptfenster::languageApplied, this, [this] {
        if (failed_write && StatusBar3->panelText(TStatusLine::kMessagePanel) == failed_write_note)
            showFailedWriteNote();
    });
}

void THauptfenster::noteFailedWrite() {
    const std::optional<WriteFailureText> kind = std::exchange(write_under_way, std::nullopt);
    if (!kind)
        return; // the failure came before the write telegram went out, or after it
    if (*kind == WriteFailureText::CalibrationWrite) {
        identity_stale = true;
        // In full where the calibration is made.
        Memo1->appendPlainText(
            writeFailureText(activeLanguage(), WriteFailureText::CalibrationWriteLog));
    }
    failed_write = kind;
    showFailedWriteNote();
}

void THauptfenster::showFailedWriteNote() {
    // In place of the link diagnosis, whose cause the trace keeps: what the controller may
    // hold matters more now.
    failed_write_note = writeFailureText(activeLanguage(), *failed_write);
    StatusBar3->setPanelText(TStatusLine::kMessagePanel, failed_write_note);
}

void THauptfenster::clearFailedWriteNote(WriteFailureText kind) {
    write_under_way.reset();
    if (failed_write != kind)
        return; // the note is about another write, still to be made good
    if (StatusBar3->panelText(TStatusLine::kMessagePanel) == failed_write_note)
        StatusBar3->setPanelText(TStatusLine::kMessagePanel, QString());
    failed_write.reset();
    failed_write_note.clear();
}
