// TabSheet2, the service page: the state strip, measured values, start settings, ramp
// times, the controller clock and the fault memory. Everything below the tab waits for a
// service password.
#include "app/hauptfenster.h"

#include "app/pages/page_kit.h"
#include "app/widgets/lamp_shape.h"
#include "app/widgets/state_strip.h"
#include "app/widgets/up_down.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace page_kit;

void THauptfenster::buildServicePage() {
    TabSheet2 = new QWidget;
    auto* outer = new QVBoxLayout(TabSheet2);
    outer->setContentsMargins(0, 0, 0, 0);
    TabSheet2_contents = new QWidget(TabSheet2);
    outer->addWidget(TabSheet2_contents);
    auto* page = compact(new QGridLayout(TabSheet2_contents));
    page->setSpacing(kGroupSpacing);

    StatusBar2 = new TStateStrip(TabSheet2_contents);
    StatusBar2->setPanelPainter([this](QPainter& canvas, int panel, const QRect& rect) {
        StatusBar2DrawPanel(StatusBar2, canvas, panel, rect);
    });
    page->addWidget(StatusBar2, 0, 0, 1, 2);

    // Measured values, two columns of three
    Messw_cont = group(TabSheet2_contents);
    auto* gm = compact(new QGridLayout(Messw_cont));
    gm->setVerticalSpacing(4);
    const auto measured = [this, gm](QLabel*& label, QLineEdit*& edit, int r, int c) {
        label = caption(Messw_cont);
        edit = numberEdit(Messw_cont, 5, true);
        edit->setFocusPolicy(Qt::NoFocus);
        gm->addWidget(label, r, c);
        gm->addWidget(edit, r, c + 1);
    };
    measured(Label1, Edit_Uz, 0, 0);
    measured(Label3, Edit_fist, 1, 0);
    measured(Label6, Edit_tmp1, 2, 0);
    measured(Label20, Edit_uac, 0, 3);
    measured(Label39, Edit_fsoll, 1, 3);
    measured(Label15, Edit_tmp2, 2, 3);
    gm->setColumnMinimumWidth(2, 12);
    gm->setColumnStretch(2, 1);
    gm->setColumnStretch(5, 1);
    page->addWidget(Messw_cont, 1, 0);

    // Start settings: value to write with its up-down, value last read beside it
    Starteinst_cont = group(TabSheet2_contents);
    auto* gs = compact(new QGridLayout(Starteinst_cont));
    gs->setVerticalSpacing(4);
    Label40 = caption(Starteinst_cont);
    takt_burn_visu = numberEdit(Starteinst_cont, 4, true);
    UpDown2 = upDown(Starteinst_cont, 50, 70, 1, 55, takt_burn_visu);
    takt_burn = numberEdit(Starteinst_cont, 4, false);
    takt_burn->setEnabled(false);
    Label5 = caption(Starteinst_cont);
    time_burn_visu = numberEdit(Starteinst_cont, 4, false);
    UpDown3 = upDown(Starteinst_cont, 3, 15, 1, 10, time_burn_visu);
    time_burn = numberEdit(Starteinst_cont, 4, false);
    time_burn->setEnabled(false);
    gs->addWidget(Label40, 0, 0);
    gs->addLayout(withUpDown(takt_burn_visu, UpDown2), 0, 1);
    gs->addWidget(takt_burn, 0, 2);
    gs->addWidget(Label5, 1, 0);
    gs->addLayout(withUpDown(time_burn_visu, UpDown3), 1, 1);
    gs->addWidget(time_burn, 1, 2);
    gs->setColumnStretch(0, 1);
    page->addWidget(Starteinst_cont, 2, 0);

    // Ramp times: value to write with its up-down, value last read beside it
    GroupBox10 = group(TabSheet2_contents);
    auto* gr = compact(new QGridLayout(GroupBox10));
    gr->setVerticalSpacing(4);
    Label56 = caption(GroupBox10);
    Edit6 = numberEdit(GroupBox10, 4, true);
    UpDown7 = upDown(GroupBox10, 25, 600, 25, 600, Edit6);
    Edit12 = numberEdit(GroupBox10, 4, true);
    Label58 = caption(GroupBox10);
    Edit10 = numberEdit(GroupBox10, 4, true);
    UpDown8 = upDown(GroupBox10, 25, 600, 25, 600, Edit10);
    Edit13 = numberEdit(GroupBox10, 4, true);
    Label22 = caption(GroupBox10, QStringLiteral("HW Stand zu alt !"));
    makeWarning(Label22);
    keepPlaceWhenHidden(Label22);
    Label22->hide();
    gr->addWidget(Label56, 0, 0);
    gr->addLayout(withUpDown(Edit6, UpDown7), 0, 1);
    gr->addWidget(Edit12, 0, 2);
    gr->addWidget(Label58, 1, 0);
    gr->addLayout(withUpDown(Edit10, UpDown8), 1, 1);
    gr->addWidget(Edit13, 1, 2);
    gr->addWidget(Label22, 2, 0, 1, 3);
    gr->setColumnStretch(0, 1);
    page->addWidget(GroupBox10, 3, 0);

    // Controller clock with the summer-time lamp
    Uhrzeit_cont = group(TabSheet2_contents);
    auto* gc = compact(new QGridLayout(Uhrzeit_cont));
    gc->setVerticalSpacing(4);
    Label26 = caption(Uhrzeit_cont);
    uC_Zeit2 = readout(Uhrzeit_cont, QStringLiteral("00.00.0000   00:00"));
    Label19 = caption(Uhrzeit_cont);
    so_time_led = lamp(Uhrzeit_cont);
    Label51 = caption(Uhrzeit_cont);
    gc->addWidget(Label26, 0, 0);
    gc->addWidget(uC_Zeit2, 0, 1, 1, 2);
    gc->addWidget(Label19, 1, 0);
    gc->addWidget(so_time_led, 1, 1);
    gc->addWidget(Label51, 1, 2);
    gc->setColumnStretch(2, 1);
    page->addWidget(Uhrzeit_cont, 1, 1);

    // Fault memory: heading row and 16 records; the fault text takes the rest of the width
    Fehlerspeicher = group(TabSheet2_contents);
    auto* gf = compact(new QVBoxLayout(Fehlerspeicher));
    StringGrid1 = stringGrid(Fehlerspeicher, 3, 17, 64);
    StringGrid1->setColumnWidth(0, 30);
    StringGrid1->setColumnWidth(
        1, StringGrid1->fontMetrics().horizontalAdvance(QStringLiteral("00.00  00:00")) + 16);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setMinimumWidth(200);
    // The two buttons one above the other: their captions are long in some languages.
    err_mem_read_bt = new QPushButton(Fehlerspeicher);
    err_mem_clear_bt = new QPushButton(Fehlerspeicher);
    gf->addWidget(StringGrid1, 1);
    gf->addWidget(err_mem_read_bt);
    gf->addWidget(err_mem_clear_bt);
    page->addWidget(Fehlerspeicher, 2, 1, 3, 1);

    page->setRowStretch(4, 1);
    page->setColumnStretch(0, 1);
    page->setColumnStretch(1, 1);
    TabSheet2_contents->hide(); // until a service password is accepted
    PageControl1->addTab(TabSheet2, QString());

    addCaptions(captionRows_,
                {{TabSheet2, 2},        {Messw_cont, 74},       {Label1, 75},
                 {Label3, 76},          {Label6, 77},           {Label20, 78},
                 {Label39, 79},         {Label15, 80},          {Starteinst_cont, 90},
                 {Label40, 91},         {Label5, 93},           {Label26, 95},
                 {Label19, 96},         {Label51, 97},          {Uhrzeit_cont, 102},
                 {Fehlerspeicher, 103}, {err_mem_read_bt, 104}, {err_mem_clear_bt, 105},
                 {GroupBox10, 112},     {Label56, 113},         {Label58, 114}});
    addCaptions(captionRows_, partRows(StatusBar2, {69, 70, 71, 72, 73, 167}));
    addCaptions(captionRows_, partRows(StringGrid1, {108, 107, 106}));
}
