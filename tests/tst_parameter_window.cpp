// The parameter read through the window against the simulated controller of both
// generations: the fields, the parameter grid and the order check that follows the read.
#include "app/hauptfenster.h"
#include "app/widgets/field_colour.h"
#include "protocol/protocol_state.h"
#include "serial/sio.h"
#include "sim/simulator.h"
#include "window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>

using trvsim::Generation;
using trvsim::Space;

namespace {

// Where each generation keeps what the read shows (word addresses).
struct ParameterMap {
    Space profileSpace;
    quint16 profile, takt, start, burnIn;
    Space startSpace;
};
ParameterMap mapOf(Generation generation) {
    if (generation == Generation::New)
        return {Space::Parameter, 0x020, 0x038, 0x004, 0x006, Space::Parameter};
    return {Space::Ram, 0xB2, 0xCA, 0x50, 0x52, Space::Ram};
}

} // namespace

class ParameterWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() { resetShared(); }
    void cleanup() { releaseAll(); }

    void readFillsTheFields_data();
    void readFillsTheFields();
    void readProfileOutOfOrderLocksTheWrite_data();
    void readProfileOutOfOrderLocksTheWrite();
    void oldControllerWithoutRampTimes();

private:
    void pokeProfile(Generation generation, const std::array<quint16, 8>& times);
    void pokeParameters(Generation generation);
    // Presses the read button and waits until the answer is shown.
    void readParameters();
};

void ParameterWindowTest::pokeProfile(Generation generation, const std::array<quint16, 8>& times) {
    const ParameterMap map = mapOf(generation);
    for (int i = 0; i < 8; ++i)
        sim_->model().poke(map.profileSpace, quint16(map.profile + 2 * i), times[std::size_t(i)]);
}

void ParameterWindowTest::pokeParameters(Generation generation) {
    const ParameterMap map = mapOf(generation);
    auto& model = sim_->model();
    pokeProfile(generation, {0x1600, 0x0000, 0x051E, 0x0600, 0x1700, 0x0100, 0x0700, 0x0800});
    model.poke(map.profileSpace, map.takt, 0x64AC);     // workday 1: 172, 2: 100
    model.poke(map.profileSpace, map.takt + 2, 0x96C8); // workday 3: 200, weekend 1: 150
    model.poke(map.profileSpace, map.takt + 4, 0xAC64); // weekend 2: 100, 3: 172
    model.poke(map.startSpace, map.start, 143);         // 70 Hz
    model.poke(map.startSpace, map.burnIn, 300);        // 5 min
    model.poke(Space::Parameter, 0x46, 0x1808);         // darken 200 s, brighten 600 s
}

void ParameterWindowTest::readParameters() {
    w_->uC_read_btClick();
    QVERIFY(QTest::qWaitFor([this] { return !w_->data_rd_req; }, kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void ParameterWindowTest::readFillsTheFields_data() {
    QTest::addColumn<Generation>("generation");
    QTest::newRow("new hardware") << Generation::New;
    QTest::newRow("old hardware") << Generation::Old;
}

void ParameterWindowTest::readFillsTheFields() {
    QFETCH(Generation, generation);
    startController(generation, 14, true);
    pokeParameters(generation);
    if (generation == Generation::Old) {
        sim_->model().poke(Space::Parameter, 0x42, 700);
        sim_->model().poke(Space::Parameter, 0x44, 800);
    }
    createWindow();
    connectAndIdentify();
    readParameters();

    const QStringList times{"22:00", "00:00", "05:30", "06:00", "23:00", "01:00", "07:00", "08:00"};
    const QTimeEdit* pickers[] = {w_->DateTimePicker_Mo1, w_->DateTimePicker_Mo2,
                                  w_->DateTimePicker_Mo3, w_->DateTimePicker_Mo_End,
                                  w_->DateTimePicker_Sa1, w_->DateTimePicker_Sa2,
                                  w_->DateTimePicker_Sa3, w_->DateTimePicker_Sa_End};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(pickers[i]->time().toString("HH:mm"), times[i]);
    const QLabel* takts[] = {w_->wt1_takt, w_->wt2_takt, w_->wt3_takt,
                             w_->we1_takt, w_->we2_takt, w_->we3_takt};
    const QLineEdit* savings[] = {w_->edit_WT_Red1, w_->edit_WT_Red2, w_->edit_WT_Red3,
                                  w_->edit_WE_Red1, w_->edit_WE_Red2, w_->edit_WE_Red3};
    const QStringList taktTexts{"172", "100", "200", "150", "100", "172"};
    const QStringList savingTexts{"30", "67", "0", "45", "67", "30"};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(takts[i]->text(), taktTexts[i]);
        QCOMPARE(savings[i]->text(), savingTexts[i]);
    }
    QCOMPARE(w_->takt_burn->text(), QString("70"));
    QCOMPARE(w_->takt_burn_visu->text(), QString("70"));
    QCOMPARE(w_->time_burn->text(), QString("5"));
    QCOMPARE(w_->time_burn_visu->text(), QString("5"));
    QCOMPARE(w_->Edit6->text(), QString("200"));
    QCOMPARE(w_->Edit10->text(), QString("600"));
    QVERIFY(w_->Label31->isHidden());
    // The profiles are in order: the write is open while the link runs.
    QVERIFY(!w_->err_bit);
    QVERIFY(w_->uC_send_bt->isEnabled());
    QVERIFY(w_->uC_read_bt->isEnabled());
    QVERIFY(w_->SPStimer->isActive()); // the live reading goes on
    if (generation == Generation::New) {
        // Slot 47, the start frequency, in row 48 of the parameter grid and of Eep_Data.
        QCOMPARE(w_->StringGrid3->item(48, 0)->text(), QString("0x0004"));
        QCOMPARE(w_->StringGrid3->item(48, 2)->text(), QString("143"));
        QCOMPARE(w_->StringGrid3->item(48, 3)->text(), QString("0x008F"));
        QCOMPARE(w_->Eep_Data.val_int[47], quint16(143));
    } else {
        QCOMPARE(w_->uac_start_int, quint16(700));
        QCOMPARE(w_->uac_nenn_int, quint16(800));
        QVERIFY(w_->StringGrid3->item(48, 2)->text().isEmpty());
    }
}

void ParameterWindowTest::readProfileOutOfOrderLocksTheWrite_data() {
    readFillsTheFields_data();
}

void ParameterWindowTest::readProfileOutOfOrderLocksTheWrite() {
    QFETCH(Generation, generation);
    startController(generation, 14, true);
    pokeParameters(generation);
    pokeProfile(generation, {0x1400, 0x1300, 0x0500, 0x0600, 0x1600, 0x0000, 0x0700, 0x0800});
    createWindow();
    connectAndIdentify();
    readParameters();
    QVERIFY(w_->err_bit);
    QVERIFY(!w_->uC_send_bt->isEnabled());
    QVERIFY(hasErrorColour(w_->DateTimePicker_Mo2)); // 19:00 after 20:00, no sender
    QVERIFY(!hasErrorColour(w_->DateTimePicker_Mo1));
    QVERIFY(!hasErrorColour(w_->DateTimePicker_Sa2));

    // Putting period 2 back in order opens the write again.
    w_->DateTimePicker_Mo2->setTime(QTime(21, 0));
    QVERIFY(!w_->err_bit);
    QVERIFY(!hasErrorColour(w_->DateTimePicker_Mo2));
    QVERIFY(w_->uC_send_bt->isEnabled());
}

void ParameterWindowTest::oldControllerWithoutRampTimes() {
    startController(Generation::Old, 13, true);
    pokeParameters(Generation::Old);
    createWindow();
    connectAndIdentify();
    w_->Edit6->setText("425");
    readParameters();
    QCOMPARE(w_->Edit6->text(), QString("425"));
    QVERIFY(!w_->Label22->isHidden());
    QCOMPARE(w_->takt_burn_visu->text(), QString("70")); // the rest is read as usual
}

QTEST_MAIN(ParameterWindowTest)
#include "tst_parameter_window.moc"
