// The parameter read started by the read button (Req_Data_rd, Resp_Data_rd): the answer of
// either generation decoded into the parameter set and shown in the fields, the parameter
// grid filled on new hardware.
#include "app/hauptfenster.h"
#include "base/formats.h"
#include "live/ram_table.h"
#include "parameters/parameter_grid.h"
#include "parameters/parameter_set.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "serial/sio.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimeEdit>
#include <QTimer>

void THauptfenster::Req_Data_rd() {
    startRequest(buildDataRead(HW_old), Step::Resp_Data_rd);
}

void THauptfenster::Resp_Data_rd() {
    if (!response_ready)
        return;
    const std::optional<ParameterRead> decoded =
        HW_old ? decodeOldParameterRead(receivedAnswer(), HW_Ver_Nr)
               : decodeNewParameterRead(receivedAnswer());
    if (!decoded) {
        data_error = true; // an answer that ends early is a failed one: the error step
        return;
    }
    const ParameterRead& read = *decoded;
    if (!HW_old) {
        StringGridLeer();
        const std::vector<GridRow> rows = fillParameterTable(read.words, Eep_Data);
        for (std::size_t k = 0; k < rows.size(); ++k)
            for (int c = 0; c < 6; ++c)
                StringGrid3->item(int(k) + 1, c)->setText(rows[k].cells[std::size_t(c)]);
    } else {
        uac_start_int = *read.uac_start_int;
        uac_nenn_int = *read.uac_nenn_int;
    }
    // A word out of its range was limited; the live display's next reset hides it again.
    if (!read.violations.isEmpty())
        Label31->show();

    const ParameterSet& set = read.set;
    if (read.hasRampTimes) {
        Edit6->setText(QString::number((set.rampWord & 0xFF) * 25));
        Edit10->setText(QString::number((set.rampWord >> 8) * 25));
        if (HW_old)
            Label22->hide();
    } else {
        Label22->show(); // the controller is too old for ramp times; the edits keep theirs
    }
    // Both text fields of a start setting; setting the one to write runs its check.
    const QString startHz = formatFixed(10000.0 / set.startTakt, 0);
    takt_burn->setText(startHz);
    takt_burn_visu->setText(startHz);
    const QString burnIn = formatFixed(set.burnInSeconds / 60.0, 0);
    time_burn->setText(burnIn);
    time_burn_visu->setText(burnIn);

    const auto pickers = profilePickers();
    for (std::size_t i = 0; i < pickers.size(); ++i) {
        // Not a user's change: the order is checked once, below, with no sender.
        const QSignalBlocker blocker(pickers[i]);
        const quint16 time = set.profileTimes[i];
        pickers[i]->setTime(QTime(time >> 8, time & 0xFF));
    }
    const auto takts = periodTakts();
    const auto savings = periodSavings();
    for (std::size_t i = 0; i < takts.size(); ++i) {
        takts[i]->setText(QString::number(set.takts[i]));
        savings[i]->setText(formatFixed(read.savings[i], 0));
    }

    field_origin.readFromController(); // a write of these needs no question in this connection
    data_rd_req = false;
    check_public(nullptr);
    ProgressBar_EEP->setValue(0);
    uC_read_bt->setEnabled(true);
    response_ready = false;
    SPStimer->stop();
    protocol_step = Step::Synchronisation;
    if (ram_rd_req)
        SPStimer->start();
}
