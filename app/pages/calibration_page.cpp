// TabSheet3, the calibration: the conditions and steps of a mains-voltage calibration
// with the measured voltage to write, the start and nominal voltages, and the fixed
// limits (shown at the full access level only).
#include "app/hauptfenster.h"

#include "app/pages/page_kit.h"
#include "app/widgets/up_down.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace page_kit;

void THauptfenster::buildCalibrationPage() {
    TabSheet3 = new QWidget;
    auto* page = compact(new QGridLayout(TabSheet3));
    page->setSpacing(kGroupSpacing);

    GroupBox9 = group(TabSheet3);
    auto* g9 = compact(new QVBoxLayout(GroupBox9));
    g9->setSpacing(2);
    Label53 = wrappingCaption(GroupBox9);
    QFont bold = Label53->font();
    bold.setBold(true);
    Label53->setFont(bold);
    g9->addWidget(Label53);
    auto* conditions = new QVBoxLayout;
    conditions->setContentsMargins(16, 0, 0, 0);
    conditions->setSpacing(0);
    Label49 = wrappingCaption(GroupBox9);
    Label54 = wrappingCaption(GroupBox9);
    Label64 = wrappingCaption(GroupBox9);
    Label48 = wrappingCaption(GroupBox9);
    for (QLabel* l : {Label49, Label54, Label64, Label48})
        conditions->addWidget(l);
    g9->addLayout(conditions);
    g9->addSpacing(6);
    auto* steps = new QGridLayout;
    steps->setVerticalSpacing(4);
    Label67 = caption(GroupBox9);
    Label55 = wrappingCaption(GroupBox9);
    Label72 = caption(GroupBox9);
    Label57 = wrappingCaption(GroupBox9);
    Label73 = caption(GroupBox9);
    Label65 = wrappingCaption(GroupBox9);
    for (QLabel* l : {Label67, Label72, Label73})
        l->setFont(bold);
    steps->addWidget(Label67, 0, 0, Qt::AlignTop);
    steps->addWidget(Label55, 0, 1);
    steps->addWidget(Label72, 1, 0, Qt::AlignTop);
    steps->addWidget(Label57, 1, 1);
    steps->addWidget(Label73, 2, 0, Qt::AlignTop);
    steps->addWidget(Label65, 2, 1);
    steps->setColumnStretch(1, 1);
    g9->addLayout(steps);
    g9->addSpacing(6);
    auto* measure = new QHBoxLayout;
    Label59 = caption(GroupBox9);
    Edit15 = numberEdit(GroupBox9, 4, true);
    UpDown10 = upDown(GroupBox9, 210, 260, 1, 230, Edit15);
    Bt_WR_Kalwert = new QPushButton(GroupBox9);
    measure->addWidget(Label59);
    measure->addLayout(withUpDown(Edit15, UpDown10));
    measure->addSpacing(12);
    measure->addWidget(Bt_WR_Kalwert);
    measure->addStretch(1);
    g9->addLayout(measure);
    Memo1 = new QPlainTextEdit(GroupBox9);
    Memo1->setReadOnly(true);
    Memo1->setMinimumHeight(Memo1->fontMetrics().lineSpacing() * 3);
    g9->addWidget(Memo1, 1);
    page->addWidget(GroupBox9, 0, 0, 3, 1);

    GroupBox13 = group(TabSheet3);
    auto* g13 = compact(new QGridLayout(GroupBox13));
    g13->setVerticalSpacing(4);
    Label52 = caption(GroupBox13);
    Edit7 = numberEdit(GroupBox13, 4, true);
    UpDown6 = upDown(GroupBox13, 210, 250, 1, 235, Edit7);
    Label50 = caption(GroupBox13);
    Edit14 = numberEdit(GroupBox13, 4, true);
    UpDown9 = upDown(GroupBox13, 210, 250, 1, 230, Edit14);
    g13->addWidget(Label52, 0, 0);
    g13->addLayout(withUpDown(Edit7, UpDown6), 0, 1);
    g13->addWidget(Label50, 1, 0);
    g13->addLayout(withUpDown(Edit14, UpDown9), 1, 1);
    g13->setColumnStretch(0, 1);
    page->addWidget(GroupBox13, 0, 1);

    // Limits: fixed texts, shown at the full access level only
    Grenzw_cont = group(TabSheet3);
    auto* gl = compact(new QGridLayout(Grenzw_cont));
    gl->setVerticalSpacing(3);
    const auto limit = [this, gl](QLabel*& label, QLabel*& value, const QString& text) {
        label = caption(Grenzw_cont);
        value = caption(Grenzw_cont, text);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int r = gl->rowCount();
        gl->addWidget(label, r, 0);
        gl->addWidget(value, r, 1);
    };
    limit(Label9, lim_fan_on, QStringLiteral("50 °C"));
    limit(Label28, lim_fan_off, QStringLiteral("45 °C"));
    limit(Label4, lim_temp_err_on, QStringLiteral("80 °C"));
    limit(Label8, lim_temp_err_off, QStringLiteral("65 °C"));
    limit(Label69, lim_uac_red_on, QStringLiteral("210 V"));
    limit(Label68, lim_uac_red_off, QStringLiteral("212 V"));
    limit(Label60, lim_temp_red_on, QStringLiteral("70 °C"));
    limit(Label61, lim_temp_red_off, QStringLiteral("65 °C"));
    gl->setColumnStretch(0, 1);
    Grenzw_cont->hide(); // full access level only
    page->addWidget(Grenzw_cont, 1, 1);

    page->setRowStretch(2, 1);
    page->setColumnStretch(0, 3);
    page->setColumnStretch(1, 1);
    PageControl1->addTab(TabSheet3, QString());

    addCaptions(captionRows_, {{TabSheet3, 118},
                               {GroupBox9, 120},
                               {GroupBox13, 121},
                               {Bt_WR_Kalwert, 122},
                               {Label59, 123},
                               {Label52, 124},
                               {Label50, 125},
                               // Conditions and steps
                               {Label53, 127},
                               {Label49, 128},
                               {Label54, 129},
                               {Label64, 130},
                               {Label48, 131},
                               {Label55, 132},
                               {Label57, 133},
                               {Label65, 134},
                               {Label67, 135},
                               {Label72, 136},
                               {Label73, 137},
                               // Limits
                               {Grenzw_cont, 81},
                               {Label9, 82},
                               {Label28, 83},
                               {Label4, 84},
                               {Label8, 85},
                               {Label69, 86},
                               {Label68, 87},
                               {Label60, 88},
                               {Label61, 89}});
}
