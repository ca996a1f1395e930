// The parameter read started by the read button (Req_Data_rd, Resp_Data_rd).
#include "app/hauptfenster.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "serial/sio.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

void THauptfenster::Req_Data_rd() {
    startRequest(buildDataRead(HW_old), Step::Resp_Data_rd);
}

void THauptfenster::Resp_Data_rd() {
    if (!response_ready)
        return;
    // The parameter words stay in rx_buffer for the parameter page.
    data_rd_req = false;
    ProgressBar_EEP->setValue(0);
    uC_read_bt->setEnabled(true);
    response_ready = false;
    SPStimer->stop();
    protocol_step = Step::Synchronisation;
    if (ram_rd_req)
        SPStimer->start();
}
