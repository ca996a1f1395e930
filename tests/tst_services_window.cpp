// The clock write and the fault memory through the window against the simulated
// controller of both generations: what reaches the controller, and what the window shows
// after.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "protocol/protocol_state.h"
#include "serial/sio.h"
#include "sim/simulator.h"
#include "window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeZone>
#include <QTimer>

using trvsim::Generation;
using trvsim::Space;

namespace {

constexpr quint16 kPosition = 0x70;
constexpr quint16 kRing = 0x80;

QStringList column(const QTableWidget* grid, int c) {
    QStringList cells;
    for (int r = 0; r < grid->rowCount(); ++r)
        cells.append(grid->item(r, c)->text());
    return cells;
}

} // namespace

class ServicesWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() { resetShared(); }
    void cleanup() { releaseAll(); }

    void generations_data();
    void clockWriteSetsStandardTime_data() { generations_data(); }
    void clockWriteSetsStandardTime();
    void clockYearRefusedSendsNothing();
    void clockDriftShownAndMarked_data() { generations_data(); }
    void clockDriftShownAndMarked();
    void faultReadListsNewestFirst_data() { generations_data(); }
    void faultReadListsNewestFirst();
    void impossiblePositionShowsAFullRing();
    void clearEmptiesRingAndGrid_data() { generations_data(); }
    void clearEmptiesRingAndGrid();

private:
    // A frozen controller, the window connected and showing English texts.
    void connectTo(Generation generation);
    void readFaults();
    // The bytes the PC sent since the last clearReceived, once the link has gone quiet.
    QByteArray sentAfterStop();
};

void ServicesWindowTest::generations_data() {
    QTest::addColumn<Generation>("generation");
    QTest::newRow("new hardware") << Generation::New;
    QTest::newRow("old hardware") << Generation::Old;
}

void ServicesWindowTest::connectTo(Generation generation) {
    startController(generation, 14, true);
    createWindow();
    w_->english1Click();
    connectAndIdentify();
}

void ServicesWindowTest::readFaults() {
    w_->err_mem_read_btClick();
    QVERIFY(!w_->err_mem_read_bt->isEnabled());
    QVERIFY(QTest::qWaitFor([this] { return !w_->errmem_rd_req; }, kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QVERIFY(w_->err_mem_read_bt->isEnabled());
    QVERIFY(w_->ram_rd_req);
}

QByteArray ServicesWindowTest::sentAfterStop() {
    w_->SPStimer->stop();
    if (!QTest::qWaitFor([this] { return w_->Ths->isAsleep() && !w_->Ths->anmeldung; }, kWait))
        return {};
    return sim_->host().received();
}

void ServicesWindowTest::clockWriteSetsStandardTime() {
    QFETCH(Generation, generation);
    const bool old = generation == Generation::Old;
    const QTimeZone berlin("Europe/Berlin");
    if (!berlin.isValid())
        QSKIP("no time-zone data for Europe/Berlin on this machine");
    connectTo(generation);
    // Sunday 15 July 2012, 14:30:05 summer time in Berlin.
    w_->pcNow = [berlin] { return QDateTime(QDate(2012, 7, 15), QTime(14, 30, 5), berlin); };

    sim_->host().clearReceived();
    w_->clk_btClick();
    QVERIFY(!w_->clk_bt->isEnabled());
    QVERIFY(!w_->ram_rd_req); // the live reading pauses
    QVERIFY(QTest::qWaitFor([this] { return !w_->time_wr_req; }, kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QVERIFY(w_->clk_bt->isEnabled());
    QVERIFY(w_->ram_rd_req);
    QCOMPARE(sim_->model().clock(), QDateTime(QDate(2012, 7, 15), QTime(13, 30, 5)));

    // The live reading resumes and shows the controller's new time.
    QVERIFY(QTest::qWaitFor(
        [this] { return w_->uC_Zeit->text() == QLatin1String("15.07.2012  13:30"); }, kWait));
    QCOMPARE(w_->uC_Zeit2->text(), QString("15.07.2012  13:30"));

    // After the synchronisation: the four registers, then the request word 1, 2, 2, 2.
    const QByteArray sent = sentAfterStop();
    const int item = old ? 5 : 6;
    const QByteArray write = sent.mid(10, 8 * item);
    QCOMPARE(write.size(), old ? 40 : 48);
    const auto frame = [old](quint16 adr, quint16 value) {
        const QByteArray v = QByteArray::number(value, 16).rightJustified(4, '0');
        const QByteArray a = QByteArray::number(adr, 16).rightJustified(4, '0');
        return QByteArray::fromHex(old ? "03" + a.mid(2) + v.mid(2) + v.left(2) + "05"
                                       : "07" + a + v + "05");
    };
    QCOMPARE(write.left(item), frame(0xA8, 0x1E05));
    QCOMPARE(write.mid(1 * item, item), frame(0xAA, 0x010D));
    QCOMPARE(write.mid(2 * item, item), frame(0xAC, 0x070F));
    QCOMPARE(write.mid(3 * item, item), frame(0xAE, 0x000C));
    const quint16 request = old ? 0x74 : 0x64;
    QCOMPARE(write.mid(4 * item, item), frame(request, 1));
    for (int i = 5; i < 8; ++i)
        QCOMPARE(write.mid(i * item, item), frame(request, 2));
}

// Beside the controller clock: its drift from the PC's standard time, red with a hint past a
// minute; a clock write brings it to nothing, the display reset takes it away.
void ServicesWindowTest::clockDriftShownAndMarked() {
    QFETCH(Generation, generation);
    const QTimeZone berlin("Europe/Berlin");
    if (!berlin.isValid())
        QSKIP("no time-zone data for Europe/Berlin on this machine");
    startController(generation, 14, true);
    sim_->model().setClock(QDateTime(QDate(2026, 7, 1), QTime(12, 0, 0)));
    createWindow();
    // 13:03:12 summer time is 12:03:12 standard time: the controller is 3 min 12 s behind.
    w_->pcNow = [berlin] { return QDateTime(QDate(2026, 7, 1), QTime(13, 3, 12), berlin); };
    w_->english1Click();
    connectAndIdentify();
    QVERIFY(QTest::qWaitFor([this] { return !w_->uC_drift->text().isEmpty(); }, kWait));
    QCOMPARE(w_->uC_drift->text(), QString("-3 min 12 s"));
    QCOMPARE(w_->uC_drift->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY2(w_->uC_drift->toolTip().contains(w_->clk_bt->text()),
             qPrintable(w_->uC_drift->toolTip()));
    QCOMPARE(w_->uC_Zeit->toolTip(), w_->uC_drift->toolTip());

    w_->german1Click(); // the hint follows the language at once
    QVERIFY2(w_->uC_drift->toolTip().startsWith("Controller-Uhr"),
             qPrintable(w_->uC_drift->toolTip()));

    w_->clk_btClick();
    QVERIFY(
        QTest::qWaitFor([this] { return w_->uC_drift->text() == QLatin1String("0 s"); }, kWait));
    QVERIFY(w_->uC_drift->palette().color(QPalette::WindowText) != QColor(255, 0, 0));
    QVERIFY(!w_->uC_drift->toolTip().contains(w_->clk_bt->text()));

    w_->Com_activate_btClick(); // disconnect: the display reset
    QVERIFY(QTest::qWaitFor([this] { return w_->uC_drift->text().isEmpty(); }, kWait));
    QVERIFY(w_->uC_Zeit->toolTip().isEmpty());
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void ServicesWindowTest::clockYearRefusedSendsNothing() {
    connectTo(Generation::New);
    const QDateTime before = sim_->model().clock();
    w_->pcNow = [] { return QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), QTimeZone::utc()); };
    sim_->host().clearReceived();
    const quint64 runs = displayRuns_;
    w_->clk_btClick();
    QVERIFY(QTest::qWaitFor([this] { return !w_->time_wr_req; }, kWait));
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_.first().contains("1999"), qPrintable(messages_.first()));
    // The link runs on: the live reading comes back, the button is there for another try.
    QVERIFY(QTest::qWaitFor([&] { return displayRuns_ > runs; }, kWait));
    QVERIFY(w_->clk_bt->isEnabled());
    QVERIFY(w_->ram_rd_req);
    QVERIFY(w_->sio_started);
    // No write item went out (new hardware writes RAM with the command 0x07).
    const QByteArray sent = sentAfterStop();
    QVERIFY(!sent.isEmpty());
    QVERIFY(!sent.contains(char(0x07)));
    QCOMPARE(sim_->model().clock(), before);
}

void ServicesWindowTest::faultReadListsNewestFirst() {
    QFETCH(Generation, generation);
    const bool old = generation == Generation::Old;
    connectTo(generation);
    // The controller's four faults from the factory, then one more at 14:05 on 15 July.
    sim_->model().setClock(QDateTime(QDate(2012, 7, 15), QTime(14, 5, 30)));
    sim_->model().recordFault(0x0006);
    const QStringList headings{w_->StringGrid1->item(0, 0)->text(),
                               w_->StringGrid1->item(0, 1)->text(),
                               w_->StringGrid1->item(0, 2)->text()};
    readFaults();

    const QStringList times = column(w_->StringGrid1, 1);
    const QStringList faults = column(w_->StringGrid1, 2);
    QCOMPARE(times.mid(1, 5), (QStringList{"15.07  14:05", "09.10  19:31", "21.07  23:15",
                                           "03.02  18:02", "12.01  05:47"}));
    QCOMPARE(
        faults.mid(1, 5),
        (QStringList{"DC-Link overvoltage faultovertemp fault", "DC-Link overvoltage fault",
                     "overtemp faultovertemp fault KK1", "start fault", "undervoltage fault"}));
    // Rows 6 … 16, the second pass: records never written.
    const QString unwritten = old ? QString("00.00  00:00") : QString();
    for (int r = 6; r <= 16; ++r) {
        QCOMPARE(times[r], unwritten);
        QCOMPARE(faults[r], QString());
    }
    QCOMPARE(w_->StringGrid1->item(0, 1)->text(), headings[1]);
    QCOMPARE(w_->StatusBar3->panelText(TStatusLine::kMessagePanel), QString());

    // Another language relabels the headings; the records keep the language they were
    // read in.
    w_->german1Click();
    QCOMPARE(w_->StringGrid1->item(0, 2)->text(), GetInfoString(Language::German, 106));
    QCOMPARE(column(w_->StringGrid1, 2).mid(1, 5), faults.mid(1, 5));
}

void ServicesWindowTest::impossiblePositionShowsAFullRing() {
    connectTo(Generation::New);
    sim_->model().poke(Space::Parameter, kPosition, 120); // record 20 of 16
    readFaults();
    const QStringList times = column(w_->StringGrid1, 1);
    // As for a full ring: records 15 … 0, the factory's four at the bottom, no second pass.
    QCOMPARE(times[1], QString("00.00  00:00"));
    QCOMPARE(times.mid(13, 4),
             (QStringList{"09.10  19:31", "21.07  23:15", "03.02  18:02", "12.01  05:47"}));
    const QString said = w_->StatusBar3->panelText(TStatusLine::kMessagePanel);
    QVERIFY2(said.contains("120"), qPrintable(said));
    QCOMPARE(w_->StatusBar3->panelText(0).left(9), QString("Version: "));

    // A sound answer takes the note back.
    sim_->model().poke(Space::Parameter, kPosition, 24);
    readFaults();
    QCOMPARE(w_->StatusBar3->panelText(TStatusLine::kMessagePanel), QString());
    QCOMPARE(column(w_->StringGrid1, 1)[1], QString("09.10  19:31"));
}

void ServicesWindowTest::clearEmptiesRingAndGrid() {
    QFETCH(Generation, generation);
    const bool old = generation == Generation::Old;
    connectTo(generation);
    readFaults();
    QCOMPARE(w_->StringGrid1->item(1, 2)->text(), QString("DC-Link overvoltage fault"));
    const QStringList headings = {w_->StringGrid1->item(0, 0)->text(),
                                  w_->StringGrid1->item(0, 1)->text(),
                                  w_->StringGrid1->item(0, 2)->text()};
    QCOMPARE(headings, (QStringList{"Nr.", "Date", "Error"}));

    sim_->host().clearReceived();
    w_->err_mem_clear_btClick();
    QVERIFY(!w_->err_mem_clear_bt->isEnabled());
    QVERIFY(QTest::qWaitFor([this] { return !w_->errmem_clr_req; }, kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QVERIFY(w_->err_mem_clear_bt->isEnabled());
    QVERIFY(w_->ram_rd_req);

    auto& model = sim_->model();
    QCOMPARE(model.peek(Space::Parameter, kPosition), quint16(0));
    for (int i = 0; i < 48; ++i)
        QCOMPARE(model.peek(Space::Parameter, quint16(kRing + 2 * i)), quint16(0));
    for (int r = 1; r <= 16; ++r) {
        QCOMPARE(w_->StringGrid1->item(r, 0)->text(), QString::number(r) + '.');
        QCOMPARE(w_->StringGrid1->item(r, 1)->text(), QString());
        QCOMPARE(w_->StringGrid1->item(r, 2)->text(), QString());
    }
    QCOMPARE((QStringList{w_->StringGrid1->item(0, 0)->text(), w_->StringGrid1->item(0, 1)->text(),
                          w_->StringGrid1->item(0, 2)->text()}),
             headings);
    // After the synchronisation, the 49 writes of the clearing telegram.
    const QByteArray sent = sentAfterStop();
    QVERIFY(sent.size() >= 10 + (old ? 245 : 294));
    QCOMPARE(sent.at(10), char(old ? 0x04 : 0x08));
}

QTEST_MAIN(ServicesWindowTest)
#include "tst_services_window.moc"
