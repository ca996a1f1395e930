// The cyclic RAM read of the main window, offscreen, against the controller simulator over
// a real pseudo-terminal: words set in the controller's RAM reach the variable table and
// the measurement grid of either generation; a wrong block checksum updates grid and
// table but not the live display; an answer step that runs too early changes nothing.
// Then the measurement grid itself: rows that persist across generations until emptied,
// the highlighted cells and the column widths of the measurement page.
#include "app/hauptfenster.h"
#include "base/message_sink.h"
#include "live/ram_table.h"
#include "protocol/protocol_state.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "sim/simulator.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <memory>

using trvsim::Fault;
using trvsim::Generation;
using trvsim::Space;

namespace {

QStringList gridRow(const QTableWidget* grid, int row) {
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells.append(grid->item(row, c)->text());
    return cells;
}

// Every cell of the grid, row by row.
QStringList gridCells(const QTableWidget* grid) {
    QStringList cells;
    for (int r = 0; r < grid->rowCount(); ++r)
        cells += gridRow(grid, r);
    return cells;
}

} // namespace

Q_DECLARE_METATYPE(Generation)

class RamReadTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void wordsReachTableAndGrid_data();
    void wordsReachTableAndGrid();
    void wrongChecksumSkipsTheDisplay();
    void earlyAnswerStepChangesNothing_data();
    void earlyAnswerStepChangesNothing();

    void rowsPersistUntilEmptied();
    void highlightedCells_data();
    void highlightedCells();
    void measurementPageSetsColumnWidths();

private:
    // Nothing but the test changes the controller's words.
    void startSimulator(Generation generation) { startController(generation, 14, true); }
    void connectWindow() {
        createWindow();
        connectAndIdentify();
    }
    // Stops SPStimer once the link is idle; the test then ticks by hand.
    void stopSequencer();
    bool waitForIdleLink();
    // Ticks by hand until a RAM read requested from now on has been answered.
    bool runRamCycle();
};

void RamReadTest::initTestCase() {
    useTestSettings();
}

void RamReadTest::init() {
    resetShared();
}

void RamReadTest::cleanup() {
    releaseAll();
}

bool RamReadTest::waitForIdleLink() {
    return QTest::qWaitFor([this] { return w_->Ths->isAsleep() && !w_->Ths->anmeldung; }, kWait);
}

void RamReadTest::stopSequencer() {
    w_->SPStimer->stop();
    QVERIFY(waitForIdleLink());
}

bool RamReadTest::runRamCycle() {
    bool requested = false;
    for (int tick = 0; tick < 50; ++tick) {
        const int before = protocol_step;
        w_->SPStimerTimer();
        if (!waitForIdleLink())
            return false;
        if (before == 3)
            requested = true;
        if (requested && before == 4 && protocol_step == 1)
            return true;
    }
    return false;
}

void RamReadTest::wordsReachTableAndGrid_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("new: mains voltage")
        << Generation::New << 0x42 << 341 << 9
        << QStringList{"0x0042", "[9]  uac_ad_pt1", "341", "0x0155", "0x0000000101010101", "134,53",
                       "341"};
    QTest::newRow("new: 0x8000 at the DC-link voltage")
        << Generation::New << 0x40 << 0x8000 << 8
        << QStringList{"0x0040",   "[8]  uz_ad_pt1", "32768", "0x8000", "0x1000000000000000",
                       "12800,39", "-32768"};
    QTest::newRow("new: 0xFFFF in the last word")
        << Generation::New << 0xCE << 0xFFFF << 79
        << QStringList{"0x00CE", "[79]  df_we2 / df_we3", "65535",
                       "0xFFFF", "0x1111111111111111",    "0,00",
                       "-1"};
    QTest::newRow("old: port word at 0x08")
        << Generation::Old << 0x08 << 0x1234 << 30
        << QStringList{"0x0008", "Port_E / Port_D ", "4660", "0x1234", "0x0001001000110100", "18",
                       "52"};
    QTest::newRow("old: mains voltage")
        << Generation::Old << 0x46 << 0x0155 << 3
        << QStringList{"0x0046", "uac_ad_filter", "341", "0x0155", "0x0000000101010101", "1", "85"};
    QTest::newRow("old: negative word at 0x70")
        << Generation::Old << 0x70 << 0xF514 << 20
        << QStringList{"0x0070", "error_bits / en_bits", "62740",
                       "0xF514", "0x1111010100010100",   "245",
                       "20"};
}

void RamReadTest::wordsReachTableAndGrid() {
    QFETCH(Generation, generation);
    QFETCH(int, address);
    QFETCH(int, word);
    QFETCH(int, entry);
    QFETCH(QStringList, cells);
    startSimulator(generation);

    // Before the first reading the tables hold names and norms only.
    w_ = std::make_unique<THauptfenster>();
    const TRam_Data& fresh = generation == Generation::New ? w_->Ram_Data : w_->Ram_Data_Old;
    QCOMPARE(fresh.val_int[entry], quint16(0));
    QVERIFY(fresh.adr[entry].isEmpty());
    QVERIFY(gridRow(w_->StringGrid2, entry + 1).join(QString()).isEmpty());
    w_.reset();

    connectWindow();
    QCOMPARE(w_->HW_old, generation == Generation::Old);
    stopSequencer();
    sim_->model().poke(Space::Ram, quint16(address), quint16(word));
    const quint64 displayRuns = displayRuns_;
    QVERIFY(runRamCycle());

    const TRam_Data& t = generation == Generation::New ? w_->Ram_Data : w_->Ram_Data_Old;
    QCOMPARE(t.nr[entry], entry);
    QCOMPARE(t.adr[entry], cells[0]);
    QCOMPARE(t.val_int[entry], quint16(word));
    QCOMPARE(t.val_sint[entry], qint16(word));
    QCOMPARE(gridRow(w_->StringGrid2, entry + 1), cells);
    if (generation == Generation::Old) {
        QCOMPARE(t.val_hex[entry], cells[3]);
        QCOMPARE(t.val_bin[entry], cells[4]);
        QCOMPARE(t.val_high[entry], quint16(word >> 8));
        QCOMPARE(t.val_low[entry], quint16(word & 0xFF));
        // No checksum rows on old hardware.
        QVERIFY(w_->StringGrid2->item(81, 3)->text().isEmpty());
    } else {
        QCOMPARE(w_->StringGrid2->item(81, 3)->text(), w_->StringGrid2->item(82, 3)->text());
        QVERIFY(!w_->StringGrid2->item(81, 3)->text().isEmpty());
        // Entry 80 is never read.
        QCOMPARE(w_->Ram_Data.val_int[80], quint16(0));
        QVERIFY(gridRow(w_->StringGrid2, 81).at(0).isEmpty());
    }
    // A sound answer runs the live display once; the reading goes on.
    QCOMPARE(displayRuns_, displayRuns + 1);
    QCOMPARE(protocol_step, 1);
    QVERIFY(w_->ram_rd_req);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void RamReadTest::wrongChecksumSkipsTheDisplay() {
    startSimulator(Generation::New);
    connectWindow();
    stopSequencer();
    QVERIFY(runRamCycle());
    const QString shownUz = w_->Edit_Uz->text();
    sim_->model().poke(Space::Ram, 0x44, 0x0777); // poti_ad_pt1, entry 10
    sim_->model().poke(Space::Ram, 0x40, 0x2000); // uz_ad_pt1: 3200 V, shown by the display
    sim_->host().inject(Fault::badChecksum());
    const quint64 displayRuns = displayRuns_;
    QVERIFY(runRamCycle());

    // The controller's checksum is one too high: both numbers are shown, the words are
    // taken, the live display keeps its previous values, and no message comes up.
    const int computed = w_->StringGrid2->item(81, 3)->text().toInt();
    const int received = w_->StringGrid2->item(82, 3)->text().toInt();
    QCOMPARE(received, (computed + 1) % 256);
    QCOMPARE(w_->Ram_Data.val_int[10], quint16(0x0777));
    QCOMPARE(w_->StringGrid2->item(11, 2)->text(), QString("1911"));
    QCOMPARE(displayRuns_, displayRuns);
    QCOMPARE(w_->Edit_Uz->text(), shownUz);
    QCOMPARE(protocol_step, 1);
    QVERIFY(w_->ram_rd_req);
    QVERIFY(!data_error);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));

    // The next reading is sound again and is shown.
    sim_->model().poke(Space::Ram, 0x44, 0x0778);
    QVERIFY(runRamCycle());
    QCOMPARE(w_->StringGrid2->item(81, 3)->text(), w_->StringGrid2->item(82, 3)->text());
    QCOMPARE(w_->StringGrid2->item(11, 2)->text(), QString("1912"));
    QCOMPARE(displayRuns_, displayRuns + 1);
    QVERIFY(w_->Edit_Uz->text() != shownUz);

    // And the sequencer carries on by itself.
    w_->SPStimer->start();
    QVERIFY(QTest::qWaitFor([&] { return displayRuns_ >= displayRuns + 3; }, kWait));
}

void RamReadTest::earlyAnswerStepChangesNothing_data() {
    QTest::addColumn<Generation>("generation");
    QTest::newRow("new") << Generation::New;
    QTest::newRow("old") << Generation::Old;
}

void RamReadTest::earlyAnswerStepChangesNothing() {
    QFETCH(Generation, generation);
    startSimulator(generation);
    connectWindow();
    stopSequencer();
    // Tick by hand up to the request step.
    for (int tick = 0; tick < 10 && protocol_step != 3; ++tick) {
        w_->SPStimerTimer();
        QVERIFY(waitForIdleLink());
    }
    QCOMPARE(protocol_step, 3);
    // A word no earlier reading has seen (new: entry 3, old: entry 9, both t_burn).
    sim_->model().poke(Space::Ram, generation == Generation::New ? 0x36 : 0x52, 0x4321);

    const QStringList grid = gridCells(w_->StringGrid2);
    const auto newWords = w_->Ram_Data.val_int;
    const auto oldWords = w_->Ram_Data_Old.val_int;
    const quint64 displayRuns = displayRuns_;

    w_->SPStimerTimer(); // the request: the transfer is pending, not yet run
    QCOMPARE(protocol_step, 4);
    QVERIFY(!w_->Ths->isAsleep());
    w_->Resp_Ram_rd();
    QCOMPARE(protocol_step, 4);
    QCOMPARE(gridCells(w_->StringGrid2), grid);
    QVERIFY(w_->Ram_Data.val_int == newWords);
    QVERIFY(w_->Ram_Data_Old.val_int == oldWords);
    QCOMPARE(displayRuns_, displayRuns);

    // Once the transfer has ended the same step takes the answer.
    QVERIFY(waitForIdleLink());
    w_->SPStimerTimer();
    QCOMPARE(protocol_step, 1);
    const int row = generation == Generation::New ? 4 : 10;
    QCOMPARE(w_->StringGrid2->item(row, 2)->text(), QString::number(0x4321));
    QCOMPARE(displayRuns_, displayRuns + 1);
}

void RamReadTest::rowsPersistUntilEmptied() {
    THauptfenster w;
    const QStringList headings = gridRow(w.StringGrid2, 0);
    QVERIFY(!headings.at(0).isEmpty());

    // A new-hardware answer of all zeros with checksum 0, handed to the answer step as
    // the link leaves it.
    std::fill(rx_buffer, rx_buffer + kNewRamAnswerLength, quint8(0));
    rx_buffer[0] = 0x09;
    rx_buffer[1] = 160;
    rx_buffer[3] = 0x30;
    w.HW_old = false;
    response_ready = true;
    protocol_step = 4;
    // Held to a length short of the checksum byte, it is a failed answer: nothing shown,
    // and the next tick takes the error step.
    rx_count = kNewRamAnswerLength - 6;
    data_error = false;
    w.Resp_Ram_rd();
    QVERIFY(data_error);
    QCOMPARE(protocol_step, 4);
    QVERIFY(w.StringGrid2->item(32, 2)->text().isEmpty());
    data_error = false;

    rx_count = kNewRamAnswerLength; // as the link leaves it
    w.Resp_Ram_rd();
    QCOMPARE(protocol_step, 1);
    QVERIFY(response_ready); // the following synchronisation clears it
    QCOMPARE(gridRow(w.StringGrid2, 32),
             QStringList({"0x006E", "[31]  port_e_sh/ port_d_sh", "0", "0x0000",
                          "0x0000000000000000", "0,00", "0"}));
    QCOMPARE(w.StringGrid2->item(81, 3)->text(), QString("0"));
    QCOMPARE(w.StringGrid2->item(82, 3)->text(), QString("0"));

    // An old-hardware answer overwrites rows 1..31 only.
    for (int i = 0; i < kOldRamAnswerLength; i += 4) {
        rx_buffer[i] = 0x01;
        rx_buffer[i + 1] = 0x40;
        rx_buffer[i + 2] = 0x07;
        rx_buffer[i + 3] = 0x00;
    }
    w.HW_old = true;
    protocol_step = 4;
    rx_count = kOldRamAnswerLength;
    w.Resp_Ram_rd();
    QCOMPARE(gridRow(w.StringGrid2, 1),
             QStringList({"0x0040", "temp1_ad", "7", "0x0007", "0x0000000000000111", "0", "7"}));
    QCOMPARE(w.StringGrid2->item(31, 1)->text(), QString("Port_E / Port_D "));
    QCOMPARE(w.StringGrid2->item(32, 1)->text(), QString("[31]  port_e_sh/ port_d_sh"));
    QCOMPARE(w.StringGrid2->item(82, 3)->text(), QString("0"));

    // Emptying clears every data cell, the address column included; the headings stay.
    w.StringGridLeer();
    const QStringList cells = gridCells(w.StringGrid2);
    QCOMPARE(cells.mid(0, 7), headings);
    for (int i = 7; i < cells.size(); ++i)
        QVERIFY2(cells[i].isEmpty(), qPrintable(QString("cell %1").arg(i)));
}

void RamReadTest::highlightedCells_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("highlighted");
    QTest::newRow("1,1") << 1 << 1 << false << true;
    QTest::newRow("1,1 selected") << 1 << 1 << true << true;
    QTest::newRow("2,5") << 2 << 5 << false << true;
    QTest::newRow("10,3 selected") << 10 << 3 << true << true;
    QTest::newRow("1,0 address") << 1 << 0 << false << false;
    QTest::newRow("1,6") << 1 << 6 << false << false;
    QTest::newRow("3,1") << 3 << 1 << false << false;
    QTest::newRow("9,2") << 9 << 2 << false << false;
    QTest::newRow("11,4 selected") << 11 << 4 << true << false;
    QTest::newRow("0,1 heading") << 0 << 1 << false << false;
}

void RamReadTest::highlightedCells() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, selected);
    QFETCH(bool, highlighted);
    THauptfenster w;
    QTableWidget* grid = w.StringGrid2;
    grid->grab(); // lays the hidden page out
    grid->clearSelection();
    if (selected)
        grid->setCurrentCell(row, column);
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);

    const QImage image = grid->grab().toImage();
    const QRect cell = grid->visualRect(index);
    // A pixel inside the cell, clear of its text and grid line.
    const QPoint probe = grid->viewport()->mapTo(grid, cell.bottomRight() - QPoint(4, 4));
    QVERIFY(image.rect().contains(probe * image.devicePixelRatio()));
    const QColor colour = image.pixelColor(probe * image.devicePixelRatio());
    QCOMPARE(colour == QColor(192, 220, 192), highlighted);
    // The grid stays read-only.
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void RamReadTest::measurementPageSetsColumnWidths() {
    THauptfenster w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.PageControl1->setTabVisible(w.PageControl1->indexOf(w.TabSheet4), true);
    w.PageControl1->setCurrentWidget(w.TabSheet4);
    QTableWidget* grid = w.StringGrid2;
    QTRY_VERIFY(grid->isVisible());
    QTRY_COMPARE(grid->columnWidth(1), measurementColumnWidths(grid->width())[1]);
    QCOMPARE(grid->columnWidth(0), 60);
    QCOMPARE(grid->columnWidth(4), 150);
    QCOMPARE(grid->columnWidth(6), 100);

    // A wider window widens the name column up to its maximum.
    w.resize(1300, w.height());
    QTRY_VERIFY(grid->width() > 1000);
    QTRY_COMPARE(grid->columnWidth(1), 300);
}

QTEST_MAIN(RamReadTest)
#include "tst_ram_read.moc"
