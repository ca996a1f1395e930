// The live status display of the main window, offscreen, against the controller simulator
// over a real pseudo-terminal. The simulated controller is frozen and its RAM words are
// set by the test; after live read cycles the widgets must show them, for both controller
// generations. A word out of range shows "Com-Error !" until the display is reset, and
// disconnecting resets lamps, savings and the state bar.
#include "app/hauptfenster.h"
#include "app/widgets/lamp_shape.h"
#include "app/widgets/stale_colour.h"
#include "app/widgets/state_strip.h"
#include "app/widgets/status_line.h"
#include "base/message_sink.h"
#include "protocol/protocol_state.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "sim/simulator.h"
#include "text/own_texts.h"
#include "text/trace_texts.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

using trvsim::Fault;
using trvsim::Generation;
using trvsim::Space;

namespace {

using Words = QList<QPair<int, int>>; // table entry → word

// Controller RAM address of a table entry.
quint16 ramAddress(Generation gen, int entry) {
    if (gen == Generation::New)
        return quint16(0x30 + 2 * entry);
    if (entry < 20)
        return quint16(0x40 + 2 * entry);
    if (entry < 22)
        return quint16(0x70 + 2 * (entry - 20));
    if (entry < 26)
        return quint16(0xA0 + 2 * (entry - 22));
    if (entry < 30)
        return quint16(0x2C + 2 * (entry - 26));
    return 0x08;
}

// Words of a controller in normal operation, every checked word within its range.
Words soundWords(Generation gen) {
    if (gen == Generation::New)
        return {{3, 600},     {4, 182},     {5, 0x64C8}, {6, 0x78C8},  {7, 0xC8C8},
                {9, 592},     {13, 512},    {14, 512},   {21, 0x0002}, {22, 0x0001},
                {24, 0x0001}, {58, 0x0101}, {59, 26}};
    return {{0, 512},     {1, 512},     {2, 500}, {3, 600}, {4, 200},     {5, 200},
            {6, 200},     {7, 100},     {8, 182}, {9, 600}, {10, 0},      {11, 0},
            {12, 0},      {13, 0},      {14, 0},  {15, 0},  {16, 0},      {17, 0},
            {19, 0x0002}, {21, 0x0001}, {22, 0},  {23, 0},  {24, 0x0101}, {25, 26}};
}

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGrey(128, 128, 128);

// The state bar as painted: the panel whose text shows in a lit colour (blue or red),
// −1 when no panel is lit, −2 when more than one is.
struct LitPanel {
    int panel = -1;
    QColor colour;
};

LitPanel litPanel(TStateStrip* bar) {
    const QImage image = bar->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    LitPanel lit;
    for (int p = 0; p < TStateStrip::kPanelCount; ++p) {
        const QRect r = bar->panelRect(p);
        for (int y = int(r.top() * dpr); y < int((r.bottom() + 1) * dpr); ++y) {
            for (int x = int(r.left() * dpr); x < int((r.right() + 1) * dpr); ++x) {
                const QColor c = image.pixelColor(x, y);
                const bool blue = c.blue() >= 200 && c.red() <= 80 && c.green() <= 80;
                const bool red = c.red() >= 200 && c.blue() <= 80 && c.green() <= 80;
                if (!blue && !red)
                    continue;
                if (lit.panel >= 0 && lit.panel != p)
                    return {-2, QColor()};
                lit = {p, blue ? kBlue : kRed};
            }
        }
    }
    return lit;
}

} // namespace

Q_DECLARE_METATYPE(Generation)

class LiveWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void liveCyclesShowTheWords_data();
    void liveCyclesShowTheWords();
    void comErrorStaysUntilReset_data();
    void comErrorStaysUntilReset();
    void rangeCheckLimitsInPlace();
    void staleValuesAreMarked_data();
    void staleValuesAreMarked();

private:
    void startSimulator(Generation gen, const Words& words);
    void poke(const Words& words);
    void connectAndRead();
    // Waits until the display has run twice more (a full live cycle after any change).
    bool waitForDisplayRuns();
    // Every block-read answer from now on comes with a wrong checksum, for long enough.
    void keepFailingChecksums();
    bool staleMarked() const;
    // Unmarked, and the status line shows the note it showed before the mark.
    bool staleUnmarked() const;
    QString noteBeforeStale_;

    Generation gen_ = Generation::New;
};

void LiveWindowTest::initTestCase() {
    useTestSettings();
}

void LiveWindowTest::init() {
    resetShared();
}

void LiveWindowTest::cleanup() {
    releaseAll();
}

void LiveWindowTest::startSimulator(Generation gen, const Words& words) {
    gen_ = gen;
    startController(gen, 14, true);
    poke(soundWords(gen));
    poke(words);
}

void LiveWindowTest::poke(const Words& words) {
    for (const auto& [entry, value] : words)
        sim_->model().poke(Space::Ram, ramAddress(gen_, entry), quint16(value));
}

void LiveWindowTest::connectAndRead() {
    createWindow();
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    w_->PageControl1->setCurrentWidget(w_->TabSheet1);
    connectAndIdentify();
    QCOMPARE(w_->HW_old, gen_ == Generation::Old);
    QVERIFY(waitForDisplayRuns());
}

bool LiveWindowTest::waitForDisplayRuns() {
    const quint64 from = displayRuns_;
    return QTest::qWaitFor([&] { return displayRuns_ >= from + 2; }, kWait);
}

void LiveWindowTest::liveCyclesShowTheWords_data() {
    QTest::addColumn<Generation>("gen");
    QTest::addColumn<Words>("words");
    QTest::addColumn<QString>("fist");
    QTest::addColumn<QString>("nominalSaving");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("hoursAll");
    QTest::addColumn<QString>("brightening");
    QTest::addColumn<int>("periodLamp"); // wt_ph1..3 = 0..2, we_ph1..3 = 3..5
    // Operation and error lamps on, fan off; normal operation (panel 2, blue).
    QTest::newRow("new hardware") << Generation::New
                                  << Words{{5, 0x64C8}, {24, 0x0005}, {21, 0x0302}, {58, 0x0C1F},
                                           {59, 26},    {57, 0x0217}, {56, 0x3B2A}, {17, 1},
                                           {16, 0},     {2, 0x1808}}
                                  << "50"
                                  << "67%"
                                  << "31.12.2026  23:59"
                                  << "18,20h"
                                  << "600" << 2;
    QTest::newRow("old hardware") << Generation::Old
                                  << Words{{6, 150},     {7, 100}, {21, 0x0005}, {19, 0x0602},
                                           {24, 0x0C1F}, {25, 26}, {23, 0x0617}, {22, 0x3B2A},
                                           {13, 1},      {12, 2},  {11, 3},      {10, 30},
                                           {28, 0x1808}}
                                  << "67"
                                  << "67%"
                                  << "31.12.2026  23:59"
                                  << "8811,5h"
                                  << "600" << 4;
}

void LiveWindowTest::liveCyclesShowTheWords() {
    QFETCH(Generation, gen);
    QFETCH(Words, words);
    QFETCH(QString, fist);
    QFETCH(QString, nominalSaving);
    QFETCH(QString, clock);
    QFETCH(QString, hoursAll);
    QFETCH(QString, brightening);
    QFETCH(int, periodLamp);
    startSimulator(gen, words);
    connectAndRead();

    QCOMPARE(w_->Edit_fist->text(), fist);
    QCOMPARE(w_->Edit_fsoll->text(), QString("100"));
    QCOMPARE(w_->e_spar_soll_anz->text(), nominalSaving);
    QCOMPARE(w_->uC_Zeit->text(), clock);
    QCOMPARE(w_->uC_Zeit2->text(), clock);
    QCOMPARE(w_->h_all->text(), hoursAll);
    QCOMPARE(w_->Edit13->text(), brightening);
    QCOMPARE(w_->LED_G->brushColor(), kGreen);
    QCOMPARE(w_->LED_R->brushColor(), kRed);
    QCOMPARE(w_->LED_Y->brushColor(), kGrey);
    const TLampShape* const periods[] = {w_->wt_ph1_led, w_->wt_ph2_led, w_->wt_ph3_led,
                                         w_->we_ph1_led, w_->we_ph2_led, w_->we_ph3_led};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(periods[i]->brushColor(), i == periodLamp ? kGreen : kGrey);
    QCOMPARE(w_->controller_state, quint16(2));
    const LitPanel lit = litPanel(w_->StatusBar1);
    QCOMPARE(lit.panel, 2);
    QCOMPARE(lit.colour, kBlue);
    // The service page's bar, painted by its own handler, shows the same state.
    w_->service_unlocked = true; // as after an accepted password
    w_->PageControl1->setCurrentWidget(w_->TabSheet2);
    QCOMPARE(litPanel(w_->StatusBar2).panel, 2);
    QVERIFY(!w_->Label31->isVisibleTo(w_->GroupBox8));
}

// A word out of range is shown limited with "Com-Error !"; the note stays when the word is
// back in range and goes with the reset on disconnecting, which also turns the lamps
// silver, the savings to "0 %" and unlights the state bar.
void LiveWindowTest::comErrorStaysUntilReset_data() {
    QTest::addColumn<Generation>("gen");
    QTest::addColumn<Words>("bad");
    QTest::addColumn<Words>("good");
    QTest::addColumn<QString>("limitedFist");
    QTest::addColumn<QString>("fist");
    QTest::addColumn<Words>("standby");
    QTest::newRow("new hardware: actual period 30")
        << Generation::New << Words{{5, 0x641E}} << Words{{5, 0x6464}} << "200"
        << "100" << Words{{21, 0x0006}};
    QTest::newRow("old hardware: actual period 80")
        << Generation::Old << Words{{6, 80}} << Words{{6, 200}} << "100"
        << "50" << Words{{19, 0x0004}};
}

void LiveWindowTest::comErrorStaysUntilReset() {
    QFETCH(Generation, gen);
    QFETCH(Words, bad);
    QFETCH(Words, good);
    QFETCH(QString, limitedFist);
    QFETCH(QString, fist);
    QFETCH(Words, standby);
    startSimulator(gen, bad + standby);
    connectAndRead();
    QCOMPARE(w_->Edit_fist->text(), limitedFist);
    QVERIFY(w_->Label31->isVisibleTo(w_->GroupBox8));
    // Standby (new) or error (old): a red panel.
    const LitPanel lit = litPanel(w_->StatusBar1);
    QCOMPARE(lit.colour, kRed);

    poke(good);
    QVERIFY(waitForDisplayRuns());
    QCOMPARE(w_->Edit_fist->text(), fist);
    QVERIFY(w_->Label31->isVisibleTo(w_->GroupBox8));

    w_->Com_activate_btClick(); // disconnect
    QVERIFY(!w_->Label31->isVisibleTo(w_->GroupBox8));
    for (const TLampShape* lamp : {w_->LED_G, w_->LED_Y, w_->LED_R, w_->Sh_cond_3, w_->Sh_cond_4,
                                   w_->Sh_Dimm_off, w_->wt_ph1_led, w_->wt_ph2_led, w_->wt_ph3_led,
                                   w_->we_ph1_led, w_->we_ph2_led, w_->we_ph3_led})
        QCOMPARE(lamp->brushColor(), TLampShape::silver());
    for (const QLabel* saving : {w_->e_spar_soll_anz, w_->e_spar_ist_anz,
                                 w_->e_spar_soll_intern_anz, w_->e_spar_soll_extern_anz})
        QCOMPARE(saving->text(), QString("0 %"));
    QCOMPARE(w_->controller_state, quint16(9));
    QCOMPARE(litPanel(w_->StatusBar1).panel, -1);
    // The measured values keep the last reading.
    QCOMPARE(w_->Edit_fist->text(), fist);
}

void LiveWindowTest::rangeCheckLimitsInPlace() {
    // The range check the parameter read shares: limit in place, note until the reset.
    THauptfenster w;
    quint16 value = 120;
    w.chk_val(&value, 50, 200);
    QCOMPARE(value, quint16(120));
    QVERIFY(!w.Label31->isVisibleTo(w.GroupBox8));
    value = 30;
    w.chk_val(&value, 50, 200);
    QCOMPARE(value, quint16(50));
    QVERIFY(w.Label31->isVisibleTo(w.GroupBox8));
    value = 0xFFFF;
    w.chk_val(&value, 50, 200);
    QCOMPARE(value, quint16(200));
    value = 100;
    w.chk_val(&value, 50, 200);
    QVERIFY(w.Label31->isVisibleTo(w.GroupBox8));
    w.init_anzeige();
    QVERIFY(!w.Label31->isVisibleTo(w.GroupBox8));
}

void LiveWindowTest::keepFailingChecksums() {
    // A fault fires once, at the first block-read checksum at or after its byte. The
    // reading is a synchronisation (10 bytes) and a block read (170 bytes) again and
    // again, so one fault every 180 bytes hits every answer in turn: 200 of them outlast
    // any wait below (a cycle takes at least four ticks, 200 ms).
    constexpr quint64 kCycleBytes = 10 + 170;
    for (quint64 k = 0; k < 200; ++k)
        sim_->host().inject(Fault::badChecksum(k * kCycleBytes));
}

bool LiveWindowTest::staleMarked() const {
    return hasStaleColour(w_->Edit_Uz) &&
           w_->StatusBar3->panelText(TStatusLine::kMessagePanel) ==
               ownText(w_->activeLanguage(), OwnText::LiveValuesStale);
}

bool LiveWindowTest::staleUnmarked() const {
    return !hasStaleColour(w_->Edit_Uz) &&
           w_->StatusBar3->panelText(TStatusLine::kMessagePanel) == noteBeforeStale_;
}

// New hardware's answers keep failing their checksum (noise in the data area): they are
// skipped without a message, and after more than a second the values on screen turn grey
// with a note in the status line. The mark goes with the next sound answer, or with the
// reading: disconnecting and the error step reset the display, which is not stale.
void LiveWindowTest::staleValuesAreMarked_data() {
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("a sound answer") << "sound" << QStringList();
    QTest::newRow("disconnecting") << "disconnect" << QStringList();
    QTest::newRow("the error step") << "error" << QStringList{"       COM Data-Error!       "};
}

void LiveWindowTest::staleValuesAreMarked() {
    QFETCH(QString, ending);
    QFETCH(QStringList, messages);
    startSimulator(Generation::New, {});
    connectAndRead();
    // A note of the fault memory's, which the mark covers while it lasts.
    noteBeforeStale_ = ownText(w_->activeLanguage(), OwnText::FaultPositionImpossible).arg(120);
    w_->StatusBar3->setPanelText(TStatusLine::kMessagePanel, noteBeforeStale_);
    QVERIFY(staleUnmarked());
    const QString uzBefore = w_->Edit_Uz->text();

    keepFailingChecksums();
    sim_->model().poke(Space::Ram, ramAddress(gen_, 8), 0x2000); // Uz: 3200 V, never shown
    QVERIFY(QTest::qWaitFor([this] { return staleMarked(); }, kWait));
    QCOMPARE(w_->Edit_Uz->text(), uzBefore);
    // Edits and labels alike.
    const QWidget* const fields[] = {w_->Edit_fist, w_->e_spar_soll_anz, w_->uC_Zeit};
    for (const QWidget* field : fields)
        QVERIFY(hasStaleColour(field));
    QCOMPARE(w_->Edit_Uz->palette().color(QPalette::Text), QColor(128, 128, 128));
    QVERIFY(w_->sio_started && w_->ram_rd_req && w_->SPStimer->isActive());
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));

    if (ending == "sound") {
        sim_->host().clearFaults();
        QVERIFY(QTest::qWaitFor([this] { return staleUnmarked(); }, kWait));
        // Taken away by the answer that shows the new value, not before.
        QCOMPARE(w_->Edit_Uz->text(), QString("3200"));
        QVERIFY(w_->Edit_Uz->palette().color(QPalette::Text) != QColor(128, 128, 128));
    } else if (ending == "disconnect") {
        w_->Com_activate_btClick();
        QVERIFY(staleUnmarked());
    } else {
        sim_->host().inject(Fault::silent());
        QVERIFY(QTest::qWaitFor([this] { return !w_->sio_started; }, kWait));
        // The panel then holds the link diagnosis of the failure: nothing came back.
        noteBeforeStale_ = traceText(w_->activeLanguage(), TraceText::DiagnosisNoAnswer);
        QVERIFY(staleUnmarked());
    }
    // The next look of the timer that always runs leaves it so: the last sound answer is
    // long past, so a reading still counted as running would be marked at once.
    w_->HelptimerTimer();
    QVERIFY(staleUnmarked());
    QCOMPARE(messages_, messages);
}

QTEST_MAIN(LiveWindowTest)
#include "tst_live_window.moc"
