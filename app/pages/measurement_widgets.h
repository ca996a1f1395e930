#pragma once
// The widgets of the main window: TabSheet4, the measurement page.
// Part of THauptfensterWidgets (app/hauptfenster_widgets.h), whose conventions they follow.

class QTableWidget;

struct TMeasurementWidgets {
    QTableWidget* StringGrid2 = nullptr; // 7 columns × 110 rows
};
