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
    // Only a user's choice changes the port; the program's own selection at start does not.
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });

    // Parameter editing.
    const struct {
        TUpDown* upDown;
        QLabel* takt;
        QLineEdit* saving;
    } periods[] = {{UpDown_WT1, wt1_takt, edit_WT_Red1}, {UpDown_WT2, wt2_takt, edit_WT_Red2},
                   {UpDown_WT3, wt3_takt, edit_WT_Red3}, {UpDown_Sa1, we1_takt, edit_WE_Red1},
                   {UpDown_Sa2, we2_takt, edit_WE_Red2}, {UpDown_Sa3, we3_takt, edit_WE_Red3}};
    for (const auto& p : periods)
        connect(p.upDown, &TUpDown::clicked, this, [this, p](TUpDown::Button button) {
            periodUpDownClick(p.takt, p.saving, button == TUpDown::Up);
        });
    for (QTimeEdit* picker :
         {DateTimePicker_Mo1, DateTimePicker_Mo2, DateTimePicker_Mo3, DateTimePicker_Mo_End,
          DateTimePicker_Sa1, DateTimePicker_Sa2, DateTimePicker_Sa3, DateTimePicker_Sa_End})
        connect(picker, &QTimeEdit::timeChanged, this, [this, picker] { check_public(picker); });
    connect(time_burn_visu, &QLineEdit::textChanged, this, &THauptfenster::time_burn_visuChange);
    connect(takt_burn_visu, &QLineEdit::textChanged, this, &THauptfenster::start_freq_inputChange);
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
