#pragma once
// The widgets of the main window: TabSheet3, the calibration page.
// Part of THauptfensterWidgets (app/hauptfenster_widgets.h), whose conventions they follow.

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TUpDown;

struct TCalibrationWidgets {
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
};
