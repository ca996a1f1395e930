// The mains-voltage calibration through the window against the simulated controller of
// both generations: what a calibration writes and what the controller then holds, the
// conditions that only log, a missing mains reading, and a click with no port open.
#include "app/hauptfenster.h"
#include "app/widgets/up_down.h"
#include "protocol/protocol_state.h"
#include "serial/port_map.h"
#include "sim/simulator.h"
#include "text/own_texts.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <optional>

using trvsim::Generation;
using trvsim::Space;
using State = trvsim::ControllerModel::OperatingState;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(trvsim::Generation)
Q_DECLARE_METATYPE(trvsim::ControllerModel::OperatingState)

namespace {

bool isOld(Generation g) {
    return g == Generation::Old;
}

// The raw mains reading the live display takes, and the RAM set points.
quint16 uacReading(Generation g) {
    return isOld(g) ? 0x46 : 0x42;
}
quint16 ramStart(Generation g) {
    return isOld(g) ? 0x2C : 0x30;
}

// Whether the PC sent a write item. Between two clicks the PC sends only synchronisation
// bytes (0x00) and the live RAM read (new: 09 A0 00 30 and fillers 05; old: 01, an address
// of 0x08 or 0x2C … 0xA6, fillers 05), so a write command byte (old 03/04, new 07/08)
// cannot appear in them by chance.
bool sentWrite(const QByteArray& bytes, Generation g) {
    const char ram = isOld(g) ? 0x03 : 0x07;
    const char parameter = isOld(g) ? 0x04 : 0x08;
    return bytes.contains(ram) || bytes.contains(parameter);
}

} // namespace

class CalibrationWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() { resetShared(); }
    void cleanup() { releaseAll(); }

    void calibrationWritesValueAndSetPoints_data();
    void calibrationWritesValueAndSetPoints();
    void refusalOnlyLogs_data();
    void refusalOnlyLogs();
    void clickWithoutPort_data();
    void clickWithoutPort();

private:
    // A frozen controller at midday (no dimming period), burnt in, reading 600 counts of
    // mains voltage; advanced past its run-up and the lamps' ramp to 50 Hz.
    void startCalibratable(Generation g, int revision, State state = State::Normal,
                           std::optional<double> hz = std::nullopt);
    // Connects and waits for a live display that shows this state and frequency.
    void connectAndShow(int state, const QString& hz);
    // Log lines from codes: "149" a text row, "148+11" with its number, "own" our own text.
    QStringList logLines(const QStringList& codes) const;
    QStringList memo() const { return w_->Memo1->toPlainText().split('\n', Qt::SkipEmptyParts); }
};

void CalibrationWindowTest::startCalibratable(Generation g, int revision, State state,
                                              std::optional<double> hz) {
    startController(g, revision, true);
    auto& m = sim_->model();
    m.setClock(QDateTime(QDate::currentDate(), QTime(12, 0)));
    m.setBurnInOverride(0s);
    QVERIFY(m.setOperatingState(state));
    m.forceLampFrequency(hz);
    m.poke(Space::Ram, uacReading(g), 600);
    m.advance(60s);
}

void CalibrationWindowTest::connectAndShow(int state, const QString& hz) {
    createWindow();
    connectAndIdentify();
    QVERIFY(QTest::qWaitFor(
        [&] {
            return displayRuns_ > 0 && w_->controller_state == state && w_->Edit_fist->text() == hz;
        },
        kWait));
}

QStringList CalibrationWindowTest::logLines(const QStringList& codes) const {
    QStringList lines;
    for (const QString& code : codes) {
        if (code == QLatin1String("own")) {
            lines << ownText(w_->activeLanguage(), OwnText::NoMainsReading);
            continue;
        }
        const QStringList parts = code.split('+');
        lines << w_->GetInfoString(parts[0].toInt()) + parts.value(1);
    }
    return lines;
}

void CalibrationWindowTest::calibrationWritesValueAndSetPoints_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<int>("revision");
    QTest::newRow("new hardware") << Generation::New << 14;
    QTest::newRow("old hardware rev 14") << Generation::Old << 14;
    QTest::newRow("old hardware rev 13") << Generation::Old << 13;
}

void CalibrationWindowTest::calibrationWritesValueAndSetPoints() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    startCalibratable(generation, revision);
    connectAndShow(2, "50");
    QCOMPARE(w_->uac_ist_int, quint16(600));
    QVERIFY(w_->Bt_WR_Kalwert->isEnabled());

    // The multimeter shows 240 V; the start voltage is to be 240 V, the nominal 230 V.
    w_->UpDown10->setPosition(240);
    w_->UpDown6->setPosition(240);
    w_->UpDown9->setPosition(230);
    sim_->host().clearReceived();
    w_->Bt_WR_Kalwert->click();
    QCOMPARE(w_->kal_value230, quint16(575)); // 600 × 230 / 240
    QVERIFY(w_->kal_wr_req);
    QVERIFY(QTest::qWaitFor([this] { return !w_->kal_wr_req; }, kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QVERIFY(sentWrite(sim_->host().received(), generation));

    QCOMPARE(memo(), logLines({"151+575", "152+575", "153+600", "154+575"}));
    const auto& m = sim_->model();
    QCOMPARE(m.peek(Space::Parameter, 0x48), quint16(575));
    QCOMPARE(m.peek(Space::Parameter, 0x42), quint16(600));
    QCOMPARE(m.peek(Space::Parameter, 0x44), quint16(575));
    QCOMPARE(m.peek(Space::Ram, ramStart(generation)), quint16(600));
    QCOMPARE(m.peek(Space::Ram, ramStart(generation) + 2), quint16(575));

    // The button waits for a new measured value.
    QVERIFY(!w_->Bt_WR_Kalwert->isEnabled());
    w_->UpDown10->click(TUpDown::Down);
    QCOMPARE(w_->Edit15->text(), QString("239"));
    QVERIFY(w_->Bt_WR_Kalwert->isEnabled());

    // The live display shows the mains voltage on the new value: 600 × 230 / 575 = 240 V.
    QVERIFY(QTest::qWaitFor([this] { return w_->Edit_uac->text() == "240"; }, kWait));

    // A new identity finds the value in the controller and shows the set points in volts.
    w_->Com_activate_btClick(); // disconnect
    connectAndIdentify();
    QCOMPARE(memo().constLast(), logLines({"145+575"}).constFirst());
    QCOMPARE(w_->Edit7->text(), QString("240"));
    QCOMPARE(w_->Edit14->text(), QString("230"));
}

void CalibrationWindowTest::refusalOnlyLogs_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<int>("revision");
    QTest::addColumn<State>("state");
    QTest::addColumn<double>("hz"); // 0: not held
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("shownState");
    QTest::addColumn<QString>("shownHz");
    QTest::addColumn<QStringList>("log");
    const auto N = Generation::New;
    const auto O = Generation::Old;
    QTest::newRow("new, power reduction at 50 Hz")
        << N << 14 << State::PowerReduction << 0.0 << 600 << 3 << "50" << QStringList{"150"};
    QTest::newRow("new, 55 Hz in power reduction: the first failure only")
        << N << 14 << State::PowerReduction << 55.0 << 600 << 3 << "55" << QStringList{"149"};
    // Output off: the lamps' frequency is held so that the state alone is refused.
    QTest::newRow("new, standby") << N << 14 << State::Standby << 50.0 << 600 << 6 << "50"
                                  << QStringList{"150"};
    QTest::newRow("old, 55 Hz in power reduction: both")
        << O << 14 << State::PowerReduction << 55.0 << 600 << 3 << "55"
        << QStringList{"149", "150"};
    QTest::newRow("old rev 11, 55 Hz, error: four lines")
        << O << 11 << State::Error << 55.0 << 600 << 4 << "55"
        << QStringList{"147", "148+11", "149", "150"};
    QTest::newRow("new, no mains reading")
        << N << 14 << State::Normal << 0.0 << 0 << 2 << "50" << QStringList{"own"};
    QTest::newRow("old, no mains reading")
        << O << 14 << State::Normal << 0.0 << 0 << 2 << "50" << QStringList{"own"};
}

void CalibrationWindowTest::refusalOnlyLogs() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    QFETCH(State, state);
    QFETCH(double, hz);
    QFETCH(int, raw);
    QFETCH(int, shownState);
    QFETCH(QString, shownHz);
    QFETCH(QStringList, log);
    startCalibratable(generation, revision, state,
                      hz > 0 ? std::optional<double>(hz) : std::nullopt);
    sim_->model().poke(Space::Ram, uacReading(generation), quint16(raw));
    connectAndShow(shownState, shownHz);
    QCOMPARE(w_->uac_ist_int, quint16(raw));
    const quint16 stored = w_->kal_value230;

    sim_->host().clearReceived();
    // Old controllers before revision 13 have the button disabled; the rules are the
    // click's all the same.
    w_->Bt_WR_KalwertClick();
    QCOMPARE(memo(), logLines(log));
    QVERIFY(!w_->kal_wr_req);
    QCOMPARE(w_->kal_value230, stored);

    // Two more live cycles: only reads went out, and the controller holds what it held.
    const quint64 runs = displayRuns_;
    QVERIFY(QTest::qWaitFor([&] { return displayRuns_ >= runs + 2; }, kWait));
    QVERIFY(!sentWrite(sim_->host().received(), generation));
    QCOMPARE(sim_->model().peek(Space::Parameter, 0x48), quint16(revision >= 13 ? 592 : 0xFFFF));
}

void CalibrationWindowTest::clickWithoutPort_data() {
    QTest::addColumn<bool>("portThere");
    QTest::newRow("the settings' port leads to the controller") << true;
    QTest::newRow("the settings' port is absent") << false;
}

void CalibrationWindowTest::clickWithoutPort() {
    // The page is armed but no link exists (as after a port change): the click opens the
    // port from the settings and writes, or reports the port and stands still.
    QFETCH(bool, portThere);
    startCalibratable(Generation::New, 14);
    createWindow();
    w_->com_port = QStringLiteral("COM3");
    setPortOverrides({{"COM1", controllerPort()},
                      {"COM3", portThere ? controllerPort() : portDir_.filePath("absent")}});
    w_->HW_old = false;
    w_->controller_state = 2;
    w_->Edit_fist->setText("50");
    w_->uac_ist_int = 600;
    w_->UpDown10->setPosition(240);
    w_->Bt_WR_Kalwert->setEnabled(true);
    QVERIFY(!w_->sio_active);

    w_->Bt_WR_Kalwert->click();
    QCOMPARE(protocol_step, 0);
    QCOMPARE(port_name, QString("COM3"));
    if (portThere) {
        QVERIFY(QTest::qWaitFor([this] { return !w_->kal_wr_req; }, kWait));
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
        QCOMPARE(sim_->model().peek(Space::Parameter, 0x48), quint16(575));
        // Nothing else pending: the sequencer rests after its synchronisation.
        QVERIFY(QTest::qWaitFor([] { return protocol_step == 2; }, kWait));
    } else {
        QVERIFY(QTest::qWaitFor([this] { return messages_.size() == 2; }, kWait));
        QVERIFY(messages_[1].startsWith("Fehler an COM3"));
        QVERIFY(!w_->SPStimer->isActive());
        QVERIFY(!w_->sio_active);
        QCOMPARE(sim_->model().peek(Space::Parameter, 0x48), quint16(592));
    }
}

QTEST_MAIN(CalibrationWindowTest)
#include "tst_calibration_window.moc"
