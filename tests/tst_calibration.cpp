// Mains-voltage calibration without a window: volts and raw counts both ways, the new
// calibration value with its ties, what the identity does to the page, and the
// conditions of both generations as the log lines they produce.
#include "services/calibration.h"
#include "services/identity.h"

#include <QTest>

namespace {

// A log as short codes: "149" for a text row, "148+11" with its number, "own" for our
// own text. The rows are what the technician reads, so the test names them.
QStringList codes(const QList<CalibrationLogLine>& log) {
    QStringList out;
    for (const CalibrationLogLine& line : log) {
        QString code = line.own ? QStringLiteral("own") : QString::number(line.row);
        if (line.number)
            code += QStringLiteral("+%1").arg(*line.number);
        out << code;
    }
    return out;
}

} // namespace

class CalibrationTest : public QObject {
    Q_OBJECT
private slots:
    void voltsAndRaw_data();
    void voltsAndRaw();
    void newValue_data();
    void newValue();
    void arming_data();
    void arming();
    void refusal_data();
    void refusal();
    void logLineWording();
};

void CalibrationTest::voltsAndRaw_data() {
    QTest::addColumn<int>("kal");
    QTest::addColumn<int>("volts");
    QTest::addColumn<int>("raw");
    QTest::addColumn<bool>("bothWays"); // raw → volts gives the volts back
    // The set points written after calibrating 600 counts at 240 V (value 575).
    QTest::newRow("start 240 V at 575") << 575 << 240 << 600 << true;
    QTest::newRow("nominal 230 V at 575") << 575 << 230 << 575 << true;
    QTest::newRow("tie up to even") << 575 << 235 << 588 << false; // 587.5
    // 243 / 230 × 575 = 607.5 exactly; in that order in floating point it is 607.4999….
    QTest::newRow("tie computed exactly") << 575 << 243 << 608 << false;
    QTest::newRow("tie down to even, 621") << 621 << 235 << 634 << false; // 634.5
    QTest::newRow("tie down to even") << 115 << 5 << 2 << false;          // 2.5
    QTest::newRow("tie up, small") << 115 << 3 << 2 << false;             // 1.5
    QTest::newRow("no value writes 0") << 0 << 235 << 0 << false;
    QTest::newRow("clamped to a word") << 65535 << 250 << 65535 << false;
}

void CalibrationTest::voltsAndRaw() {
    QFETCH(int, kal);
    QFETCH(int, volts);
    QFETCH(int, raw);
    QFETCH(bool, bothWays);
    QCOMPARE(int(voltsToMeasurement(quint16(volts), quint16(kal))), raw);
    if (bothWays)
        QCOMPARE(int(measurementToVolts(quint16(raw), quint16(kal))), volts);
}

void CalibrationTest::newValue_data() {
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("measured");
    QTest::addColumn<int>("kal");
    QTest::newRow("600 at 240 V") << 600 << 240 << 575;
    QTest::newRow("at 230 V the reading itself") << 592 << 230 << 592;
    QTest::newRow("tie up to even") << 583 << 220 << 610;   // 609.5
    QTest::newRow("tie down to even") << 605 << 220 << 632; // 632.5
    QTest::newRow("not a tie") << 600 << 233 << 592;        // 592.27
    QTest::newRow("full scale low") << 1023 << 210 << 1120; // 1120.43
}

void CalibrationTest::newValue() {
    QFETCH(int, raw);
    QFETCH(int, measured);
    QFETCH(int, kal);
    QCOMPARE(int(newCalibrationValue(quint16(raw), measured)), kal);
}

void CalibrationTest::arming_data() {
    QTest::addColumn<bool>("hwOld");
    QTest::addColumn<int>("revision");
    QTest::addColumn<int>("kal");
    QTest::addColumn<bool>("armed");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("old rev 12 refused")
        << true << 12 << 0 << false << QStringList{"143", "144+12", "146"};
    QTest::newRow("old rev 13 armed")
        << true << 13 << 592 << true << QStringList{"141", "142+13", "145+592"};
    QTest::newRow("old rev 0 (unreadable) refused")
        << true << 0 << 0 << false << QStringList{"143", "144+0", "146"};
    QTest::newRow("new, no revision rule") << false << 0 << 592 << true << QStringList{"145+592"};
    QTest::newRow("new without value") << false << 0 << 0 << true << QStringList{"146"};
}

void CalibrationTest::arming() {
    QFETCH(bool, hwOld);
    QFETCH(int, revision);
    QFETCH(int, kal);
    QFETCH(bool, armed);
    QFETCH(QStringList, log);
    const CalibrationArming a = calibrationArming(hwOld, revision, quint16(kal));
    QCOMPARE(a.armed, armed);
    QCOMPARE(codes(a.log), log);
}

void CalibrationTest::refusal_data() {
    QTest::addColumn<bool>("hwOld");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("hz");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("raw");
    QTest::addColumn<QStringList>("log");
    // Old hardware: every condition is tested, each failure logged.
    QTest::newRow("old rev 11, 55 Hz, power reduction")
        << true << 11 << "55" << 3 << 600 << QStringList{"147", "148+11", "149", "150"};
    QTest::newRow("old rev 12 may calibrate") << true << 12 << "50" << 2 << 600 << QStringList{};
    QTest::newRow("old rev 14, 55 Hz") << true << 14 << "55" << 2 << 600 << QStringList{"149"};
    QTest::newRow("old rev 14, error") << true << 14 << "50" << 4 << 600 << QStringList{"150"};
    QTest::newRow("old rev 11 only")
        << true << 11 << "50" << 2 << 600 << QStringList{"147", "148+11"};
    // New hardware: only the first failure, frequency before state.
    QTest::newRow("new 55 Hz, power reduction")
        << false << 0 << "55" << 3 << 600 << QStringList{"149"};
    QTest::newRow("new 50 Hz, standby") << false << 0 << "50" << 6 << 600 << QStringList{"150"};
    QTest::newRow("new normal at 50 Hz") << false << 0 << "50" << 2 << 600 << QStringList{};
    QTest::newRow("new, no reading yet (reset display)")
        << false << 0 << "" << 9 << 0 << QStringList{"149"};
    // No mains reading: refused with our own line, only once the conditions hold.
    QTest::newRow("new, reading 0") << false << 0 << "50" << 2 << 0 << QStringList{"own"};
    QTest::newRow("old, reading 0") << true << 14 << "50" << 2 << 0 << QStringList{"own"};
    QTest::newRow("old rev 11, reading 0")
        << true << 11 << "50" << 2 << 0 << QStringList{"147", "148+11"};
}

void CalibrationTest::refusal() {
    QFETCH(bool, hwOld);
    QFETCH(int, revision);
    QFETCH(QString, hz);
    QFETCH(int, state);
    QFETCH(int, raw);
    QFETCH(QStringList, log);
    const auto lines = calibrationRefusal({.hw_old = hwOld,
                                           .HW_Ver_Nr = revision,
                                           .lampFrequency = hz,
                                           .controller_state = quint16(state),
                                           .uac_ist_int = quint16(raw)});
    QCOMPARE(codes(lines), log);
}

void CalibrationTest::logLineWording() {
    // Numbers follow the text directly: the English row has no blank or colon.
    QCOMPARE(logLineText(Language::English, newValueLine(575)),
             QStringLiteral("new calibration value575"));
    QCOMPARE(codes(writeLog(575, 600, 575)), (QStringList{"152+575", "153+600", "154+575"}));
    // Our own line exists in every language, and differs between them.
    const CalibrationLogLine own =
        calibrationRefusal({.lampFrequency = "50", .controller_state = 2, .uac_ist_int = 0})
            .constFirst();
    QSet<QString> texts;
    for (Language l : {Language::English, Language::German, Language::Swedish, Language::French,
                       Language::Turkish}) {
        const QString text = logLineText(l, own);
        QVERIFY(!text.isEmpty());
        texts << text;
    }
    QCOMPARE(texts.size(), 5);
}

QTEST_APPLESS_MAIN(CalibrationTest)
#include "tst_calibration.moc"
