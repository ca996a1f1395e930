// The comparison with the controller (compare1Click, Req_Compare_rd, Resp_Compare_rd,
// refreshComparison): the controller's parameters read from its parameter memory (the old
// hardware's RAM mirror beside it, both shown where they differ), without touching a field, and
// shown beside what a write would send from the fields or from a parameter file (its checked load,
// without touching a field).
#include "app/compare_dialog.h"
#include "app/hauptfenster.h"
#include "app/widgets/up_down.h"
#include "base/message_sink.h"
#include "parameters/parameter_compare.h"
#include "parameters/parameter_file.h"
#include "parameters/parameter_memory_read.h"
#include "parameters/write_fields.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "text/verify_texts.h"

#include <QComboBox>
#include <QProgressBar>
#include <QTimer>
#include <utility>

namespace {

SettingRange rangeOf(const TUpDown* upDown) {
    return {upDown->Min(), upDown->Max(), upDown->Increment()};
}

} // namespace

void THauptfenster::compare1Click() {
    report_pending = false;
    compare_rd_req = true;
    ram_rd_req = true;
    response_ready = false;
    SPStimer->stop();
    if (sio_active) {
        protocol_step = Step::Synchronisation;
    } else {
        protocol_step = Step::Init_Sio;
        port_name = ComboBox1->currentText();
    }
    SPStimer->start();
}

void THauptfenster::Req_Compare_rd() {
    startRequest(buildParameterMemoryRead(HW_old), Step::Resp_Compare_rd);
}

void THauptfenster::Resp_Compare_rd() {
    if (!response_ready)
        return;
    std::optional<ParameterMemoryRead> read =
        decodeParameterMemoryRead(HW_old, receivedAnswer(), HW_Ver_Nr);
    if (!read) {
        data_error = true; // an answer that ends early is a failed one: the error step
        return;
    }
    const bool forReport = std::exchange(report_pending, false);
    if (!forReport)
        compared_read = read;
    compare_rd_req = false;
    ProgressBar_EEP->setValue(0);
    response_ready = false;
    SPStimer->stop();
    protocol_step = Step::Synchronisation;
    ram_rd_req = true; // the live reading resumes
    SPStimer->start();
    if (forReport) {
        writeReport(read->memory);
        return;
    }

    if (!CompareDialog) {
        CompareDialog = new TCompareDialog(this);
        connect(CompareDialog, &TCompareDialog::sideChanged, this, [this] { refreshComparison(); });
        connect(CompareDialog, &TCompareDialog::fileRequested, this,
                [this] { chooseCompareFile(); });
    }
    refreshComparison();
    CompareDialog->show();
    CompareDialog->raise();
}

void THauptfenster::chooseCompareFile() {
    const QString path =
        chooseFile(FileDialogKind::Open, parameterFileFolder(), QStringLiteral("ini files (*.ini)"),
                   QStringLiteral("Inbetriebnahme_Test.ini"));
    if (!path.isEmpty())
        CompareDialog->setFile(path);
    if (CompareDialog->file().isEmpty())
        CompareDialog->showFieldsSide(); // cancelled before any file was chosen
    else
        refreshComparison();
}

void THauptfenster::refreshComparison() {
    if (!CompareDialog)
        return;
    const auto language = activeLanguage();
    CompareDialog->relabel(language);
    if (!compared_read)
        return;
    const ParameterSet& controller = compared_read->memory.set;
    // What the write would send: the ramp times only where it would send them.
    const bool withRampTimes = rampTimesPermitted() && compared_read->memory.hasRampTimes;

    // Ours: the fields, or the file as the fields would hold it once loaded.
    std::optional<ParameterFields> fields;
    QString refused;
    if (CompareDialog->chosenSide() == TCompareDialog::Side::File) {
        // Checked against what the up-downs can show, as the load does.
        const ParameterFileLimits limits{rangeOf(UpDown2), rangeOf(UpDown3), rangeOf(UpDown7),
                                         rangeOf(UpDown8)};
        const QString path = CompareDialog->file();
        const ParameterFileRead file = loadParameterFile(path, limits);
        if (const auto* refusal = std::get_if<ParameterFileRefusal>(&file))
            refused = refusalMessage(language, path, *refusal);
        else
            fields = fieldsOfParameterFile(std::get<LoadedParameters>(file));
    } else {
        fields = parameterFieldsShown();
    }
    std::optional<ParameterSet> ours;
    if (fields) {
        const auto result = parameterSetFromFields(*fields, withRampTimes);
        if (const auto* refusal = std::get_if<FieldRefusal>(&result))
            refused = verifyText(language, VerifyText::FieldNotComparable)
                          .arg(parameterCaption(language, parameterOf(*refusal)), refusal->text);
        else
            ours = std::get<ParameterSet>(result);
    }

    QList<ParameterRow> rows =
        compareWithController(language, ours.value_or(controller), *compared_read, withRampTimes)
            .rows;
    if (!ours) {
        // Nothing to set beside the controller's values: none is marked.
        for (ParameterRow& row : rows) {
            row.ours.clear();
            row.differs = false;
        }
    }
    markImplausible(rows, compared_read->memory, HW_old, language);
    QStringList captions;
    int differing = 0;
    for (const ParameterRow& row : rows) {
        captions.append(parameterCaption(language, row.id));
        differing += row.differs ? 1 : 0;
    }
    const QString note = !refused.isEmpty() ? refused
                         : differing == 0
                             ? verifyText(language, VerifyText::NoDifferences)
                             : verifyText(language, VerifyText::Differences).arg(differing);
    CompareDialog->showRows(rows, captions, note);
}
