// The parameter write started by the write button (uC_send_btClick, Req_Data_Write,
// Resp_Data_Write): the fields as they stand when the request runs, written into RAM and
// parameter memory between two writes of the PC request word. A sound write queues the
// read-back (parameters/verify_steps.cpp) when it is on. Fields that hold values the
// controller never held are written only after the technician's yes (field_origin).
#include "app/hauptfenster.h"
#include "base/message_sink.h"
#include "parameters/parameter_set.h"
#include "parameters/write_fields.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "text/own_texts.h"
#include "text/write_question_texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>

namespace {

// The caption a technician knows the refused field by.
QString fieldCaption(const THauptfenster& w, const FieldRefusal& refusal) {
    const auto text = [&w](int row) { return w.GetInfoString(row).trimmed(); };
    switch (refusal.field) {
    case RefusedField::Takt: {
        const bool weekend = refusal.index >= 3;
        const int period = refusal.index % 3;
        return text(weekend ? 42 : 34) + QStringLiteral(" – ") + text((weekend ? 44 : 36) + period);
    }
    case RefusedField::StartFrequency:
        return text(91);
    case RefusedField::BurnIn:
        return text(93);
    case RefusedField::Darken:
        return text(113);
    case RefusedField::Brighten:
        return text(114);
    }
    return {};
}

} // namespace

bool THauptfenster::writeConfirmed() {
    if (!field_origin.writeNeedsQuestion())
        return true;
    // No tick runs behind the modal question; a cancel leaves the reading as it was.
    const bool wasRunning = SPStimer->isActive();
    SPStimer->stop();
    const StaleWatch::Hold hold(liveWatch_);
    const bool proceed = askQuestion(writeQuestion(activeLanguage()));
    if (!proceed && wasRunning)
        SPStimer->start();
    return proceed;
}

void THauptfenster::uC_send_btClick() {
    // The values the controller never held (the start-up values, another connection's set)
    // are written only when the technician says so.
    if (!writeConfirmed())
        return;
    uC_send_bt->setEnabled(false);
    response_ready = false;
    SPStimer->stop();
    data_wr_req = true;
    ram_rd_req = false; // the live reading pauses while the write runs
    if (!sio_active) {
        protocol_step = Step::Init_Sio;
        port_name = com_port;
    } else {
        protocol_step = Step::Synchronisation;
    }
    SPStimer->start();
}

bool THauptfenster::rampTimesPermitted() const {
    return rampTimesAllowed(passw_level, HW_old, HW_Ver_Nr);
}

ParameterFields THauptfenster::parameterFieldsShown() const {
    ParameterFields fields;
    const auto pickers = profilePickers();
    for (std::size_t i = 0; i < pickers.size(); ++i)
        fields.profileTimes[i] = pickers[i]->time();
    const auto takts = periodTakts();
    for (std::size_t i = 0; i < takts.size(); ++i)
        fields.takts[i] = takts[i]->text();
    fields.startHz = takt_burn_visu->text();
    fields.burnInMinutes = time_burn_visu->text();
    fields.darkenSeconds = Edit6->text();
    fields.brightenSeconds = Edit10->text();
    return fields;
}

void THauptfenster::Req_Data_Write() {
    const bool withRampTimes = rampTimesPermitted();
    const auto result = parameterSetFromFields(parameterFieldsShown(), withRampTimes);
    if (const auto* refusal = std::get_if<FieldRefusal>(&result)) {
        // Refused before a byte is sent: say which field, then carry on reading.
        SPStimer->stop();
        showMessage(ownText(activeLanguage(), OwnText::WriteRefused)
                        .arg(fieldCaption(*this, *refusal), refusal->text));
        endDataWrite();
        return;
    }
    // The fields have passed: every takt fits its byte, so the items are there.
    const auto items = dataWriteItems(HW_old, std::get<ParameterSet>(result), withRampTimes);
    written_parameters = WrittenParameters{std::get<ParameterSet>(result), withRampTimes};
    Q_ASSERT(items);
    if (!withRampTimes && HW_old)
        Label22->show();
    write_under_way = WriteFailureText::ParameterWrite;
    startRequest(buildWrites(HW_old, items.value_or(QList<WriteItem>{})), Step::Resp_Data_Write);
}

void THauptfenster::Resp_Data_Write() {
    if (!response_ready)
        return;
    // The answer is the echo of every byte, checked by the link; no data comes back.
    ProgressBar_EEP->setValue(0);
    clearFailedWriteNote(WriteFailureText::ParameterWrite);
    queueVerify();
    endDataWrite();
}

void THauptfenster::endDataWrite() {
    data_wr_req = false;
    ram_rd_req = true; // the live reading resumes
    response_ready = false;
    protocol_step = Step::Synchronisation;
    updateWriteButton();
    SPStimer->start();
}
