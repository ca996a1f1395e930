// The protocol sequencer: one step per 50 ms tick, connecting and disconnecting, the
// port change, the read button, and the error step after a failed answer check.
#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "base/message_sink.h"
#include "app/widgets/state_strip.h"
#include "protocol/protocol_state.h"
#include "protocol/telegram.h"
#include "serial/sio.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <exception>

void THauptfenster::SPStimerTimer() {
    // A step that shows a modal message runs a nested event loop; ticks that arrive
    // meanwhile must not start another step (a second link while the open failure is
    // on screen, for one).
    if (stepRunning_)
        return;
    if (port_open && Ths && (!Ths->isAsleep() || Ths->anmeldung))
        return; // a transfer is pending or running
    if (data_error)
        protocol_step = 99;
    stepRunning_ = true;
    runStep();
    stepRunning_ = false;
    StatusBar2->update();
    StatusBar1->update();
}

void THauptfenster::runStep() {
    switch (protocol_step) {
    case 0:
        Init_Sio();
        break;
    case 1:
        Synchronisation();
        break;
    case 2:
        Syncresp();
        break;
    case 3:
        Req_Ram_rd();
        break;
    case 4:
        Resp_Ram_rd();
        break;
    case 5:
        Req_Data_rd();
        break;
    case 6:
        Resp_Data_rd();
        break;
    case 91:
        Req_HW_Test();
        break;
    case 92:
        Resp_HW_Test();
        break;
    case 93:
        Req_HW_Info();
        break;
    case 94:
        Resp_HW_Info();
        break;
    case 99:
        DatenFehler();
        break;
    default:
        // The exchanges of the parameter write, clock, fault memory and calibration are
        // reached only through their own buttons' flags.
        break;
    }
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
        showMessage(QStringLiteral("       COM-Error! (") + port_name + QStringLiteral(")    "));
        Com_activate_bt->setEnabled(true);
        Com_activate_bt->setText(GetInfoString(50));
        return;
    }
    connect(Ths, &TSio::progressChanged, this, &THauptfenster::setProgress);
    // A vanished port is closed by the link; the next connect creates a new link.
    connect(Ths, &TSio::portLost, this, [this] { sio_active = false; });

    if (port_handle == -1) {
        // The link has shown why the port could not be opened.
        sio_started = false;
        sio_active = false;
        SPStimer->stop();
        showMessage(QStringLiteral("Fehler an ") + port_name);
        Com_activate_bt->setEnabled(true);
        Com_activate_bt->setText(GetInfoString(50));
        protocol_step = 1;
        return;
    }
    sio_active = true;
    uC_send_bt->setEnabled(true);
    uC_read_bt->setEnabled(true);
    clk_bt->setEnabled(true);
    err_mem_read_bt->setEnabled(true);
    err_mem_clear_bt->setEnabled(true);
    Ths->setBaudRate38400();
    protocol_step = 1;
}

void THauptfenster::Synchronisation() {
    if (!sio_active || !Ths || !port_open) {
        // No usable link (a port change, or the port vanished): a request made meanwhile
        // first opens the selected port.
        port_name = ComboBox1->currentText();
        protocol_step = 0;
        return;
    }
    for (int i = 0; i < 10; ++i) {
        expect_buffer[i] = 0x00;
        check_mask[i] = kMaskAcknowledge;
    }
    startRequest(10, 2);
}

void THauptfenster::Syncresp() {
    if (!response_ready)
        return;
    response_ready = false;
    if (hw_test_req)
        protocol_step = 91;
    else if (hw_info_req)
        protocol_step = 93;
    else if (kal_wr_req)
        protocol_step = 19;
    else if (data_rd_req)
        protocol_step = 5;
    else if (data_wr_req)
        protocol_step = 7;
    else if (time_wr_req)
        protocol_step = 9;
    else if (errmem_rd_req)
        protocol_step = 11;
    else if (errmem_clr_req)
        protocol_step = 13;
    else if (ram_rd_req)
        protocol_step = 3;
}

void THauptfenster::DatenFehler() {
    SPStimer->stop();
    showMessage(QStringLiteral("       COM Data-Error!       "));
    ram_rd_req = false;
    data_wr_req = false;
    data_rd_req = false;
    time_wr_req = false;
    errmem_rd_req = false;
    errmem_clr_req = false;
    hw_info_req = false;
    hw_test_req = false;
    kal_wr_req = false;
    sio_started = false;
    data_error = false;
    protocol_step = 1;
    init_anzeige();
    Com_activate_bt->setEnabled(true);
    Com_activate_bt->setText(GetInfoString(50));

    // One resynchronisation telegram, not evaluated: ten synchronisation bytes, then ten
    // acknowledge bytes that bring a controller caught in the middle of an item back to
    // its idle state.
    for (int i = 0; i < 10; ++i) {
        expect_buffer[i] = 0x00;
        check_mask[i] = kMaskAcknowledge;
        expect_buffer[10 + i] = 0xAA;
    }
    std::fill(rx_buffer, rx_buffer + 20, quint8(0));
    startTransfer(Ths, 20);
}

void THauptfenster::Com_activate_btClick() {
    if (sio_started) {
        sio_started = false;
        ram_rd_req = false;
        SPStimer->stop();
        response_ready = false;
        protocol_step = 0;
        init_anzeige();
        return;
    }
    sio_started = true;
    SPStimer->stop();
    response_ready = false;
    port_name = ComboBox1->currentText();
    data_error = false;
    protocol_step = sio_active ? 1 : 0;
    hw_test_req = true;
    hw_info_req = true;
    ram_rd_req = true;
    uC_read_bt->setEnabled(true);
    uC_send_bt->setEnabled(true);
    clk_bt->setEnabled(true);
    err_mem_read_bt->setEnabled(true);
    err_mem_clear_bt->setEnabled(true);
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
    if (port_handle != 0 && port_open)
        releaseLink();
    Com_activate_bt->setEnabled(true);
    Com_activate_bt->setText(GetInfoString(50));
}

void THauptfenster::uC_read_btClick() {
    uC_read_bt->setEnabled(false);
    data_rd_req = true;
    ram_rd_req = true;
    response_ready = false;
    SPStimer->stop();
    if (sio_active) {
        protocol_step = 1;
    } else {
        protocol_step = 0;
        port_name = ComboBox1->currentText();
    }
    SPStimer->start();
}
