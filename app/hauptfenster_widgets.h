#pragma once
// Every widget of the main window, by the name the system gives it. THauptfenster
// inherits this record, so each widget is a public member of the window. The record is
// made of one part per page and one for the frame around them (app/pages/*_widgets.h).
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
#include "app/pages/actual_values_widgets.h"
#include "app/pages/calibration_widgets.h"
#include "app/pages/frame_widgets.h"
#include "app/pages/light_control_widgets.h"
#include "app/pages/measurement_widgets.h"
#include "app/pages/parameter_memory_widgets.h"
#include "app/pages/service_widgets.h"

struct THauptfensterWidgets : TFrameWidgets,
                              TActualValuesWidgets,
                              TServiceWidgets,
                              TCalibrationWidgets,
                              TMeasurementWidgets,
                              TLightControlWidgets,
                              TParameterMemoryWidgets {};
