// The cyclic RAM read (Req_Ram_rd, Resp_Ram_rd): one block read of 80 words on new
// hardware, 31 single-word reads on old hardware. The answer fills the variable table of
// the generation and the measurement grid and, when it is sound, runs the live display.
//
// The answer steps clear neither ram_rd_req nor response_ready and leave SPStimer alone:
// the next synchronisation clears response_ready and, unless another request is
// pending, the sequencer comes back to step 3, so the reading repeats while connected.
#include "app/hauptfenster.h"
#include "live/ram_table.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "serial/sio.h"

#include <QTableWidget>
#include <vector>

namespace {

// Grid rows of the checksum below the 80 words of a new-hardware answer, column 3.
constexpr int kChecksumComputedRow = kNewRamWords + 1;
constexpr int kChecksumReceivedRow = kNewRamWords + 2;

// Writes rows 1.. of the measurement grid; rows beyond them keep what they show.
void writeGridRows(QTableWidget* grid, const std::vector<GridRow>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int c = 0; c < 7; ++c)
            grid->item(int(i) + 1, c)->setText(rows[i].cells[std::size_t(c)]);
    }
}

} // namespace

void THauptfenster::Req_Ram_rd() {
    if (HW_old) {
        // Five runs of word reads; the answer lands item by item in rx_buffer.
        startRequest(buildRamRead(Ths, true), Step::Resp_Ram_rd);
        return;
    }
    // The block read starts its own transfer and sets protocol_step to its response step.
    buildRamRead(Ths, false);
}

void THauptfenster::Resp_Ram_rd() {
    if (HW_old)
        Resp_Ram_rd_old();
    else
        Resp_Ram_rd_new();
}

void THauptfenster::Resp_Ram_rd_new() {
    if (!response_ready)
        return;
    std::vector<GridRow> rows;
    const std::optional<BlockChecksum> parsed = parseNewRamAnswer(receivedAnswer(), Ram_Data, rows);
    if (!parsed) {
        data_error = true; // an answer that ends early is a failed one: the error step
        return;
    }
    const BlockChecksum check = *parsed;
    writeGridRows(StringGrid2, rows);
    StringGrid2->item(kChecksumComputedRow, 3)->setText(QString::number(check.computed));
    StringGrid2->item(kChecksumReceivedRow, 3)->setText(QString::number(check.received));
    // A wrong checksum leaves the live display as it was; the grid shows the two sums
    // and the next reading follows as usual.
    if (check.matches()) {
        ram_to_anz_new();
        liveValuesRefreshed();
        emit liveValuesShown();
    }
    protocol_step = Step::Synchronisation;
}

void THauptfenster::Resp_Ram_rd_old() {
    if (!response_ready)
        return;
    // No checksum on old hardware: the echoes of command and address checked by the
    // transfer are all there is.
    std::vector<GridRow> rows;
    if (!parseOldRamAnswer(receivedAnswer(), Ram_Data_Old, rows)) {
        data_error = true; // an answer that ends early is a failed one: the error step
        return;
    }
    writeGridRows(StringGrid2, rows);
    ram_to_anz_old();
    liveValuesRefreshed();
    emit liveValuesShown();
    protocol_step = Step::Synchronisation;
}
