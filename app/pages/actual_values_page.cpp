// TabSheet1, the actual values: the state strip, clocks, operating times and energy
// saving, the status lamps, and the workday and weekend night profiles.
#include "app/hauptfenster.h"

#include "app/pages/page_kit.h"
#include "app/widgets/lamp_shape.h"
#include "app/widgets/state_strip.h"
#include "app/widgets/up_down.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeEdit>

using namespace page_kit;

namespace {

// One period of a night profile: its lamp, name, start time and saving with the up-down
// that steps it, and the hidden takt that is written.
struct ProfileRow {
    TLampShape** led;
    QLabel** name;
    QTimeEdit** picker;
    QTime time;
    QLineEdit** saving;
    TUpDown** ud;
    QLabel** takt;
};

// A night profile: the headings above, one row per period.
void buildProfile(QGroupBox* box, QLabel*& heading, QLabel*& timeHeading, QLabel*& savingHeading,
                  const std::initializer_list<ProfileRow>& rows) {
    auto* g = compact(new QGridLayout(box));
    g->setVerticalSpacing(4);
    heading = caption(box);
    timeHeading = caption(box);
    savingHeading = caption(box);
    g->addWidget(heading, 0, 0, 1, 2);
    g->addWidget(timeHeading, 0, 2);
    g->addWidget(savingHeading, 0, 3, 1, 2);
    int r = 1;
    for (const ProfileRow& row : rows) {
        if (row.led) {
            *row.led = lamp(box);
            g->addWidget(*row.led, r, 0);
        }
        *row.name = caption(box);
        *row.picker = timePicker(box, row.time);
        *row.saving = numberEdit(box, 3, true);
        *row.ud = upDown(box, -1000, 1000, 1, 0);
        g->addWidget(*row.name, r, 1);
        g->addWidget(*row.picker, r, 2);
        g->addLayout(withUpDown(*row.saving, *row.ud), r, 3, Qt::AlignLeft);
        if (row.takt) {
            *row.takt = new QLabel(box);
            (*row.takt)->hide();
        }
        ++r;
    }
    g->setColumnStretch(4, 1);
    g->setRowStretch(r, 1);
}

} // namespace

void THauptfenster::buildActualValuesPage() {
    TabSheet1 = new QWidget;
    auto* page = compact(new QGridLayout(TabSheet1));
    page->setSpacing(kGroupSpacing);

    StatusBar1 = new TStateStrip(TabSheet1);
    StatusBar1->setPanelPainter([this](QPainter& canvas, int panel, const QRect& rect) {
        StatusBar1DrawPanel(StatusBar1, canvas, panel, rect);
    });
    page->addWidget(StatusBar1, 0, 0, 1, 2);

    // Clocks, operating times and energy saving
    GroupBox7 = group(TabSheet1);
    auto* g7 = compact(new QGridLayout(GroupBox7));
    g7->setVerticalSpacing(4);
    clk_uc = caption(GroupBox7);
    uC_Zeit = readout(GroupBox7, QStringLiteral("00.00.0000   00:00"));
    clk_pc = caption(GroupBox7);
    PC_Zeit = readout(GroupBox7, QStringLiteral("00.00.0000   00:00"));
    clk_bt = new QPushButton(GroupBox7);
    op_time_all = caption(GroupBox7);
    h_all = readout(GroupBox7, QStringLiteral("0000000,00h"));
    op_time_dimm = caption(GroupBox7);
    h_dimm = readout(GroupBox7, QStringLiteral("0000000,00h"));
    op_time_act = caption(GroupBox7);
    t_lauf_anz = readout(GroupBox7, QStringLiteral("00h, 00min, 00s"));
    g7->addWidget(clk_uc, 0, 0);
    g7->addWidget(uC_Zeit, 0, 1);
    // In the caption column's free cell beside the clock button: the drift next to what
    // mends it (the readouts leave no room right of the clock in the longer languages).
    uC_drift = caption(GroupBox7);
    g7->addWidget(uC_drift, 2, 0, Qt::AlignRight | Qt::AlignVCenter);
    g7->addWidget(clk_pc, 1, 0);
    g7->addWidget(PC_Zeit, 1, 1);
    g7->addWidget(clk_bt, 2, 1, Qt::AlignLeft);
    g7->addWidget(op_time_all, 3, 0);
    g7->addWidget(h_all, 3, 1);
    g7->addWidget(op_time_dimm, 4, 0);
    g7->addWidget(h_dimm, 4, 1);
    g7->addWidget(op_time_act, 5, 0);
    g7->addWidget(t_lauf_anz, 5, 1);
    en_saving = caption(GroupBox7);
    g7->addWidget(en_saving, 6, 0, 1, 2);
    auto* saving = new QHBoxLayout;
    saving->setContentsMargins(12, 0, 0, 0);
    saving->setSpacing(4);
    nominal = caption(GroupBox7);
    e_spar_soll_anz = readout(GroupBox7, QStringLiteral("100 %"));
    actual = caption(GroupBox7);
    e_spar_ist_anz = readout(GroupBox7, QStringLiteral("100 %"));
    saving->addWidget(nominal);
    saving->addWidget(e_spar_soll_anz);
    saving->addSpacing(12);
    saving->addWidget(actual);
    saving->addWidget(e_spar_ist_anz);
    saving->addStretch(1);
    g7->addLayout(saving, 7, 0, 1, 2);
    g7->setColumnStretch(1, 1);
    page->addWidget(GroupBox7, 1, 0);

    // Status lamps: operation, internal, external | dimming off, fan on, error
    GroupBox6 = group(TabSheet1);
    auto* g6 = compact(new QGridLayout(GroupBox6));
    g6->setVerticalSpacing(4);
    works = caption(GroupBox6);
    LED_G = lamp(GroupBox6);
    internal = caption(GroupBox6);
    Sh_cond_4 = lamp(GroupBox6);
    e_spar_soll_intern_anz = readout(GroupBox6, QStringLiteral("100 %"));
    external1 = caption(GroupBox6);
    Sh_cond_3 = lamp(GroupBox6);
    e_spar_soll_extern_anz = readout(GroupBox6, QStringLiteral("100 %"));
    Label13 = caption(GroupBox6);
    Sh_Dimm_off = lamp(GroupBox6);
    fan_on = caption(GroupBox6);
    LED_Y = lamp(GroupBox6);
    err = caption(GroupBox6);
    LED_R = lamp(GroupBox6);
    g6->addWidget(LED_G, 0, 0);
    g6->addWidget(works, 0, 1);
    g6->addWidget(Sh_cond_4, 1, 0);
    g6->addWidget(internal, 1, 1);
    g6->addWidget(e_spar_soll_intern_anz, 1, 2);
    g6->addWidget(Sh_cond_3, 2, 0);
    g6->addWidget(external1, 2, 1);
    g6->addWidget(e_spar_soll_extern_anz, 2, 2);
    g6->setColumnMinimumWidth(3, 12);
    g6->addWidget(Sh_Dimm_off, 0, 4);
    g6->addWidget(Label13, 0, 5);
    g6->addWidget(LED_Y, 1, 4);
    g6->addWidget(fan_on, 1, 5);
    g6->addWidget(LED_R, 2, 4);
    g6->addWidget(err, 2, 5);
    g6->setColumnStretch(5, 1);
    page->addWidget(GroupBox6, 2, 0);

    // Training and test-version notes, shown by the identity read
    auto* notes = new QHBoxLayout;
    Label29 = caption(TabSheet1, QStringLiteral("Schulung !"));
    Label30 = caption(TabSheet1, QStringLiteral("Testversion !"));
    makeWarning(Label29);
    makeWarning(Label30);
    Label29->hide();
    Label30->hide();
    notes->addWidget(Label29);
    notes->addWidget(Label30);
    notes->addStretch(1);
    page->addLayout(notes, 3, 0);

    // The two night profiles: one row per period with its lamp, start time and saving
    GroupBox4 = group(TabSheet1);
    buildProfile(GroupBox4, Label45, Label25, Label14,
                 {{&wt_ph1_led, &Label2, &DateTimePicker_Mo1, QTime(20, 0), &edit_WT_Red1,
                   &UpDown_WT1, &wt1_takt},
                  {&wt_ph2_led, &Label10, &DateTimePicker_Mo2, QTime(22, 0), &edit_WT_Red2,
                   &UpDown_WT2, &wt2_takt},
                  {&wt_ph3_led, &Label16, &DateTimePicker_Mo3, QTime(5, 0), &edit_WT_Red3,
                   &UpDown_WT3, &wt3_takt},
                  {nullptr, &Label41, &DateTimePicker_Mo_End, QTime(6, 0), &edit_WT_Red_end,
                   &UpDown_WTEnd, nullptr}});
    page->addWidget(GroupBox4, 1, 1);

    GroupBox3 = group(TabSheet1);
    buildProfile(GroupBox3, Label35, Label7, Label66,
                 {{&we_ph1_led, &Label17, &DateTimePicker_Sa1, QTime(22, 0), &edit_WE_Red1,
                   &UpDown_Sa1, &we1_takt},
                  {&we_ph2_led, &Label18, &DateTimePicker_Sa2, QTime(0, 0), &edit_WE_Red2,
                   &UpDown_Sa2, &we2_takt},
                  {&we_ph3_led, &Label23, &DateTimePicker_Sa3, QTime(7, 0), &edit_WE_Red3,
                   &UpDown_Sa3, &we3_takt},
                  {nullptr, &Label42, &DateTimePicker_Sa_End, QTime(8, 0), &edit_WE_Red_end,
                   &UpDown1, nullptr}});
    page->addWidget(GroupBox3, 2, 1, 2, 1);

    // The dimming end has no saving of its own: no usable up-down.
    for (TUpDown* ud : {UpDown_WTEnd, UpDown1}) {
        keepPlaceWhenHidden(ud);
        ud->setEnabled(false);
        ud->hide();
    }
    page->setColumnStretch(0, 1);
    page->setColumnStretch(1, 1);
    page->setRowStretch(3, 1);
    PageControl1->addTab(TabSheet1, QString());

    addCaptions(captionRows_, {{TabSheet1, 1},
                               {clk_uc, 12},
                               {clk_pc, 13},
                               {clk_bt, 14},
                               {op_time_all, 15},
                               {op_time_dimm, 16},
                               {op_time_act, 17},
                               {works, 20},
                               {internal, 21},
                               {external1, 22},
                               {en_saving, 23},
                               {nominal, 24},
                               {actual, 25},
                               {fan_on, 26},
                               {err, 27},
                               {Label13, 162},
                               // Workday night
                               {GroupBox4, 34},
                               {Label45, 35},
                               {Label2, 36},
                               {Label10, 37},
                               {Label16, 38},
                               {Label41, 39},
                               {Label25, 40},
                               {Label14, 41},
                               // Weekend night
                               {GroupBox3, 42},
                               {Label35, 43},
                               {Label17, 44},
                               {Label18, 45},
                               {Label23, 46},
                               {Label42, 47},
                               {Label7, 48},
                               {Label66, 49}});
    addCaptions(captionRows_, partRows(StatusBar1, {69, 70, 71, 72, 73, 167}));
}
