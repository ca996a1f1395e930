// The commissioning report: the document in two languages from one session's data, what
// it says where the session read nothing, and the PDF it becomes (checked with pdftotext
// where poppler's tools are installed).
#include "report/report_model.h"
#include "report/report_pdf.h"
#include "text/report_texts.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A new controller after a calibration and a fault-memory read, in the cabinet at 22:15.
CommissioningReport sampleReport() {
    CommissioningReport r;
    r.created = QDateTime(QDate(2026, 3, 14), QTime(22, 15, 30));
    r.toolVersion = QStringLiteral("0.1");
    ControllerIdentity& id = r.identity;
    id.productCode = QStringLiteral("TRV5200-400");
    id.description = QStringLiteral("Dimmer 400 V");
    id.softwareDate = QStringLiteral("12.02.2025");
    id.revisionString = QStringLiteral("12.3.0.0");
    id.deviceNumber = 0;
    id.versionText = QStringLiteral("TRV5200-400 12.3.0.0");
    id.kal_value230 = 590;
    id.uac_start_int = 513; // 200 V
    id.uac_nenn_int = 590;  // 230 V
    r.calibrationLog = {newValueLine(590)};
    r.calibrationLog += writeLog(590, 513, 590);

    ParameterRead read;
    read.set.profileTimes = {0x1600, 0x0000, 0x051E, 0x0600, 0x1700, 0x0100, 0x0700, 0x0800};
    read.set.takts = {172, 100, 200, 150, 100, 172};
    read.set.startTakt = 200;     // 50 Hz
    read.set.burnInSeconds = 300; // 5 min
    read.set.rampWord = 0x1808;   // darken 200 s, brighten 600 s
    r.parameters = read;

    LiveValues live;
    live.dcLinkVolts = 325;
    live.mainsVolts = 229;
    live.actualHz = 50;
    live.nominalHz = 50;
    live.heatSink1Celsius = 31.5;
    live.heatSink2Celsius = 30.25;
    live.savingPercent = 0;
    live.controllerClock = QDateTime(QDate(2026, 3, 14), QTime(22, 18, 42));
    r.live = live;
    r.clockDrift = 192;

    FaultList faults;
    faults.rows[0] = {QStringLiteral("13.03  04:10"), quint16(1U << 1)};
    faults.rows[1] = {QStringLiteral("02.03  23:55"), quint16((1U << 2) | (1U << 3))};
    r.faults = faults;
    return r;
}

// A caption of the text table as the report shows it: no colon, a capital first.
QString row(Language language, int r) {
    QString text = infoText(language, r).trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    text[0] = text[0].toUpper();
    return text;
}

QString valueOf(const ReportSection* section, const QString& caption) {
    if (!section)
        return QStringLiteral("<no section>");
    for (const ReportRow& r : section->rows)
        if (r.caption == caption)
            return r.value;
    return QStringLiteral("<no row %1>").arg(caption);
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT
private slots:
    void document_data();
    void document();
    void notReadInThisSession_data() { document_data(); }
    void notReadInThisSession();
    void oldControllerWithoutRampTimes();
    void pdf();
    void unwritablePath();
};

void ReportTest::document_data() {
    QTest::addColumn<Language>("language");
    QTest::newRow("German") << Language::German;
    QTest::newRow("English") << Language::English;
}

void ReportTest::document() {
    QFETCH(Language, language);
    const ReportDocument doc = reportDocument(sampleReport(), language);
    QCOMPARE(doc.title, reportText(language, ReportText::Title));

    const ReportSection* controller = doc.section(reportText(language, ReportText::Controller));
    QCOMPARE(valueOf(controller, reportText(language, ReportText::ProductCode)),
             QStringLiteral("TRV5200-400"));
    QCOMPARE(valueOf(controller, reportText(language, ReportText::SoftwareDate)),
             QStringLiteral("12.02.2025"));
    QCOMPARE(valueOf(controller, row(language, 54)), QStringLiteral("12.3.0.0"));

    // The calibration with its set points in volts and its log in the same language.
    const ReportSection* calibration = doc.section(row(language, 118));
    QCOMPARE(valueOf(calibration, row(language, 124)),
             reportText(language, ReportText::SetPointValue).arg(200).arg(513));
    QCOMPARE(valueOf(calibration, reportText(language, ReportText::CalibrationLog)),
             language == Language::German ? QStringLiteral("Neuer Kalibrierwert: 590")
                                          : QStringLiteral("New calibration value 590"));

    // Both profiles, captioned as on the parameter page, with their times and savings.
    const QString period1Time = row(language, 36) + " – " + row(language, 40);
    const QString period1Saving = row(language, 36) + " – " + row(language, 41);
    const ReportSection* workday = doc.section(row(language, 34));
    const ReportSection* weekend = doc.section(row(language, 42));
    QCOMPARE(valueOf(workday, period1Time), QStringLiteral("22:00"));
    QCOMPARE(valueOf(workday, period1Saving), QStringLiteral("30"));
    QCOMPARE(valueOf(weekend, period1Time), QStringLiteral("23:00"));
    QCOMPARE(valueOf(weekend, row(language, 47) + " – " + row(language, 48)),
             QStringLiteral("08:00"));
    const ReportSection* start = doc.section(row(language, 90));
    QCOMPARE(valueOf(start, row(language, 91)), QStringLiteral("50"));
    QCOMPARE(valueOf(start, row(language, 114)), QStringLiteral("600"));

    const ReportSection* clock = doc.section(reportText(language, ReportText::ClockSection));
    QCOMPARE(valueOf(clock, row(language, 12)), QStringLiteral("14.03.2026 22:18:42"));
    QCOMPARE(valueOf(clock, reportText(language, ReportText::ClockDrift)),
             reportText(language, ReportText::ClockDriftWorthSync).arg("+3 min 12 s"));

    // The records written, newest first, with the fault texts of their bits.
    const ReportSection* faults = doc.section(row(language, 103));
    QVERIFY(faults);
    QCOMPARE(faults->rows.size(), 2);
    const auto fault = [language](int r) { return infoText(language, r).trimmed(); };
    QCOMPARE(faults->rows[0], (ReportRow{"13.03  04:10", fault(28)}));
    QCOMPARE(faults->rows[1].value, fault(29) + ", " + fault(32));

    const ReportSection* live = doc.section(reportText(language, ReportText::LiveValues));
    QCOMPARE(valueOf(live, row(language, 78)), QStringLiteral("229"));
    QCOMPARE(valueOf(live, row(language, 80)), QStringLiteral("30,3"));

    QCOMPARE(doc.signatureLines, (QStringList{reportText(language, ReportText::Place),
                                              reportText(language, ReportText::ControllerNumber),
                                              reportText(language, ReportText::Signature)}));
}

// A session that read neither the fault memory nor the parameters and calibrated nothing
// says so, rather than leaving the sections out.
void ReportTest::notReadInThisSession() {
    QFETCH(Language, language);
    CommissioningReport r = sampleReport();
    r.parameters.reset();
    r.faults.reset();
    r.calibrationLog.clear();
    const ReportDocument doc = reportDocument(r, language);
    const ReportRow notRead{reportText(language, ReportText::NotRead), QString()};
    for (const int title : {34, 42, 90, 103}) {
        const ReportSection* s = doc.section(row(language, title));
        QVERIFY2(s, qPrintable(row(language, title)));
        QCOMPARE(s->rows, QList<ReportRow>{notRead});
    }
    QCOMPARE(
        valueOf(doc.section(row(language, 118)), reportText(language, ReportText::CalibrationLog)),
        reportText(language, ReportText::NoCalibrationThisSession));

    // A fault memory read and found empty is not one that was not read.
    r.faults = FaultList{};
    const ReportDocument empty = reportDocument(r, language);
    const ReportRow noRecords{reportText(language, ReportText::NoFaultRecords), QString()};
    QCOMPARE(empty.section(row(language, 103))->rows, QList<ReportRow>{noRecords});
}

void ReportTest::oldControllerWithoutRampTimes() {
    CommissioningReport r = sampleReport();
    r.identity = ControllerIdentity{};
    r.identity.hwOld = true;
    r.identity.revision = 12;
    r.identity.versionText = QStringLiteral("TRV 5.2 HW Rev12 ");
    r.parameters->hasRampTimes = false;
    const ReportDocument doc = reportDocument(r, Language::English);
    const ReportSection* controller =
        doc.section(reportText(Language::English, ReportText::Controller));
    QCOMPARE(valueOf(controller, reportText(Language::English, ReportText::Generation)),
             reportText(Language::English, ReportText::GenerationOld));
    QCOMPARE(valueOf(controller, reportText(Language::English, ReportText::Revision)),
             QStringLiteral("12"));
    QCOMPARE(valueOf(doc.section(row(Language::English, 90)), row(Language::English, 113)),
             reportText(Language::English, ReportText::NotStored));
}

// The PDF: a document of its own kind with a page count, and, where pdftotext is there,
// the texts of the German report on its pages.
void ReportTest::pdf() {
    CommissioningReport r = sampleReport();
    // Every record written: the report runs onto a second page.
    for (FaultRow& fault : r.faults->rows)
        fault = {QStringLiteral("01.03  12:00"), quint16(0xFFFE)};
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("report.pdf");
    const std::optional<QString> error = saveReportPdf(path, reportDocument(r, Language::German));
    QVERIFY2(!error, qPrintable(error.value_or(QString())));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    const qsizetype pages =
        QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed (poppler-utils)");
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(60000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& expected :
         {QStringLiteral("Inbetriebnahmeprotokoll"), QStringLiteral("TRV5200-400"),
          QStringLiteral("Unterschrift"), QStringLiteral("Übertemperatur"),
          QStringLiteral("Seite 1 von %1").arg(pages),
          QStringLiteral("Seite %1 von %1").arg(pages)})
        QVERIFY2(text.contains(expected), qPrintable(expected + "\n" + text));
}

// A path that cannot be written is reported, and no file is left there.
void ReportTest::unwritablePath() {
    QTemporaryDir dir;
    const QString path = dir.filePath("no/such/folder/report.pdf");
    const std::optional<QString> error =
        saveReportPdf(path, reportDocument(sampleReport(), Language::English));
    QVERIFY(error);
    QVERIFY(!error->isEmpty());
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
