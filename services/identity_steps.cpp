// Hardware test (Req_HW_Test, Resp_HW_Test) and identity read (Req_HW_Info,
// Resp_HW_Info) of the main window.
#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "app/widgets/status_line.h"
#include "app/widgets/up_down.h"
#include "base/formats.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "services/calibration.h"
#include "services/identity.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

// Old controllers that cannot be calibrated keep the volts a technician typed; a text that
// is not a whole number from 0 to 65535 counts as 0.
quint16 voltsFromField(const QLineEdit* edit) {
    const auto value = parseInteger(edit->text());
    return (value && *value >= 0 && *value <= 65535) ? quint16(*value) : 0;
}

} // namespace

void THauptfenster::Req_HW_Test() {
    startRequest(buildHwTest(), Step::Resp_HW_Test);
}

void THauptfenster::Resp_HW_Test() {
    if (!response_ready)
        return;
    HW_old = isOldHardware(rx_buffer[0], rx_buffer[1]);
    response_ready = false;
    SPStimer->stop();
    protocol_step = Step::Synchronisation;
    hw_test_req = false;
    if (hw_info_req)
        SPStimer->start();
}

void THauptfenster::Req_HW_Info() {
    Memo1->clear();
    startRequest(buildHwInfoRead(HW_old), Step::Resp_HW_Info);
}

void THauptfenster::Resp_HW_Info() {
    if (!response_ready)
        return;
    // The calibration page: armed (the button and the measured-value field come alive,
    // the stored set points are shown in volts) or refused for an old controller before
    // revision 13, and the calibration value found reported either way.
    const auto armCalibration = [this] {
        const CalibrationArming arming = calibrationArming(HW_old, HW_Ver_Nr, kal_value230);
        if (arming.armed) {
            Bt_WR_Kalwert->setEnabled(true);
            Edit15->setEnabled(true);
            UpDown10->setEnabled(true);
            uac_start_val = measurementToVolts(uac_start_int, kal_value230);
            uac_nenn_val = measurementToVolts(uac_nenn_int, kal_value230);
            Edit7->setText(QString::number(uac_start_val));
            Edit14->setText(QString::number(uac_nenn_val));
        } else {
            Bt_WR_Kalwert->setEnabled(false);
            uac_start_val = voltsFromField(Edit7);
            uac_nenn_val = voltsFromField(Edit14);
        }
        addCalibrationLog(arming.log);
    };

    // An answer that ends early is a failed one: the next tick takes the error step.
    const std::optional<OldIdentity> oldId =
        HW_old ? decodeOldIdentity(receivedAnswer()) : std::nullopt;
    const std::optional<NewIdentity> newId =
        HW_old ? std::nullopt : decodeNewIdentity(receivedAnswer());
    if (!oldId && !newId) {
        data_error = true;
        return;
    }
    if (HW_old) {
        const OldIdentity& id = *oldId;
        if (Infofenst->HW_nr->text() == QStringLiteral("0.0"))
            Infofenst->HW_nr->setText(id.versionText);
        StatusBar3->setPanelText(0, QStringLiteral("Version: ") + id.versionText);
        HW_Ver_Str = id.versionText;
        HW_Ver_Nr = id.revision;
        uac_start_int = id.uac_start_int;
        uac_nenn_int = id.uac_nenn_int;
        // Ramp times are stored from revision 14 on.
        if (HW_Ver_Nr > 13) {
            Edit12->setText(QString::number(id.darkeningSeconds));
            Edit13->setText(QString::number(id.brighteningSeconds));
            Label22->hide();
        } else {
            Label22->show();
        }
        kal_value230 = id.kal_value230;
        armCalibration();
        check_public(nullptr);
        ProgressBar_EEP->setValue(0);
        uC_read_bt->setEnabled(true);
        protocol_step = Step::Synchronisation;
    } else {
        const NewIdentity& id = *newId;
        SW_Nr = id.SW_Nr;
        TVers_Nr = id.TVers_Nr;
        Opt_Bits = id.Opt_Bits;
        Entw_Nr = id.Entw_Nr;
        Rev_Str = id.Rev_Str;
        Label29->setVisible(TVers_Nr == 9); // training version
        if (Entw_Nr > 0) {
            Label30->setText(QStringLiteral("Testversion %1!").arg(Entw_Nr));
            Label30->show();
        } else {
            Label30->hide();
        }
        DEV_Nr = id.DEV_Nr;
        Label15->setVisible(DEV_Nr == 0);
        Edit_tmp2->setVisible(DEV_Nr == 0);
        SW_Date_neu = id.SW_Date_neu;
        hw_descr_new = id.hw_descr_new;
        HW_Produktcode = id.HW_Produktcode;
        HW_Beschreibung = id.HW_Beschreibung;
        if (!hw_descr_new)
            SW_Date = HW_Beschreibung;
        HW_Produktcode_Neu = id.HW_Produktcode_Neu;
        StatusBar3->setPanelText(0, newVersionPanel(id, SW_Date));
        if (Infofenst->HW_nr->text() == QStringLiteral("0.0"))
            Infofenst->HW_nr->setText(StatusBar3->panelText(0));
        uac_start_int = id.uac_start_int;
        uac_nenn_int = id.uac_nenn_int;
        kal_value230 = id.kal_value230;
        armCalibration();
    }

    ProgressBar_EEP->setValue(0);
    response_ready = false;
    SPStimer->stop();
    protocol_step = Step::Synchronisation;
    hw_info_req = false;
    identity_stale = false; // a calibration computes from what this read brought
    Infofenst->HWV_read_bt->setEnabled(true);
    if (ram_rd_req)
        SPStimer->start();
}
