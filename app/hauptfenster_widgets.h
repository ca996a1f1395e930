#pragma once
// Every widget of the main window, by the name the system gives it. THauptfenster
// inherits this record, so each widget is a public member of the window.
//
// Conventions of the record:
// - Read-only outputs are QLabel (clocks, times, savings, takt values) or read-only
//   QLineEdit (measured values); fields the program parses are QLineEdit.
// - The grids keep their heading row and heading column as ordinary cells (row 0,
//   column 0) with the table headers hidden, so cell (row, column) is the same cell the
//   system's texts name. Every cell holds an item from the start.
// - An up-down (TUpDown) sits right of its edit; an associated one writes its position
//   into the edit.
// - Lamps (TLampShape) start silver; the display reset paints them again.
#include <QtGlobal>

class QAction;
class QActionGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimeEdit;
class QWidget;
class TLampShape;
class TStatusLine;
class TStateStrip;
class TUpDown;

struct THauptfensterWidgets {
    // Menu: "Konfiguration", "Optionen" → "Sprache", "Info"
    QMenu* config = nullptr;
    QAction* config_load1 = nullptr;
    QAction* config_save1 = nullptr;
    QMenu* option1 = nullptr;
    QMenu* language1 = nullptr;
    QActionGroup* language_items = nullptr; // the five language items, one ticked
    QAction* german1 = nullptr;
    QAction* english1 = nullptr;
    QAction* Schwe1 = nullptr;
    QAction* Franzsich1 = nullptr; // ticked by design
    QAction* tuerk1 = nullptr;
    QMenu* info1 = nullptr;
    QAction* about1 = nullptr;

    // Bottom bar
    QGroupBox* GroupBox8 = nullptr;
    QComboBox* ComboBox1 = nullptr; // "COM1" … "COM32"
    QPushButton* Com_activate_bt = nullptr;
    QProgressBar* ProgressBar_RAM = nullptr;
    QPushButton* uC_read_bt = nullptr;
    QProgressBar* ProgressBar_EEP = nullptr;
    QPushButton* uC_send_bt = nullptr;
    QLabel* Label31 = nullptr; // "Com-Error !", hidden until a range check fails

    // Status line: panel 0 (300 px) shows the controller's version
    TStatusLine* StatusBar3 = nullptr;

    // Pages
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QWidget* TabSheet5 = nullptr;
    QWidget* TabSheet6 = nullptr;

    // State strips on the status and service pages (owner-drawn, six panels)
    TStateStrip* StatusBar1 = nullptr;
    TStateStrip* StatusBar2 = nullptr;

    // --- TabSheet1, status page -----------------------------------------------------
    QLabel* Label29 = nullptr; // "Schulung !"
    QLabel* Label30 = nullptr; // "Testversion !"

    // Clocks, operating times, energy saving
    QGroupBox* GroupBox7 = nullptr;
    QLabel* clk_uc = nullptr; // "Uhrzeit - Controller"
    QLabel* uC_Zeit = nullptr;
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

    // --- TabSheet2, service page ----------------------------------------------------
    // Everything below the tab; hidden until a password is accepted.
    QWidget* TabSheet2_contents = nullptr;

    // Measured values
    QGroupBox* Messw_cont = nullptr;
    QLabel* Label1 = nullptr; // "Uz [V]"
    QLineEdit* Edit_Uz = nullptr;
    QLabel* Label3 = nullptr; // "f_ist [Hz]"
    QLineEdit* Edit_fist = nullptr;
    QLabel* Label6 = nullptr; // "KK_Temp1 [°C]"
    QLineEdit* Edit_tmp1 = nullptr;
    QLabel* Label20 = nullptr; // "U_AC [V]"
    QLineEdit* Edit_uac = nullptr;
    QLabel* Label39 = nullptr; // "f_Soll [Hz]"
    QLineEdit* Edit_fsoll = nullptr;
    QLabel* Label15 = nullptr; // "KK_Temp2 [°C]"
    QLineEdit* Edit_tmp2 = nullptr;

    // Start settings: the value to write (with its up-down) and the value last read
    QGroupBox* Starteinst_cont = nullptr;
    QLabel* Label40 = nullptr; // "Startfrequenz [Hz]"
    QLineEdit* takt_burn_visu = nullptr;
    TUpDown* UpDown2 = nullptr; // 50 … 70
    QLineEdit* takt_burn = nullptr;
    QLabel* Label5 = nullptr; // "Einbrennzeit [min]"
    QLineEdit* time_burn_visu = nullptr;
    TUpDown* UpDown3 = nullptr; // 3 … 15
    QLineEdit* time_burn = nullptr;

    // Controller clock
    QGroupBox* Uhrzeit_cont = nullptr;
    QLabel* Label26 = nullptr; // "Uhrzeit - Controller"
    QLabel* uC_Zeit2 = nullptr;
    QLabel* Label19 = nullptr; // "Sommerzeitkorr."
    TLampShape* so_time_led = nullptr;
    QLabel* Label51 = nullptr; // "(31.03. - 31.10.)"

    // Fault memory
    QGroupBox* Fehlerspeicher = nullptr;
    QTableWidget* StringGrid1 = nullptr; // 3 columns × 17 rows
    QPushButton* err_mem_read_bt = nullptr;
    QPushButton* err_mem_clear_bt = nullptr;

    // Ramp times: the value to write (with its up-down) and the value last read
    QGroupBox* GroupBox10 = nullptr;
    QLabel* Label56 = nullptr; // "Zeit zum Verdunkeln [s]"
    QLineEdit* Edit6 = nullptr;
    TUpDown* UpDown7 = nullptr;  // 25 … 600, step 25
    QLineEdit* Edit12 = nullptr; // darkening time [s]
    QLabel* Label58 = nullptr;   // "Zeit zum Erhellen [s]"
    QLineEdit* Edit10 = nullptr;
    TUpDown* UpDown8 = nullptr;
    QLineEdit* Edit13 = nullptr; // brightening time [s]
    QLabel* Label22 = nullptr;   // "HW Stand zu alt !"

    // --- TabSheet3, calibration page ------------------------------------------------
    QGroupBox* GroupBox9 = nullptr;
    QLabel* Label53 = nullptr; // conditions heading
    QLabel* Label49 = nullptr; // a)
    QLabel* Label54 = nullptr; // b)
    QLabel* Label64 = nullptr; // c)
    QLabel* Label48 = nullptr; // d)
    QLabel* Label67 = nullptr; // "Schritt 1:"
    QLabel* Label55 = nullptr;
    QLabel* Label72 = nullptr; // "Schritt 2:"
    QLabel* Label57 = nullptr;
    QLabel* Label73 = nullptr; // "Schritt 3:"
    QLabel* Label65 = nullptr;
    QLabel* Label59 = nullptr; // "Spannung U_AC [V] gemessen"; a click opens the info window
    QLineEdit* Edit15 = nullptr;
    TUpDown* UpDown10 = nullptr; // 210 … 260
    QPushButton* Bt_WR_Kalwert = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

    // Voltages
    QGroupBox* GroupBox13 = nullptr;
    QLabel* Label52 = nullptr;   // "U_AC_Start [V] "
    QLineEdit* Edit7 = nullptr;  // U_AC start [V]
    TUpDown* UpDown6 = nullptr;  // 210 … 250
    QLabel* Label50 = nullptr;   // "U_AC Nenn [V] "
    QLineEdit* Edit14 = nullptr; // U_AC nominal [V]
    TUpDown* UpDown9 = nullptr;  // 210 … 250

    // Limits (fixed texts), shown at the full access level only
    QGroupBox* Grenzw_cont = nullptr;
    QLabel* Label9 = nullptr; // "Lüfter an"
    QLabel* lim_fan_on = nullptr;
    QLabel* Label28 = nullptr; // "Lüfter aus"
    QLabel* lim_fan_off = nullptr;
    QLabel* Label4 = nullptr; // "Temp_Err an"
    QLabel* lim_temp_err_on = nullptr;
    QLabel* Label8 = nullptr; // "Temp_Err aus"
    QLabel* lim_temp_err_off = nullptr;
    QLabel* Label69 = nullptr; // "Uac_P_red an"
    QLabel* lim_uac_red_on = nullptr;
    QLabel* Label68 = nullptr; // "Uac_P_red aus"
    QLabel* lim_uac_red_off = nullptr;
    QLabel* Label60 = nullptr; // "Temp_P_red an"
    QLabel* lim_temp_red_on = nullptr;
    QLabel* Label61 = nullptr; // "Temp_P_red aus"
    QLabel* lim_temp_red_off = nullptr;

    // --- TabSheet4, measurement page ------------------------------------------------
    QTableWidget* StringGrid2 = nullptr; // 7 columns × 110 rows

    // --- TabSheet6, light control ---------------------------------------------------
    QGroupBox* GroupBox12 = nullptr; // " Lux-Sensor Parameter "
    QComboBox* CB_Luxpara = nullptr;
    QLabel* Label_Lux_m = nullptr; // "Anstieg m"
    QLineEdit* Edit_Lux_m = nullptr;
    QLabel* Label_Lux_n = nullptr; // "Offset n"
    QLineEdit* Edit_Lux_n = nullptr;
    QGroupBox* GroupBox1 = nullptr;  // " Lux-Regler "
    QLabel* Label_Lux_Ist = nullptr; // "Ist-Wert [Lux]"
    QLineEdit* Lux_Ist = nullptr;
    QLabel* Image2 = nullptr; // banner

    // --- TabSheet5, parameter memory ------------------------------------------------
    QTableWidget* StringGrid3 = nullptr; // 7 columns × 110 rows
};
