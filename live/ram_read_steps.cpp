// The cyclic RAM read (steps 3/4).
#include "app/hauptfenster.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "serial/sio.h"

void THauptfenster::Req_Ram_rd() {
    if (HW_old)
        startRequest(buildRamRead(Ths, true), 4);
    else
        buildRamRead(Ths, false); // the block read starts itself and waits at step 4
}

void THauptfenster::Resp_Ram_rd() {
    if (!response_ready)
        return;
    // The answer stays in rx_buffer; the variable tables and the live display read it.
    response_ready = false;
    protocol_step = 1;
}
