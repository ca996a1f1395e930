// The fault memory (err_mem_read_btClick, Req_Errmem_rd, Resp_Errmem_rd and
// err_mem_clear_btClick, Req_Errmem_Clear, Resp_Errmem_Clear): the ring listed newest
// first in StringGrid1, and cleared with its write position. The fault texts are taken in
// the language of the moment they are shown and stay as they are after a language change.
// A record with several faults joins their texts, wider than the column can show: each
// fault-text cell carries its whole text as its tooltip.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "services/fault_ring.h"
#include "text/own_texts.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {

// Column 2 of a row: the fault text, whole in the tooltip however narrow the column.
void setFaultText(QTableWidget* grid, int row, const QString& text) {
    QTableWidgetItem* cell = grid->item(row, 2);
    cell->setText(text);
    cell->setToolTip(text);
}

} // namespace

void THauptfenster::err_mem_read_btClick() {
    err_mem_read_bt->setEnabled(false);
    response_ready = false;
    SPStimer->stop();
    errmem_rd_req = true;
    ProgressBar_EEP->setValue(0);
    protocol_step = Step::Synchronisation;
    SPStimer->start();
}

void THauptfenster::err_mem_clear_btClick() {
    err_mem_clear_bt->setEnabled(false);
    response_ready = false;
    SPStimer->stop();
    errmem_clr_req = true;
    ProgressBar_EEP->setValue(0);
    protocol_step = Step::Synchronisation;
    SPStimer->start();
}

void THauptfenster::Req_Errmem_rd() {
    startRequest(buildErrmemRead(HW_old), Step::Resp_Errmem_rd);
}

void THauptfenster::Resp_Errmem_rd() {
    if (!response_ready)
        return;
    const std::optional<FaultAnswer> answer = faultAnswerWords(HW_old, receivedAnswer());
    if (!answer) {
        data_error = true; // an answer that ends early is a failed one: the error step
        return;
    }
    const FaultAnswer& words = *answer;
    clearFailedWriteNote(WriteFailureText::FaultMemoryClear); // read: now it is known
    const FaultList list = decodeFaultRing(HW_old, words);
    session_faults = list;
    session_fault_position = words[kFaultItems - 1];
    const auto text = [this](int row) { return GetInfoString(row); };
    for (int r = 0; r < kFaultRecordCount; ++r) {
        const FaultRow& row = list.rows[std::size_t(r)];
        StringGrid1->item(r + 1, 1)->setText(row.time);
        setFaultText(StringGrid1, r + 1, faultText(row.bits, text));
    }
    // A position beyond the ring is the controller's fault, not the link's: the list is
    // shown all the same and the status line says why it may not be in order.
    StatusBar3->setPanelText(TStatusLine::kMessagePanel,
                             list.impossiblePosition
                                 ? ownText(activeLanguage(), OwnText::FaultPositionImpossible)
                                       .arg(words[kFaultItems - 1])
                                 : QString());

    response_ready = false;
    SPStimer->stop();
    protocol_step = Step::Synchronisation;
    errmem_rd_req = false;
    ram_rd_req = true; // the live reading resumes
    SPStimer->start();
    err_mem_read_bt->setEnabled(true);
    ProgressBar_EEP->setValue(0);
}

void THauptfenster::Req_Errmem_Clear() {
    write_under_way = WriteFailureText::FaultMemoryClear;
    startRequest(buildErrmemClear(HW_old), Step::Resp_Errmem_Clear);
}

void THauptfenster::Resp_Errmem_Clear() {
    if (!response_ready)
        return;
    // Not read back: the echo of every byte, checked by the link, is the answer.
    ProgressBar_EEP->setValue(0);
    clearFailedWriteNote(WriteFailureText::FaultMemoryClear);
    for (int r = 1; r <= kFaultRecordCount; ++r) {
        setFaultText(StringGrid1, r, QString());
        StringGrid1->item(r, 1)->setText(QString());
    }
    StatusBar3->setPanelText(TStatusLine::kMessagePanel, QString());
    session_faults = FaultList{}; // known empty now
    session_fault_position = 0;
    response_ready = false;
    SPStimer->stop();
    protocol_step = Step::Synchronisation;
    errmem_clr_req = false;
    err_mem_clear_bt->setEnabled(true);
    ram_rd_req = true; // the live reading resumes
    SPStimer->start();
}
