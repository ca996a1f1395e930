// What a write that failed its answer check leaves behind, through the window against the
// simulated controller: the error step's message box as always, the note in the status
// line's message panel, the calibration that after a failed one waits for a fresh identity
// read, and a parameter file whose savings contradict its takts.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "app/widgets/up_down.h"
#include "base/ini_file.h"
#include "protocol/protocol_state.h"
#include "serial/sio.h"
#include "sim/sim_protocol.h"
#include "sim/simulator.h"
#include "sim/telegram_kinds.h"
#include "telegram_log.h"
#include "text/write_failure_texts.h"
#include "window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeZone>

using trvsim::Fault;
using trvsim::Generation;
using trvsim::Space;
using trvsim::TelegramKind;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(Generation)
Q_DECLARE_METATYPE(TelegramKind)
Q_DECLARE_METATYPE(WriteFailureText)

class FailedWriteWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() { resetShared(); }
    void cleanup() { releaseAll(); }

    void failedWriteLeavesANote_data();
    void failedWriteLeavesANote();
    void calibrationAfterAFailedOneReadsTheIdentityFirst();
    void contradictingFileNamesTheKeys();

private:
    // A frozen controller at midday in normal operation at 50 Hz, reading 600 counts of
    // mains voltage (so the calibration may run), connected, identified and read.
    void connectCalibratable(Generation generation);
    // Waits for the error step: its one message, the sequencer stopped.
    void waitForErrorStep();
    QString panel() const { return w_->StatusBar3->panelText(TStatusLine::kMessagePanel); }
};

void FailedWriteWindowTest::connectCalibratable(Generation generation) {
    startController(generation, 14, true);
    auto& m = sim_->model();
    m.setClock(QDateTime(QDate::currentDate(), QTime(12, 0)));
    m.setBurnInOverride(0s);
    QVERIFY(m.setOperatingState(trvsim::ControllerModel::OperatingState::Normal));
    m.forceLampFrequency(50.0);
    m.poke(Space::Ram, generation == Generation::Old ? 0x46 : 0x42, 600);
    m.advance(60s);
    createWindow();
    w_->english1Click();
    connectAndIdentify();
    w_->uC_read_btClick();
    QTRY_VERIFY_WITH_TIMEOUT(!w_->data_rd_req && w_->controller_state == 2 &&
                                 w_->Edit_fist->text() == QStringLiteral("50"),
                             kWait);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void FailedWriteWindowTest::waitForErrorStep() {
    QTRY_VERIFY_WITH_TIMEOUT(!messages_.isEmpty() && !w_->SPStimer->isActive(), kWait);
    // The Part's message box, exactly as ever.
    QCOMPARE(messages_, QStringList{QStringLiteral("       COM Data-Error!       ")});
}

void FailedWriteWindowTest::failedWriteLeavesANote_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<TelegramKind>("telegram");
    QTest::addColumn<WriteFailureText>("note");
    for (const Generation g : {Generation::New, Generation::Old}) {
        const char* name = g == Generation::New ? "new" : "old";
        QTest::addRow("%s: parameter write", name)
            << g << TelegramKind::ParameterWrite << WriteFailureText::ParameterWrite;
        QTest::addRow("%s: clock", name)
            << g << TelegramKind::ClockWrite << WriteFailureText::ClockWrite;
        QTest::addRow("%s: fault-memory clear", name)
            << g << TelegramKind::FaultMemoryClear << WriteFailureText::FaultMemoryClear;
        QTest::addRow("%s: calibration", name)
            << g << TelegramKind::CalibrationWrite << WriteFailureText::CalibrationWrite;
    }
}

// A wrong echo in the write telegram (the address of its second item): the message box as
// always, and the panel says what the controller may hold, in the window's language too.
void FailedWriteWindowTest::failedWriteLeavesANote() {
    QFETCH(Generation, generation);
    QFETCH(TelegramKind, telegram);
    QFETCH(WriteFailureText, note);
    connectCalibratable(generation);
    const int addressEcho = generation == Generation::New ? 7 : 6;
    sim_->host().inject(Fault::corrupt().in(telegram, 1, addressEcho));
    switch (telegram) {
    case TelegramKind::ParameterWrite:
        w_->uC_send_btClick();
        break;
    case TelegramKind::ClockWrite:
        w_->pcNow = [] {
            return QDateTime(QDate(2026, 7, 15), QTime(14, 30, 5), QTimeZone::utc());
        };
        w_->clk_btClick();
        break;
    case TelegramKind::FaultMemoryClear:
        w_->err_mem_clear_btClick();
        break;
    default:
        w_->UpDown10->setPosition(240);
        QVERIFY(w_->Bt_WR_Kalwert->isEnabled());
        w_->Bt_WR_Kalwert->click();
        break;
    }
    waitForErrorStep();
    QCOMPARE(panel(), writeFailureText(Language::English, note));
    const bool calibration = note == WriteFailureText::CalibrationWrite;
    QCOMPARE(w_->identity_stale, calibration);
    if (calibration)
        QCOMPARE(w_->Memo1->toPlainText().split('\n').constLast(),
                 writeFailureText(Language::English, WriteFailureText::CalibrationWriteLog));
    w_->german1Click();
    QCOMPARE(panel(), writeFailureText(Language::German, note));
}

// After a failed calibration write the controller may hold the new value with the old set
// points: the next click reads the identity and computes nothing; the one after it
// calibrates on what the identity brought.
void FailedWriteWindowTest::calibrationAfterAFailedOneReadsTheIdentityFirst() {
    connectCalibratable(Generation::New);
    const int before = sim_->model().peek(Space::Parameter, 0x48);
    sim_->host().inject(Fault::corrupt().in(TelegramKind::CalibrationWrite, 1, 7));
    w_->UpDown10->setPosition(240);
    w_->Bt_WR_Kalwert->click();
    waitForErrorStep();
    QVERIFY(w_->identity_stale);
    // The first item went through: the new value with the old set points.
    const quint16 stored = sim_->model().peek(Space::Parameter, 0x48);
    QVERIFY(stored != before);

    messages_.clear();
    sim_->host().clearFaults();
    QTRY_VERIFY_WITH_TIMEOUT(sim_->host().isQuiet(), kWait);
    sim_->host().clearReceived();
    w_->Bt_WR_KalwertClick();
    QCOMPARE(messages_,
             QStringList{writeFailureText(Language::English, WriteFailureText::IdentityReadFirst)});
    QVERIFY(!w_->kal_wr_req);
    QTRY_VERIFY_WITH_TIMEOUT(!w_->hw_info_req && !w_->identity_stale, kWait);
    QCOMPARE(w_->kal_value230, stored); // what the controller holds now
    QTRY_VERIFY_WITH_TIMEOUT(sim_->host().isQuiet(), kWait);
    QList<TelegramKind> kinds = telegramKinds(sim_->host().received(), Generation::New);
    QVERIFY(!kinds.contains(TelegramKind::CalibrationWrite));
    QVERIFY2(kinds.contains(TelegramKind::ParameterRead) || kinds.contains(TelegramKind::Identity),
             "no identity read");

    // Now the calibration computes from the fresh identity and is written, once the live
    // reading shows the conditions again.
    QTRY_VERIFY_WITH_TIMEOUT(
        w_->controller_state == 2 && w_->Edit_fist->text() == QStringLiteral("50"), kWait);
    messages_.clear();
    w_->UpDown10->setPosition(230);
    QVERIFY(w_->Bt_WR_Kalwert->isEnabled());
    w_->Bt_WR_Kalwert->click();
    QVERIFY2(w_->kal_wr_req, qPrintable(w_->Memo1->toPlainText()));
    QTRY_VERIFY_WITH_TIMEOUT(!w_->kal_wr_req, kWait);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QTRY_VERIFY_WITH_TIMEOUT(sim_->host().isQuiet(), kWait);
    kinds = telegramKinds(sim_->host().received(), Generation::New);
    QVERIFY(kinds.contains(TelegramKind::CalibrationWrite));
    QCOMPARE(sim_->model().peek(Space::Parameter, 0x48), w_->kal_value230);
    QCOMPARE(panel(), QString()); // the note has gone with the sound write
}

// A file whose saving contradicts its takt loads as the takt says; the message names the
// overridden key.
void FailedWriteWindowTest::contradictingFileNamesTheKeys() {
    createWindow();
    w_->english1Click();
    const QString path = portDir_.filePath(QStringLiteral("set.ini"));
    w_->chooseParameterFile = [path](THauptfenster::FileDialogKind, const QString&, const QString&,
                                     const QString&) { return path; };
    w_->config_save1Click();
    IniFile ini;
    QVERIFY(ini.load(path));
    ini.setValue(QStringLiteral("Options"), QStringLiteral("WE_P_Red3:"), QStringLiteral("-5"));
    QVERIFY(ini.save(path));
    const QString takt = w_->periodTakts()[5]->text();
    messages_.clear();
    w_->config_load1Click();
    QCOMPARE(messages_,
             QStringList{writeFailureText(Language::English, WriteFailureText::KeysOverridden)
                             .arg(QStringLiteral("WE_P_Red3"))});
    QCOMPARE(w_->periodTakts()[5]->text(), takt); // the takt counts
}

QTEST_MAIN(FailedWriteWindowTest)
#include "tst_failed_write_window.moc"
