#pragma once
// The widgets of the main window: TabSheet1, the status page (actual values).
// Part of THauptfensterWidgets (app/hauptfenster_widgets.h), whose conventions they follow.

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class TLampShape;
class TStateStrip;
class TUpDown;

struct TActualValuesWidgets {
    // State strip (owner-drawn, six panels)
    TStateStrip* StatusBar1 = nullptr;

    QLabel* Label29 = nullptr; // "Schulung !"
    QLabel* Label30 = nullptr; // "Testversion !"

    // Clocks, operating times, energy saving
    QGroupBox* GroupBox7 = nullptr;
    QLabel* clk_uc = nullptr; // "Uhrzeit - Controller"
    QLabel* uC_Zeit = nullptr;
    // Of our own: how far the controller clock is from the PC's standard time, beside the
    // clock button.
    QLabel* uC_drift = nullptr;
    QLabel* clk_pc = nullptr; // "Uhrzeit - Pc"
    QLabel* PC_Zeit = nullptr;
    QPushButton* clk_bt = nullptr;
    QLabel* op_time_all = nullptr;
    QLabel* h_all = nullptr;
    QLabel* op_time_dimm = nullptr;
    QLabel* h_dimm = nullptr;
    QLabel* op_time_act = nullptr;
    QLabel* t_lauf_anz = nullptr;
    QLabel* en_saving = nullptr; // "Energieeinsparung [%]"
    QLabel* nominal = nullptr;   // "Soll:"
    QLabel* e_spar_soll_anz = nullptr;
    QLabel* actual = nullptr; // "Ist:"
    QLabel* e_spar_ist_anz = nullptr;

    // Status lamps
    QGroupBox* GroupBox6 = nullptr;
    QLabel* works = nullptr; // "Betrieb"
    TLampShape* LED_G = nullptr;
    QLabel* internal = nullptr; // "Intern"
    TLampShape* Sh_cond_4 = nullptr;
    QLabel* e_spar_soll_intern_anz = nullptr;
    QLabel* external1 = nullptr; // "Extern"
    TLampShape* Sh_cond_3 = nullptr;
    QLabel* e_spar_soll_extern_anz = nullptr;
    QLabel* Label13 = nullptr; // "Dimm_off"
    TLampShape* Sh_Dimm_off = nullptr;
    QLabel* fan_on = nullptr; // "Lüfter an"
    TLampShape* LED_Y = nullptr;
    QLabel* err = nullptr; // "Fehler"
    TLampShape* LED_R = nullptr;

    // Workday-night profile: headings "Dimmperiode", "Periode 1" … "Dimmende", "Zeit",
    // "Energieeinsparung [%]"
    QGroupBox* GroupBox4 = nullptr;
    QLabel* Label45 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label41 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label14 = nullptr;
    QTimeEdit* DateTimePicker_Mo1 = nullptr;
    QTimeEdit* DateTimePicker_Mo2 = nullptr;
    QTimeEdit* DateTimePicker_Mo3 = nullptr;
    QTimeEdit* DateTimePicker_Mo_End = nullptr;
    QLabel* wt1_takt = nullptr; // hidden: the takt that is written
    QLabel* wt2_takt = nullptr;
    QLabel* wt3_takt = nullptr;
    QLineEdit* edit_WT_Red1 = nullptr; // read-only saving [%]
    QLineEdit* edit_WT_Red2 = nullptr;
    QLineEdit* edit_WT_Red3 = nullptr;
    QLineEdit* edit_WT_Red_end = nullptr; // "0"
    TUpDown* UpDown_WT1 = nullptr;        // not associated: the click steps the takt
    TUpDown* UpDown_WT2 = nullptr;
    TUpDown* UpDown_WT3 = nullptr;
    TUpDown* UpDown_WTEnd = nullptr; // hidden, disabled
    TLampShape* wt_ph1_led = nullptr;
    TLampShape* wt_ph2_led = nullptr;
    TLampShape* wt_ph3_led = nullptr;

    // Weekend-night profile, the same shape
    QGroupBox* GroupBox3 = nullptr;
    QLabel* Label35 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Label42 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label66 = nullptr;
    QTimeEdit* DateTimePicker_Sa1 = nullptr;
    QTimeEdit* DateTimePicker_Sa2 = nullptr;
    QTimeEdit* DateTimePicker_Sa3 = nullptr;
    QTimeEdit* DateTimePicker_Sa_End = nullptr;
    QLabel* we1_takt = nullptr;
    QLabel* we2_takt = nullptr;
    QLabel* we3_takt = nullptr;
    QLineEdit* edit_WE_Red1 = nullptr;
    QLineEdit* edit_WE_Red2 = nullptr;
    QLineEdit* edit_WE_Red3 = nullptr;
    QLineEdit* edit_WE_Red_end = nullptr;
    TUpDown* UpDown_Sa1 = nullptr;
    TUpDown* UpDown_Sa2 = nullptr;
    TUpDown* UpDown_Sa3 = nullptr;
    TUpDown* UpDown1 = nullptr; // hidden, disabled
    TLampShape* we_ph1_led = nullptr;
    TLampShape* we_ph2_led = nullptr;
    TLampShape* we_ph3_led = nullptr;
};
