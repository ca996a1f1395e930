// Every exchange of the window with the controller under every line fault, for both
// generations, against the simulator over a real pseudo-terminal. Each row places one
// fault in the exchange's own telegram (byte K of the next telegram of its kind) and
// checks what the technician gets: one message that says what happened, no request left
// pending, no field changed by the failed answer, a window that was never held longer
// than the read time-out of one byte, and a connection that works again at the next
// connect. A row without a fault runs the same exchange soundly: it shows that the fields
// checked are ones its answer changes and that the harness reaches the exchange.
#include "app/compare_dialog.h"
#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "app/widgets/status_line.h"
#include "app/widgets/up_down.h"
#include "base/ini_file.h"
#include "base/settings_location.h"
#include "protocol/protocol_state.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "sim/simulator.h"
#include "text/confirm_texts.h"
#include "text/own_texts.h"
#include "window_fixture.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeZone>
#include <QTimer>

using trvsim::Fault;
using trvsim::Generation;
using trvsim::Space;
using trvsim::TelegramKind;
using namespace std::chrono_literals;

namespace {

enum class ExchangeKind {
    Sync,
    HardwareTest,
    Identity,
    RamRead,
    ParameterRead,
    ParameterWrite,
    ClockWrite,
    FaultMemoryRead,
    FaultMemoryClear,
    CalibrationWrite,
    Comparison, // the comparison's parameter read (confirmed reads only)
};

enum class LineFault { None, Dropped, Corrupted, Late, Extra, Silence, HangUp, BadChecksum };

// What the technician is to get.
enum class Outcome {
    Sound,     // the exchange goes through
    DataError, // "COM Data-Error!", the sequencer stopped, every request dropped
    PortLost,  // the port-lost message first
    Skipped,   // a block read with a wrong checksum: left out silently, the reading goes on
};

struct ExchangeCase {
    ExchangeKind exchange;
    const char* name;
    TelegramKind telegram;
    // The byte the fault hits, new and old hardware: a byte the answer check looks at
    // (an echo or an acknowledge) with more checked bytes after it, so a surplus byte
    // shifts a checked answer too. For item telegrams the command byte of an item in the
    // middle; for the clock the third register, so the controller never gets the request
    // word that makes it take the time.
    int byteNew;
    int byteOld;
};

constexpr ExchangeCase kCases[] = {
    {ExchangeKind::Sync, "synchronisation", TelegramKind::Sync, 5, 5},
    {ExchangeKind::HardwareTest, "hardware test", TelegramKind::HardwareTest, 0, 0},
    {ExchangeKind::Identity, "identity", TelegramKind::Identity, 150, 40},
    {ExchangeKind::RamRead, "RAM read", TelegramKind::RamRead, 2, 60},
    {ExchangeKind::ParameterRead, "parameter read", TelegramKind::ParameterRead, 120, 64},
    {ExchangeKind::ParameterWrite, "parameter write", TelegramKind::ParameterWrite, 84, 70},
    {ExchangeKind::ClockWrite, "clock write", TelegramKind::ClockWrite, 12, 10},
    {ExchangeKind::FaultMemoryRead, "fault memory read", TelegramKind::FaultMemoryRead, 120, 96},
    {ExchangeKind::FaultMemoryClear, "fault memory clear", TelegramKind::FaultMemoryClear, 144,
     120},
    {ExchangeKind::CalibrationWrite, "calibration write", TelegramKind::CalibrationWrite, 12, 10},
};

const char* faultName(LineFault fault) {
    switch (fault) {
    case LineFault::None:
        return "no fault";
    case LineFault::Dropped:
        return "dropped";
    case LineFault::Corrupted:
        return "corrupted";
    case LineFault::Late:
        return "late";
    case LineFault::Extra:
        return "extra byte";
    case LineFault::Silence:
        return "silence";
    case LineFault::HangUp:
        return "hang-up";
    case LineFault::BadChecksum:
        return "wrong checksum";
    }
    return "";
}

// The read time-out of the rows about it: short, so that they stay cheap; the late answer
// comes a second after it, far beyond what a busy machine could blur. Every other step
// runs with the fixture's generous time-out.
constexpr int kShortReadTimeoutMs = 100;
constexpr int kLateBeyondMs = 1000;
// Slack on top of one byte's time-out for the longest the window may be held: a loaded
// machine may hold the test itself up for a while.
constexpr int kHeldSlackMs = 2000;
// The sequencer's tick in these rows. Each exchange takes four ticks and a row runs about
// a dozen exchanges; at the window's own 50 ms the matrix would take minutes. The steps
// and their order are the same at any tick.
constexpr int kTickMs = 10;

const QString kDataError = QStringLiteral("       COM Data-Error!       ");

bool usesTimeOut(LineFault fault) {
    return fault == LineFault::Dropped || fault == LineFault::Late || fault == LineFault::Silence;
}

Outcome outcomeOf(ExchangeKind exchange, LineFault fault, Generation generation) {
    switch (fault) {
    case LineFault::None:
        return Outcome::Sound;
    case LineFault::HangUp:
        return Outcome::PortLost;
    case LineFault::BadChecksum:
        return Outcome::Skipped;
    case LineFault::Extra:
        // The hardware test's second answer is not checked: a surplus byte after the echo
        // takes its place. Old hardware: any answer but 0x4D means old hardware, so
        // nothing shows. New hardware is taken for old and the identity that follows, in
        // the old layout, fails its echoes.
        if (exchange == ExchangeKind::HardwareTest && generation == Generation::Old)
            return Outcome::Sound;
        return Outcome::DataError;
    default:
        return Outcome::DataError;
    }
}

Fault faultOf(LineFault fault) {
    switch (fault) {
    case LineFault::Dropped:
        return Fault::drop();
    case LineFault::Corrupted:
        return Fault::corrupt();
    case LineFault::Late:
        return Fault::late(kShortReadTimeoutMs + kLateBeyondMs);
    case LineFault::Extra:
        return Fault::extra();
    case LineFault::Silence:
        return Fault::silent();
    case LineFault::HangUp:
        return Fault::hangUp();
    case LineFault::None:
    case LineFault::BadChecksum:
        break;
    }
    return Fault::badChecksum();
}

// The confirmed reads: a data byte of an item whose value the window shows, new and old
// hardware (the second data byte; the one before it is the item's first data byte and the
// one before that its last echo). On old hardware the item is the telegram's last, so a
// surplus byte after its echo shifts the data without any echo check to see it.
struct ConfirmedCase {
    ExchangeKind exchange;
    const char* name;
    TelegramKind telegram;
    int dataNew;
    int dataOld;
};

constexpr ConfirmedCase kConfirmedCases[] = {
    // The mains voltage set point (Edit7), the old generation's calibration value.
    {ExchangeKind::Identity, "identity", TelegramKind::Identity, 164, 79},
    // The burn-in time.
    {ExchangeKind::ParameterRead, "parameter read", TelegramKind::ParameterRead, 244, 131},
    // The ring position.
    {ExchangeKind::FaultMemoryRead, "fault memory read", TelegramKind::FaultMemoryRead, 244, 195},
    // The burn-in time, as the comparison shows it: on old hardware the parameter memory's
    // word, the last item of its telegram.
    {ExchangeKind::Comparison, "comparison", TelegramKind::ParameterRead, 244, 183},
};

enum class Corruption {
    FirstAnswer,     // a data byte of the first answer only: the next two agree
    ExtraAfterFirst, // old hardware: a surplus byte after the item's echo, first answer only
    EveryAnswer,     // three answers, three different corruptions
    FirstWithoutConfirmation, // the option off: one read, the corrupted answer counts
};

// The longest the event loop went without running a timer of its own while it ran.
class HeldProbe {
public:
    HeldProbe() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { longestMs_ = std::max(longestMs_, clock_.restart()); });
        clock_.start();
        timer_.start();
    }
    qint64 longestMs() const { return std::max(longestMs_, clock_.elapsed()); }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longestMs_ = 0;
};

} // namespace

Q_DECLARE_METATYPE(Generation)
Q_DECLARE_METATYPE(ExchangeKind)
Q_DECLARE_METATYPE(LineFault)
Q_DECLARE_METATYPE(Corruption)

class FaultMatrixTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() { resetShared(); }
    void cleanup() { releaseAll(); }

    void faultInExchange_data();
    void faultInExchange();
    // A corrupted data byte in a confirmed read: counted only when two answers agree.
    void corruptedData_data();
    void corruptedData();
    // The tools menu item is kept in the settings file, the rest of the file as it was.
    void confirmOptionIsKept();

private:
    // A frozen controller in normal operation at 50 Hz, burnt in, reading 600 counts of
    // mains voltage, so that every exchange (the calibration too) can run.
    void startControllerFor(Generation generation);
    void connectAndShow();
    // Stops the sequencer where the next tick synchronises, the link at rest.
    void pauseBeforeSynchronisation();
    // What has to have run before the exchange (a read before its clear or write).
    void prepare(ExchangeKind exchange);
    // Sets the controller so that a sound answer would change what the window shows.
    void changeController(ExchangeKind exchange);
    // Starts the exchange as the technician (or the live reading) does.
    void trigger(ExchangeKind exchange);
    bool pending(ExchangeKind exchange) const;
    // Everything a confirmed read shows.
    QStringList shown(ExchangeKind exchange) const;
    // The fields a sound answer of the exchange changes, or the technician's entries a
    // write takes; as texts.
    QStringList fields(ExchangeKind exchange) const;
    // After a sound write: the controller holds what was written.
    void checkControllerTook(ExchangeKind exchange);
    QString controllerClock() const {
        return sim_->model().clock().toString(QStringLiteral("dd.MM.yyyy  HH:mm"));
    }
    bool linkAtRest() const { return !w_->Ths || (w_->Ths->isAsleep() && !w_->Ths->anmeldung); }

    Generation gen_ = Generation::New;
};

void FaultMatrixTest::faultInExchange_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<ExchangeKind>("exchange");
    QTest::addColumn<LineFault>("fault");
    const LineFault faults[] = {LineFault::None,  LineFault::Dropped, LineFault::Corrupted,
                                LineFault::Late,  LineFault::Extra,   LineFault::Silence,
                                LineFault::HangUp};
    for (const Generation g : {Generation::New, Generation::Old}) {
        const char* gen = g == Generation::New ? "new" : "old";
        for (const ExchangeCase& c : kCases) {
            for (const LineFault f : faults)
                QTest::addRow("%s: %s, %s", gen, c.name, faultName(f)) << g << c.exchange << f;
            if (c.exchange == ExchangeKind::RamRead && g == Generation::New)
                QTest::addRow("%s: %s, %s", gen, c.name, faultName(LineFault::BadChecksum))
                    << g << c.exchange << LineFault::BadChecksum;
        }
    }
}

void FaultMatrixTest::startControllerFor(Generation generation) {
    gen_ = generation;
    startController(generation, 14, true);
    auto& m = sim_->model();
    m.setClock(QDateTime(QDate(2026, 3, 10), QTime(12, 0)));
    m.setBurnInOverride(0s);
    QVERIFY(m.setOperatingState(trvsim::ControllerModel::OperatingState::Normal));
    m.forceLampFrequency(50.0);
    m.poke(Space::Ram, gen_ == Generation::Old ? 0x46 : 0x42, 600); // mains reading
    m.advance(60s);
}

void FaultMatrixTest::connectAndShow() {
    const quint64 runs = displayRuns_;
    connectAndIdentify();
    QVERIFY(QTest::qWaitFor(
        [&] {
            return displayRuns_ > runs && w_->controller_state == 2 &&
                   w_->Edit_fist->text() == QLatin1String("50") &&
                   w_->uC_Zeit->text() == controllerClock();
        },
        kWait));
}

void FaultMatrixTest::pauseBeforeSynchronisation() {
    QVERIFY(QTest::qWaitFor([&] { return protocol_step == Step::Synchronisation && linkAtRest(); },
                            kWait));
    w_->SPStimer->stop();
}

void FaultMatrixTest::prepare(ExchangeKind exchange) {
    switch (exchange) {
    case ExchangeKind::ParameterWrite:
        w_->uC_read_btClick();
        QVERIFY(QTest::qWaitFor([&] { return !w_->data_rd_req; }, kWait));
        // The technician's entry, which the write takes and must never lose.
        w_->time_burn_visu->setText(QStringLiteral("7"));
        break;
    case ExchangeKind::FaultMemoryClear:
        w_->err_mem_read_btClick();
        QVERIFY(QTest::qWaitFor([&] { return !w_->errmem_rd_req; }, kWait));
        QVERIFY(!w_->StringGrid1->item(1, 1)->text().isEmpty());
        break;
    case ExchangeKind::CalibrationWrite:
        w_->UpDown10->setPosition(240); // the multimeter shows 240 V
        break;
    default:
        break;
    }
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void FaultMatrixTest::changeController(ExchangeKind exchange) {
    auto& m = sim_->model();
    // The next live reading would show the next day.
    m.setClock(m.clock().addDays(1));
    const bool old = gen_ == Generation::Old;
    switch (exchange) {
    case ExchangeKind::ParameterRead:
    case ExchangeKind::Comparison:
        m.poke(old ? Space::Ram : Space::Parameter, old ? 0x50 : 0x004, 143); // 70 Hz
        m.poke(old ? Space::Ram : Space::Parameter, old ? 0x52 : 0x006, 600); // 10 min
        break;
    case ExchangeKind::FaultMemoryRead:
        m.recordFault(0x0006);
        break;
    default:
        break;
    }
}

void FaultMatrixTest::trigger(ExchangeKind exchange) {
    switch (exchange) {
    case ExchangeKind::Sync:
    case ExchangeKind::RamRead:
        w_->SPStimer->start();
        break;
    case ExchangeKind::HardwareTest:
    case ExchangeKind::Identity:
        w_->Com_activate_btClick();
        break;
    case ExchangeKind::ParameterRead:
        w_->uC_read_btClick();
        break;
    case ExchangeKind::Comparison:
        w_->compare1Click();
        break;
    case ExchangeKind::ParameterWrite:
        w_->uC_send_btClick();
        break;
    case ExchangeKind::ClockWrite:
        w_->pcNow = [] {
            return QDateTime(QDate(2026, 7, 15), QTime(14, 30, 5), QTimeZone::utc());
        };
        w_->clk_btClick();
        break;
    case ExchangeKind::FaultMemoryRead:
        w_->err_mem_read_btClick();
        break;
    case ExchangeKind::FaultMemoryClear:
        w_->err_mem_clear_btClick();
        break;
    case ExchangeKind::CalibrationWrite:
        QVERIFY(w_->Bt_WR_Kalwert->isEnabled());
        w_->Bt_WR_Kalwert->click();
        QVERIFY(w_->kal_wr_req);
        break;
    }
}

bool FaultMatrixTest::pending(ExchangeKind exchange) const {
    switch (exchange) {
    case ExchangeKind::Sync:
    case ExchangeKind::RamRead:
        return false; // the live reading shows it
    case ExchangeKind::HardwareTest:
        return w_->hw_test_req;
    case ExchangeKind::Identity:
        return w_->hw_info_req;
    case ExchangeKind::ParameterRead:
        return w_->data_rd_req;
    case ExchangeKind::Comparison:
        return w_->compare_rd_req;
    case ExchangeKind::ParameterWrite:
        return w_->data_wr_req;
    case ExchangeKind::ClockWrite:
        return w_->time_wr_req;
    case ExchangeKind::FaultMemoryRead:
        return w_->errmem_rd_req;
    case ExchangeKind::FaultMemoryClear:
        return w_->errmem_clr_req;
    case ExchangeKind::CalibrationWrite:
        return w_->kal_wr_req;
    }
    return false;
}

QStringList FaultMatrixTest::fields(ExchangeKind exchange) const {
    switch (exchange) {
    case ExchangeKind::Sync:
    case ExchangeKind::RamRead:
    case ExchangeKind::ClockWrite:
    case ExchangeKind::Comparison: // not in the matrix of every fault
        return {};                 // the live values, checked for every row
    case ExchangeKind::HardwareTest:
        return {w_->HW_old ? QStringLiteral("old") : QStringLiteral("new")};
    case ExchangeKind::Identity:
        return {w_->Infofenst->HW_nr->text(), w_->Edit7->text()};
    case ExchangeKind::ParameterRead:
        return {w_->takt_burn_visu->text(), w_->time_burn_visu->text()};
    case ExchangeKind::ParameterWrite:
        return {w_->time_burn_visu->text()};
    case ExchangeKind::FaultMemoryRead:
    case ExchangeKind::FaultMemoryClear:
        return {w_->StringGrid1->item(1, 1)->text(), w_->StringGrid1->item(1, 2)->text()};
    case ExchangeKind::CalibrationWrite:
        return {w_->Edit15->text()};
    }
    return {};
}

void FaultMatrixTest::checkControllerTook(ExchangeKind exchange) {
    const auto& m = sim_->model();
    const bool old = gen_ == Generation::Old;
    switch (exchange) {
    case ExchangeKind::ParameterWrite:
        QCOMPARE(m.peek(Space::Parameter, old ? 0x04 : 0x06), quint16(420));
        break;
    case ExchangeKind::ClockWrite:
        QCOMPARE(m.clock(), QDateTime(QDate(2026, 7, 15), QTime(14, 30, 5)));
        break;
    case ExchangeKind::CalibrationWrite:
        QCOMPARE(m.peek(Space::Parameter, 0x48), quint16(575)); // 600 × 230 / 240
        break;
    default:
        break;
    }
}

void FaultMatrixTest::faultInExchange() {
    QFETCH(Generation, generation);
    QFETCH(ExchangeKind, exchange);
    QFETCH(LineFault, fault);
    const ExchangeCase& c = kCases[int(exchange)];
    const Outcome outcome = outcomeOf(exchange, fault, generation);
    const bool atConnect =
        exchange == ExchangeKind::HardwareTest || exchange == ExchangeKind::Identity;

    startControllerFor(generation);
    createWindow();
    w_->SPStimer->setInterval(kTickMs);
    if (atConnect) {
        // The last hardware test said the other generation: a sound one changes it.
        w_->HW_old = generation == Generation::New;
    } else {
        connectAndShow();
        prepare(exchange);
        pauseBeforeSynchronisation();
    }
    if (QTest::currentTestFailed())
        return;
    const QStringList before = fields(exchange);
    const QString clockBefore = w_->uC_Zeit->text();
    const quint64 runsBefore = displayRuns_;
    changeController(exchange);

    if (usesTimeOut(fault))
        read_timeout = kShortReadTimeoutMs;
    const int byte = generation == Generation::New ? c.byteNew : c.byteOld;
    if (fault == LineFault::BadChecksum)
        sim_->host().inject(Fault::badChecksum().in(c.telegram, 1));
    else if (fault != LineFault::None)
        sim_->host().inject(faultOf(fault).in(c.telegram, 1, byte));
    std::optional<HeldProbe> held{std::in_place};
    trigger(exchange);
    if (QTest::currentTestFailed())
        return;

    switch (outcome) {
    case Outcome::Sound:
        QVERIFY(QTest::qWaitFor(
            [&] {
                return !pending(exchange) && displayRuns_ > runsBefore &&
                       w_->uC_Zeit->text() == controllerClock();
            },
            kWait));
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
        QVERIFY(w_->sio_started);
        if (exchange == ExchangeKind::ParameterWrite || exchange == ExchangeKind::CalibrationWrite)
            QCOMPARE(fields(exchange), before); // the technician's entries stay
        else if (!before.isEmpty())
            QVERIFY2(fields(exchange) != before, qPrintable(before.join(" | ")));
        checkControllerTook(exchange);
        QCOMPARE(sim_->host().faultsFired(), quint64(fault == LineFault::None ? 0 : 1));
        return;
    case Outcome::Skipped: {
        // The grid shows the two sums of the read that was left out; the display has
        // not run for it.
        const auto sums = [&](int row) { return w_->StringGrid2->item(row, 3)->text(); };
        QVERIFY(QTest::qWaitFor([&] { return sums(81) != sums(82); }, kWait));
        QCOMPARE(displayRuns_, runsBefore);
        QCOMPARE(w_->uC_Zeit->text(), clockBefore);
        QVERIFY(messages_.isEmpty());
        QVERIFY(w_->ram_rd_req && w_->sio_started);
        // The next reading is sound and shows.
        QVERIFY(QTest::qWaitFor([&] { return w_->uC_Zeit->text() == controllerClock(); }, kWait));
        QVERIFY(displayRuns_ > runsBefore);
        QCOMPARE(sim_->host().faultsFired(), quint64(1));
        QVERIFY(messages_.isEmpty());
        return;
    }
    case Outcome::DataError:
    case Outcome::PortLost:
        break;
    }

    // Failed: the sequencer has stopped and the resynchronisation has gone out.
    QVERIFY(QTest::qWaitFor(
        [&] { return !messages_.isEmpty() && !w_->SPStimer->isActive() && linkAtRest(); }, kWait));
    const qint64 heldMs = held->longestMs();
    held.reset();
    QCOMPARE(sim_->host().faultsFired(), quint64(1));
    if (outcome == Outcome::PortLost) {
        // One event, one message: the lost port's, naming the port.
        const QString portLost = ownText(w_->activeLanguage(), OwnText::PortLost);
        QVERIFY2(messages_.size() == 1, qPrintable(messages_.join('\n')));
        QVERIFY2(messages_[0].startsWith(portLost.left(portLost.indexOf(QLatin1String("%1"))) +
                                         QLatin1String("COM1")),
                 qPrintable(messages_[0]));
    } else {
        QCOMPARE(messages_, QStringList{kDataError});
    }
    for (const Exchange& e : kExchanges)
        QVERIFY2(!(w_.get()->*(e.flag)), qPrintable(QString::number(e.request)));
    QVERIFY(!w_->sio_started);
    QVERIFY(w_->Com_activate_bt->isEnabled());
    // Nothing of the failed answer reached the window.
    QCOMPARE(displayRuns_, runsBefore);
    QCOMPARE(w_->uC_Zeit->text(), clockBefore);
    if (!(exchange == ExchangeKind::HardwareTest && fault == LineFault::Extra))
        QCOMPARE(fields(exchange), before);
    // The window waited for one byte at most, never for a whole telegram of them.
    QVERIFY2(heldMs < read_timeout + 1 + kHeldSlackMs, qPrintable(QString::number(heldMs)));

    // The next connect works: a sound live reading. Whatever the fault still had to send
    // has arrived (and is purged by the next transfer) before the port is used again.
    read_timeout = 500;
    sim_->host().clearFaults();
    if (outcome == Outcome::PortLost) {
        QString error;
        QVERIFY2(sim_->start(&error), qPrintable(error));
        QVERIFY2(sim_->host().publishLink(controllerPort(), &error), qPrintable(error));
    }
    QVERIFY(QTest::qWaitFor([&] { return sim_->host().isQuiet(); }, kWait));
    messages_.clear();
    connectAndShow();
    QCOMPARE(w_->HW_old, generation == Generation::Old);
}

QStringList FaultMatrixTest::shown(ExchangeKind exchange) const {
    switch (exchange) {
    case ExchangeKind::Identity:
        return {w_->Infofenst->HW_nr->text(), w_->Edit7->text(), w_->Edit14->text(),
                w_->Memo1->toPlainText()};
    case ExchangeKind::ParameterRead:
        return {w_->takt_burn_visu->text(), w_->time_burn_visu->text()};
    case ExchangeKind::Comparison: {
        // The controller's column.
        QStringList cells;
        if (w_->CompareDialog)
            for (int r = 0; r < w_->CompareDialog->table->rowCount(); ++r)
                if (const QTableWidgetItem* item = w_->CompareDialog->table->item(r, 1))
                    cells << item->text();
        return cells;
    }
    case ExchangeKind::FaultMemoryRead: {
        QStringList cells;
        for (int r = 1; r < w_->StringGrid1->rowCount(); ++r)
            for (int c = 1; c <= 2; ++c)
                cells << w_->StringGrid1->item(r, c)->text();
        return cells;
    }
    default:
        return {};
    }
}

void FaultMatrixTest::corruptedData_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<int>("index");
    QTest::addColumn<Corruption>("corruption");
    for (const Generation g : {Generation::New, Generation::Old}) {
        const char* gen = g == Generation::New ? "new" : "old";
        for (int i = 0; i < int(std::size(kConfirmedCases)); ++i) {
            const char* name = kConfirmedCases[i].name;
            QTest::addRow("%s: %s, first answer", gen, name) << g << i << Corruption::FirstAnswer;
            if (g == Generation::Old)
                QTest::addRow("%s: %s, extra byte in the first answer", gen, name)
                    << g << i << Corruption::ExtraAfterFirst;
            QTest::addRow("%s: %s, every answer", gen, name) << g << i << Corruption::EveryAnswer;
            QTest::addRow("%s: %s, not confirmed", gen, name)
                << g << i << Corruption::FirstWithoutConfirmation;
        }
    }
}

void FaultMatrixTest::corruptedData() {
    QFETCH(Generation, generation);
    QFETCH(int, index);
    QFETCH(Corruption, corruption);
    const ConfirmedCase& c = kConfirmedCases[index];
    const bool atConnect = c.exchange == ExchangeKind::Identity;

    startControllerFor(generation);
    createWindow();
    w_->SPStimer->setInterval(kTickMs);
    w_->confirm_reads1->setChecked(corruption != Corruption::FirstWithoutConfirmation);
    if (!atConnect) {
        connectAndShow();
        pauseBeforeSynchronisation();
    }
    if (QTest::currentTestFailed())
        return;
    changeController(c.exchange);
    const QStringList before = shown(c.exchange);
    const quint64 runsBefore = displayRuns_;
    const QString clockBefore = w_->uC_Zeit->text();

    const int data = generation == Generation::New ? c.dataNew : c.dataOld;
    auto& host = sim_->host();
    quint64 faults = 1;
    switch (corruption) {
    case Corruption::FirstAnswer:
    case Corruption::FirstWithoutConfirmation:
        host.inject(Fault::corrupt().in(c.telegram, 1, data));
        break;
    case Corruption::ExtraAfterFirst:
        host.inject(Fault::extra().in(c.telegram, 1, data - 2));
        break;
    case Corruption::EveryAnswer: {
        // The third read of the identity follows its two and counts as a parameter read.
        const TelegramKind third = atConnect ? TelegramKind::ParameterRead : c.telegram;
        const quint64 thirdNth = atConnect ? 1 : 3;
        host.inject(Fault::corrupt().in(c.telegram, 1, data));
        host.inject(Fault::corrupt().in(c.telegram, 2, data - 1));
        host.inject(Fault::corrupt().in(third, thirdNth, data));
        host.inject(Fault::corrupt().in(third, thirdNth, data - 1));
        faults = 4;
        break;
    }
    }
    trigger(c.exchange);
    if (QTest::currentTestFailed())
        return;

    if (corruption == Corruption::EveryAnswer) {
        QVERIFY(QTest::qWaitFor(
            [&] { return !messages_.isEmpty() && !w_->SPStimer->isActive() && linkAtRest(); },
            kWait));
        QCOMPARE(host.faultsFired(), faults);
        QCOMPARE(messages_,
                 QStringList{confirmText(w_->activeLanguage(), ConfirmText::LineCorruptedData)});
        QCOMPARE(w_->StatusBar3->panelText(TStatusLine::kMessagePanel),
                 confirmText(w_->activeLanguage(), ConfirmText::DiagnosisCorrupted));
        // The trace marks the read's last answer, the recovery follows it.
        const TraceEntry* marked = w_->trace_ring.find(w_->trace_ring.end() - 2);
        QVERIFY(marked && marked->corrupted && marked->record.sound());
        // Nothing of the read shows, nothing is pending: no write can follow.
        for (const Exchange& e : kExchanges)
            QVERIFY2(!(w_.get()->*(e.flag)), qPrintable(QString::number(e.request)));
        QVERIFY(!w_->sio_started);
        QCOMPARE(shown(c.exchange), before);
        QCOMPARE(displayRuns_, runsBefore);
        QCOMPARE(w_->uC_Zeit->text(), clockBefore);
        return;
    }

    QVERIFY(QTest::qWaitFor([&] { return !pending(c.exchange) && linkAtRest(); }, kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QCOMPARE(host.faultsFired(), faults);
    const QStringList afterFault = shown(c.exchange);
    QVERIFY2(afterFault != before, qPrintable(before.join(" | ")));

    // The same read again on a sound line shows the controller's true values.
    host.clearFaults();
    bool RequestFlags::*flag =
        c.exchange == ExchangeKind::Identity        ? &RequestFlags::hw_info_req
        : c.exchange == ExchangeKind::ParameterRead ? &RequestFlags::data_rd_req
        : c.exchange == ExchangeKind::Comparison    ? &RequestFlags::compare_rd_req
                                                    : &RequestFlags::errmem_rd_req;
    w_.get()->*flag = true;
    QVERIFY(QTest::qWaitFor([&] { return !pending(c.exchange) && linkAtRest(); }, kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    if (corruption == Corruption::FirstWithoutConfirmation)
        // One read, one exchange: the corrupted answer was taken.
        QVERIFY2(shown(c.exchange) != afterFault, qPrintable(afterFault.join(" | ")));
    else
        QCOMPARE(afterFault, shown(c.exchange));
}

void FaultMatrixTest::confirmOptionIsKept() {
    const QString path = settingsFilePath();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    IniFile stored;
    stored.load(path);
    stored.setValue(QStringLiteral("Ports"), QStringLiteral("COM7"),
                    QStringLiteral("/dev/ttyUSB3"));
    stored.setValue(QStringLiteral("Tools"), QStringLiteral("ConfirmReads"), QString());
    QVERIFY(stored.save(path));

    createWindow();
    QVERIFY(w_->confirm_reads1->isChecked()); // on while the file does not say 0
    w_->confirm_reads1->trigger();
    QVERIFY(stored.load(path));
    QCOMPARE(stored.value("Tools", "ConfirmReads"), QStringLiteral("0"));
    QCOMPARE(stored.value("Ports", "COM7"), QStringLiteral("/dev/ttyUSB3"));
    w_.reset();

    createWindow();
    QVERIFY(!w_->confirm_reads1->isChecked());
    w_->english1Click();
    QCOMPARE(w_->confirm_reads1->text(),
             confirmText(Language::English, ConfirmText::ConfirmReadsItem));
    w_->confirm_reads1->trigger();
    QVERIFY(stored.load(path));
    QCOMPARE(stored.value("Tools", "ConfirmReads"), QStringLiteral("1"));
}

QTEST_MAIN(FaultMatrixTest)
#include "tst_fault_matrix.moc"
