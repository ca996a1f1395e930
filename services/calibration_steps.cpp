// The mains-voltage calibration of the main window (Bt_WR_KalwertClick, Edit15Change,
// Req_Kal_Write, Resp_Kal_Write): the calibration value from the multimeter reading and
// the controller's raw reading, written into parameter memory with the two set points,
// which are rewritten in the raw units of the new value.
#include "app/hauptfenster.h"
#include "app/widgets/up_down.h"
#include "base/formats.h"
#include "base/message_sink.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "services/calibration.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// The whole volts an up-down field shows; the up-down's own position when the text is
// not a number (the fields are read-only, so that does not happen in use).
int voltsOf(const QLineEdit* edit, const TUpDown* upDown) {
    const auto value = parseInteger(edit->text());
    return (value && *value >= 0 && *value <= 65535) ? int(*value) : upDown->Position();
}

} // namespace

void THauptfenster::addCalibrationLog(const QList<CalibrationLogLine>& lines) {
    for (const CalibrationLogLine& line : lines)
        Memo1->appendPlainText(logLineText(activeLanguage(), line));
}

void THauptfenster::Bt_WR_KalwertClick() {
    Memo1->clear();
    if (identity_stale) {
        // The last calibration write failed: the controller may hold its new value with
        // the old set points. Nothing is computed from what the page shows; the identity
        // is read again, and the technician calibrates on what it brings.
        SPStimer->stop();
        showMessage(writeFailureText(activeLanguage(), WriteFailureText::IdentityReadFirst));
        response_ready = false;
        hw_info_req = true;
        ram_rd_req = true;
        if (!sio_active) {
            port_name = com_port;
            protocol_step = Step::Init_Sio;
        } else {
            protocol_step = Step::Synchronisation;
        }
        SPStimer->start();
        return;
    }
    const QList<CalibrationLogLine> refusal =
        calibrationRefusal({.hw_old = HW_old,
                            .HW_Ver_Nr = HW_Ver_Nr,
                            .lampFrequency = Edit_fist->text(),
                            .controller_state = controller_state,
                            .uac_ist_int = uac_ist_int});
    if (!refusal.isEmpty()) {
        addCalibrationLog(refusal);
        return;
    }
    // The new value counts at once, for the live display too; the controller holds it
    // once the write has gone through.
    kal_value230 = newCalibrationValue(uac_ist_int, voltsOf(Edit15, UpDown10));
    addCalibrationLog({newValueLine(kal_value230)});

    Bt_WR_Kalwert->setEnabled(false);
    response_ready = false;
    SPStimer->stop();
    kal_wr_req = true;
    if (!sio_active) {
        // No port open yet: the sequencer opens the one from the settings first.
        port_name = com_port;
        protocol_step = Step::Init_Sio;
    } else {
        protocol_step = Step::Synchronisation;
    }
    SPStimer->start();
}

void THauptfenster::Edit15Change() {
    Bt_WR_Kalwert->setEnabled(true);
}

void THauptfenster::Req_Kal_Write() {
    const quint16 start = voltsToMeasurement(quint16(voltsOf(Edit7, UpDown6)), kal_value230);
    const quint16 nominal = voltsToMeasurement(quint16(voltsOf(Edit14, UpDown9)), kal_value230);
    addCalibrationLog(writeLog(kal_value230, start, nominal));
    session_calibration_log =
        QList{newValueLine(kal_value230)} + writeLog(kal_value230, start, nominal);
    // The calibration value into parameter memory, the set points into the RAM the
    // controller regulates with and into parameter memory for its next start.
    const auto items = kalWriteItems(HW_old, {kal_value230, start, nominal, start, nominal});
    write_under_way = WriteFailureText::CalibrationWrite;
    startRequest(buildWrites(HW_old, items), Step::Resp_Kal_Write);
}

void THauptfenster::Resp_Kal_Write() {
    if (!response_ready)
        return;
    // The answer is the echo of every byte, checked by the link; no data comes back. The
    // button waits for a new measured value (or a new identity) before it calibrates
    // again. The live reading goes on as it was.
    kal_wr_req = false;
    clearFailedWriteNote(WriteFailureText::CalibrationWrite);
    Bt_WR_Kalwert->setEnabled(false);
    response_ready = false;
    protocol_step = Step::Synchronisation;
    SPStimer->start();
}
