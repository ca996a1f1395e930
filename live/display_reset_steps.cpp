// Reset of the live display (after creation, on disconnecting and after a communication
// error) and the PC clock of the status page. The reset leaves the measured values, times,
// clocks, summer-time lamp and limit captions as the last read showed them; the lamps turn
// silver and the savings "0 %", so nothing left on screen looks like a live reading of
// the state.
#include "app/hauptfenster.h"
#include "app/widgets/lamp_shape.h"
#include "app/widgets/state_strip.h"
#include "app/widgets/status_line.h"
#include "app/widgets/up_down.h"
#include "base/formats.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

void THauptfenster::init_anzeige() {
    live_values = {};
    live_values_shown = false;
    showClockDrift(); // no clock, no drift
    for (QPushButton* button : {uC_read_bt, uC_send_bt, err_mem_read_bt, err_mem_clear_bt, clk_bt})
        button->setEnabled(false);
    Com_activate_bt->setText(GetInfoString(50));

    ProgressBar_RAM->setValue(0);
    ProgressBar_EEP->setValue(0);
    StatusBar3->setPanelText(0, QStringLiteral("Version: "));
    Label22->hide();

    for (TLampShape* lamp :
         {wt_ph1_led, wt_ph2_led, wt_ph3_led, we_ph1_led, we_ph2_led, we_ph3_led})
        lamp->setBrushColor(TLampShape::silver());
    controller_state = 9; // lights no panel
    StatusBar1->update();
    // The service page's bar too: a reset by the connect button comes between sequencer
    // steps, and the bar must not keep the last state while that page is on screen.
    StatusBar2->update();

    for (TLampShape* lamp : {Sh_Dimm_off, Sh_cond_3, Sh_cond_4, LED_G, LED_Y, LED_R})
        lamp->setBrushColor(TLampShape::silver());

    // With a space, unlike the live "67%": nothing has been read.
    const QString noSaving = QStringLiteral("0 %");
    for (QLabel* saving :
         {e_spar_soll_extern_anz, e_spar_soll_intern_anz, e_spar_soll_anz, e_spar_ist_anz})
        saving->setText(noSaving);

    Bt_WR_Kalwert->setEnabled(false);
    Memo1->clear();
    Edit15->setEnabled(false);
    UpDown10->setEnabled(false);
    kal_value230 = 0;

    HW_Produktcode = QStringLiteral("0.0");
    Label30->hide();
    Rev_Str.clear();
    SW_Date.clear();

    Label31->hide();
    resetStaleMark();
}

void THauptfenster::HelptimerTimer() {
    PC_Zeit->setText(formatClock(QDateTime::currentDateTime()));
    // Also while the sequencer stands, so a mark cannot outlive the reading.
    checkLiveFreshness();
}
