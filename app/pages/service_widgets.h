#pragma once
// The widgets of the main window: TabSheet2, the service page.
// Part of THauptfensterWidgets (app/hauptfenster_widgets.h), whose conventions they follow.

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;
class TLampShape;
class TStateStrip;
class TUpDown;

struct TServiceWidgets {
    // Everything below the tab; hidden until a password is accepted.
    QWidget* TabSheet2_contents = nullptr;

    // State strip (owner-drawn, six panels)
    TStateStrip* StatusBar2 = nullptr;

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
};
