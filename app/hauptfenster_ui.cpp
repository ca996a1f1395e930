// The main window's widgets and layouts: menu, six pages, bottom bar and status line, each
// built by its own file in app/pages/. Everything is laid out with Qt layouts, so the
// window follows the font size and the screen's scaling. Each builder lists its captions
// by their rows of the text table; the window is labelled from that list in the design
// language (German), until a language is applied.
#include "app/hauptfenster.h"

#include "app/pages/page_kit.h"
#include "text/info_table.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
Language g_designLanguage = Language::German;
} // namespace

void THauptfenster::setDesignLanguage(Language language) {
    g_designLanguage = language;
}

QString THauptfenster::designText(int row) {
    return infoText(g_designLanguage, row);
}

void THauptfenster::buildUi() {
    buildMenu();

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* mainLayout = new QVBoxLayout(central);
    constexpr int spacing = page_kit::kGroupSpacing;
    mainLayout->setContentsMargins(spacing, spacing, spacing, 2);
    mainLayout->setSpacing(spacing);

    PageControl1 = new QTabWidget(central);
    PageControl1->setDocumentMode(false);
    mainLayout->addWidget(PageControl1, 1);

    // In the order of their tabs.
    buildActualValuesPage();
    buildServicePage();
    buildCalibrationPage();
    buildMeasurementPage();
    buildLightControlPage();
    buildParameterMemoryPage();

    mainLayout->addWidget(buildBottomBar(central));
    buildStatusLine();

    applyCaptions(captionRows_, &THauptfenster::designText);

    // The start-setting fields and the window itself filter their keys; the voltage
    // caption on the calibration page opens the info window.
    installEventFilter(this);
    takt_burn_visu->installEventFilter(this);
    time_burn_visu->installEventFilter(this);
    Label59->installEventFilter(this);
}
