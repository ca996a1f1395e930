// TabSheet4, the measuring values: the grid of the controller's RAM variables, filled by
// every RAM read (its painting and column widths: live/measurement_grid_steps.cpp).
#include "app/hauptfenster.h"

#include "app/pages/page_kit.h"

#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace page_kit;

void THauptfenster::buildMeasurementPage() {
    TabSheet4 = new QWidget;
    auto* page = compact(new QVBoxLayout(TabSheet4));
    StringGrid2 = stringGrid(TabSheet4, 7, 110, 150);
    page->addWidget(StringGrid2);
    PageControl1->addTab(TabSheet4, QString());

    addCaptions(captionRows_, {{TabSheet4, 119}});
    addCaptions(captionRows_, partRows(StringGrid2, {155, 156, 157, 158, 159, 160, 161}));
}
