#pragma once
// The widgets around the main window's pages: menu, bottom bar, status line and the page
// control with its six pages. Part of THauptfensterWidgets (app/hauptfenster_widgets.h),
// whose conventions they follow.

class QAction;
class QActionGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QWidget;
class TStatusLine;

struct TFrameWidgets {
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
    // A menu of our own between "Optionen" and "Info": the instruments a technician opens
    // when needed (trend, telegram trace). Captioned from ownText, not from the table.
    QMenu* tools1 = nullptr;

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
};
