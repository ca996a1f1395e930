// Through the window against the simulated controller: a request queued before the port
// failed to open never runs at a later connect; a write of values the controller never
// held (the start-up values, another connection's read) asks first, and nothing else does;
// the fault texts carry their whole text as a tooltip.
#include "app/hauptfenster.h"
#include "app/message_box.h"
#include "app/widgets/status_line.h"
#include "app/widgets/up_down.h"
#include "base/message_sink.h"
#include "protocol/protocol_state.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "sim/sim_protocol.h"
#include "sim/simulator.h"
#include "sim/telegram_kinds.h"
#include "telegram_log.h"
#include "text/own_texts.h"
#include "text/write_question_texts.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QToolTip>

using trvsim::Generation;
using trvsim::Space;
using trvsim::TelegramKind;

Q_DECLARE_METATYPE(Generation)
Q_DECLARE_METATYPE(TelegramKind)

namespace {

constexpr quint16 kFaultPosition = 0x70;
constexpr quint16 kFaultRing = 0x80;

} // namespace

class WriteGuardWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() {
        resetShared();
        asked_.clear();
        answer_ = false;
        setQuestionSink([this](const Question& question) {
            asked_.append(question.text);
            timerBehindQuestion_ = w_->SPStimer->isActive();
            return answer_;
        });
    }
    void cleanup() {
        releaseAll();
        setQuestionSink({});
    }

    void queuedRequestIsDroppedAfterFailedOpen_data();
    void queuedRequestIsDroppedAfterFailedOpen();
    void startUpValuesAsk_data();
    void startUpValuesAsk();
    void noQuestionForChosenValues_data();
    void noQuestionForChosenValues();
    void newConnectionAsksAgain_data();
    void newConnectionAsksAgain();
    void faultTextsCarryTooltips();
    void questionBoxInEveryLanguage();
    void noStaleMarkUnderOwnDialog();

private:
    void connectLive(Generation generation);
    // Presses write and waits until the write and its read-back are done.
    void writeAndWait();
    QList<TelegramKind> kinds() const {
        return telegramKinds(sim_->host().received(), sim_->model().generation());
    }
    QList<quint16> parameterMemory() const {
        QList<quint16> words;
        for (int address = 0; address < 0x200; address += 2)
            words.append(sim_->model().peek(Space::Parameter, quint16(address)));
        return words;
    }
    void waitForLiveRuns(int runs) {
        const quint64 shown = displayRuns_;
        QVERIFY(QTest::qWaitFor([&] { return displayRuns_ >= shown + quint64(runs); }, kWait));
    }

    void saveFaultTooltip(const QString& path);

    QStringList asked_;
    bool answer_ = false;
    bool timerBehindQuestion_ = false;
};

void WriteGuardWindowTest::connectLive(Generation generation) {
    startController(generation, 14, true);
    createWindow();
    connectAndIdentify();
    waitForLiveRuns(1);
}

void WriteGuardWindowTest::writeAndWait() {
    w_->uC_send_btClick();
    QVERIFY(QTest::qWaitFor(
        [this] { return (!w_->data_wr_req && !w_->verify_rd_req) || !messages_.isEmpty(); },
        kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void WriteGuardWindowTest::queuedRequestIsDroppedAfterFailedOpen_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QString>("request");
    QTest::addColumn<TelegramKind>("never");
    QTest::newRow("parameter write") << Generation::New << "write" << TelegramKind::ParameterWrite;
    QTest::newRow("parameter write, old hardware")
        << Generation::Old << "write" << TelegramKind::ParameterWrite;
    QTest::newRow("calibration") << Generation::New << "calibration"
                                 << TelegramKind::CalibrationWrite;
    QTest::newRow("fault-memory clear")
        << Generation::New << "clear" << TelegramKind::FaultMemoryClear;
}

void WriteGuardWindowTest::queuedRequestIsDroppedAfterFailedOpen() {
    QFETCH(Generation, generation);
    QFETCH(QString, request);
    QFETCH(TelegramKind, never);
    // The controller is there, but COM1 does not lead to it yet.
    sim_ = std::make_unique<trvsim::Simulator>(generation, 14);
    sim_->model().setFrozen(true);
    QString error;
    QVERIFY2(sim_->start(&error), qPrintable(error));
    QVERIFY(portDir_.isValid());
    createWindow();
    answer_ = true;

    if (request == "write") {
        w_->uC_send_bt->setEnabled(true);
        w_->uC_send_btClick();
        QVERIFY(w_->data_wr_req);
    } else if (request == "calibration") {
        w_->Edit_fist->setText(QStringLiteral("50"));
        w_->controller_state = 2;
        w_->uac_ist_int = 600;
        w_->Bt_WR_Kalwert->setEnabled(true);
        w_->Bt_WR_KalwertClick();
        QVERIFY(w_->kal_wr_req);
    } else {
        w_->err_mem_clear_bt->setEnabled(true);
        w_->err_mem_clear_btClick();
        QVERIFY(w_->errmem_clr_req);
    }
    QVERIFY(QTest::qWaitFor([this] { return messages_.size() >= 2; }, kWait));
    QCOMPARE(messages_, QStringList({"Kein Zugriff auf COM1, Fehlernummer: 2", "Fehler an COM1"}));
    QVERIFY(!w_->SPStimer->isActive());
    const RequestFlags& flags = *w_;
    for (const Exchange& exchange : kExchanges)
        QVERIFY(!(flags.*exchange.flag));
    for (const QPushButton* button : {w_->uC_send_bt, w_->uC_read_bt, w_->clk_bt,
                                      w_->err_mem_read_bt, w_->err_mem_clear_bt, w_->Bt_WR_Kalwert})
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(w_->Com_activate_bt->isEnabled());

    // The controller comes back; the technician connects and leaves the live reading on.
    QVERIFY2(sim_->host().publishLink(controllerPort(), &error), qPrintable(error));
    messages_.clear();
    connectAndIdentify();
    waitForLiveRuns(3);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    const QList<TelegramKind> sent = kinds();
    QVERIFY(sent.contains(TelegramKind::RamRead));
    QVERIFY(!sent.contains(never));
}

void WriteGuardWindowTest::startUpValuesAsk_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<bool>("proceed");
    QTest::newRow("new hardware, cancel") << Generation::New << false;
    QTest::newRow("new hardware, write") << Generation::New << true;
    QTest::newRow("old hardware, cancel") << Generation::Old << false;
    QTest::newRow("old hardware, write") << Generation::Old << true;
}

void WriteGuardWindowTest::startUpValuesAsk() {
    QFETCH(Generation, generation);
    QFETCH(bool, proceed);
    connectLive(generation);
    w_->english1Click();
    const QList<quint16> stored = parameterMemory();
    answer_ = proceed;
    timerBehindQuestion_ = true;
    if (!proceed) {
        w_->uC_send_btClick();
        QCOMPARE(asked_,
                 QStringList{writeQuestionText(Language::English, WriteQuestionText::Question)});
        QVERIFY(!timerBehindQuestion_);
        // Everything as it was: nothing queued, the button open, the reading going on.
        QVERIFY(!w_->data_wr_req);
        QVERIFY(w_->ram_rd_req);
        QVERIFY(w_->uC_send_bt->isEnabled());
        QVERIFY(w_->SPStimer->isActive());
        waitForLiveRuns(3);
        QVERIFY(!kinds().contains(TelegramKind::ParameterWrite));
        QCOMPARE(parameterMemory(), stored);
    } else {
        writeAndWait();
        QCOMPARE(asked_.size(), 1);
        QVERIFY(!timerBehindQuestion_);
        QVERIFY(kinds().contains(TelegramKind::ParameterWrite));
    }
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void WriteGuardWindowTest::noQuestionForChosenValues_data() {
    QTest::addColumn<QString>("how");
    for (const char* how :
         {"read", "file", "picker", "period up-down", "start frequency", "burn-in", "ramp time"})
        QTest::newRow(how) << QString(how);
}

void WriteGuardWindowTest::noQuestionForChosenValues() {
    QFETCH(QString, how);
    connectLive(Generation::New);
    QTemporaryDir files;
    if (how == "read") {
        w_->uC_read_btClick();
        QVERIFY(QTest::qWaitFor([this] { return !w_->data_rd_req; }, kWait));
    } else if (how == "file") {
        const QString path = files.filePath(QStringLiteral("set.ini"));
        w_->chooseParameterFile = [path](auto, auto, auto, auto) { return path; };
        w_->config_save1Click(); // a save is no reason to trust the fields
        w_->config_load1Click();
    } else if (how == "picker") {
        w_->DateTimePicker_Mo_End->setTime(QTime(6, 30));
    } else if (how == "period up-down") {
        w_->UpDown_WT1->click(TUpDown::Up);
    } else if (how == "start frequency") {
        w_->UpDown2->click(TUpDown::Up);
    } else if (how == "burn-in") {
        w_->UpDown3->click(TUpDown::Up);
    } else {
        w_->UpDown7->click(TUpDown::Down);
    }
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    writeAndWait();
    QCOMPARE(asked_, QStringList());
    QVERIFY(kinds().contains(TelegramKind::ParameterWrite));
}

void WriteGuardWindowTest::newConnectionAsksAgain_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("portChange");
    QTest::addColumn<bool>("asks");
    QTest::newRow("read, reconnected") << "read" << false << true;
    QTest::newRow("read, another port") << "read" << true << true;
    QTest::newRow("edited, reconnected") << "edit" << false << false;
    QTest::newRow("read and edited, another port") << "read edit" << true << false;
}

void WriteGuardWindowTest::newConnectionAsksAgain() {
    QFETCH(QString, before);
    QFETCH(bool, portChange);
    QFETCH(bool, asks);
    connectLive(Generation::New);
    if (before.contains("read")) {
        w_->uC_read_btClick();
        QVERIFY(QTest::qWaitFor([this] { return !w_->data_rd_req; }, kWait));
    }
    if (before.contains("edit"))
        w_->UpDown_Sa2->click(TUpDown::Down);

    if (portChange) {
        w_->ComboBox1->setCurrentIndex(1); // COM2 leads to the same simulator here
        w_->ComboBox1Change();
        QVERIFY(!w_->sio_active);
    } else {
        w_->Com_activate_btClick(); // disconnect
        QVERIFY(!w_->sio_started);
    }
    connectAndIdentify();
    waitForLiveRuns(1);
    if (asks) {
        w_->uC_send_btClick(); // answered with Cancel
        QCOMPARE(asked_.size(), 1);
        QVERIFY(!w_->data_wr_req);
    } else {
        writeAndWait();
        QCOMPARE(asked_, QStringList());
        QVERIFY(kinds().contains(TelegramKind::ParameterWrite));
    }
}

void WriteGuardWindowTest::faultTextsCarryTooltips() {
    startController(Generation::New, 14, true);
    auto& model = sim_->model();
    model.poke(Space::Parameter, kFaultRing, 0x0006); // record 0: two faults at once
    model.poke(Space::Parameter, kFaultPosition, 6);  // one record written
    createWindow();
    connectAndIdentify();
    const auto readFaults = [this] {
        w_->err_mem_read_btClick();
        QVERIFY(QTest::qWaitFor([this] { return !w_->errmem_rd_req; }, kWait));
    };
    const auto tooltipsFollowTexts = [this] {
        for (int r = 1; r <= 16; ++r) {
            const QTableWidgetItem* cell = w_->StringGrid1->item(r, 2);
            QCOMPARE(cell->toolTip(), cell->text());
        }
    };
    readFaults();
    const QString german = w_->StringGrid1->item(1, 2)->text();
    QVERIFY(!german.isEmpty());
    tooltipsFollowTexts();
    // The texts stay in the language they were read in, and so do their tooltips; the
    // next read shows both in the new language.
    w_->english1Click();
    tooltipsFollowTexts();
    readFaults();
    QVERIFY(w_->StringGrid1->item(1, 2)->text() != german);
    tooltipsFollowTexts();
    // TRV_SHOT_DIR: the tooltip over the fault page in every language, to look at it.
    if (const QString shots = qEnvironmentVariable("TRV_SHOT_DIR"); !shots.isEmpty()) {
        for (auto choose : {&THauptfenster::german1Click, &THauptfenster::english1Click,
                            &THauptfenster::Schwe1Click, &THauptfenster::Franzsich1Click,
                            &THauptfenster::tuerk1Click}) {
            (w_.get()->*choose)();
            readFaults();
            saveFaultTooltip(QDir(shots).filePath(
                QStringLiteral("fault_tooltip_%1.png").arg(w_->language_code)));
        }
    }

    w_->err_mem_clear_btClick();
    QVERIFY(QTest::qWaitFor([this] { return !w_->errmem_clr_req; }, kWait));
    QVERIFY(w_->StringGrid1->item(1, 2)->toolTip().isEmpty());
    tooltipsFollowTexts();
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void WriteGuardWindowTest::saveFaultTooltip(const QString& path) {
    for (int i = 0; i < w_->PageControl1->count(); ++i)
        w_->PageControl1->setTabVisible(i, true);
    w_->TabSheet2_contents->show();
    {
        const QSignalBlocker blocker(w_->PageControl1); // no password asked
        w_->PageControl1->setCurrentWidget(w_->TabSheet2);
    }
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    QTableWidget* grid = w_->StringGrid1;
    QTableWidgetItem* cell = grid->item(1, 2);
    grid->scrollToItem(cell);
    const QPoint at = grid->viewport()->mapToGlobal(grid->visualItemRect(cell).center());
    QToolTip::showText(at, cell->toolTip(), grid->viewport());
    QTest::qWait(500);
    QVERIFY(QGuiApplication::primaryScreen()->grabWindow(0).save(path));
    QToolTip::hideText();
}

void WriteGuardWindowTest::questionBoxInEveryLanguage() {
    // TRV_SHOT_DIR: where to save the boxes as PNG, to look at them.
    const QString shots = qEnvironmentVariable("TRV_SHOT_DIR");
    for (int l = 0; l < kInfoLanguageCount; ++l) {
        const auto language = Language(l);
        const Question question = writeQuestion(language);
        QVERIFY(!question.text.isEmpty() && !question.proceed.isEmpty() &&
                !question.cancel.isEmpty());
        std::unique_ptr<QMessageBox> box(questionBox(question, nullptr));
        QCOMPARE(box->button(QMessageBox::Ok)->text(), question.proceed);
        QCOMPARE(box->button(QMessageBox::Cancel)->text(), question.cancel);
        // Enter and Escape send nothing.
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QVERIFY(box->width() <= 800);
        if (!shots.isEmpty())
            QVERIFY(box->grab().save(
                QDir(shots).filePath(QStringLiteral("write_question_%1.png").arg(l))));
    }
}

void WriteGuardWindowTest::noStaleMarkUnderOwnDialog() {
    connectLive(Generation::New);
    // The report's file dialog comes up inside the sequencer's step, which no tick runs
    // past; the live reading is the next exchange all the while it is open.
    const QString staleNote = ownText(w_->activeLanguage(), OwnText::LiveValuesStale);
    const auto panel = [this] { return w_->StatusBar3->panelText(TStatusLine::kMessagePanel); };
    bool asked = false;
    bool staleUnderDialog = false;
    w_->chooseReportFile = [&](auto, auto, auto, auto) {
        asked = true;
        QTest::qWait(2500); // the technician takes time to choose
        staleUnderDialog = panel() == staleNote;
        return QString(); // cancelled
    };
    w_->report1Click();
    QVERIFY(QTest::qWaitFor([&] { return asked; }, kWait));
    QVERIFY(!staleUnderDialog);
    waitForLiveRuns(2);
    QVERIFY(panel() != staleNote);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

QTEST_MAIN(WriteGuardWindowTest)
#include "tst_write_guard_window.moc"
