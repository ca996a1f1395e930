#pragma once
// The widgets of the main window: TabSheet5, the parameter memory.
// Part of THauptfensterWidgets (app/hauptfenster_widgets.h), whose conventions they follow.

class QTableWidget;

struct TParameterMemoryWidgets {
    QTableWidget* StringGrid3 = nullptr; // 7 columns × 110 rows
};
