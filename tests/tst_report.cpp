// The commissioning report: the document in two languages from one session's data, what
// it says where the session read nothing, and the PDF it becomes (checked with pdftotext
// where poppler's tools are installed).
#include "report/report_model.h"
#include "report/report_pdf.h"
#include "text/confirm_texts.h"
#include "text/report_texts.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A new controller as the simulator's, after a calibration and a fault-memory read, in the
// cabinet at 22:15, in normal operation.
CommissioningReport sampleReport() {
    CommissioningReport r;
    r.created = QDateTime(QDate(2026, 3, 14), QTime(22, 15, 30));
    r.toolVersion = QStringLiteral("0.1");
    ControllerIdentity& id = r.identity;
    id.productCode = QStringLiteral("TRV5200-3x400V");
    id.productCodeNew = QStringLiteral("TRV5200-3x400V  ");
    id.description = QStringLiteral("14.03.2019"); // the older block's date
    id.softwareDate = QStringLiteral(" SW 22.05.2023");
    id.revisionString = QStringLiteral("27.3.0.0");
    id.softwareNumber = 27;
    id.versionType = 3;
    id.versionText = QStringLiteral("TRV5200-3x400V  14.03.2019 SW 22.05.2023");
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
    live.heatSink2Celsius = 30.4;
    live.savingPercent = 0;
    live.controllerClock = QDateTime(QDate(2026, 3, 14), QTime(22, 18, 42));
    r.live = live;
    r.controllerState = 2;
    r.clockDrift = 192;

    FaultList faults;
    faults.rows[0] = {QStringLiteral("13.03  04:10"), quint16(1U << 1)};
    faults.rows[1] = {QStringLiteral("02.03  23:55"), quint16((1U << 2) | (1U << 3))};
    r.faults = faults;
    return r;
}

QString valueOf(const ReportSection* section, const QString& caption) {
    if (!section)
        return QStringLiteral("<no section>");
    for (const ReportRow& r : section->rows)
        if (r.caption == caption)
            return r.value;
    return QStringLiteral("<no row %1>").arg(caption);
}

const ReportSection* sectionOf(const ReportDocument& doc, Language language, ReportText title) {
    return doc.section(reportText(language, title));
}

// Every text the document puts on paper.
QStringList allTexts(const ReportDocument& doc) {
    QStringList texts{doc.title, doc.signatureTitle, doc.pageText};
    texts += doc.signatureLines;
    for (const ReportSection& s : doc.sections) {
        texts << s.title << s.captionHeading << s.valueHeading << s.note;
        for (const ReportRow& row : s.rows)
            texts << row.caption << row.value;
    }
    return texts;
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT
private slots:
    void document_data();
    void document();
    void wordingAndNumbers_data();
    void wordingAndNumbers();
    void operatingState_data();
    void operatingState();
    void notReadInThisSession_data() { document_data(); }
    void notReadInThisSession();
    void oldControllerWithoutRampTimes();
    void implausibleWordsAreNamed();
    void pdf();
    void unwritablePath();
};

void ReportTest::document_data() {
    QTest::addColumn<Language>("language");
    QTest::addColumn<QStringList>("identityCaptions"); // product code, software date,
                                                       // older block's date, software number
    QTest::addColumn<QString>("workdayPeriod1");       // its start and its saving
    QTest::addColumn<QString>("darken");
    QTest::newRow("German") << Language::German
                            << QStringList{"Produktcode", "Software-Datum",
                                           "Software-Datum (älterer Kennungsblock)",
                                           "Software-Nummer"}
                            << "Periode 1 – Beginn|Periode 1 – Energieeinsparung"
                            << "Zeit zum Verdunkeln (50–100 Hz)";
    QTest::newRow("English") << Language::English
                             << QStringList{"Product code", "Software date",
                                            "Software date (older identity block)",
                                            "Software number"}
                             << "Period 1 – start|Period 1 – energy saving"
                             << "Time to dim down (50–100 Hz)";
}

void ReportTest::document() {
    QFETCH(Language, language);
    QFETCH(QStringList, identityCaptions);
    QFETCH(QString, workdayPeriod1);
    QFETCH(QString, darken);
    CommissioningReport r = sampleReport();
    const ReportDocument doc = reportDocument(r, language);
    QCOMPARE(doc.title, reportText(language, ReportText::Title));

    // Each identity word under what it is: the description words hold the older block's
    // software date, and the status line's version text, which only repeats them, is not
    // a row of its own.
    const ReportSection* controller = sectionOf(doc, language, ReportText::Controller);
    QVERIFY(controller);
    QCOMPARE(valueOf(controller, identityCaptions[0]), QStringLiteral("TRV5200-3x400V"));
    QCOMPARE(valueOf(controller, identityCaptions[1]), QStringLiteral("SW 22.05.2023"));
    QCOMPARE(valueOf(controller, identityCaptions[2]), QStringLiteral("14.03.2019"));
    QCOMPARE(valueOf(controller, identityCaptions[3]), QStringLiteral("27"));
    for (const ReportRow& row : controller->rows)
        QVERIFY2(!row.value.contains(r.identity.versionText), qPrintable(row.caption));
    // Without the newer block the description words are the software date.
    r.identity.softwareDate.clear();
    const ReportDocument olderDoc = reportDocument(r, language);
    const ReportSection* older = sectionOf(olderDoc, language, ReportText::Controller);
    QCOMPARE(valueOf(older, identityCaptions[1]), QStringLiteral("14.03.2019"));
    QCOMPARE(valueOf(older, identityCaptions[2]),
             QStringLiteral("<no row %1>").arg(identityCaptions[2]));

    // The calibration with its set points in volts and its log in the same language.
    const ReportSection* calibration = sectionOf(doc, language, ReportText::CalibrationSection);
    QCOMPARE(valueOf(calibration, reportText(language, ReportText::UacStart)),
             language == Language::German ? "200 V (Rohwert 513)" : "200 V (raw 513)");
    QCOMPARE(valueOf(calibration, reportText(language, ReportText::CalibrationLog)),
             language == Language::German ? QStringLiteral("Neuer Kalibrierwert: 590")
                                          : QStringLiteral("New calibration value 590"));

    // Both profiles with their times and savings, the ramp times in seconds.
    const QStringList period1 = workdayPeriod1.split('|');
    const ReportSection* workday = sectionOf(doc, language, ReportText::WorkdayProfile);
    const ReportSection* weekend = sectionOf(doc, language, ReportText::WeekendProfile);
    QCOMPARE(valueOf(workday, period1[0]), QStringLiteral("22:00"));
    QCOMPARE(valueOf(workday, period1[1]), language == Language::German ? "30 %" : "30%");
    QCOMPARE(valueOf(weekend, period1[0]), QStringLiteral("23:00"));
    QCOMPARE(valueOf(weekend, reportText(language, ReportText::DimmingEnd)),
             QStringLiteral("08:00"));
    const ReportSection* start = sectionOf(doc, language, ReportText::StartSettings);
    QCOMPARE(valueOf(start, reportText(language, ReportText::StartFrequency)), "50 Hz");
    QCOMPARE(valueOf(start, reportText(language, ReportText::BurnInTime)), "5 min");
    QCOMPARE(valueOf(start, darken), QStringLiteral("200 s"));

    const ReportSection* clock = sectionOf(doc, language, ReportText::ClockSection);
    QCOMPARE(valueOf(clock, reportText(language, ReportText::ControllerTime)),
             QStringLiteral("14.03.2026 22:18:42"));
    QCOMPARE(valueOf(clock, reportText(language, ReportText::ClockDrift)),
             reportText(language, ReportText::ClockDriftWorthSync).arg("+3 min 12 s"));

    // The records written, newest first, with the fault texts of their bits, and the note
    // that their time stamps have no year.
    const ReportSection* faults = sectionOf(doc, language, ReportText::FaultSection);
    QVERIFY(faults);
    QCOMPARE(faults->rows.size(), 2);
    QCOMPARE(faults->rows[0],
             (ReportRow{"13.03  04:10", language == Language::German ? "Zwischenkreis-Überspannung"
                                                                     : "DC-link overvoltage"}));
    QCOMPARE(faults->rows[1].value, language == Language::German ? "Übertemperatur, Startfehler"
                                                                 : "Overtemperature, Start fault");
    QCOMPARE(faults->note, reportText(language, ReportText::NoYearNote));
    QVERIFY(faults->note.contains(language == Language::German ? "kein Jahr" : "no year"));

    QCOMPARE(doc.signatureLines, (QStringList{reportText(language, ReportText::Place),
                                              reportText(language, ReportText::ControllerNumber),
                                              reportText(language, ReportText::Signature)}));
}

void ReportTest::wordingAndNumbers_data() {
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("heatSink2");
    QTest::newRow("English") << Language::English << "30.4 °C";
    QTest::newRow("German") << Language::German << "30,4 °C";
    QTest::newRow("Swedish") << Language::Swedish << "30,4 °C";
    QTest::newRow("French") << Language::French << "30,4 °C";
    QTest::newRow("Turkish") << Language::Turkish << "30,4 °C";
}

// The report is worded as a document, not in the window's short labels, and writes its
// numbers as the language does.
void ReportTest::wordingAndNumbers() {
    QFETCH(Language, language);
    QFETCH(QString, heatSink2);
    const ReportDocument doc = reportDocument(sampleReport(), language);
    for (const QString& text : allTexts(doc))
        for (const char* odd : {"diming", "attitudes", "burning", "hw-version"})
            QVERIFY2(!text.contains(QLatin1String(odd), Qt::CaseInsensitive), qPrintable(text));
    const ReportSection* live = sectionOf(doc, language, ReportText::LiveValues);
    QCOMPARE(valueOf(live, reportText(language, ReportText::HeatSink2)), heatSink2);
    QCOMPARE(valueOf(live, reportText(language, ReportText::MainsVoltage)), "229 V");
}

void ReportTest::operatingState_data() {
    QTest::addColumn<Language>("language");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("beforeNormal");
    QTest::newRow("normal operation") << Language::English << 2 << "Normal operation" << false;
    QTest::newRow("power reduction") << Language::German << 3 << "Leistungsreduzierung" << false;
    QTest::newRow("run-up") << Language::English << 1 << "Run-up" << true;
    QTest::newRow("Anlauf") << Language::German << 1 << "Anlauf" << true;
    QTest::newRow("start") << Language::English << 0 << "Start" << true;
    QTest::newRow("standby") << Language::English << 6 << "Standby (synchronisation)" << false;
    QTest::newRow("no panel") << Language::English << 7 << "State 7" << false;
}

// The state the live values were taken in; before normal operation the mains value is
// marked and a note says that these are no measurements.
void ReportTest::operatingState() {
    QFETCH(Language, language);
    QFETCH(int, state);
    QFETCH(QString, shown);
    QFETCH(bool, beforeNormal);
    CommissioningReport r = sampleReport();
    r.controllerState = quint16(state);
    const ReportDocument doc = reportDocument(r, language);
    const ReportSection* live = sectionOf(doc, language, ReportText::LiveValues);
    QVERIFY(live);
    QCOMPARE(live->rows.first(),
             (ReportRow{reportText(language, ReportText::OperatingState), shown}));
    const QString mains = valueOf(live, reportText(language, ReportText::MainsVoltage));
    QCOMPARE(mains, beforeNormal
                        ? reportText(language, ReportText::BeforeNormalOperation).arg("229 V")
                        : QStringLiteral("229 V"));
    QCOMPARE(live->note.isEmpty(), !beforeNormal);
    if (beforeNormal)
        QVERIFY(mains.contains(language == Language::German ? "kein Messwert" : "no measurement"));
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
    for (const ReportText title : {ReportText::WorkdayProfile, ReportText::WeekendProfile,
                                   ReportText::StartSettings, ReportText::FaultSection}) {
        const ReportSection* s = sectionOf(doc, language, title);
        QVERIFY2(s, qPrintable(reportText(language, title)));
        QCOMPARE(s->rows, QList<ReportRow>{notRead});
    }
    QCOMPARE(valueOf(sectionOf(doc, language, ReportText::CalibrationSection),
                     reportText(language, ReportText::CalibrationLog)),
             reportText(language, ReportText::NoCalibrationThisSession));

    // A fault memory read and found empty is not one that was not read.
    r.faults = FaultList{};
    const ReportDocument empty = reportDocument(r, language);
    const ReportRow noRecords{reportText(language, ReportText::NoFaultRecords), QString()};
    QCOMPARE(sectionOf(empty, language, ReportText::FaultSection)->rows,
             QList<ReportRow>{noRecords});
}

void ReportTest::oldControllerWithoutRampTimes() {
    CommissioningReport r = sampleReport();
    r.identity = ControllerIdentity{};
    r.identity.hwOld = true;
    r.identity.revision = 12;
    r.identity.versionText = QStringLiteral("TRV 5.2 HW Rev12 ");
    r.parameters->hasRampTimes = false;
    const ReportDocument doc = reportDocument(r, Language::English);
    const ReportSection* controller = sectionOf(doc, Language::English, ReportText::Controller);
    QCOMPARE(controller->rows, (QList<ReportRow>{{"Hardware generation", "old"},
                                                 {"Hardware version", "TRV 5.2 HW Rev12"},
                                                 {"Hardware revision", "12"}}));
    QCOMPARE(valueOf(sectionOf(doc, Language::English, ReportText::StartSettings),
                     "Time to dim down (50–100 Hz)"),
             reportText(Language::English, ReportText::NotStored));
}

// A word the read limited is named as not plausible, never printed as the controller's.
void ReportTest::implausibleWordsAreNamed() {
    CommissioningReport r = sampleReport();
    r.identity.hwOld = true;
    r.parameters->violations = {{QStringLiteral("[32]"), 65040, 900},
                                {QStringLiteral("[20] high byte"), 24, 23}};
    const ReportDocument doc = reportDocument(r, Language::English);
    const QString notPlausible = confirmText(Language::English, ConfirmText::NotPlausible);
    const ReportSection* start = sectionOf(doc, Language::English, ReportText::StartSettings);
    QCOMPARE(valueOf(start, reportText(Language::English, ReportText::BurnInTime)), notPlausible);
    QCOMPARE(valueOf(start, reportText(Language::English, ReportText::StartFrequency)), "50 Hz");
    const ReportSection* workday = sectionOf(doc, Language::English, ReportText::WorkdayProfile);
    QCOMPARE(workday->rows[0].value, notPlausible);
    QCOMPARE(workday->rows[1].value, QStringLiteral("30%"));
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
         {QStringLiteral("Inbetriebnahmeprotokoll"), QStringLiteral("TRV5200-3x400V"),
          QStringLiteral("Unterschrift"), QStringLiteral("Übertemperatur"),
          QStringLiteral("30,4 °C"), QStringLiteral("aber kein Jahr"),
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
