// Around the pages: the window title and menu, the bottom bar with the port, the connect
// button, the read and send buttons with their progress, and the status line.
#include "app/hauptfenster.h"

#include "app/pages/page_kit.h"
#include "app/widgets/status_line.h"
#include "base/settings.h"
#include "serial/port_map.h"
#include "text/own_texts.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>

using namespace page_kit;

void THauptfenster::buildMenu() {
    config = menuBar()->addMenu(QString());
    config_load1 = config->addAction(QString());
    config_save1 = config->addAction(QString());
    option1 = menuBar()->addMenu(QString());
    language1 = option1->addMenu(QString());
    language_items = new QActionGroup(this);
    language_items->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    german1 = language1->addAction(QString());
    english1 = language1->addAction(QString());
    Schwe1 = language1->addAction(QString());
    Franzsich1 = language1->addAction(QString());
    tuerk1 = language1->addAction(QString());
    for (QAction* item : {german1, english1, Schwe1, Franzsich1, tuerk1}) {
        item->setCheckable(true);
        language_items->addAction(item);
    }
    Franzsich1->setChecked(true);
    tools1 = menuBar()->addMenu(ownText(std::nullopt, OwnText::ToolsMenu));
    addTraceMenuItem();
    info1 = menuBar()->addMenu(QString());
    about1 = info1->addAction(QString());
    connect(about1, &QAction::triggered, this, [this] { about1Click(); });
    connect(german1, &QAction::triggered, this, [this] { german1Click(); });
    connect(english1, &QAction::triggered, this, [this] { english1Click(); });
    connect(Schwe1, &QAction::triggered, this, [this] { Schwe1Click(); });
    connect(Franzsich1, &QAction::triggered, this, [this] { Franzsich1Click(); });
    connect(tuerk1, &QAction::triggered, this, [this] { tuerk1Click(); });

    addCaptions(captionRows_, {{this, 0},
                               {config, 3},
                               {config_load1, 4},
                               {config_save1, 5},
                               {option1, 6},
                               {language1, 7},
                               {german1, 8},
                               {english1, 9},
                               {Schwe1, 164},
                               {Franzsich1, 165},
                               {tuerk1, 168},
                               {info1, 10},
                               {about1, 11}});
    buildVerifyItems();
    addConfirmItem();
    addReportMenuItem();
    addTrendMenuItem();
}

QGroupBox* THauptfenster::buildBottomBar(QWidget* central) {
    GroupBox8 = new QGroupBox(central);
    auto* bar = new QHBoxLayout(GroupBox8);
    bar->setContentsMargins(8, 6, 8, 6);
    ComboBox1 = new QComboBox(GroupBox8);
    ComboBox1->addItems(comEntries());
    ComboBox1->setMaxVisibleItems(16);
    // The connect button's caption follows the link state (texts 50, 51, 101): the
    // connection's own steps write it in the active language, it has no caption row.
    Com_activate_bt = new QPushButton(designText(50), GroupBox8);
    ProgressBar_RAM = new QProgressBar(GroupBox8);
    uC_read_bt = new QPushButton(GroupBox8);
    ProgressBar_EEP = new QProgressBar(GroupBox8);
    uC_send_bt = new QPushButton(GroupBox8);
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

    connect(ComboBox1, &QComboBox::currentIndexChanged, this,
            [this] { ComboBox1->setToolTip(devicePathFor(ComboBox1->currentText())); });
    ComboBox1->view()->installEventFilter(this);

    addCaptions(captionRows_, {{uC_read_bt, 18}, {uC_send_bt, 19}});
    return GroupBox8;
}

void THauptfenster::buildStatusLine() {
    StatusBar3 = new TStatusLine(this);
    setStatusBar(StatusBar3);
}

void THauptfenster::refreshComToolTips() {
    for (int i = 0; i < ComboBox1->count(); ++i)
        ComboBox1->setItemData(i, devicePathFor(ComboBox1->itemText(i)), Qt::ToolTipRole);
    ComboBox1->setToolTip(devicePathFor(ComboBox1->currentText()));
}
