// Construction of the main window and the pieces every feature shares: the text lookup,
// the link's requester side and the progress bars.
#include "app/hauptfenster.h"

#include "app/info_window.h"
#include "app/lang_form.h"
#include "app/widgets/up_down.h"
#include "protocol/protocol_state.h"
#include "protocol/telegram.h"
#include "serial/sio.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTimer>

THauptfenster::THauptfenster(QWidget* parent) : QMainWindow(parent) {
    buildUi();

    SPStimer = new QTimer(this);
    SPStimer->setInterval(50);
    connect(SPStimer, &QTimer::timeout, this, &THauptfenster::SPStimerTimer);
    Helptimer = new QTimer(this);
    Helptimer->setInterval(500);
    connect(Helptimer, &QTimer::timeout, this, &THauptfenster::HelptimerTimer);

    Infofenst = new TInfofenst(this);
    lang_form = new Tlang_form(this);

    wireHandlers();
    FormCreate();
    Helptimer->start();
}

THauptfenster::~THauptfenster() {
    releaseLink();
}

std::optional<Language> THauptfenster::activeLanguage() const {
    return tickedLanguage(english1->isChecked(), german1->isChecked(), Schwe1->isChecked(),
                          Franzsich1->isChecked(), tuerk1->isChecked());
}

QString THauptfenster::GetInfoString(int idx) const {
    return ::GetInfoString(activeLanguage(), idx);
}

void THauptfenster::wireHandlers() {
    connect(Com_activate_bt, &QPushButton::clicked, this, &THauptfenster::Com_activate_btClick);
    connect(uC_read_bt, &QPushButton::clicked, this, &THauptfenster::uC_read_btClick);
    connect(uC_send_bt, &QPushButton::clicked, this, &THauptfenster::uC_send_btClick);
    connect(clk_bt, &QPushButton::clicked, this, &THauptfenster::clk_btClick);
    connect(this, &THauptfenster::liveValuesShown, this, &THauptfenster::showClockDrift);
    connect(this, &THauptfenster::languageApplied, this, [this] {
        uC_drift->clear(); // its tooltip in the new language
        showClockDrift();
    });
    connect(err_mem_read_bt, &QPushButton::clicked, this, &THauptfenster::err_mem_read_btClick);
    connect(err_mem_clear_bt, &QPushButton::clicked, this, &THauptfenster::err_mem_clear_btClick);
    // Only a user's choice changes the port; the program's own selection at start does not.
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    // The program's own page changes block this signal; what arrives is the user's.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });

    // Parameter editing.
    using UpDownClick = void (THauptfenster::*)(bool);
    const std::pair<TUpDown*, UpDownClick> periods[] = {
        {UpDown_WT1, &THauptfenster::UpDown_WT1Click},
        {UpDown_WT2, &THauptfenster::UpDown_WT2Click},
        {UpDown_WT3, &THauptfenster::UpDown_WT3Click},
        {UpDown_Sa1, &THauptfenster::UpDown_Sa1Click},
        {UpDown_Sa2, &THauptfenster::UpDown_Sa2Click},
        {UpDown_Sa3, &THauptfenster::UpDown_Sa3Click}};
    for (const auto& [upDown, handler] : periods)
        connect(upDown, &TUpDown::clicked, this, [this, handler](TUpDown::Button button) {
            (this->*handler)(button == TUpDown::Up);
        });
    const std::pair<QTimeEdit*, void (THauptfenster::*)()> pickers[] = {
        {DateTimePicker_Mo1, &THauptfenster::DateTimePicker_Mo1_input_change},
        {DateTimePicker_Mo2, &THauptfenster::DateTimePicker_Mo2_input_change},
        {DateTimePicker_Mo3, &THauptfenster::DateTimePicker_Mo3_input_change},
        {DateTimePicker_Mo_End, &THauptfenster::DateTimePicker_Mo_End_input_change},
        {DateTimePicker_Sa1, &THauptfenster::DateTimePicker_Sa1_input_change},
        {DateTimePicker_Sa2, &THauptfenster::DateTimePicker_Sa2_input_change},
        {DateTimePicker_Sa3, &THauptfenster::DateTimePicker_Sa3_input_change},
        {DateTimePicker_Sa_End, &THauptfenster::DateTimePicker_Sa_End_input_change}};
    for (const auto& [picker, handler] : pickers)
        connect(picker, &QTimeEdit::timeChanged, this, handler);
    connect(time_burn_visu, &QLineEdit::textChanged, this, &THauptfenster::time_burn_visuChange);
    connect(takt_burn_visu, &QLineEdit::textChanged, this, &THauptfenster::start_freq_inputChange);
    wireParameterEdits();

    // Voltage calibration.
    connect(Bt_WR_Kalwert, &QPushButton::clicked, this, &THauptfenster::Bt_WR_KalwertClick);
    connect(Edit15, &QLineEdit::textChanged, this, &THauptfenster::Edit15Change);
    // Parameter files and light control.
    connect(config_save1, &QAction::triggered, this, [this] { config_save1Click(); });
    connect(config_load1, &QAction::triggered, this, [this] { config_load1Click(); });
    connect(CB_Luxpara, &QComboBox::currentIndexChanged, this, &THauptfenster::CB_LuxparaChange);
}

void THauptfenster::send_sio(bool hw_old, quint16 cfg, quint16 adr, quint16 anz, quint16 offset) {
    ::send_sio(Ths, hw_old, cfg, adr, anz, offset);
}

void THauptfenster::startRequest(quint32 count, qint32 responseStep) {
    startTransfer(Ths, count);
    protocol_step = responseStep;
}

void THauptfenster::releaseLink() {
    if (!Ths)
        return;
    Ths->Terminate();
    delete Ths;
    Ths = nullptr;
}

void THauptfenster::setProgress(int percent) {
    const ProgressUpdate update = progressFor(protocol_step, percent);
    ProgressBar_RAM->setValue(update.ram);
    if (update.eep)
        ProgressBar_EEP->setValue(*update.eep);
}
