// The main window's sequencer and identity read, offscreen, against the controller
// simulator over a real pseudo-terminal: connect → hardware test → identity for both
// generations, the request priority, a failed answer check, reconnecting, disconnecting,
// changing the port and a port that cannot be opened.
#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "app/widgets/status_line.h"
#include "base/message_sink.h"
#include "protocol/protocol_state.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "sim/simulator.h"
#include "text/own_texts.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <memory>

using trvsim::Fault;
using trvsim::Generation;
using trvsim::Space;

namespace {

// Identity words of the simulated controller, set by the tests (parameter memory).
void pokeText(trvsim::ControllerModel& model, quint16 address, const QByteArray& text) {
    for (int i = 0; i < text.size(); i += 2) {
        const quint8 lo = quint8(text[i]);
        const quint8 hi = i + 1 < text.size() ? quint8(text[i + 1]) : 0;
        model.poke(Space::Parameter, quint16(address + i), quint16(lo | hi << 8));
    }
}

} // namespace

Q_DECLARE_METATYPE(Generation)

class SequencerTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void connectIdentifiesOld_data();
    void connectIdentifiesOld();
    void connectIdentifiesNew();
    void newIdentityLabels();
    void requestPriority_data();
    void requestPriority();
    void noFlagStaysAtStep2();
    void failedCheckStopsAndResynchronises();
    void reconnectAfterErrorKeepsTheLink();
    void disconnectKeepsThePortOpen();
    void portChangeEndsTheLink();
    void pulledAdapterShowsOneMessage_data();
    void pulledAdapterShowsOneMessage();
    void missingPortShowsBothMessages();
    void readButtonWithoutLinkOpensThePort();

private:
    void startSimulator(Generation generation, int revision = 14) {
        startController(generation, revision);
    }
    // Creates the window, connects and waits for the identity.
    void connectWindow() {
        createWindow();
        connectAndIdentify();
    }
    bool waitForCycle(); // waits until the live RAM read is running
    // Corrupts the answer to the first byte of the next telegram, which every telegram
    // checks (echo or acknowledge).
    void corruptNextTelegram();
};

void SequencerTest::initTestCase() {
    useTestSettings();
}

void SequencerTest::init() {
    resetShared();
}

void SequencerTest::cleanup() {
    releaseAll();
}

bool SequencerTest::waitForCycle() {
    // Steps 3 and 4 come round again and again while the live read runs.
    int seen = 0;
    return QTest::qWaitFor(
        [&] {
            if (protocol_step == 4)
                ++seen;
            return seen > 3 && protocol_step != 4;
        },
        kWait);
}

void SequencerTest::corruptNextTelegram() {
    w_->SPStimer->stop();
    QVERIFY(QTest::qWaitFor([this] { return w_->Ths->isAsleep(); }, kWait));
    sim_->host().inject(Fault::corrupt(0));
    w_->SPStimer->start();
}

void SequencerTest::connectIdentifiesOld_data() {
    QTest::addColumn<int>("revision");
    QTest::addColumn<bool>("calibratable");
    QTest::addColumn<bool>("tooOldLabel");
    QTest::newRow("revision 14") << 14 << true << false;
    QTest::newRow("revision 13") << 13 << true << true;
    QTest::newRow("revision 12") << 12 << false << true;
}

void SequencerTest::connectIdentifiesOld() {
    QFETCH(int, revision);
    QFETCH(bool, calibratable);
    QFETCH(bool, tooOldLabel);
    startSimulator(Generation::Old, revision);
    connectWindow();
    QVERIFY(w_->HW_old);
    QCOMPARE(w_->HW_Ver_Nr, revision);
    QVERIFY(w_->StatusBar3->panelText(0).startsWith("Version: "));
    QCOMPARE(w_->StatusBar3->panelText(0).mid(9), w_->HW_Ver_Str);
    QCOMPARE(w_->HW_Ver_Str.mid(11, 2), QString::number(revision));
    QCOMPARE(w_->Infofenst->HW_nr->text(), w_->HW_Ver_Str);
    QCOMPARE(w_->Bt_WR_Kalwert->isEnabled(), calibratable);
    QCOMPARE(w_->Label22->isVisibleTo(w_->Label22->parentWidget()), tooOldLabel);
    const QStringList memo = w_->Memo1->toPlainText().split('\n');
    QCOMPARE(memo.size(), 3);
    QCOMPARE(memo[1], w_->GetInfoString(calibratable ? 142 : 144) + QString::number(revision));
    if (revision == 14) {
        // The simulator's ramp word 0x0C08: 8 × 25 s to darken, 12 × 25 s to brighten.
        QCOMPARE(w_->Edit12->text(), QString("200"));
        QCOMPARE(w_->Edit13->text(), QString("300"));
    }
    if (calibratable) {
        QCOMPARE(w_->Edit7->text(), QString::number(w_->uac_start_val));
        QVERIFY(w_->uac_start_val > 200 && w_->uac_start_val < 260);
    }
    QVERIFY(waitForCycle());
}

void SequencerTest::connectIdentifiesNew() {
    startSimulator(Generation::New);
    connectWindow();
    QVERIFY(!w_->HW_old);
    QCOMPARE(w_->HW_Produktcode, QString("TRV5200-3x400V"));
    QVERIFY(w_->hw_descr_new);
    QCOMPARE(w_->StatusBar3->panelText(0),
             "Version: " + w_->HW_Produktcode_Neu + w_->HW_Beschreibung + w_->SW_Date_neu);
    QCOMPARE(w_->Infofenst->HW_nr->text(), w_->StatusBar3->panelText(0));
    QCOMPARE(w_->kal_value230, quint16(592));
    QCOMPARE(w_->Memo1->toPlainText(), w_->GetInfoString(145) + "592");
    QCOMPARE(w_->Edit14->text(), QString("230")); // 592 counts at 230 V
    QVERIFY(w_->Bt_WR_Kalwert->isEnabled());
    QVERIFY(w_->uC_read_bt->isEnabled());
    QVERIFY(w_->Infofenst->HWV_read_bt->isEnabled());
    QVERIFY(waitForCycle());
}

void SequencerTest::newIdentityLabels() {
    startSimulator(Generation::New);
    auto& m = sim_->model();
    m.poke(Space::Parameter, 0x138, 0x091B); // version type 9: training
    m.poke(Space::Parameter, 0x13A, 0x0003); // option bit 0: one heat-sink sensor
    m.poke(Space::Parameter, 0x13C, 0x0002); // development number 2
    m.poke(Space::Parameter, 0x048, 0xFFFF); // no calibration value
    for (quint16 a = 0x160; a < 0x170; a += 2)
        m.poke(Space::Parameter, a, 0xFFFF); // newer identity block erased
    for (quint16 a = 0x180; a < 0x18E; a += 2)
        m.poke(Space::Parameter, a, 0xFFFF);
    pokeText(m, 0x128, "01.02.2010");
    connectWindow();
    QVERIFY(w_->Label29->isVisibleTo(w_->Label29->parentWidget()));
    QVERIFY(w_->Label30->isVisibleTo(w_->Label30->parentWidget()));
    QCOMPARE(w_->Label30->text(), QString("Testversion 2!"));
    QVERIFY(!w_->Label15->isVisibleTo(w_->Label15->parentWidget()));
    QVERIFY(!w_->Edit_tmp2->isVisibleTo(w_->Edit_tmp2->parentWidget()));
    QVERIFY(!w_->hw_descr_new);
    QCOMPARE(w_->SW_Date, QString("01.02.2010"));
    QCOMPARE(w_->StatusBar3->panelText(0),
             "Version: " + w_->HW_Produktcode + "27.9.3.2  01.02.2010");
    QCOMPARE(w_->kal_value230, quint16(0));
    QCOMPARE(w_->Memo1->toPlainText(), w_->GetInfoString(146));
}

void SequencerTest::requestPriority_data() {
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<int>("step");
    QTest::newRow("hardware test first") << QStringList{"ram", "hwtest", "info"} << 91;
    QTest::newRow("identity before calibration") << QStringList{"kal", "info"} << 93;
    QTest::newRow("calibration before read") << QStringList{"data_rd", "kal"} << 19;
    QTest::newRow("read before write") << QStringList{"data_wr", "data_rd"} << 5;
    QTest::newRow("write before clock") << QStringList{"time", "data_wr"} << 7;
    QTest::newRow("clock before fault memory") << QStringList{"errmem_rd", "time"} << 9;
    QTest::newRow("fault read before clear") << QStringList{"errmem_clr", "errmem_rd"} << 11;
    QTest::newRow("clear before live read") << QStringList{"ram", "errmem_clr"} << 13;
    QTest::newRow("live read last") << QStringList{"ram"} << 3;
}

void SequencerTest::requestPriority() {
    QFETCH(QStringList, flags);
    QFETCH(int, step);
    createWindow();
    w_->hw_test_req = flags.contains("hwtest");
    w_->hw_info_req = flags.contains("info");
    w_->kal_wr_req = flags.contains("kal");
    w_->data_rd_req = flags.contains("data_rd");
    w_->data_wr_req = flags.contains("data_wr");
    w_->time_wr_req = flags.contains("time");
    w_->errmem_rd_req = flags.contains("errmem_rd");
    w_->errmem_clr_req = flags.contains("errmem_clr");
    w_->ram_rd_req = flags.contains("ram");
    protocol_step = 2;
    response_ready = true;
    w_->SPStimerTimer();
    QCOMPARE(protocol_step, step);
    QVERIFY(!response_ready);
}

void SequencerTest::noFlagStaysAtStep2() {
    createWindow();
    protocol_step = 2;
    response_ready = true;
    w_->SPStimerTimer();
    QCOMPARE(protocol_step, 2);
    w_->SPStimerTimer();
    QCOMPARE(protocol_step, 2);
}

void SequencerTest::failedCheckStopsAndResynchronises() {
    startSimulator(Generation::New);
    connectWindow();
    QVERIFY(waitForCycle());
    sim_->host().clearReceived();
    corruptNextTelegram();
    QVERIFY(QTest::qWaitFor([this] { return !messages_.isEmpty(); }, kWait));
    QCOMPARE(messages_, QStringList{"       COM Data-Error!       "});
    QVERIFY(!w_->SPStimer->isActive());
    QVERIFY(!w_->sio_started);
    QVERIFY(w_->sio_active);
    QVERIFY(!w_->ram_rd_req && !w_->hw_test_req && !w_->hw_info_req && !w_->data_rd_req);
    QVERIFY(!data_error);
    QCOMPARE(protocol_step, 1);
    QCOMPARE(w_->Com_activate_bt->text(), w_->GetInfoString(50));
    QVERIFY(w_->Com_activate_bt->isEnabled());
    QVERIFY(!w_->uC_read_bt->isEnabled());
    // The resynchronisation telegram goes out once and nothing follows it.
    const QByteArray resync = QByteArray(10, '\0') + QByteArray(10, char(0xAA));
    QVERIFY(QTest::qWaitFor([&] { return sim_->host().received().endsWith(resync); }, kWait));
    const qsizetype sent = sim_->host().received().size();
    QTest::qWait(300);
    QCOMPARE(sim_->host().received().size(), sent);
    QCOMPARE(sim_->host().received().count(resync), 1);
}

void SequencerTest::reconnectAfterErrorKeepsTheLink() {
    startSimulator(Generation::New);
    connectWindow();
    TSio* link = w_->Ths;
    corruptNextTelegram();
    QVERIFY(QTest::qWaitFor([this] { return !messages_.isEmpty(); }, kWait));
    messages_.clear();
    w_->HW_Produktcode.clear();
    w_->Com_activate_btClick();
    QCOMPARE(protocol_step, 1); // the link stays: no step 0
    QVERIFY(w_->hw_test_req && w_->hw_info_req && w_->ram_rd_req);
    QVERIFY(QTest::qWaitFor([this] { return !w_->hw_info_req; }, kWait));
    QCOMPARE(w_->Ths, link);
    QCOMPARE(w_->HW_Produktcode, QString("TRV5200-3x400V"));
    QVERIFY(messages_.isEmpty());
}

void SequencerTest::disconnectKeepsThePortOpen() {
    startSimulator(Generation::New);
    connectWindow();
    QVERIFY(waitForCycle());
    w_->Com_activate_btClick();
    QVERIFY(!w_->sio_started);
    QVERIFY(!w_->ram_rd_req);
    QVERIFY(!w_->SPStimer->isActive());
    QCOMPARE(protocol_step, 0);
    QVERIFY(w_->sio_active);
    QVERIFY(port_open);
    QVERIFY(!w_->uC_read_bt->isEnabled() && !w_->clk_bt->isEnabled());
    QCOMPARE(w_->Com_activate_bt->text(), w_->GetInfoString(50));
    QCOMPARE(w_->StatusBar3->panelText(0), QString("Version: "));

    // Connecting again does not reopen the port: step 1 follows directly.
    TSio* link = w_->Ths;
    w_->Com_activate_btClick();
    QCOMPARE(protocol_step, 1);
    QVERIFY(QTest::qWaitFor([this] { return !w_->hw_info_req; }, kWait));
    QCOMPARE(w_->Ths, link);
}

void SequencerTest::portChangeEndsTheLink() {
    startSimulator(Generation::New);
    connectWindow();
    // Selecting the entry that is already the port changes nothing.
    w_->ComboBox1Change();
    QVERIFY(w_->Ths && w_->sio_active);

    w_->ComboBox1->setCurrentIndex(1); // COM2
    w_->ComboBox1Change();
    QVERIFY(!w_->SPStimer->isActive());
    QVERIFY(!w_->Ths);
    QVERIFY(!port_open);
    QVERIFY(!w_->sio_active && !w_->sio_started);
    QCOMPARE(w_->Com_activate_bt->text(), w_->GetInfoString(50));
    QCOMPARE(port_name, QString("COM1")); // changes only at the next connect

    w_->Com_activate_btClick();
    QCOMPARE(protocol_step, 0);
    QVERIFY(QTest::qWaitFor([this] { return !w_->hw_info_req; }, kWait));
    QCOMPARE(port_name, QString("COM2"));
    QVERIFY(w_->Ths && port_open);
}

void SequencerTest::pulledAdapterShowsOneMessage_data() {
    QTest::addColumn<Generation>("generation");
    QTest::newRow("new hardware") << Generation::New;
    QTest::newRow("old hardware") << Generation::Old;
}

// The USB adapter pulled during the live reading: the port vanishes, the transfer fails
// and the error step runs. One event, one message, the one that names the port; the rest
// ends as after any failed answer.
void SequencerTest::pulledAdapterShowsOneMessage() {
    QFETCH(Generation, generation);
    startSimulator(generation);
    connectWindow();
    QVERIFY(waitForCycle());
    const QString device = w_->Ths->devicePath();
    sim_->host().inject(Fault::hangUp(3));
    // The error step shows its message before it clears sio_started: once that is clear,
    // every message of the event is in.
    QVERIFY(QTest::qWaitFor([this] { return !w_->sio_started; }, kWait));
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0],
             ownText(w_->activeLanguage(), OwnText::PortLost).arg(QString("COM1"), device));
    QVERIFY(!port_open);
    QVERIFY(!w_->sio_active);
    QVERIFY(!w_->SPStimer->isActive());
    QCOMPARE(nextRequestStep(*w_), std::nullopt);
    QVERIFY(!data_error);
    QCOMPARE(protocol_step, 1);
    QVERIFY(w_->Ths->isAsleep());
    QCOMPARE(tx_pointer, nullptr);
    QCOMPARE(w_->controller_state, quint16(9)); // the display was reset
    QCOMPARE(w_->Com_activate_bt->text(), w_->GetInfoString(50));
    QVERIFY(w_->Com_activate_bt->isEnabled());
    QVERIFY(!w_->uC_read_bt->isEnabled());

    // Connecting while the adapter is still out opens the port anew, which is gone, and
    // says so as for any port that cannot be opened.
    messages_.clear();
    w_->Com_activate_btClick();
    QCOMPARE(protocol_step, 0);
    QVERIFY(QTest::qWaitFor([this] { return messages_.size() >= 2; }, kWait));
    QVERIFY2(messages_[0].startsWith("Kein Zugriff auf COM1, Fehlernummer: "),
             qPrintable(messages_[0]));
    QCOMPARE(messages_[1], QString("Fehler an COM1"));
    QVERIFY(!w_->sio_started);

    // The adapter back in: the next connect runs as the first did.
    messages_.clear();
    sim_->stop();
    QString error;
    QVERIFY2(sim_->start(&error), qPrintable(error));
    QVERIFY2(sim_->host().publishLink(controllerPort(), &error), qPrintable(error));
    connectAndIdentify();
    QCOMPARE(w_->HW_old, generation == Generation::Old);
    const quint64 shown = displayRuns_;
    QVERIFY(QTest::qWaitFor([&] { return displayRuns_ >= shown + 2; }, kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void SequencerTest::missingPortShowsBothMessages() {
    createWindow();
    setPortOverrides({{"COM5", "/nonexistent/trv5200-port"}});
    w_->ComboBox1->setCurrentIndex(4);
    // A message box is modal: while it is open, ticks keep coming.
    setMessageSink([this](const QString& text) {
        messages_.append(text);
        QTest::qWait(200);
    });
    w_->Com_activate_btClick();
    QVERIFY(QTest::qWaitFor([this] { return messages_.size() >= 2; }, kWait));
    QTest::qWait(200);
    QCOMPARE(messages_, QStringList({"Kein Zugriff auf COM5, Fehlernummer: 2", "Fehler an COM5"}));
    QVERIFY(!w_->sio_started && !w_->sio_active);
    QVERIFY(!w_->SPStimer->isActive());
    QCOMPARE(protocol_step, 1);
    QVERIFY(w_->Com_activate_bt->isEnabled());
}

void SequencerTest::readButtonWithoutLinkOpensThePort() {
    startSimulator(Generation::New);
    createWindow();
    w_->uC_read_bt->setEnabled(true);
    w_->uC_read_btClick();
    QVERIFY(!w_->uC_read_bt->isEnabled());
    QCOMPARE(protocol_step, 0);
    // No hardware test or identity: the read runs with the last HW_old.
    QVERIFY(QTest::qWaitFor([this] { return !w_->data_rd_req; }, kWait));
    QVERIFY(w_->sio_active);
    QVERIFY(w_->uC_read_bt->isEnabled());
    QCOMPARE(w_->HW_Produktcode, QString("0.0"));
    QVERIFY(waitForCycle());
}

QTEST_MAIN(SequencerTest)
#include "tst_sequencer.moc"
