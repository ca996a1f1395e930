// Editing the parameter fields: the period up-downs, the profile pickers' order check,
// the start-setting checks and the write button they enable or lock. Every change the
// technician makes marks the fields as the technician's (field_origin); the read and the
// file load fill the fields with the pickers' signals blocked, so they never count here.
#include "app/hauptfenster.h"
#include "app/widgets/field_colour.h"
#include "app/widgets/up_down.h"
#include "base/formats.h"
#include "live/ram_table.h"
#include "parameters/profile_check.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimeEdit>

namespace {

// A start setting last read outside what the controller accepts is coloured red.
void colourStartSetting(QLineEdit* lastRead, int low, int high) {
    const auto value = parseFixed(lastRead->text());
    setErrorColour(lastRead, !value || *value < low || *value > high);
}

} // namespace

std::array<QTimeEdit*, 8> THauptfenster::profilePickers() const {
    return {DateTimePicker_Mo1, DateTimePicker_Mo2, DateTimePicker_Mo3, DateTimePicker_Mo_End,
            DateTimePicker_Sa1, DateTimePicker_Sa2, DateTimePicker_Sa3, DateTimePicker_Sa_End};
}

std::array<QLabel*, 6> THauptfenster::periodTakts() const {
    return {wt1_takt, wt2_takt, wt3_takt, we1_takt, we2_takt, we3_takt};
}

std::array<QLineEdit*, 6> THauptfenster::periodSavings() const {
    return {edit_WT_Red1, edit_WT_Red2, edit_WT_Red3, edit_WE_Red1, edit_WE_Red2, edit_WE_Red3};
}

void THauptfenster::wireParameterEdits() {
    // Only a click is the technician's: the read and the file load set these fields'
    // texts and positions directly.
    for (TUpDown* upDown : {UpDown2, UpDown3, UpDown7, UpDown8})
        connect(upDown, &TUpDown::clicked, this, [this] { field_origin.edited(); });
}

void THauptfenster::periodUpDownClick(QLabel* takt, QLineEdit* saving, bool up) {
    field_origin.edited();
    const int stepped = stepTakt(takt->text().toInt(), up);
    takt->setText(QString::number(stepped));
    saving->setText(formatFixed(energy_saving_table[stepped], 0));
    ProgressBar_EEP->setValue(0);
}

void THauptfenster::UpDown_WT1Click(bool up) {
    periodUpDownClick(wt1_takt, edit_WT_Red1, up);
}
void THauptfenster::UpDown_WT2Click(bool up) {
    periodUpDownClick(wt2_takt, edit_WT_Red2, up);
}
void THauptfenster::UpDown_WT3Click(bool up) {
    periodUpDownClick(wt3_takt, edit_WT_Red3, up);
}
void THauptfenster::UpDown_Sa1Click(bool up) {
    periodUpDownClick(we1_takt, edit_WE_Red1, up);
}
void THauptfenster::UpDown_Sa2Click(bool up) {
    periodUpDownClick(we2_takt, edit_WE_Red2, up);
}
void THauptfenster::UpDown_Sa3Click(bool up) {
    periodUpDownClick(we3_takt, edit_WE_Red3, up);
}

void THauptfenster::DateTimePicker_Mo1_input_change() {
    field_origin.edited();
    check_public(DateTimePicker_Mo1);
}
void THauptfenster::DateTimePicker_Mo2_input_change() {
    field_origin.edited();
    check_public(DateTimePicker_Mo2);
}
void THauptfenster::DateTimePicker_Mo3_input_change() {
    field_origin.edited();
    check_public(DateTimePicker_Mo3);
}
void THauptfenster::DateTimePicker_Mo_End_input_change() {
    field_origin.edited();
    check_public(DateTimePicker_Mo_End);
}
void THauptfenster::DateTimePicker_Sa1_input_change() {
    field_origin.edited();
    check_public(DateTimePicker_Sa1);
}
void THauptfenster::DateTimePicker_Sa2_input_change() {
    field_origin.edited();
    check_public(DateTimePicker_Sa2);
}
void THauptfenster::DateTimePicker_Sa3_input_change() {
    field_origin.edited();
    check_public(DateTimePicker_Sa3);
}
void THauptfenster::DateTimePicker_Sa_End_input_change() {
    field_origin.edited();
    check_public(DateTimePicker_Sa_End);
}

void THauptfenster::check_public(QObject* Sender) {
    err_bit = false;
    if (service_unlocked && (hasErrorColour(time_burn) || hasErrorColour(takt_burn)))
        err_bit = true;
    const std::array<QTimeEdit*, 8> all = profilePickers();
    for (std::size_t first : {0u, 4u}) { // the workday profile, then the weekend's
        const std::array<QTimeEdit*, 4> pickers{all[first], all[first + 1], all[first + 2],
                                                all[first + 3]};
        std::array<QTime, 4> times;
        std::optional<int> sender;
        for (int i = 0; i < 4; ++i) {
            times[std::size_t(i)] = pickers[std::size_t(i)]->time();
            if (Sender == pickers[std::size_t(i)])
                sender = i;
        }
        const ProfileCheck check = checkProfile(times, sender);
        for (int i = 0; i < 4; ++i) {
            if (check.inOrder)
                setErrorColour(pickers[std::size_t(i)], false);
            else if (check.red[std::size_t(i)])
                setErrorColour(pickers[std::size_t(i)], true);
        }
        if (!check.inOrder)
            err_bit = true;
    }
    updateWriteButton();
    if (!err_bit)
        ProgressBar_EEP->setValue(0);
}

void THauptfenster::updateWriteButton() {
    // A profile out of order is never written, and a write under way is not started twice;
    // otherwise the write is open while the link runs (without a link the button keeps its
    // state: a write then opens the port first).
    if (err_bit || data_wr_req)
        uC_send_bt->setEnabled(false);
    else if (sio_active)
        uC_send_bt->setEnabled(true);
}

void THauptfenster::time_burn_visuChange() {
    updateWriteButton();
    ProgressBar_EEP->setValue(0);
    colourStartSetting(time_burn, 3, 15);
}

void THauptfenster::start_freq_inputChange() {
    updateWriteButton();
    ProgressBar_EEP->setValue(0);
    colourStartSetting(takt_burn, 50, 70);
}
