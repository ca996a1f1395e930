// The protocol sequencer: one step per 50 ms tick, connecting and disconnecting, the
// port change, the read button, and the error step after a failed answer check.
#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "app/widgets/state_strip.h"
#include "base/message_sink.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "protocol/telegram.h"
#include "serial/sio.h"
#include "text/confirm_texts.h"
#include "text/own_texts.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <exception>
#include <utility>

void THauptfenster::SPStimerTimer() {
    // Before any step: the tick that runs a response still sees its exchange pending, so
    // the time an exchange pauses the reading never counts as the display going stale.
    checkLiveFreshness();
    // A step that shows a modal message runs a nested event loop; ticks that arrive
    // meanwhile must not start another step (a second link while the open failure is
    // on screen, for one).
    if (stepRunning_)
        return;
    if (port_open && Ths && (!Ths->isAsleep() || Ths->anmeldung))
        return; // a transfer is pending or running
    if (data_error)
        protocol_step = Step::DatenFehler;
    stepRunning_ = true;
    runStep();
    stepRunning_ = false;
    StatusBar2->update();
    StatusBar1->update();
}

namespace {

using StepRoutine = void (THauptfenster::*)();

// The window method each exchange step runs. Exchanges whose steps are not listed here
// are not built yet: their codes do nothing, like any unknown code.
constexpr std::pair<qint32, StepRoutine> kExchangeRoutines[] = {
    {Step::Req_Ram_rd, &THauptfenster::Req_Ram_rd},
    {Step::Resp_Ram_rd, &THauptfenster::Resp_Ram_rd},
    {Step::Req_Data_rd, &THauptfenster::Req_Data_rd},
    {Step::Resp_Data_rd, &THauptfenster::Resp_Data_rd},
    {Step::Req_Data_Write, &THauptfenster::Req_Data_Write},
    {Step::Resp_Data_Write, &THauptfenster::Resp_Data_Write},
    {Step::Req_HW_Test, &THauptfenster::Req_HW_Test},
    {Step::Resp_HW_Test, &THauptfenster::Resp_HW_Test},
    {Step::Req_HW_Info, &THauptfenster::Req_HW_Info},
    {Step::Resp_HW_Info, &THauptfenster::Resp_HW_Info},
    {Step::Req_Kal_Write, &THauptfenster::Req_Kal_Write},
    {Step::Resp_Kal_Write, &THauptfenster::Resp_Kal_Write},
    {Step::Req_Time_write, &THauptfenster::Req_Time_write},
    {Step::Resp_Time_write, &THauptfenster::Resp_Time_write},
    {Step::Req_Errmem_rd, &THauptfenster::Req_Errmem_rd},
    {Step::Resp_Errmem_rd, &THauptfenster::Resp_Errmem_rd},
    {Step::Req_Errmem_Clear, &THauptfenster::Req_Errmem_Clear},
    {Step::Resp_Errmem_Clear, &THauptfenster::Resp_Errmem_Clear},
    {Step::Req_Verify_rd, &THauptfenster::Req_Verify_rd},
    {Step::Resp_Verify_rd, &THauptfenster::Resp_Verify_rd},
    {Step::Req_Compare_rd, &THauptfenster::Req_Compare_rd},
    {Step::Resp_Compare_rd, &THauptfenster::Resp_Compare_rd},
};

constexpr bool hasRoutine(qint32 step) {
    for (const auto& entry : kExchangeRoutines)
        if (entry.first == step)
            return true;
    return false;
}

// Every routine belongs to a step of the exchange table, and an exchange has both its
// routines or none: a request without its response would leave the sequencer waiting.
constexpr bool routinesMatchTheExchanges() {
    for (const auto& entry : kExchangeRoutines) {
        bool known = false;
        for (const Exchange& exchange : kExchanges)
            known = known || exchange.request == entry.first || exchange.response == entry.first;
        if (!known)
            return false;
    }
    for (const Exchange& exchange : kExchanges)
        if (hasRoutine(exchange.request) != hasRoutine(exchange.response))
            return false;
    return true;
}
static_assert(routinesMatchTheExchanges());

StepRoutine routineOf(qint32 step) {
    switch (step) {
    case Step::Init_Sio:
        return &THauptfenster::Init_Sio;
    case Step::Synchronisation:
        return &THauptfenster::Synchronisation;
    case Step::Syncresp:
        return &THauptfenster::Syncresp;
    case Step::DatenFehler:
        return &THauptfenster::DatenFehler;
    default:
        break;
    }
    for (const auto& [code, routine] : kExchangeRoutines)
        if (code == step)
            return routine;
    return nullptr;
}

} // namespace

void THauptfenster::runStep() {
    // A confirmed read's answer counts only when another agrees with it.
    if (!confirmAnswer())
        return;
    // Any other code does nothing; the tick only repaints.
    if (const StepRoutine routine = routineOf(protocol_step))
        (this->*routine)();
}

void THauptfenster::offerConnect() {
    Com_activate_bt->setEnabled(true);
    Com_activate_bt->setText(GetInfoString(50));
}

void THauptfenster::enableRequestButtons() {
    for (QPushButton* button : {uC_send_bt, uC_read_bt, clk_bt, err_mem_read_bt, err_mem_clear_bt})
        button->setEnabled(true);
}

void THauptfenster::dropRequestsAfterFailedOpen() {
    // As the error step does: a request queued before the failure (a write, a calibration,
    // the clock, a clear) would otherwise run at the next connect, long after the
    // technician gave up on it, with whatever the fields hold by then.
    clearRequests(*this);
    for (QPushButton* button :
         {uC_read_bt, uC_send_bt, err_mem_read_bt, err_mem_clear_bt, clk_bt, Bt_WR_Kalwert})
        button->setEnabled(false);
}

void THauptfenster::Init_Sio() {
    releaseLink();
    try {
        Ths = new TSio();
    } catch (const std::exception&) {
        Ths = nullptr;
        sio_started = false;
        sio_active = false;
        SPStimer->stop();
        dropRequestsAfterFailedOpen();
        showMessage(QStringLiteral("       COM-Error! (") + port_name + QStringLiteral(")    "));
        offerConnect();
        return;
    }
    connect(Ths, &TSio::progressChanged, this, &THauptfenster::setProgress);
    // A vanished port is closed by the link; the next connect creates a new link.
    connect(Ths, &TSio::portLost, this, [this] { sio_active = false; });
    connect(Ths, &TSio::transferEnded, this, &THauptfenster::traceTransfer);

    if (port_handle == -1) {
        // The link has shown why the port could not be opened; what to do about it goes
        // into the status line before the next message covers the window.
        sio_started = false;
        sio_active = false;
        SPStimer->stop();
        dropRequestsAfterFailedOpen();
        showPortHint(Ths->openError(), Ths->devicePath());
        showMessage(QStringLiteral("Fehler an ") + port_name);
        offerConnect();
        protocol_step = Step::Synchronisation;
        return;
    }
    sio_active = true;
    clearPortHint();
    enableRequestButtons();
    Ths->setBaudRate38400();
    protocol_step = Step::Synchronisation;
}

void THauptfenster::Synchronisation() {
    if (!sio_active || !Ths || !port_open) {
        // No usable link (a port change, or the port vanished): a request made meanwhile
        // first opens the selected port.
        port_name = ComboBox1->currentText();
        protocol_step = Step::Init_Sio;
        return;
    }
    startRequest(buildSynchronisation(), Step::Syncresp);
}

void THauptfenster::Syncresp() {
    if (!response_ready)
        return;
    response_ready = false;
    // A confirmed read asked for its request once more: it comes before anything queued
    // meanwhile, so that its answers are all of the same telegram.
    if (confirm_repeat_) {
        protocol_step = *std::exchange(confirm_repeat_, std::nullopt);
        return;
    }
    read_confirmation.reset(); // a new read begins
    // With nothing pending the step stays here; every later tick finds response_ready
    // false until a user action sets step 1 again.
    if (const auto request = nextRequestStep(*this))
        protocol_step = *request;
}

void THauptfenster::DatenFehler() {
    SPStimer->stop();
    // One event, one message: a port that vanished (a USB adapter pulled) failed the
    // transfer, and saying so tells more than the data error it caused.
    const bool portLost = Ths && Ths->hasLostPort();
    // A read whose three answers all differed: every answer was sound on the line, so
    // the data error would say nothing; the line corrupted the data.
    const bool corrupted = std::exchange(corrupted_read_, false) && !portLost;
    if (corrupted)
        noteCorruptedRead();
    showMessage(portLost
                    ? ownText(activeLanguage(), OwnText::PortLost).arg(port_name, Ths->devicePath())
                : corrupted ? confirmText(activeLanguage(), ConfirmText::LineCorruptedData)
                            : QStringLiteral("       COM Data-Error!       "));
    clearRequests(*this);
    resetConfirmation();
    sio_started = false;
    data_error = false;
    protocol_step = Step::Synchronisation;
    init_anzeige();
    noteFailedWrite(); // what a write that failed may have left in the controller
    offerConnect();
    // Nothing can be sent on a port that is gone: the telegram would only fail again and
    // leave data_error set. The next connect opens the port anew.
    if (portLost)
        return;

    // One resynchronisation telegram, not evaluated: ten synchronisation bytes, then ten
    // acknowledge bytes that bring a controller caught in the middle of an item back to
    // its idle state.
    startTransfer(Ths, buildResynchronisation());
}

void THauptfenster::Com_activate_btClick() {
    if (sio_started) {
        sio_started = false;
        ram_rd_req = false;
        SPStimer->stop();
        response_ready = false;
        resetConfirmation();
        protocol_step = Step::Init_Sio;
        init_anzeige();
        return;
    }
    sio_started = true;
    SPStimer->stop();
    // The fields may hold what another controller was read to hold.
    field_origin.newConnection();
    clearLinkDiagnosis();
    resetConfirmation();
    response_ready = false;
    port_name = ComboBox1->currentText();
    data_error = false;
    protocol_step = sio_active ? Step::Synchronisation : Step::Init_Sio;
    hw_test_req = true;
    hw_info_req = true;
    ram_rd_req = true;
    enableRequestButtons();
    Infofenst->HWV_read_bt->setEnabled(true);
    Com_activate_bt->setText(GetInfoString(101));
    SPStimer->start();
}

void THauptfenster::ComboBox1Change() {
    if (ComboBox1->currentText() == port_name)
        return;
    SPStimer->stop();
    response_ready = false;
    sio_active = false;
    sio_started = false;
    resetConfirmation();
    field_origin.newConnection(); // the next link may lead to another controller
    if (port_handle != 0 && port_open)
        releaseLink();
    offerConnect();
}

void THauptfenster::uC_read_btClick() {
    uC_read_bt->setEnabled(false);
    data_rd_req = true;
    ram_rd_req = true;
    response_ready = false;
    SPStimer->stop();
    if (sio_active) {
        protocol_step = Step::Synchronisation;
    } else {
        protocol_step = Step::Init_Sio;
        port_name = ComboBox1->currentText();
    }
    SPStimer->start();
}
