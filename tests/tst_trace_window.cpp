// The link's record of a failed transfer and the status line's diagnosis under the
// simulator's line faults: a dropped answer byte (the answer stopped), a corrupted one
// (wrong bytes), silence from the start of a telegram (no answer at all) and a hang-up
// (the port lost). The message box says what it always said; the diagnosis stays after
// the error step and goes at the next connect. And the trace window shows the transfers.
#include "app/widgets/status_line.h"
#include "protocol/steps.h"
#include "sim/faults.h"
#include "trace/trace_model.h"
#include "trace/trace_window.h"
#include "window_fixture.h"

#include <QTableView>
#include <QTextEdit>

using trvsim::Fault;
using trvsim::Generation;
using trvsim::TelegramKind;
using Outcome = TransferRecord::Outcome;

Q_DECLARE_METATYPE(Generation)
Q_DECLARE_METATYPE(Outcome)

class TraceWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() { resetShared(); }
    void cleanup() { releaseAll(); }

    void diagnosisOfALineFault_data();
    void diagnosisOfALineFault();
    void traceWindowShowsTheTransfers();

private:
    QString messagePanel() const { return w_->StatusBar3->panelText(TStatusLine::kMessagePanel); }
    // The newest failed transfer of the trace that was not the error step's recovery (which
    // fails too while the controller is silent).
    const TraceEntry* lastFailure() const {
        for (quint64 n = w_->trace_ring.end(); n > w_->trace_ring.first(); --n)
            if (const TraceEntry* e = w_->trace_ring.find(n - 1);
                e && !e->record.sound() && !e->recovery)
                return e;
        return nullptr;
    }
};

void TraceWindowTest::diagnosisOfALineFault_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QString>("fault"); // the simulator's form, in the next RAM read
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<int>("position"); // −1: wherever the link noticed the port gone
    QTest::addColumn<QString>("diagnosis");

    const QString stopped = QStringLiteral("The answer stopped at byte %1");
    const QString wrong = QStringLiteral("Wrong answer bytes: wrong device or line noise");
    const QString none =
        QStringLiteral("No answer: check the cable, the port and the controller's power");
    const QString lost = QStringLiteral("Port lost: adapter unplugged or switched off");
    QTest::newRow("new: dropped") << Generation::New << "drop@ramread:1:20"
                                  << Outcome::AnswerMissing << 20 << stopped.arg(20);
    QTest::newRow("new: corrupted")
        << Generation::New << "corrupt@ramread:1:2" << Outcome::WrongByte << 2 << wrong;
    QTest::newRow("new: silence") << Generation::New << "silent@ramread:1:0"
                                  << Outcome::AnswerMissing << 0 << none;
    QTest::newRow("new: hang-up") << Generation::New << "hangup@ramread:1:20" << Outcome::PortLost
                                  << -1 << lost;
    QTest::newRow("old: dropped") << Generation::Old << "drop@ramread:1:60"
                                  << Outcome::AnswerMissing << 60 << stopped.arg(60);
    QTest::newRow("old: silence") << Generation::Old << "silent@ramread:1:0"
                                  << Outcome::AnswerMissing << 0 << none;
}

void TraceWindowTest::diagnosisOfALineFault() {
    QFETCH(Generation, generation);
    QFETCH(QString, fault);
    QFETCH(Outcome, outcome);
    QFETCH(int, position);
    QFETCH(QString, diagnosis);

    startController(generation);
    createWindow();
    w_->english1Click();
    const quint64 runs = displayRuns_;
    connectAndIdentify();
    QTRY_VERIFY_WITH_TIMEOUT(displayRuns_ > runs, kWait);

    QString error;
    const std::optional<Fault> parsed = trvsim::parseFault(fault, &error);
    QVERIFY2(parsed, qPrintable(error));
    sim_->host().inject(*parsed);
    // The error step has run: its one message, the sequencer stopped, connect offered.
    QTRY_VERIFY_WITH_TIMEOUT(!messages_.isEmpty() && !w_->sio_started && !w_->SPStimer->isActive(),
                             kWait);
    QCOMPARE(messages_.size(), 1);
    if (outcome == Outcome::PortLost)
        QVERIFY2(messages_.first().startsWith(QStringLiteral("Connection to COM1 lost (")),
                 qPrintable(messages_.first()));
    else
        QCOMPARE(messages_.first(), QStringLiteral("       COM Data-Error!       "));

    const TraceEntry* failed = lastFailure();
    QVERIFY(failed);
    QCOMPARE(failed->exchange, TraceExchange::RamRead);
    QCOMPARE(failed->record.outcome, outcome);
    if (position >= 0) {
        QCOMPARE(int(failed->record.failPosition), position);
        QCOMPARE(int(failed->record.received.size()),
                 outcome == Outcome::WrongByte ? int(failed->record.count) : position);
    }
    if (outcome == Outcome::WrongByte) {
        QCOMPARE(failed->record.expected, quint8(failed->record.sent[position]));
        QCOMPARE(failed->record.got, quint8(~failed->record.expected));
    }
    QVERIFY(w_->link_statistics.errors() >= 1);
    // The detail pane marks the bytes that failed or did not come.
    QVERIFY(TTraceWindow::detailHtml(Language::English, *failed).contains("background:"));

    // The note stays after the error step, the stale mark's end and the clock's ticks.
    QTest::qWait(700);
    QCOMPARE(messagePanel(), diagnosis);
    if (outcome == Outcome::PortLost)
        return; // the port is gone; a connect would only fail to open it

    // The next connect takes it away.
    sim_->host().clearFaults();
    w_->Com_activate_btClick();
    QVERIFY(messagePanel() != diagnosis);
    QTRY_VERIFY_WITH_TIMEOUT(!w_->hw_test_req && !w_->hw_info_req, kWait);
    QCOMPARE(messages_.size(), 1);
}

void TraceWindowTest::traceWindowShowsTheTransfers() {
    startController(Generation::New);
    createWindow();
    w_->german1Click();
    const quint64 runs = displayRuns_;
    connectAndIdentify();
    QTRY_VERIFY_WITH_TIMEOUT(displayRuns_ > runs + 2, kWait);

    w_->openTrace();
    TTraceWindow* trace = w_->traceWindow;
    QVERIFY(trace && trace->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(trace->model()->rowCount() >= 9, kWait);
    // Sync, hardware test, sync, identity, the identity once more (the confirmation), then
    // the reading.
    const QString exchanges[] = {QStringLiteral("Synchronisation"), QStringLiteral("Hardwaretest"),
                                 QStringLiteral("Synchronisation"), QStringLiteral("Identität"),
                                 QStringLiteral("Synchronisation"), QStringLiteral("Identität"),
                                 QStringLiteral("Synchronisation"), QStringLiteral("RAM lesen")};
    for (int row = 0; row < 8; ++row)
        QCOMPARE(trace->model()->index(row, TraceModel::Exchange).data().toString(),
                 exchanges[row]);
    QCOMPARE(trace->model()->index(7, TraceModel::Length).data().toInt(), 170);
    QCOMPARE(trace->model()->index(7, TraceModel::Result).data().toString(),
             QStringLiteral("fehlerfrei"));
    QVERIFY(w_->link_statistics.cycles >= 1);

    trace->table->selectRow(7);
    const QString detail = trace->detail->toPlainText();
    QVERIFY2(detail.contains(QStringLiteral("09 A0 00 30")), qPrintable(detail));
    QVERIFY2(detail.contains(QStringLiteral("Blocklesen 0x0030 = 0x")), qPrintable(detail));

    // Relabelled in the language chosen.
    w_->english1Click();
    QCOMPARE(trace->windowTitle(), QStringLiteral("Telegram trace"));
    QCOMPARE(trace->model()->index(7, TraceModel::Exchange).data().toString(),
             QStringLiteral("RAM read"));

    const QString path = portDir_.filePath(QStringLiteral("trace.txt"));
    trace->chooseSaveFile = [&](const QString&) { return path; };
    trace->saveClicked();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    QVERIFY(saved.contains("\tRAM read\t170\t"));
    QVERIFY(saved.contains("block read 0x0030 = 0x"));
    QVERIFY(messages_.isEmpty());
}

QTEST_MAIN(TraceWindowTest)
#include "tst_trace_window.moc"
