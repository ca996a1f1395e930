// The parameter read through the window against the simulated controller of both
// generations: the fields, the parameter grid and the order check that follows the read.
#include "app/hauptfenster.h"
#include "app/widgets/field_colour.h"
#include "app/widgets/up_down.h"
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
    void writeStoresWhatTheFieldsShow_data();
    void writeStoresWhatTheFieldsShow();
    void refusedWriteSendsNothing();
    void writeButtonRule_data();
    void writeButtonRule();

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

void ParameterWindowTest::writeStoresWhatTheFieldsShow_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("password"); // entered on the service page; none: not asked
    QTest::addColumn<int>("slotCount");
    QTest::newRow("new, no access level") << Generation::New << 14 << QString() << 28;
    QTest::newRow("new, wrong password") << Generation::New << 14 << QString("Qox") << 28;
    QTest::newRow("new, service level") << Generation::New << 14 << QString("qox") << 30;
    QTest::newRow("new, calibration level") << Generation::New << 14 << QString("tarnel4") << 30;
    QTest::newRow("old rev. 14, service level") << Generation::Old << 14 << QString("qox") << 30;
    QTest::newRow("old rev. 13, service level") << Generation::Old << 13 << QString("qox") << 28;
}

void ParameterWindowTest::writeStoresWhatTheFieldsShow() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    QFETCH(QString, password);
    QFETCH(int, slotCount);
    const bool old = generation == Generation::Old;
    startController(generation, revision, true);
    pokeParameters(generation);
    createWindow();
    connectAndIdentify();
    readParameters();
    if (!password.isEmpty()) {
        w_->passwordPrompt = [password](const QString&, const QString&, const QString&) {
            return password;
        };
        w_->PageControl1->setCurrentWidget(w_->TabSheet2);
    }

    // A technician's edits: period 1 one step more saving, a later dimming end, 60 Hz,
    // 12 minutes, a shorter darkening.
    w_->UpDown_WT1->click(TUpDown::Up); // takt 172 → 170
    w_->DateTimePicker_Mo_End->setTime(QTime(6, 30));
    for (int i = 0; i < 10; ++i)
        w_->UpDown2->click(TUpDown::Down); // 70 → 60 Hz
    w_->time_burn_visu->setText("12");
    w_->Edit6->setText("200");
    w_->UpDown7->click(TUpDown::Down); // 200 → 175 s
    QCOMPARE(w_->wt1_takt->text(), QString("170"));
    QCOMPARE(w_->takt_burn_visu->text(), QString("60"));
    QCOMPARE(w_->Edit6->text(), QString("175"));
    QVERIFY(w_->uC_send_bt->isEnabled());

    sim_->host().clearReceived();
    w_->uC_send_btClick();
    QVERIFY(QTest::qWaitFor([this] { return !w_->data_wr_req; }, kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QVERIFY(w_->ram_rd_req); // the live reading resumes
    QVERIFY(w_->uC_send_bt->isEnabled());
    w_->SPStimer->stop();
    QVERIFY(QTest::qWaitFor([this] { return w_->Ths->isAsleep() && !w_->Ths->anmeldung; }, kWait));

    // After the synchronisation, exactly the telegram of the write, framed by the request
    // word 2 (then the next synchronisation, if it has started).
    const QByteArray received = sim_->host().received();
    const int itemSize = old ? 5 : 6;
    const QByteArray write = received.mid(10, slotCount * itemSize);
    QCOMPARE(write.size(), slotCount * itemSize);
    const QByteArray frame =
        old ? QByteArray::fromHex("0374020005") : QByteArray::fromHex("070064000205");
    QCOMPARE(write.left(itemSize), frame);
    QCOMPARE(write.mid(27 * itemSize, itemSize), frame);
    if (received.size() > 10 + write.size())
        QCOMPARE(received.at(10 + write.size()), char(0x00));

    auto& model = sim_->model();
    const auto both = [&](quint16 ram, quint16 memory, quint16 value) {
        QCOMPARE(model.peek(Space::Ram, ram), value);
        QCOMPARE(model.peek(Space::Parameter, memory), value);
    };
    both(0xB8, 0x26, 0x061E);                        // workday dimming end 06:30
    both(0xCA, 0x38, 0x64AA);                        // takts 170 | 100
    both(old ? 0x50 : 0x38, old ? 0x02 : 0x04, 167); // 10000 / 60 = 166.7
    both(old ? 0x52 : 0x36, old ? 0x04 : 0x06, 720);
    const quint16 ramp = quint16(slotCount == 30 ? 0x1807 : 0x1808);
    QCOMPARE(model.peek(Space::Parameter, 0x46), ramp);
    QCOMPARE(!w_->Label22->isHidden(), old && revision < 14);

    // Read back: the fields show what was written.
    w_->Edit6->setText("600");
    readParameters();
    QCOMPARE(w_->wt1_takt->text(), QString("170"));
    QCOMPARE(w_->DateTimePicker_Mo_End->time(), QTime(6, 30));
    QCOMPARE(w_->takt_burn_visu->text(), QString("60"));
    QCOMPARE(w_->time_burn_visu->text(), QString("12"));
    if (slotCount == 30)
        QCOMPARE(w_->Edit6->text(), QString("175"));
}

void ParameterWindowTest::refusedWriteSendsNothing() {
    startController(Generation::New, 14, true);
    pokeParameters(Generation::New);
    createWindow();
    connectAndIdentify();
    readParameters();
    w_->time_burn_visu->setText("");
    sim_->host().clearReceived();
    w_->uC_send_btClick();
    QVERIFY(QTest::qWaitFor([this] { return !w_->data_wr_req; }, kWait));
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_.first().contains(w_->GetInfoString(93).trimmed()),
             qPrintable(messages_.first()));
    // No write item went out (new hardware writes with the commands 0x07 and 0x08), the
    // button is back and the live reading goes on.
    QVERIFY(QTest::qWaitFor([this] { return displayRuns_ > 0; }, kWait));
    const QByteArray received = sim_->host().received();
    QVERIFY(!received.contains(char(0x07)) && !received.contains(char(0x08)));
    QCOMPARE(sim_->model().peek(Space::Parameter, 0x006), quint16(300));
    QVERIFY(w_->uC_send_bt->isEnabled());
    QVERIFY(w_->ram_rd_req);
}

void ParameterWindowTest::writeButtonRule_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<bool>("profileInOrder");
    QTest::addColumn<QString>("change"); // which start setting the technician changes
    QTest::addColumn<bool>("enabled");
    for (const auto generation : {Generation::New, Generation::Old}) {
        const char* g = generation == Generation::New ? "new" : "old";
        QTest::addRow("%s: in order, burn-in changed", g)
            << generation << true << "burn-in" << true;
        // A start-setting change never opens the write of a profile out of order.
        QTest::addRow("%s: out of order, burn-in changed", g)
            << generation << false << "burn-in" << false;
        QTest::addRow("%s: out of order, start frequency changed", g)
            << generation << false << "start" << false;
    }
}

void ParameterWindowTest::writeButtonRule() {
    QFETCH(Generation, generation);
    QFETCH(bool, profileInOrder);
    QFETCH(QString, change);
    QFETCH(bool, enabled);
    startController(generation, 14, true);
    pokeParameters(generation);
    if (!profileInOrder)
        pokeProfile(generation, {0x1400, 0x1300, 0x0500, 0x0600, 0x1600, 0x0000, 0x0700, 0x0800});
    createWindow();
    connectAndIdentify();
    readParameters();
    QCOMPARE(w_->err_bit, !profileInOrder);
    if (change == "burn-in")
        w_->UpDown3->click(TUpDown::Up);
    else
        w_->UpDown2->click(TUpDown::Down);
    QCOMPARE(w_->uC_send_bt->isEnabled(), enabled);
    QCOMPARE(w_->err_bit, !profileInOrder); // the check alone sets it
}

QTEST_MAIN(ParameterWindowTest)
#include "tst_parameter_window.moc"
