// The commissioning report from the window's tools menu against the simulated controller:
// one fresh parameter read that leaves the fields as they are, then the PDF in the file the
// technician chose, in the window's language, with the fault memory this session read; a
// file that cannot be written is said so and leaves nothing behind.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "report/report_model.h"
#include "text/report_texts.h"
#include "window_fixture.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

using trvsim::Generation;

class ReportWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() { resetShared(); }
    void cleanup() { releaseAll(); }
    void menuItemWritesThePdf();
    void unwritableFileIsSaid();

private:
    void connectAndReadFaults();
    // The report through the menu item into path; returns once the item's work is done.
    void report(const QString& path);
};

void ReportWindowTest::connectAndReadFaults() {
    startController(Generation::New);
    createWindow();
    w_->english1Click();
    connectAndIdentify();
    QVERIFY(QTest::qWaitFor([this] { return displayRuns_ > 0; }, kWait));
    w_->err_mem_read_btClick();
    QVERIFY(QTest::qWaitFor([this] { return !w_->errmem_rd_req; }, kWait));
    QVERIFY(w_->session_faults);
}

void ReportWindowTest::report(const QString& path) {
    w_->chooseReportFile = [path](THauptfenster::FileDialogKind kind, const QString&,
                                  const QString& filter, const QString&) {
        return kind == THauptfenster::FileDialogKind::Save && filter.contains("*.pdf") ? path
                                                                                       : QString();
    };
    w_->report1->trigger();
    QVERIFY(w_->compare_rd_req);
    QVERIFY(QTest::qWaitFor([this] { return !w_->compare_rd_req; }, kWait));
}

void ReportWindowTest::menuItemWritesThePdf() {
    connectAndReadFaults();
    QCOMPARE(w_->report1->text(), reportText(Language::English, ReportText::MenuItem));
    // A field the technician has changed and not written stays as it is.
    w_->time_burn_visu->setText(QStringLiteral("12"));
    const QString path = portDir_.filePath(QStringLiteral("report.pdf"));
    report(path);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QCOMPARE(w_->time_burn_visu->text(), QStringLiteral("12"));
    QVERIFY(!w_->CompareDialog); // the report's read opens no comparison
    QCOMPARE(w_->StatusBar3->panelText(TStatusLine::kMessagePanel),
             reportText(Language::English, ReportText::Saved).arg(path));
    QVERIFY(w_->ram_rd_req); // the live reading resumes

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed (poppler-utils)");
    QProcess process;
    process.start(pdftotext, {path, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(60000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& expected :
         {reportText(Language::English, ReportText::Title), w_->HW_Produktcode.trimmed(),
          QStringLiteral("Fault memory"), reportText(Language::English, ReportText::Signature),
          // The window's identity words and the state of its last live reading.
          reportText(Language::English, ReportText::SoftwareDateOlderBlock),
          w_->SW_Date_neu.trimmed(), reportText(Language::English, ReportText::OperatingState)})
        QVERIFY2(text.contains(expected), qPrintable(expected + "\n" + text));
    // The simulated controller's past faults are in the memory this session read.
    QVERIFY2(!text.contains(reportText(Language::English, ReportText::NoFaultRecords)),
             qPrintable(text));
}

void ReportWindowTest::unwritableFileIsSaid() {
    connectAndReadFaults();
    const QString path = portDir_.filePath(QStringLiteral("no/such/folder/report.pdf"));
    report(path);
    QVERIFY(QTest::qWaitFor([this] { return !messages_.isEmpty(); }, kWait));
    QVERIFY2(messages_.constFirst().startsWith(
                 reportText(Language::English, ReportText::NotSaved).arg(path, QString())),
             qPrintable(messages_.constFirst()));
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(ReportWindowTest)
#include "tst_report_window.moc"
