// The main window's widgets and layouts: menu, six pages, bottom bar and status line.
// Everything is laid out with Qt layouts, so the window follows the font size and the
// screen's scaling; captions come from the text table in the design language (German),
// until a language is applied.
#include "app/hauptfenster.h"

#include "base/settings.h"
#include "app/widgets/lamp_shape.h"
#include "app/widgets/state_strip.h"
#include "app/widgets/status_line.h"
#include "app/widgets/up_down.h"
#include "serial/port_map.h"
#include "text/info_table.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadialGradient>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

Language g_designLanguage = Language::German;

// Spacing inside groups and between them, in the style's units.
constexpr int kGroupSpacing = 6;

QLabel* caption(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return label;
}

// A caption that may wrap onto a second line in the longer languages.
QLabel* wrappingCaption(QWidget* parent, const QString& text) {
    auto* label = caption(parent, text);
    label->setWordWrap(true);
    return label;
}

// A read-out: a sunken field that shows a value, as wide as its widest sample text.
QLabel* readout(QWidget* parent, const QString& widestText) {
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setMargin(1);
    label->setIndent(3);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widestText) + 14);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return label;
}

// A number field as wide as `digits` characters.
QLineEdit* numberEdit(QWidget* parent, int digits, bool readOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setReadOnly(readOnly);
    const int textWidth = edit->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0')));
    edit->setFixedWidth(textWidth + 16);
    return edit;
}

TUpDown* upDown(QWidget* parent, int min, int max, int increment, int position,
                QLineEdit* associate = nullptr) {
    auto* ud = new TUpDown(parent);
    ud->setRange(min, max);
    ud->setIncrement(increment);
    ud->setPosition(position);
    if (associate) {
        associate->setText(QString::number(position));
        ud->setAssociate(associate);
        ud->setFixedHeight(associate->sizeHint().height());
    }
    return ud;
}

// An edit with its up-down directly at its right edge, as one cell of a grid.
QHBoxLayout* withUpDown(QLineEdit* edit, TUpDown* ud) {
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(edit);
    row->addWidget(ud);
    ud->setFixedHeight(edit->sizeHint().height());
    return row;
}

TLampShape* lamp(QWidget* parent) {
    return new TLampShape(parent);
}

QGroupBox* group(QWidget* parent, const QString& title) {
    return new QGroupBox(title, parent);
}

// Compact margins inside a group and on a page: the window has to hold a lot at
// 784 × 516.
template <typename Layout> Layout* compact(Layout* layout) {
    layout->setContentsMargins(8, 6, 8, 6);
    return layout;
}

QTimeEdit* timePicker(QWidget* parent, QTime time) {
    auto* picker = new QTimeEdit(time, parent);
    picker->setDisplayFormat(QStringLiteral("HH:mm"));
    picker->setWrapping(true);
    picker->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return picker;
}

// An output that keeps its place in the layout while hidden, so nothing jumps when it
// appears.
void keepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

// A note in red and bold: hardware too old, communication error, training version.
void makeWarning(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(200, 0, 0));
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

// A grid in the manner of the system's string grids: the heading row and column are cells
// with the button face, the rest are selectable, read-only cells.
QTableWidget* stringGrid(QWidget* parent, int columns, int rows, int defaultColumnWidth) {
    auto* grid = new QTableWidget(rows, columns, parent);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    grid->horizontalHeader()->setDefaultSectionSize(defaultColumnWidth);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const QBrush fixedBrush = grid->palette().brush(QPalette::Button);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem;
            if (r == 0 || c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixedBrush);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            grid->setItem(r, c, item);
        }
    }
    return grid;
}

// The light-control page's banner: a night street under a row of lamps.
QPixmap lightBanner(const QSize& size, qreal dpr) {
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(12, 20, 48));
    sky.setColorAt(1, QColor(40, 56, 96));
    p.fillRect(QRect(QPoint(0, 0), size), sky);
    const int ground = size.height() - 18;
    p.fillRect(QRect(0, ground, size.width(), 18), QColor(30, 30, 36));
    const int lamps = 5;
    const int pitch = size.width() / lamps;
    for (int x = pitch / 2 - 7; x < size.width(); x += pitch) {
        QRadialGradient glow(QPointF(x + 14, 34), 70);
        glow.setColorAt(0, QColor(255, 220, 140, 150));
        glow.setColorAt(1, QColor(255, 220, 140, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(x + 14, 34), 70, 70);
        p.setPen(QPen(QColor(150, 150, 160), 3));
        p.drawLine(x, ground, x, 28);
        p.drawLine(x, 28, x + 14, 28);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 180));
        p.drawEllipse(QPointF(x + 14, 32), 6, 4);
    }
    return pixmap;
}

} // namespace

void THauptfenster::setDesignLanguage(Language language) {
    g_designLanguage = language;
}

QString THauptfenster::designText(int row) {
    return infoText(g_designLanguage, row);
}

void THauptfenster::refreshComToolTips() {
    for (int i = 0; i < ComboBox1->count(); ++i)
        ComboBox1->setItemData(i, devicePathFor(ComboBox1->itemText(i)), Qt::ToolTipRole);
    ComboBox1->setToolTip(devicePathFor(ComboBox1->currentText()));
}

void THauptfenster::buildUi() {
    setWindowTitle(designText(0));

    // --- Menu ------------------------------------------------------------------------
    config = menuBar()->addMenu(designText(3));
    config_load1 = config->addAction(designText(4));
    config_save1 = config->addAction(designText(5));
    option1 = menuBar()->addMenu(designText(6));
    language1 = option1->addMenu(designText(7));
    language_items = new QActionGroup(this);
    language_items->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    german1 = language1->addAction(designText(8));
    english1 = language1->addAction(designText(9));
    Schwe1 = language1->addAction(designText(164));
    Franzsich1 = language1->addAction(designText(165));
    tuerk1 = language1->addAction(designText(168));
    for (QAction* item : {german1, english1, Schwe1, Franzsich1, tuerk1}) {
        item->setCheckable(true);
        language_items->addAction(item);
    }
    Franzsich1->setChecked(true);
    info1 = menuBar()->addMenu(designText(10));
    about1 = info1->addAction(designText(11));
    connect(about1, &QAction::triggered, this, [this] { about1Click(); });

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* mainLayout = new QVBoxLayout(central);
    mainLayout->setContentsMargins(kGroupSpacing, kGroupSpacing, kGroupSpacing, 2);
    mainLayout->setSpacing(kGroupSpacing);

    PageControl1 = new QTabWidget(central);
    PageControl1->setDocumentMode(false);
    mainLayout->addWidget(PageControl1, 1);

    // --- TabSheet1: actual values -----------------------------------------------------
    TabSheet1 = new QWidget;
    {
        auto* page = compact(new QGridLayout(TabSheet1));
        page->setSpacing(kGroupSpacing);

        StatusBar1 = new TStateStrip(TabSheet1);
        StatusBar1->setPanelTexts({designText(69), designText(70), designText(71), designText(72),
                                   designText(73), designText(167)});
        StatusBar1->setPanelPainter([this](QPainter& canvas, int panel, const QRect& rect) {
            StatusBar1DrawPanel(StatusBar1, canvas, panel, rect);
        });
        page->addWidget(StatusBar1, 0, 0, 1, 2);

        // Clocks, operating times and energy saving
        GroupBox7 = group(TabSheet1, QString());
        auto* g7 = compact(new QGridLayout(GroupBox7));
        g7->setVerticalSpacing(4);
        clk_uc = caption(GroupBox7, designText(12));
        uC_Zeit = readout(GroupBox7, QStringLiteral("00.00.0000   00:00"));
        clk_pc = caption(GroupBox7, designText(13));
        PC_Zeit = readout(GroupBox7, QStringLiteral("00.00.0000   00:00"));
        clk_bt = new QPushButton(designText(14), GroupBox7);
        op_time_all = caption(GroupBox7, designText(15));
        h_all = readout(GroupBox7, QStringLiteral("0000000,00h"));
        op_time_dimm = caption(GroupBox7, designText(16));
        h_dimm = readout(GroupBox7, QStringLiteral("0000000,00h"));
        op_time_act = caption(GroupBox7, designText(17));
        t_lauf_anz = readout(GroupBox7, QStringLiteral("00h, 00min, 00s"));
        g7->addWidget(clk_uc, 0, 0);
        g7->addWidget(uC_Zeit, 0, 1);
        g7->addWidget(clk_pc, 1, 0);
        g7->addWidget(PC_Zeit, 1, 1);
        g7->addWidget(clk_bt, 2, 1, Qt::AlignLeft);
        g7->addWidget(op_time_all, 3, 0);
        g7->addWidget(h_all, 3, 1);
        g7->addWidget(op_time_dimm, 4, 0);
        g7->addWidget(h_dimm, 4, 1);
        g7->addWidget(op_time_act, 5, 0);
        g7->addWidget(t_lauf_anz, 5, 1);
        en_saving = caption(GroupBox7, designText(23));
        g7->addWidget(en_saving, 6, 0, 1, 2);
        auto* saving = new QHBoxLayout;
        saving->setContentsMargins(12, 0, 0, 0);
        saving->setSpacing(4);
        nominal = caption(GroupBox7, designText(24));
        e_spar_soll_anz = readout(GroupBox7, QStringLiteral("100 %"));
        actual = caption(GroupBox7, designText(25));
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
        GroupBox6 = group(TabSheet1, QString());
        auto* g6 = compact(new QGridLayout(GroupBox6));
        g6->setVerticalSpacing(4);
        works = caption(GroupBox6, designText(20));
        LED_G = lamp(GroupBox6);
        internal = caption(GroupBox6, designText(21));
        Sh_cond_4 = lamp(GroupBox6);
        e_spar_soll_intern_anz = readout(GroupBox6, QStringLiteral("100 %"));
        external1 = caption(GroupBox6, designText(22));
        Sh_cond_3 = lamp(GroupBox6);
        e_spar_soll_extern_anz = readout(GroupBox6, QStringLiteral("100 %"));
        Label13 = caption(GroupBox6, designText(162));
        Sh_Dimm_off = lamp(GroupBox6);
        fan_on = caption(GroupBox6, designText(26));
        LED_Y = lamp(GroupBox6);
        err = caption(GroupBox6, designText(27));
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
        struct ProfileRow {
            TLampShape** led;
            QLabel** name;
            int nameRow;
            QTimeEdit** picker;
            QTime time;
            QLineEdit** saving;
            TUpDown** ud;
            QLabel** takt;
        };
        auto buildProfile = [this](QGroupBox* box, QLabel*& heading, int headingRow,
                                   QLabel*& timeHeading, int timeRow, QLabel*& savingHeading,
                                   int savingRow, const std::initializer_list<ProfileRow>& rows) {
            auto* g = compact(new QGridLayout(box));
            g->setVerticalSpacing(4);
            heading = caption(box, designText(headingRow));
            timeHeading = caption(box, designText(timeRow));
            savingHeading = caption(box, designText(savingRow));
            g->addWidget(heading, 0, 0, 1, 2);
            g->addWidget(timeHeading, 0, 2);
            g->addWidget(savingHeading, 0, 3, 1, 2);
            int r = 1;
            for (const ProfileRow& row : rows) {
                if (row.led) {
                    *row.led = lamp(box);
                    g->addWidget(*row.led, r, 0);
                }
                *row.name = caption(box, designText(row.nameRow));
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
        };

        GroupBox4 = group(TabSheet1, designText(34));
        buildProfile(GroupBox4, Label45, 35, Label25, 40, Label14, 41,
                     {{&wt_ph1_led, &Label2, 36, &DateTimePicker_Mo1, QTime(20, 0), &edit_WT_Red1,
                       &UpDown_WT1, &wt1_takt},
                      {&wt_ph2_led, &Label10, 37, &DateTimePicker_Mo2, QTime(22, 0), &edit_WT_Red2,
                       &UpDown_WT2, &wt2_takt},
                      {&wt_ph3_led, &Label16, 38, &DateTimePicker_Mo3, QTime(5, 0), &edit_WT_Red3,
                       &UpDown_WT3, &wt3_takt},
                      {nullptr, &Label41, 39, &DateTimePicker_Mo_End, QTime(6, 0), &edit_WT_Red_end,
                       &UpDown_WTEnd, nullptr}});
        page->addWidget(GroupBox4, 1, 1);

        GroupBox3 = group(TabSheet1, designText(42));
        buildProfile(GroupBox3, Label35, 43, Label7, 48, Label66, 49,
                     {{&we_ph1_led, &Label17, 44, &DateTimePicker_Sa1, QTime(22, 0), &edit_WE_Red1,
                       &UpDown_Sa1, &we1_takt},
                      {&we_ph2_led, &Label18, 45, &DateTimePicker_Sa2, QTime(0, 0), &edit_WE_Red2,
                       &UpDown_Sa2, &we2_takt},
                      {&we_ph3_led, &Label23, 46, &DateTimePicker_Sa3, QTime(7, 0), &edit_WE_Red3,
                       &UpDown_Sa3, &we3_takt},
                      {nullptr, &Label42, 47, &DateTimePicker_Sa_End, QTime(8, 0), &edit_WE_Red_end,
                       &UpDown1, nullptr}});
        page->addWidget(GroupBox3, 2, 1, 2, 1);

        // The dimming end has no saving of its own: a fixed 0 and no usable up-down.
        edit_WT_Red_end->setText(QStringLiteral("0"));
        edit_WE_Red_end->setText(QStringLiteral("0"));
        for (TUpDown* ud : {UpDown_WTEnd, UpDown1}) {
            keepPlaceWhenHidden(ud);
            ud->setEnabled(false);
            ud->hide();
        }
        page->setColumnStretch(0, 1);
        page->setColumnStretch(1, 1);
        page->setRowStretch(3, 1);
    }
    PageControl1->addTab(TabSheet1, designText(1));

    // --- TabSheet2: service -----------------------------------------------------------
    TabSheet2 = new QWidget;
    {
        auto* outer = new QVBoxLayout(TabSheet2);
        outer->setContentsMargins(0, 0, 0, 0);
        TabSheet2_contents = new QWidget(TabSheet2);
        outer->addWidget(TabSheet2_contents);
        auto* page = compact(new QGridLayout(TabSheet2_contents));
        page->setSpacing(kGroupSpacing);

        StatusBar2 = new TStateStrip(TabSheet2_contents);
        StatusBar2->setPanelTexts({designText(69), designText(70), designText(71), designText(72),
                                   designText(73), designText(167)});
        StatusBar2->setPanelPainter([this](QPainter& canvas, int panel, const QRect& rect) {
            StatusBar2DrawPanel(StatusBar2, canvas, panel, rect);
        });
        page->addWidget(StatusBar2, 0, 0, 1, 2);

        // Measured values, two columns of three
        Messw_cont = group(TabSheet2_contents, designText(74));
        auto* gm = compact(new QGridLayout(Messw_cont));
        gm->setVerticalSpacing(4);
        const auto measured = [this, gm](QLabel*& label, int row, QLineEdit*& edit, int r, int c) {
            label = caption(Messw_cont, designText(row));
            edit = numberEdit(Messw_cont, 5, true);
            edit->setFocusPolicy(Qt::NoFocus);
            gm->addWidget(label, r, c);
            gm->addWidget(edit, r, c + 1);
        };
        measured(Label1, 75, Edit_Uz, 0, 0);
        measured(Label3, 76, Edit_fist, 1, 0);
        measured(Label6, 77, Edit_tmp1, 2, 0);
        measured(Label20, 78, Edit_uac, 0, 3);
        measured(Label39, 79, Edit_fsoll, 1, 3);
        measured(Label15, 80, Edit_tmp2, 2, 3);
        gm->setColumnMinimumWidth(2, 12);
        gm->setColumnStretch(2, 1);
        gm->setColumnStretch(5, 1);
        page->addWidget(Messw_cont, 1, 0);

        // Start settings: value to write with its up-down, value last read beside it
        Starteinst_cont = group(TabSheet2_contents, designText(90));
        auto* gs = compact(new QGridLayout(Starteinst_cont));
        gs->setVerticalSpacing(4);
        Label40 = caption(Starteinst_cont, designText(91));
        takt_burn_visu = numberEdit(Starteinst_cont, 4, true);
        UpDown2 = upDown(Starteinst_cont, 50, 70, 1, 55, takt_burn_visu);
        takt_burn = numberEdit(Starteinst_cont, 4, false);
        takt_burn->setEnabled(false);
        Label5 = caption(Starteinst_cont, designText(93));
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
        GroupBox10 = group(TabSheet2_contents, designText(112));
        auto* gr = compact(new QGridLayout(GroupBox10));
        gr->setVerticalSpacing(4);
        Label56 = caption(GroupBox10, designText(113));
        Edit6 = numberEdit(GroupBox10, 4, true);
        UpDown7 = upDown(GroupBox10, 25, 600, 25, 600, Edit6);
        Edit12 = numberEdit(GroupBox10, 4, true);
        Edit12->setText(QStringLiteral("600"));
        Label58 = caption(GroupBox10, designText(114));
        Edit10 = numberEdit(GroupBox10, 4, true);
        UpDown8 = upDown(GroupBox10, 25, 600, 25, 600, Edit10);
        Edit13 = numberEdit(GroupBox10, 4, true);
        Edit13->setText(QStringLiteral("600"));
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
        Uhrzeit_cont = group(TabSheet2_contents, designText(102));
        auto* gc = compact(new QGridLayout(Uhrzeit_cont));
        gc->setVerticalSpacing(4);
        Label26 = caption(Uhrzeit_cont, designText(95));
        uC_Zeit2 = readout(Uhrzeit_cont, QStringLiteral("00.00.0000   00:00"));
        Label19 = caption(Uhrzeit_cont, designText(96));
        so_time_led = lamp(Uhrzeit_cont);
        Label51 = caption(Uhrzeit_cont, designText(97));
        gc->addWidget(Label26, 0, 0);
        gc->addWidget(uC_Zeit2, 0, 1, 1, 2);
        gc->addWidget(Label19, 1, 0);
        gc->addWidget(so_time_led, 1, 1);
        gc->addWidget(Label51, 1, 2);
        gc->setColumnStretch(2, 1);
        page->addWidget(Uhrzeit_cont, 1, 1);

        // Fault memory
        Fehlerspeicher = group(TabSheet2_contents, designText(103));
        auto* gf = compact(new QVBoxLayout(Fehlerspeicher));
        StringGrid1 = stringGrid(Fehlerspeicher, 3, 17, 64);
        StringGrid1->setColumnWidth(0, 30);
        StringGrid1->setColumnWidth(
            1, StringGrid1->fontMetrics().horizontalAdvance(QStringLiteral("00.00  00:00")) + 16);
        StringGrid1->horizontalHeader()->setStretchLastSection(true);
        StringGrid1->setMinimumWidth(200);
        StringGrid1->item(0, 0)->setText(designText(108));
        StringGrid1->item(0, 1)->setText(designText(107));
        StringGrid1->item(0, 2)->setText(designText(106));
        // The two buttons one above the other: their captions are long in some languages.
        err_mem_read_bt = new QPushButton(designText(104), Fehlerspeicher);
        err_mem_clear_bt = new QPushButton(designText(105), Fehlerspeicher);
        gf->addWidget(StringGrid1, 1);
        gf->addWidget(err_mem_read_bt);
        gf->addWidget(err_mem_clear_bt);
        page->addWidget(Fehlerspeicher, 2, 1, 3, 1);

        page->setRowStretch(4, 1);
        page->setColumnStretch(0, 1);
        page->setColumnStretch(1, 1);
        TabSheet2_contents->hide(); // until a service password is accepted
    }
    PageControl1->addTab(TabSheet2, designText(2));

    // --- TabSheet3: calibration -------------------------------------------------------
    TabSheet3 = new QWidget;
    {
        auto* page = compact(new QGridLayout(TabSheet3));
        page->setSpacing(kGroupSpacing);

        GroupBox9 = group(TabSheet3, designText(120));
        auto* g9 = compact(new QVBoxLayout(GroupBox9));
        g9->setSpacing(2);
        Label53 = wrappingCaption(GroupBox9, designText(127));
        QFont bold = Label53->font();
        bold.setBold(true);
        Label53->setFont(bold);
        g9->addWidget(Label53);
        auto* conditions = new QVBoxLayout;
        conditions->setContentsMargins(16, 0, 0, 0);
        conditions->setSpacing(0);
        Label49 = wrappingCaption(GroupBox9, designText(128));
        Label54 = wrappingCaption(GroupBox9, designText(129));
        Label64 = wrappingCaption(GroupBox9, designText(130));
        Label48 = wrappingCaption(GroupBox9, designText(131));
        for (QLabel* l : {Label49, Label54, Label64, Label48})
            conditions->addWidget(l);
        g9->addLayout(conditions);
        g9->addSpacing(6);
        auto* steps = new QGridLayout;
        steps->setVerticalSpacing(4);
        Label67 = caption(GroupBox9, designText(135));
        Label55 = wrappingCaption(GroupBox9, designText(132));
        Label72 = caption(GroupBox9, designText(136));
        Label57 = wrappingCaption(GroupBox9, designText(133));
        Label73 = caption(GroupBox9, designText(137));
        Label65 = wrappingCaption(GroupBox9, designText(134));
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
        Label59 = caption(GroupBox9, designText(123));
        Edit15 = numberEdit(GroupBox9, 4, true);
        UpDown10 = upDown(GroupBox9, 210, 260, 1, 230, Edit15);
        Bt_WR_Kalwert = new QPushButton(designText(122), GroupBox9);
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

        GroupBox13 = group(TabSheet3, designText(121));
        auto* g13 = compact(new QGridLayout(GroupBox13));
        g13->setVerticalSpacing(4);
        Label52 = caption(GroupBox13, designText(124));
        Edit7 = numberEdit(GroupBox13, 4, true);
        UpDown6 = upDown(GroupBox13, 210, 250, 1, 235, Edit7);
        Label50 = caption(GroupBox13, designText(125));
        Edit14 = numberEdit(GroupBox13, 4, true);
        UpDown9 = upDown(GroupBox13, 210, 250, 1, 230, Edit14);
        g13->addWidget(Label52, 0, 0);
        g13->addLayout(withUpDown(Edit7, UpDown6), 0, 1);
        g13->addWidget(Label50, 1, 0);
        g13->addLayout(withUpDown(Edit14, UpDown9), 1, 1);
        g13->setColumnStretch(0, 1);
        page->addWidget(GroupBox13, 0, 1);

        Grenzw_cont = group(TabSheet3, designText(81));
        auto* gl = compact(new QGridLayout(Grenzw_cont));
        gl->setVerticalSpacing(3);
        const auto limit = [this, gl](QLabel*& label, int row, QLabel*& value,
                                      const QString& text) {
            label = caption(Grenzw_cont, designText(row));
            value = caption(Grenzw_cont, text);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const int r = gl->rowCount();
            gl->addWidget(label, r, 0);
            gl->addWidget(value, r, 1);
        };
        limit(Label9, 82, lim_fan_on, QStringLiteral("50 °C"));
        limit(Label28, 83, lim_fan_off, QStringLiteral("45 °C"));
        limit(Label4, 84, lim_temp_err_on, QStringLiteral("80 °C"));
        limit(Label8, 85, lim_temp_err_off, QStringLiteral("65 °C"));
        limit(Label69, 86, lim_uac_red_on, QStringLiteral("210 V"));
        limit(Label68, 87, lim_uac_red_off, QStringLiteral("212 V"));
        limit(Label60, 88, lim_temp_red_on, QStringLiteral("70 °C"));
        limit(Label61, 89, lim_temp_red_off, QStringLiteral("65 °C"));
        gl->setColumnStretch(0, 1);
        Grenzw_cont->hide(); // full access level only
        page->addWidget(Grenzw_cont, 1, 1);

        page->setRowStretch(2, 1);
        page->setColumnStretch(0, 3);
        page->setColumnStretch(1, 1);
    }
    PageControl1->addTab(TabSheet3, designText(118));

    // --- TabSheet4: measuring values --------------------------------------------------
    TabSheet4 = new QWidget;
    {
        auto* page = compact(new QVBoxLayout(TabSheet4));
        StringGrid2 = stringGrid(TabSheet4, 7, 110, 150);
        for (int c = 0; c < 7; ++c)
            StringGrid2->item(0, c)->setText(designText(155 + c));
        page->addWidget(StringGrid2);
    }
    PageControl1->addTab(TabSheet4, designText(119));

    // --- TabSheet6: light control (not translated) ------------------------------------
    TabSheet6 = new QWidget;
    {
        auto* page = compact(new QGridLayout(TabSheet6));
        page->setSpacing(kGroupSpacing);

        GroupBox12 = group(TabSheet6, QStringLiteral(" Lux-Sensor Parameter "));
        auto* g12 = compact(new QGridLayout(GroupBox12));
        g12->setVerticalSpacing(4);
        CB_Luxpara = new QComboBox(GroupBox12);
        CB_Luxpara->addItems(
            {QStringLiteral("Peha LS-WA 3-300 Lx"), QStringLiteral("Peha LS-WA 30-3000 Lx"),
             QStringLiteral("Peha LS-WA 300-30000 Lx"), QStringLiteral("Peha LS-WA 600-60000 Lx"),
             QStringLiteral("Individual")});
        Label_Lux_m = caption(GroupBox12, QStringLiteral("Anstieg m"));
        Edit_Lux_m = numberEdit(GroupBox12, 7, false);
        Edit_Lux_m->setText(QStringLiteral("29,7"));
        Edit_Lux_m->setEnabled(false);
        Label_Lux_n = caption(GroupBox12, QStringLiteral("Offset n"));
        Edit_Lux_n = numberEdit(GroupBox12, 7, false);
        Edit_Lux_n->setText(QStringLiteral("3"));
        Edit_Lux_n->setEnabled(false);
        g12->addWidget(CB_Luxpara, 0, 0, 1, 2);
        g12->addWidget(Label_Lux_m, 1, 0);
        g12->addWidget(Edit_Lux_m, 1, 1, Qt::AlignLeft);
        g12->addWidget(Label_Lux_n, 2, 0);
        g12->addWidget(Edit_Lux_n, 2, 1, Qt::AlignLeft);
        g12->setColumnStretch(1, 1);
        g12->setRowStretch(3, 1);
        page->addWidget(GroupBox12, 0, 0);

        GroupBox1 = group(TabSheet6, QStringLiteral(" Lux-Regler "));
        auto* g1 = compact(new QGridLayout(GroupBox1));
        Label_Lux_Ist = caption(GroupBox1, QStringLiteral("Ist-Wert [Lux]"));
        Lux_Ist = numberEdit(GroupBox1, 8, true);
        Lux_Ist->setFocusPolicy(Qt::NoFocus);
        g1->addWidget(Label_Lux_Ist, 0, 0);
        g1->addWidget(Lux_Ist, 1, 0, Qt::AlignLeft);
        g1->setRowStretch(2, 1);
        g1->setColumnStretch(1, 1);
        page->addWidget(GroupBox1, 0, 1);

        Image2 = new QLabel(TabSheet6);
        // Drawn at twice its size, so it stays sharp on a high-resolution screen.
        Image2->setPixmap(lightBanner(QSize(659, 116), 2.0));
        Image2->setAlignment(Qt::AlignCenter);
        Image2->setScaledContents(false);
        Image2->setMinimumHeight(116);
        Image2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        page->addWidget(Image2, 1, 0, 1, 2);
        page->setRowStretch(1, 1);
        page->setColumnStretch(0, 1);
        page->setColumnStretch(1, 1);
    }
    PageControl1->addTab(TabSheet6, QStringLiteral("Lichtregelung"));

    // --- TabSheet5: parameter memory (not translated) ---------------------------------
    TabSheet5 = new QWidget;
    {
        auto* page = compact(new QVBoxLayout(TabSheet5));
        StringGrid3 = stringGrid(TabSheet5, 7, 110, 150);
        for (int c = 0; c < 7; ++c)
            StringGrid3->item(0, c)->setText(designText(155 + c));
        page->addWidget(StringGrid3);
    }
    PageControl1->addTab(TabSheet5, QStringLiteral("Eepromdaten"));
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet5), false);

    // --- Bottom bar -------------------------------------------------------------------
    GroupBox8 = new QGroupBox(central);
    {
        auto* bar = new QHBoxLayout(GroupBox8);
        bar->setContentsMargins(8, 6, 8, 6);
        ComboBox1 = new QComboBox(GroupBox8);
        ComboBox1->addItems(comEntries());
        ComboBox1->setMaxVisibleItems(16);
        Com_activate_bt = new QPushButton(designText(50), GroupBox8);
        ProgressBar_RAM = new QProgressBar(GroupBox8);
        uC_read_bt = new QPushButton(designText(18), GroupBox8);
        ProgressBar_EEP = new QProgressBar(GroupBox8);
        uC_send_bt = new QPushButton(designText(19), GroupBox8);
        for (QProgressBar* bar : {ProgressBar_RAM, ProgressBar_EEP}) {
            bar->setTextVisible(false);
            bar->setValue(0);
            bar->setMinimumWidth(60);
            bar->setMaximumWidth(140);
            bar->setMaximumHeight(Com_activate_bt->sizeHint().height() * 2 / 3);
        }
        Label31 = caption(GroupBox8, QStringLiteral("Com-Error !"));
        makeWarning(Label31);
        keepPlaceWhenHidden(Label31);
        Label31->hide();
        bar->addWidget(ComboBox1);
        bar->addWidget(Com_activate_bt);
        bar->addSpacing(12);
        bar->addWidget(ProgressBar_RAM, 1);
        bar->addWidget(uC_read_bt);
        bar->addSpacing(12);
        bar->addWidget(ProgressBar_EEP, 1);
        bar->addWidget(uC_send_bt);
        bar->addSpacing(12);
        bar->addWidget(Label31);
    }
    mainLayout->addWidget(GroupBox8);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this,
            [this] { ComboBox1->setToolTip(devicePathFor(ComboBox1->currentText())); });
    ComboBox1->view()->installEventFilter(this);

    // --- Status line ------------------------------------------------------------------
    StatusBar3 = new TStatusLine(this);
    setStatusBar(StatusBar3);

    // The start-setting fields and the window itself filter their keys; the voltage
    // caption on the calibration page opens the info window.
    installEventFilter(this);
    takt_burn_visu->installEventFilter(this);
    time_burn_visu->installEventFilter(this);
    Label59->installEventFilter(this);
}
