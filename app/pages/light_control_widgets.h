#pragma once
// The widgets of the main window: TabSheet6, the light control.
// Part of THauptfensterWidgets (app/hauptfenster_widgets.h), whose conventions they follow.

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

struct TLightControlWidgets {
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
};
