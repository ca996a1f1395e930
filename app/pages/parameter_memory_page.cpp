// TabSheet5, the parameter memory: the grid of the controller's parameter words. Its tab
// is hidden from the start; its tab title is not translated.
#include "app/hauptfenster.h"

#include "app/pages/page_kit.h"

#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace page_kit;

void THauptfenster::buildParameterMemoryPage() {
    TabSheet5 = new QWidget;
    auto* page = compact(new QVBoxLayout(TabSheet5));
    StringGrid3 = stringGrid(TabSheet5, 7, 110, 150);
    page->addWidget(StringGrid3);
    PageControl1->addTab(TabSheet5, QStringLiteral("Eepromdaten"));

    addCaptions(captionRows_, partRows(StringGrid3, {155, 156, 157, 158, 159, 160, 161}));
}
