// The commissioning report from the window (report1Click, writeReport): the parameters read
// fresh with the comparison's exchange, which touches no field, then the report of the
// session — identity, calibration, that set, the clock and its drift, the last fault-memory
// read, the live values — written as a PDF into the file the technician chooses.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "base/message_sink.h"
#include "report/report_pdf.h"
#include "services/clock_drift.h"
#include "services/clock_words.h"
#include "text/report_texts.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QStandardPaths>

void THauptfenster::addReportMenuItem() {
    report1 = tools1->addAction(reportText(std::nullopt, ReportText::MenuItem));
    connect(report1, &QAction::triggered, this, [this] { report1Click(); });
    // Like the comparison, it needs a link whose controller is known.
    connect(tools1, &QMenu::aboutToShow, this, [this] { report1->setEnabled(sio_active); });
    connect(this, &THauptfenster::languageApplied, this,
            [this] { report1->setText(reportText(activeLanguage(), ReportText::MenuItem)); });
}

void THauptfenster::report1Click() {
    compare1Click();
    report_pending = true;
}

void THauptfenster::writeReport(const ParameterRead& read) {
    const auto language = activeLanguage();
    CommissioningReport report;
    report.created = pcNow ? pcNow() : QDateTime::currentDateTime();
    report.toolVersion = reportToolVersion();
    ControllerIdentity& id = report.identity;
    id.hwOld = HW_old;
    id.revision = HW_Ver_Nr;
    id.versionText = HW_old ? HW_Ver_Str : StatusBar3->panelText(0);
    if (!HW_old) {
        id.productCode = HW_Produktcode;
        id.description = HW_Beschreibung;
        id.softwareDate = hw_descr_new ? SW_Date_neu : QString();
        id.revisionString = Rev_Str;
        id.deviceNumber = DEV_Nr;
        id.softwareNumber = SW_Nr;
        id.versionType = TVers_Nr;
        id.optionBits = Opt_Bits;
        id.developmentNumber = Entw_Nr;
        id.productCodeNew = HW_Produktcode_Neu;
    }
    id.kal_value230 = kal_value230;
    id.uac_start_int = uac_start_int;
    id.uac_nenn_int = uac_nenn_int;
    report.calibrationLog = session_calibration_log;
    report.parameters = read;
    // Before the first live reading there are no values to report, and zeros would read as
    // measurements.
    if (live_values_shown) {
        report.live = live_values;
        report.controllerState = controller_state;
    }
    report.clockDrift =
        clockDriftSeconds(live_values.controllerClock, report.created,
                          daylightBiasMinutes(report.created.timeZone(), report.created));
    report.faults = session_faults;
    report.faultPosition = session_fault_position;

    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString filter = QStringLiteral("PDF (*.pdf)");
    const QString preset =
        QStringLiteral("TRV5200_%1.pdf").arg(report.created.toString("yyyy-MM-dd_HHmm"));
    const StaleWatch::Hold hold(liveWatch_); // the dialog holds the sequencer, not the line
    QString path = chooseReportFile
                       ? chooseReportFile(FileDialogKind::Save, folder, filter, preset)
                       : QFileDialog::getSaveFileName(this, reportText(language, ReportText::Title),
                                                      QDir(folder).filePath(preset), filter);
    if (path.isEmpty())
        return; // cancelled
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    const QString shown = QDir::toNativeSeparators(path);
    if (const std::optional<QString> error = saveReportPdf(path, reportDocument(report, language)))
        showMessage(reportText(language, ReportText::NotSaved).arg(shown, *error));
    else
        StatusBar3->setPanelText(TStatusLine::kMessagePanel,
                                 reportText(language, ReportText::Saved).arg(shown));
}
