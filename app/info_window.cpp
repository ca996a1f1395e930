#include "app/info_window.h"

#include "app/hauptfenster.h"
#include "text/info_table.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString designText(int row) {
    return THauptfenster::designText(row);
}

QLabel* valueLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

TInfofenst::TInfofenst(THauptfenster* main) : QDialog(main), main_(main) {
    setWindowTitle(QStringLiteral("TRV5200-Info"));

    GroupBox1 = new QGroupBox(designText(53), this);
    auto* version = new QGridLayout(GroupBox1);
    Label7 = new QLabel(designText(54), GroupBox1);
    Versionsnr = valueLabel(GroupBox1);
    Versionsnr->setText(QStringLiteral("5.3"));
    Label10 = new QLabel(designText(55), GroupBox1);
    Erst_Date = valueLabel(GroupBox1);
    Erst_Date->setText(QStringLiteral("07.05.2012"));
    Label11 = new QLabel(designText(109), GroupBox1);
    HW_nr = valueLabel(GroupBox1);
    HW_nr->setText(QStringLiteral("0.0"));
    HWV_read_bt = new QPushButton(designText(110), GroupBox1);
    HWV_read_bt->setVisible(false);
    version->addWidget(Label7, 0, 0);
    version->addWidget(Versionsnr, 0, 1);
    version->addWidget(Label10, 1, 0);
    version->addWidget(Erst_Date, 1, 1);
    version->addWidget(Label11, 2, 0);
    version->addWidget(HW_nr, 2, 1);
    version->setColumnStretch(1, 1);

    GroupBox2 = new QGroupBox(designText(56), this);
    auto* contact = new QGridLayout(GroupBox2);
    Label2 = new QLabel(designText(57), GroupBox2);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label1 = valueLabel(GroupBox2);
    Label1->setText(designText(58));
    Label3 = valueLabel(GroupBox2);
    Label3->setText(designText(59));
    Label4 = new QLabel(designText(60), GroupBox2);
    Label8 = valueLabel(GroupBox2);
    Label8->setText(designText(61));
    Label5 = new QLabel(designText(62), GroupBox2);
    Label9 = valueLabel(GroupBox2);
    Label9->setText(designText(63));
    Label6 = valueLabel(GroupBox2);
    Label6->setText(designText(64));
    contact->addWidget(Label2, 0, 0, 1, 2);
    contact->addWidget(Label1, 1, 0, 1, 2);
    contact->addWidget(Label3, 2, 0, 1, 2);
    contact->addWidget(Label4, 3, 0);
    contact->addWidget(Label8, 3, 1);
    contact->addWidget(Label5, 4, 0);
    contact->addWidget(Label9, 4, 1);
    contact->addWidget(Label6, 5, 0, 1, 2);
    contact->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addWidget(buttons);
    // A fixed-size window; it grows with its texts, never below a comfortable width.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Built with its design texts; the caption is the text table's only once a language
    // is applied.
    captionRows_ = {{this, 52},     {GroupBox1, 53},    {Label7, 54},    {Label10, 55},
                    {Label11, 109}, {HWV_read_bt, 110}, {GroupBox2, 56}, {Label2, 57},
                    {Label1, 58},   {Label3, 59},       {Label4, 60},    {Label8, 61},
                    {Label5, 62},   {Label9, 63},       {Label6, 64}};
}

void TInfofenst::FormShow() {
    Versionsnr->setText(QStringLiteral("5.3"));
    Erst_Date->setText(QStringLiteral("07.05.2012"));
    HW_nr->setText(main_->HW_Produktcode + QStringLiteral("   ") + main_->SW_Date);
}

void TInfofenst::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}
