// The configuration menu's parameter files (config_save1Click, config_load1Click): the
// fields of the parameter page to a file and back. Nothing goes to the controller; a
// loaded set is written with the write button like any edit.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "app/widgets/up_down.h"
#include "base/message_sink.h"
#include "parameters/parameter_file.h"
#include "text/write_failure_texts.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimeEdit>

namespace {

SettingRange rangeOf(const TUpDown* upDown) {
    return {upDown->Min(), upDown->Max(), upDown->Increment()};
}

} // namespace

QString THauptfenster::chooseFile(FileDialogKind kind, const QString& folder, const QString& filter,
                                  const QString& presetName) {
    const StaleWatch::Hold hold(liveWatch_); // the dialog holds the window, not the line
    if (chooseParameterFile)
        return chooseParameterFile(kind, folder, filter, presetName);
    const QString start = presetName.isEmpty() ? folder : folder + u'/' + presetName;
    if (kind == FileDialogKind::Open)
        return QFileDialog::getOpenFileName(this, GetInfoString(4), start, filter);
    return QFileDialog::getSaveFileName(this, GetInfoString(5), start, filter);
}

void THauptfenster::config_save1Click() {
    const QString chosen =
        chooseFile(FileDialogKind::Save, parameterFileFolder(), QStringLiteral("*.ini"), {});
    if (chosen.isEmpty())
        return;
    const QString path = withIniExtension(chosen);

    ParameterFileFields fields;
    fields.startHz = takt_burn_visu->text();
    fields.burnInMinutes = time_burn_visu->text();
    const auto pickers = profilePickers();
    for (std::size_t i = 0; i < pickers.size(); ++i)
        fields.profileTimes[i] = pickers[i]->time();
    const auto takts = periodTakts();
    const auto savings = periodSavings();
    for (std::size_t i = 0; i < takts.size(); ++i) {
        fields.takts[i] = takts[i]->text();
        fields.savings[i] = savings[i]->text();
    }
    fields.darkenSeconds = Edit6->text();
    fields.brightenSeconds = Edit10->text();

    if (const auto error = saveParameterFile(path, fields, QDateTime::currentDateTime()))
        showMessage(saveFailedMessage(activeLanguage(), path, *error));
}

void THauptfenster::config_load1Click() {
    const QString path =
        chooseFile(FileDialogKind::Open, parameterFileFolder(), QStringLiteral("ini files (*.ini)"),
                   QStringLiteral("Inbetriebnahme_Test.ini"));
    if (path.isEmpty())
        return;
    // The whole file is checked against what the up-downs can show before any field
    // changes: a file is applied entirely or not at all.
    const ParameterFileLimits limits{rangeOf(UpDown2), rangeOf(UpDown3), rangeOf(UpDown7),
                                     rangeOf(UpDown8)};
    const ParameterFileRead read = loadParameterFile(path, limits);
    if (const auto* refusal = std::get_if<ParameterFileRefusal>(&read)) {
        showMessage(refusalMessage(activeLanguage(), path, *refusal));
        return;
    }
    const LoadedParameters& set = std::get<LoadedParameters>(read);

    // Each start setting's check runs once, also when the file holds the value the field
    // already shows; its up-down then stands at the edit's value.
    {
        const QSignalBlocker blocker(takt_burn_visu);
        takt_burn_visu->setText(QString::number(set.startHz));
        UpDown2->setPosition(set.startHz);
    }
    start_freq_inputChange();
    {
        const QSignalBlocker blocker(time_burn_visu);
        time_burn_visu->setText(QString::number(set.burnInMinutes));
        UpDown3->setPosition(set.burnInMinutes);
    }
    time_burn_visuChange();

    const auto pickers = profilePickers();
    for (std::size_t i = 0; i < pickers.size(); ++i) {
        // Not a user's change: the order is checked once, below, with no picker as sender.
        const QSignalBlocker blocker(pickers[i]);
        pickers[i]->setTime(set.profileTimes[i]);
    }
    const auto takts = periodTakts();
    const auto savings = periodSavings();
    const std::array<QString, 6> savingTexts = set.savingTexts();
    for (std::size_t i = 0; i < takts.size(); ++i) {
        takts[i]->setText(QString::number(set.takts[i]));
        savings[i]->setText(savingTexts[i]);
    }

    Edit6->setText(QString::number(set.darkenSeconds));
    UpDown7->setPosition(set.darkenSeconds);
    Edit10->setText(QString::number(set.brightenSeconds));
    UpDown8->setPosition(set.brightenSeconds);

    StatusBar3->setPanelText(1, QStringLiteral("File:") + QDir::toNativeSeparators(path));
    field_origin.loadedFromFile(); // the technician's set, for any controller
    check_public(config_load1);
    // Loaded as it is meant (the takt counts); the keys it overrode are named.
    if (!set.overriddenKeys.isEmpty())
        showMessage(writeFailureText(activeLanguage(), WriteFailureText::KeysOverridden)
                        .arg(set.overriddenKeys.join(QStringLiteral(", "))));
}
