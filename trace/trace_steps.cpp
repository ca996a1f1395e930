// The window's side of the telegram trace: every transfer the link reports goes into the
// trace and the statistics, tagged with the exchange it belonged to, and a failed one's
// cause into the status line's message panel. The error step's message box still says
// what it always said; the note beside it tells the technician where to look: nothing
// came back (cable, port, power), the answer stopped, wrong bytes came (wrong device,
// noise), the answers of a confirmed read all differed (corrupted data), or the port is gone. It
// stays until the next connect or the next sound exchange.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "protocol/protocol_state.h"
#include "text/confirm_texts.h"
#include "text/trace_texts.h"
#include "trace/trace_rows.h"
#include "trace/trace_window.h"

#include <QAction>
#include <QMenu>

void THauptfenster::traceTransfer(const TransferRecord& record) {
    TraceEntry entry;
    entry.record = record;
    entry.exchange = traceExchangeOf(protocol_step);
    entry.recovery = isRecoveryStep(protocol_step);
    // The generation is known once the hardware test has answered.
    if (entry.exchange != TraceExchange::HardwareTest && entry.exchange != TraceExchange::Sync)
        entry.hwOld = HW_old;
    link_statistics.add(entry);
    trace_ring.append(std::move(entry));

    // The recovery follows the failure it mends: it neither clears nor replaces its note.
    if (isRecoveryStep(protocol_step))
        return;
    if (record.sound()) {
        clearLinkDiagnosis();
        return;
    }
    diagnosis_ = record;
    diagnosisCorrupted_ = false;
    showLinkDiagnosis();
}

void THauptfenster::noteCorruptedRead() {
    // Every answer of the read was sound on the line: the note is about their data.
    TraceEntry* last = trace_ring.newest();
    if (!last)
        return;
    last->corrupted = true;
    diagnosis_ = last->record;
    diagnosisCorrupted_ = true;
    showLinkDiagnosis();
    if (traceWindow)
        traceWindow->relabel();
}

void THauptfenster::showLinkDiagnosis() {
    if (!diagnosis_)
        return;
    const QString note = diagnosisCorrupted_
                             ? confirmText(activeLanguage(), ConfirmText::DiagnosisCorrupted)
                             : diagnosisText(activeLanguage(), *diagnosis_);
    StatusBar3->setPanelText(TStatusLine::kMessagePanel, note);
    diagnosisNote_ = note;
}

void THauptfenster::clearLinkDiagnosis() {
    if (!diagnosis_)
        return; // the usual case on every transfer
    if (StatusBar3->panelText(TStatusLine::kMessagePanel) == diagnosisNote_)
        StatusBar3->setPanelText(TStatusLine::kMessagePanel, QString());
    diagnosis_.reset();
    diagnosisCorrupted_ = false;
    diagnosisNote_.clear();
}

void THauptfenster::addTraceMenuItem() {
    trace1 = tools1->addAction(traceText(std::nullopt, TraceText::MenuItem));
    connect(trace1, &QAction::triggered, this, [this] { openTrace(); });
    connect(this, &THauptfenster::languageApplied, this, [this] {
        trace1->setText(traceText(activeLanguage(), TraceText::MenuItem));
        // A note still on screen follows the language.
        if (diagnosis_ && StatusBar3->panelText(TStatusLine::kMessagePanel) == diagnosisNote_)
            showLinkDiagnosis();
    });
}

void THauptfenster::openTrace() {
    if (!traceWindow) {
        traceWindow = new TTraceWindow(this, trace_ring, link_statistics,
                                       [this] { return activeLanguage(); });
        connect(this, &THauptfenster::languageApplied, traceWindow, &TTraceWindow::relabel);
    }
    traceWindow->show();
    traceWindow->raise();
    traceWindow->activateWindow();
}
