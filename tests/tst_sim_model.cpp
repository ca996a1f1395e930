// The simulated controller's memories and running behaviour, read the way the PC reads
// them: words low byte first, texts two characters a word, bytes of packed words apart.
// Time is driven with advance() on a frozen time line, never by waiting.
#include "sim/controller_model.h"

#include <QSet>
#include <QTest>
#include <memory>

using trvsim::ControllerModel;
using trvsim::Generation;
using trvsim::Space;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(trvsim::Generation)
Q_DECLARE_METATYPE(trvsim::Space)
Q_DECLARE_METATYPE(trvsim::ControllerModel::OperatingState)

namespace {

int lo(quint16 w) {
    return w & 0xFF;
}
int hi(quint16 w) {
    return w >> 8;
}
quint16 word(int high, int low) {
    return quint16(high << 8 | low);
}

bool isOld(Generation g) {
    return g == Generation::Old;
}

// RAM words the PC's live display takes its values from, per generation.
struct Live {
    quint16 stateZone, sink1, sink2, uz, uac, displayBits, runTime;
};
Live live(Generation g) {
    if (isOld(g))
        return {0x66, 0x40, 0x42, 0x44, 0x46, 0x72, 0x64};
    return {0x5A, 0x4A, 0x4C, 0x40, 0x42, 0x60, 0x58};
}

int state(ControllerModel& m) {
    return lo(m.readWord(Space::Ram, live(m.generation()).stateZone));
}
int zone(ControllerModel& m) {
    return hi(m.readWord(Space::Ram, live(m.generation()).stateZone));
}
int setTakt(ControllerModel& m) {
    return isOld(m.generation()) ? m.readWord(Space::Ram, 0x4E) : hi(m.readWord(Space::Ram, 0x3A));
}
int actualTakt(ControllerModel& m) {
    return isOld(m.generation()) ? m.readWord(Space::Ram, 0x4C) : lo(m.readWord(Space::Ram, 0x3A));
}
bool fanOn(ControllerModel& m) {
    return m.readWord(Space::Ram, live(m.generation()).displayBits) & 0x02;
}

// Operating seconds as the PC adds them up: one 32-bit second count on new hardware,
// minutes / hours / days / years on old hardware.
qint64 operatingSeconds(ControllerModel& m, bool dimmed) {
    if (isOld(m.generation())) {
        const quint16 base = dimmed ? 0x5C : 0x54;
        const qint64 minutes =
            m.readWord(Space::Ram, base) + 60 * (m.readWord(Space::Ram, base + 2) +
                                                 24 * (m.readWord(Space::Ram, base + 4) +
                                                       365LL * m.readWord(Space::Ram, base + 6)));
        return minutes * 60;
    }
    const quint16 base = dimmed ? 0x54 : 0x50;
    return m.readWord(Space::Ram, base) + (qint64(m.readWord(Space::Ram, base + 2)) << 16);
}

QByteArray textAt(ControllerModel& m, quint16 address, int chars) {
    QByteArray text;
    for (int i = 0; i < chars; i += 2) {
        const quint16 w = m.readWord(Space::Parameter, quint16(address + i));
        text += char(lo(w));
        if (i + 1 < chars)
            text += char(hi(w));
    }
    return text;
}

QByteArray cutAt(const QByteArray& text, char c) {
    const int at = text.indexOf(c);
    return at < 0 ? text : text.left(at);
}

// A profile of the test's own, pinned into the RAM working copies, with a short burn-in
// and no ramp, so that the lamp frequency follows the clock at once.
// Workday: 20:00 / 22:00 / 02:00, end 06:00, takt 160 / 100 / 140.
// Weekend: 21:00 / 23:30 / 04:00, end 07:30, takt 180 / 120 / 150.
void pinProfile(ControllerModel& m, quint16 ramp = 0) {
    const quint16 times[8] = {word(20, 0), word(22, 0),  word(2, 0), word(6, 0),
                              word(21, 0), word(23, 30), word(4, 0), word(7, 30)};
    for (int i = 0; i < 8; ++i)
        m.poke(Space::Ram, quint16(0xB2 + 2 * i), times[i]);
    m.poke(Space::Ram, 0xCA, word(100, 160));
    m.poke(Space::Ram, 0xCC, word(180, 140));
    m.poke(Space::Ram, 0xCE, word(150, 120));
    const bool old = isOld(m.generation());
    m.poke(Space::Ram, old ? 0x52 : 0x36, 180);
    m.poke(Space::Ram, old ? 0x30 : 0x34, ramp);
}

std::unique_ptr<ControllerModel> frozenModel(Generation g, int revision = 14) {
    auto m = std::make_unique<ControllerModel>(g, revision);
    m->setFrozen(true);
    return m;
}

QDateTime at(int y, int mo, int d, int h, int mi, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

void addGenerations() {
    QTest::addColumn<Generation>("generation");
    QTest::newRow("new") << Generation::New;
    QTest::newRow("old") << Generation::Old;
}

} // namespace

class SimModelTest : public QObject {
    Q_OBJECT
private slots:
    void newIdentityTexts_data();
    void newIdentityTexts();
    void newRevisionNumbers();
    void oldVersionText_data();
    void oldVersionText();
    void unprogrammedReadsFFFF_data();
    void unprogrammedReadsFFFF();
    void writesReadBack_data();
    void writesReadBack();
    void oldAddressesUseLowByte();
    void pokePinsAgainstRunningController_data();
    void pokePinsAgainstRunningController();
    void startSequence_data();
    void startSequence();
    void pcClockRequest_data();
    void pcClockRequest();
    void clockRunsOverMonthEnd();
    void nightProfile_data();
    void nightProfile();
    void rampTimes_data();
    void rampTimes();
    void operatingCounters_data();
    void operatingCounters();
    void measurementsSensible_data();
    void measurementsSensible();
    void fanFollowsHeatSink_data();
    void fanFollowsHeatSink();
    void faultRing_data();
    void faultRing();
    void powerCycleReloadsWorkingCopies_data();
    void powerCycleReloadsWorkingCopies();
    void serviceStates_data();
    void serviceStates();
    void lampFrequencyHeld_data();
    void lampFrequencyHeld();
    void burnInOverride_data();
    void burnInOverride();
    void faultsWhileRunning_data();
    void faultsWhileRunning();
    void calibrationWriteTakesEffect_data();
    void calibrationWriteTakesEffect();
    void spoiledWrite_data();
    void spoiledWrite();
};

void SimModelTest::newIdentityTexts_data() {
    QTest::addColumn<quint16>("address");
    QTest::addColumn<int>("chars");
    QTest::addColumn<QByteArray>("expected");
    // Texts are cut at NUL and, for the newer block, at an unprogrammed 0xFF.
    QTest::newRow("product code") << quint16(0x114) << 16 << QByteArray("TRV5200-3x400V");
    QTest::newRow("description = date") << quint16(0x128) << 10 << QByteArray("14.03.2019");
    QTest::newRow("newer product code") << quint16(0x160) << 16 << QByteArray("TRV5200-3x400V  ");
    QTest::newRow("newer date") << quint16(0x180) << 14 << QByteArray(" SW 22.05.2023");
}

void SimModelTest::newIdentityTexts() {
    QFETCH(quint16, address);
    QFETCH(int, chars);
    QFETCH(QByteArray, expected);
    ControllerModel m(Generation::New);
    const QByteArray raw = textAt(m, address, chars);
    QCOMPARE(cutAt(cutAt(raw, '\0'), '\xFF'), expected);
    // Low byte first: the first word carries the first two characters in that order.
    const quint16 first = m.readWord(Space::Parameter, address);
    QCOMPARE(lo(first), int(uchar(expected[0])));
    QCOMPARE(hi(first), int(uchar(expected[1])));
}

void SimModelTest::newRevisionNumbers() {
    ControllerModel m(Generation::New);
    const quint16 swVersion = m.readWord(Space::Parameter, 0x138);
    const quint16 options = m.readWord(Space::Parameter, 0x13A);
    const quint16 development = m.readWord(Space::Parameter, 0x13C);
    const QString rev = QStringLiteral("%1.%2.%3.%4")
                            .arg(lo(swVersion))
                            .arg(hi(swVersion))
                            .arg(options)
                            .arg(lo(development));
    QCOMPARE(rev, QStringLiteral("27.3.0.0"));
    // Option bit 0 clear means both heat-sink sensors are fitted: the second one must
    // then give a real reading, not a disconnected-sensor value.
    const quint16 sink2 = m.readWord(Space::Ram, 0x4C);
    QVERIFY(sink2 > 448 && sink2 < 928);
}

void SimModelTest::oldVersionText_data() {
    QTest::addColumn<int>("revision"); // -1: the constructor's default
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<bool>("calibrated");
    QTest::addColumn<bool>("ramps");
    QTest::newRow("default") << -1 << QByteArray("14") << true << true;
    QTest::newRow("rev 15") << 15 << QByteArray("15") << true << true;
    QTest::newRow("rev 13") << 13 << QByteArray("13") << true << false;
    QTest::newRow("rev 12") << 12 << QByteArray("12") << false << false;
    QTest::newRow("rev 9") << 9 << QByteArray("09") << false << false;
}

void SimModelTest::oldVersionText() {
    QFETCH(int, revision);
    QFETCH(QByteArray, digits);
    QFETCH(bool, calibrated);
    QFETCH(bool, ramps);
    auto m = revision < 0 ? std::make_unique<ControllerModel>(Generation::Old)
                          : std::make_unique<ControllerModel>(Generation::Old, revision);
    const QByteArray text = textAt(*m, 0xE0, 32);
    QCOMPARE(text.size(), 32);
    QVERIFY(!text.contains('\0') && !text.contains('\xFF'));
    QCOMPARE(text.mid(11, 2), digits); // characters 12 and 13, counting from 1

    const quint16 calibration = m->readWord(Space::Parameter, 0x48);
    if (calibrated)
        QVERIFY2(calibration >= 560 && calibration <= 620,
                 qPrintable(QString::number(calibration)));
    else
        QCOMPARE(calibration, quint16(0xFFFF));
    QCOMPARE(m->readWord(Space::Parameter, 0x46) != 0xFFFF, ramps);
}

void SimModelTest::unprogrammedReadsFFFF_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<quint16>("address");
    QTest::newRow("new code words") << Generation::New << quint16(0x100);
    QTest::newRow("new code words end") << Generation::New << quint16(0x112);
    QTest::newRow("new after product code") << Generation::New << quint16(0x124);
    QTest::newRow("new after revision words") << Generation::New << quint16(0x13E);
    QTest::newRow("new after newer code") << Generation::New << quint16(0x170);
    QTest::newRow("new after newer date") << Generation::New << quint16(0x18E);
    QTest::newRow("new between settings") << Generation::New << quint16(0x008);
    QTest::newRow("old word 0") << Generation::Old << quint16(0x00);
    QTest::newRow("old between settings") << Generation::Old << quint16(0x06);
}

void SimModelTest::unprogrammedReadsFFFF() {
    QFETCH(Generation, generation);
    QFETCH(quint16, address);
    ControllerModel m(generation);
    QCOMPARE(m.readWord(Space::Parameter, address), quint16(0xFFFF));
}

void SimModelTest::writesReadBack_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<Space>("space");
    QTest::addColumn<quint16>("address");
    QTest::addColumn<quint16>("value");
    QTest::newRow("new RAM profile copy")
        << Generation::New << Space::Ram << quint16(0xB2) << quint16(0x1234);
    QTest::newRow("new RAM measured")
        << Generation::New << Space::Ram << quint16(0x42) << quint16(0x0123);
    QTest::newRow("new RAM clock")
        << Generation::New << Space::Ram << quint16(0xA0) << quint16(0x0A0B);
    QTest::newRow("new RAM outside block")
        << Generation::New << Space::Ram << quint16(0x0400) << quint16(0xBEEF);
    QTest::newRow("new memory profile")
        << Generation::New << Space::Parameter << quint16(0x020) << quint16(0x1600);
    QTest::newRow("new memory unprogrammed")
        << Generation::New << Space::Parameter << quint16(0x100) << quint16(0x0000);
    QTest::newRow("new memory fault ring")
        << Generation::New << Space::Parameter << quint16(0x0DE) << quint16(0x8001);
    QTest::newRow("new memory high")
        << Generation::New << Space::Parameter << quint16(0xFFFE) << quint16(0x5AA5);
    QTest::newRow("old RAM actual takt")
        << Generation::Old << Space::Ram << quint16(0x4C) << quint16(150);
    QTest::newRow("old RAM ramp") << Generation::Old << Space::Ram << quint16(0x30)
                                  << quint16(0x1808);
    QTest::newRow("old memory version")
        << Generation::Old << Space::Parameter << quint16(0xE0) << quint16(0x4142);
    QTest::newRow("old memory calibration")
        << Generation::Old << Space::Parameter << quint16(0x48) << quint16(600);
    QTest::newRow("old memory last word")
        << Generation::Old << Space::Parameter << quint16(0xFE) << quint16(0x0102);
}

void SimModelTest::writesReadBack() {
    QFETCH(Generation, generation);
    QFETCH(Space, space);
    QFETCH(quint16, address);
    QFETCH(quint16, value);
    auto m = frozenModel(generation);
    const Space other = space == Space::Ram ? Space::Parameter : Space::Ram;
    const quint16 otherBefore = m->readWord(other, address);
    const quint16 below = m->readWord(space, quint16(address - 2));

    m->writeWord(space, address, value);
    QCOMPARE(m->readWord(space, address), value);
    QCOMPARE(m->peek(space, address), value);
    // The two memories are apart, and a word write touches only its own two bytes.
    QCOMPARE(m->readWord(other, address), otherBefore);
    QCOMPARE(m->readWord(space, quint16(address - 2)), below);
}

void SimModelTest::oldAddressesUseLowByte() {
    // Old hardware receives only the low byte of an address.
    auto m = frozenModel(Generation::Old);
    m->writeWord(Space::Parameter, 0x0120, 0x0607);
    QCOMPARE(m->readWord(Space::Parameter, 0x20), quint16(0x0607));
    QCOMPARE(m->readWord(Space::Parameter, 0xFF20), quint16(0x0607));
}

void SimModelTest::pokePinsAgainstRunningController_data() {
    addGenerations();
}

void SimModelTest::pokePinsAgainstRunningController() {
    QFETCH(Generation, generation);
    auto m = frozenModel(generation);
    const quint16 uac = live(generation).uac;
    m->advance(10s);
    m->poke(Space::Ram, uac, 0x0155);
    m->advance(10s);
    QCOMPARE(m->readWord(Space::Ram, uac), quint16(0x0155));

    m->release(Space::Ram, uac);
    QCOMPARE(m->peek(Space::Ram, uac), quint16(0x0155)); // peek does not run the controller
    m->advance(1s);
    QVERIFY(m->readWord(Space::Ram, uac) > 500); // the controller measures again

    // A PC write to a measured word is overwritten by the next measurement cycle.
    m->writeWord(Space::Ram, uac, 7);
    m->advance(1s);
    QVERIFY(m->readWord(Space::Ram, uac) > 500);
}

void SimModelTest::startSequence_data() {
    addGenerations();
}

void SimModelTest::startSequence() {
    QFETCH(Generation, generation);
    auto m = frozenModel(generation);
    const Live w = live(generation);
    QCOMPARE(state(*m), 0);
    QCOMPARE(m->readWord(Space::Ram, w.displayBits) & 0x01, 0); // lamps not yet on
    QCOMPARE(m->readWord(Space::Ram, w.uac), quint16(0));

    m->advance(2s);
    QCOMPARE(state(*m), 1);
    QCOMPARE(m->readWord(Space::Ram, w.displayBits) & 0x01, 0x01);

    m->advance(3s);
    QCOMPARE(state(*m), 2);
    QVERIFY(m->readWord(Space::Ram, w.uac) > 500);
    // Lamps start and burn in at the start frequency from the parameter memory.
    const quint16 start = m->readWord(Space::Parameter, isOld(generation) ? 0x02 : 0x04);
    QCOMPARE(setTakt(*m), int(start));
    QCOMPARE(actualTakt(*m), int(start));
}

void SimModelTest::pcClockRequest_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<quint16>("requestAddress");
    QTest::addColumn<quint16>("monthDate");
    QTest::addColumn<quint16>("request");
    QTest::addColumn<bool>("sets");
    // 15.07.2012 13:30:05, a Sunday, as the PC packs it.
    QTest::newRow("new, request 1")
        << Generation::New << quint16(0x64) << quint16(0x070F) << quint16(1) << true;
    QTest::newRow("old, request 1")
        << Generation::Old << quint16(0x74) << quint16(0x070F) << quint16(1) << true;
    QTest::newRow("new, request 2")
        << Generation::New << quint16(0x64) << quint16(0x070F) << quint16(2) << false;
    QTest::newRow("old, wrong word")
        << Generation::Old << quint16(0x64) << quint16(0x070F) << quint16(1) << false;
    QTest::newRow("new, month 13")
        << Generation::New << quint16(0x64) << quint16(0x0D0F) << quint16(1) << false;
    QTest::newRow("old, 31 June") << Generation::Old << quint16(0x74) << quint16(0x061F)
                                  << quint16(1) << false;
}

void SimModelTest::pcClockRequest() {
    QFETCH(Generation, generation);
    QFETCH(quint16, requestAddress);
    QFETCH(quint16, monthDate);
    QFETCH(quint16, request);
    QFETCH(bool, sets);
    auto m = frozenModel(generation);
    m->setClock(at(2030, 1, 2, 3, 4, 5));
    m->writeWord(Space::Ram, 0xA8, 0x1E05); // 30 min, 5 s
    m->writeWord(Space::Ram, 0xAA, 0x010D); // Sunday, 13 h
    m->writeWord(Space::Ram, 0xAC, monthDate);
    m->writeWord(Space::Ram, 0xAE, 0x000C); // 2012
    m->writeWord(Space::Ram, requestAddress, request);
    for (int i = 0; i < 3; ++i)
        m->writeWord(Space::Ram, requestAddress, 2);

    if (!sets) {
        QCOMPARE(m->clock(), at(2030, 1, 2, 3, 4, 5));
        return;
    }
    QCOMPARE(m->clock(), at(2012, 7, 15, 13, 30, 5));
    QCOMPARE(m->readWord(Space::Ram, 0xA0), quint16(0x1E05));
    QCOMPARE(m->readWord(Space::Ram, 0xA2), word(0, 13)); // weekday 0: Sunday
    QCOMPARE(m->readWord(Space::Ram, 0xA4), quint16(0x070F));
    QCOMPARE(lo(m->readWord(Space::Ram, 0xA6)), 12);

    m->advance(65s);
    QCOMPARE(m->clock(), at(2012, 7, 15, 13, 31, 10));
    QCOMPARE(m->readWord(Space::Ram, 0xA0), word(31, 10));
}

void SimModelTest::clockRunsOverMonthEnd() {
    auto m = frozenModel(Generation::New);
    m->setClock(at(2024, 2, 29, 23, 59, 50));
    m->advance(15s);
    QCOMPARE(m->clock(), at(2024, 3, 1, 0, 0, 5));
    QCOMPARE(m->readWord(Space::Ram, 0xA2), word(5, 0)); // Friday, 0 h
    QCOMPARE(m->readWord(Space::Ram, 0xA4), word(3, 1));
    QCOMPARE(m->readWord(Space::Ram, 0xA6), quint16(24));
}

void SimModelTest::nightProfile_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<int>("expectedZone");
    QTest::addColumn<int>("expectedTakt");
    struct Case {
        const char* name;
        QDateTime time;
        int zone, takt;
    };
    // March 2024: the 5th is a Tuesday, the 8th a Friday.
    const Case cases[] = {
        {"Tue 20:30 workday 1", at(2024, 3, 5, 20, 30), 1, 160},
        {"Tue 23:00 workday 2", at(2024, 3, 5, 23, 0), 2, 100},
        {"Wed 03:00 workday 3", at(2024, 3, 6, 3, 0), 3, 140},
        {"Wed 12:00 day", at(2024, 3, 6, 12, 0), 0, 200},
        {"Fri 05:00 Thursday night", at(2024, 3, 8, 5, 0), 3, 140},
        {"Fri 21:30 weekend 1", at(2024, 3, 8, 21, 30), 5, 180},
        {"Sat 01:00 weekend 2", at(2024, 3, 9, 1, 0), 6, 120},
        {"Sun 05:00 weekend 3", at(2024, 3, 10, 5, 0), 7, 150},
        {"Sun 21:00 workday 1", at(2024, 3, 10, 21, 0), 1, 160},
        {"Mon 07:00 after end", at(2024, 3, 11, 7, 0), 0, 200},
    };
    for (Generation g : {Generation::New, Generation::Old})
        for (const Case& c : cases)
            QTest::addRow("%s, %s", isOld(g) ? "old" : "new", c.name)
                << g << c.time << c.zone << c.takt;
}

void SimModelTest::nightProfile() {
    QFETCH(Generation, generation);
    QFETCH(QDateTime, time);
    QFETCH(int, expectedZone);
    QFETCH(int, expectedTakt);
    auto m = frozenModel(generation);
    pinProfile(*m);
    m->advance(200s); // past the start and the burn-in
    m->setClock(time);
    m->advance(1s);
    QCOMPARE(state(*m), 2);
    QCOMPARE(zone(*m), expectedZone);
    QCOMPARE(setTakt(*m), expectedTakt);
    QCOMPARE(actualTakt(*m), expectedTakt);
}

void SimModelTest::rampTimes_data() {
    addGenerations();
}

void SimModelTest::rampTimes() {
    QFETCH(Generation, generation);
    auto m = frozenModel(generation);
    // Darkening 2 × 25 s = 50 s, brightening 4 × 25 s = 100 s, for 50 Hz of change.
    pinProfile(*m, word(4, 2));
    m->setClock(at(2024, 3, 6, 12, 0));
    m->advance(200s);
    QCOMPARE(actualTakt(*m), 200);

    m->setClock(at(2024, 3, 5, 23, 0)); // workday period 2: takt 100, 100 Hz
    m->advance(25s);
    QCOMPARE(setTakt(*m), 100);
    QVERIFY2(actualTakt(*m) > 110 && actualTakt(*m) < 160,
             qPrintable(QString::number(actualTakt(*m))));
    m->advance(30s);
    QCOMPARE(actualTakt(*m), 100);

    m->setClock(at(2024, 3, 6, 12, 0)); // day: back to 50 Hz over the brightening time
    m->advance(50s);
    QCOMPARE(setTakt(*m), 200);
    QVERIFY2(actualTakt(*m) > 110 && actualTakt(*m) < 160,
             qPrintable(QString::number(actualTakt(*m))));
    m->advance(55s);
    QCOMPARE(actualTakt(*m), 200);
}

void SimModelTest::operatingCounters_data() {
    addGenerations();
}

void SimModelTest::operatingCounters() {
    QFETCH(Generation, generation);
    auto m = frozenModel(generation);
    pinProfile(*m);
    m->setClock(at(2024, 3, 6, 9, 0));
    m->advance(10s);
    const qint64 all0 = operatingSeconds(*m, false);
    const qint64 dim0 = operatingSeconds(*m, true);
    QVERIFY(all0 > 0 && dim0 > 0 && dim0 < all0);

    m->advance(1h); // daytime: lamps on, not dimmed
    QVERIFY(qAbs(operatingSeconds(*m, false) - all0 - 3600) <= 60);
    QCOMPARE(operatingSeconds(*m, true), dim0);

    m->setClock(at(2024, 3, 5, 22, 30)); // workday period 2 until 02:00
    m->advance(1h);
    QVERIFY(qAbs(operatingSeconds(*m, false) - all0 - 7200) <= 60);
    QVERIFY(qAbs(operatingSeconds(*m, true) - dim0 - 3600) <= 60);
    QCOMPARE(m->readWord(Space::Ram, live(generation).runTime), quint16(7210));
}

void SimModelTest::measurementsSensible_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<int>("revision");
    QTest::newRow("new") << Generation::New << 14;
    QTest::newRow("old rev 14") << Generation::Old << 14;
    QTest::newRow("old rev 12, uncalibrated") << Generation::Old << 12;
}

void SimModelTest::measurementsSensible() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    auto m = frozenModel(generation, revision);
    const Live w = live(generation);
    m->setClock(at(2024, 6, 12, 10, 0));
    m->advance(10min); // past burn-in and the ramp back to 50 Hz
    QCOMPARE(state(*m), 2);
    // Calibration needs 50 Hz in normal operation.
    QCOMPARE(actualTakt(*m), 200);

    // Volts as the PC computes them: counts × 230 / calibration value, or on the 400 V
    // full scale when the controller holds none.
    const quint16 calibration = m->readWord(Space::Parameter, 0x48);
    const double perCount = calibration == 0xFFFF ? 400.0 / 1023 : 230.0 / calibration;
    const double nominal = m->readWord(Space::Parameter, 0x44) * perCount;
    const double start = m->readWord(Space::Parameter, 0x42) * perCount;
    QVERIFY2(qAbs(nominal - 230) < 1.5, qPrintable(QString::number(nominal)));
    QVERIFY2(qAbs(start - 235) < 1.5, qPrintable(QString::number(start)));

    QSet<quint16> uacSeen;
    for (int i = 0; i < 20; ++i) {
        m->advance(1s);
        const quint16 uac = m->readWord(Space::Ram, w.uac);
        uacSeen.insert(uac);
        QVERIFY2(qAbs(uac * perCount - nominal) < 2, qPrintable(QString::number(uac)));
        const double uz = m->readWord(Space::Ram, w.uz) * 400.0 / 1023;
        QVERIFY2(uz > 310 && uz < 340, qPrintable(QString::number(uz)));
        // Thermistor counts 448..928 are 82.4..16.6 °C on the PC's table.
        for (quint16 sink : {w.sink1, w.sink2}) {
            const quint16 counts = m->readWord(Space::Ram, sink);
            QVERIFY2(counts > 448 && counts < 928, qPrintable(QString::number(counts)));
        }
    }
    QVERIFY(uacSeen.size() > 1); // the measurement is not a constant
}

void SimModelTest::fanFollowsHeatSink_data() {
    addGenerations();
}

void SimModelTest::fanFollowsHeatSink() {
    QFETCH(Generation, generation);
    auto m = frozenModel(generation);
    const Live w = live(generation);
    m->setClock(at(2024, 6, 12, 8, 0)); // a day at full lamp load
    QVERIFY(!fanOn(*m));
    // The fan switches with hysteresis on the heat sink: on when it gets hot, off when it
    // has cooled well down. 780 counts is 42.6 °C, between the two switching points.
    int switchedOn = 0;
    int switchedOff = 0;
    bool fan = false;
    for (int i = 0; i < 1080; ++i) {
        m->advance(10s);
        const quint16 hottest =
            qMin(m->readWord(Space::Ram, w.sink1), m->readWord(Space::Ram, w.sink2));
        const bool now = fanOn(*m);
        if (now != fan) {
            const QByteArray where = QByteArray::number(i) + ": " + QByteArray::number(hottest);
            QVERIFY2(now ? hottest < 780 : hottest > 780, where.constData());
            ++(now ? switchedOn : switchedOff);
        }
        fan = now;
    }
    QVERIFY2(switchedOn >= 3 && switchedOff >= 3,
             qPrintable(QStringLiteral("%1 on, %2 off").arg(switchedOn).arg(switchedOff)));
}

void SimModelTest::faultRing_data() {
    addGenerations();
}

void SimModelTest::faultRing() {
    QFETCH(Generation, generation);
    auto m = frozenModel(generation);
    auto ring = [&](int record, int w) {
        return m->readWord(Space::Parameter, quint16(0x80 + 6 * record + 2 * w));
    };
    const quint16 position = m->readWord(Space::Parameter, 0x70);
    QCOMPARE(position % 6, 0);
    const int n = position / 6;
    QVERIFY(n >= 1 && n <= 16);
    for (int k = 0; k < 16; ++k) {
        if (k < n) {
            QVERIFY(ring(k, 0) != 0);
            QVERIFY(lo(ring(k, 1)) <= 23 && hi(ring(k, 1)) <= 59);
            QVERIFY(QDate(2024, lo(ring(k, 2)), hi(ring(k, 2))).isValid());
        } else {
            QCOMPARE(ring(k, 0) | ring(k, 1) | ring(k, 2), 0);
        }
    }

    m->setClock(at(2024, 11, 2, 17, 45, 30));
    m->recordFault(0x0010);
    QCOMPARE(ring(n, 0), quint16(0x0010));
    QCOMPARE(ring(n, 1), word(45, 17));
    QCOMPARE(ring(n, 2), word(2, 11));
    QCOMPARE(m->readWord(Space::Parameter, 0x70), quint16(position + 6));

    // After the sixteenth record the ring starts over at record 0.
    for (int k = n + 1; k < 16; ++k)
        m->recordFault(0x0002);
    QCOMPARE(m->readWord(Space::Parameter, 0x70), quint16(96));
    m->recordFault(0x4004);
    QCOMPARE(ring(0, 0), quint16(0x4004));
    QCOMPARE(m->readWord(Space::Parameter, 0x70), quint16(6));
}

void SimModelTest::powerCycleReloadsWorkingCopies_data() {
    addGenerations();
}

void SimModelTest::powerCycleReloadsWorkingCopies() {
    QFETCH(Generation, generation);
    auto m = frozenModel(generation);
    m->advance(10s);
    QCOMPARE(m->readWord(Space::Ram, 0xB2), m->readWord(Space::Parameter, 0x20));
    m->writeWord(Space::Ram, 0xB2, word(1, 2));
    m->advance(1s);
    QCOMPARE(m->readWord(Space::Ram, 0xB2), word(1, 2)); // the working copy is the PC's now

    m->powerCycle();
    QCOMPARE(state(*m), 0);
    QCOMPARE(m->readWord(Space::Ram, 0xB2), m->readWord(Space::Parameter, 0x20));
    m->advance(5s);
    QCOMPARE(state(*m), 2);
}

using State = ControllerModel::OperatingState;

void SimModelTest::serviceStates_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<State>("request");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("code"); // the state byte the PC decodes
    QTest::addColumn<bool>("lampsOn");
    QTest::addColumn<bool>("faultLamp");
    const auto N = Generation::New;
    const auto O = Generation::Old;
    QTest::newRow("new power reduction")
        << N << State::PowerReduction << true << 3 << true << false;
    QTest::newRow("new error") << N << State::Error << true << 4 << false << true;
    QTest::newRow("new standby") << N << State::Standby << true << 6 << false << false;
    QTest::newRow("old power reduction")
        << O << State::PowerReduction << true << 3 << true << false;
    QTest::newRow("old error") << O << State::Error << true << 4 << false << true;
    // The old firmware's states end at 5: no standby, the controller runs on normally.
    QTest::newRow("old standby refused") << O << State::Standby << false << 2 << true << false;
}

void SimModelTest::serviceStates() {
    QFETCH(Generation, generation);
    QFETCH(State, request);
    QFETCH(bool, accepted);
    QFETCH(int, code);
    QFETCH(bool, lampsOn);
    QFETCH(bool, faultLamp);
    auto m = frozenModel(generation);
    const Live w = live(generation);
    // Asked for before the run-up is over: the start sequence still runs first.
    QCOMPARE(m->setOperatingState(request), accepted);
    m->advance(2s);
    QCOMPARE(state(*m), 1);
    m->advance(3s);
    QCOMPARE(state(*m), code);
    const quint16 display = m->readWord(Space::Ram, w.displayBits);
    QCOMPARE(bool(display & 0x01), lampsOn);
    QCOMPARE(bool(display & 0x04), faultLamp);
    QCOMPARE(m->readWord(Space::Ram, w.uac) > 500, lampsOn); // output off: no mains out
    if (!isOld(generation))                                  // info bit 10: mains power reduction
        QCOMPARE(bool(m->readWord(Space::Ram, 0x5C) & 0x0400), code == 3);

    // Back to normal operation at once.
    QVERIFY(m->setOperatingState(State::Normal));
    m->advance(1s);
    QCOMPARE(state(*m), 2);
    QVERIFY(m->readWord(Space::Ram, w.uac) > 500);
}

void SimModelTest::lampFrequencyHeld_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<double>("hz");
    QTest::addColumn<int>("takt");
    QTest::newRow("new 55 Hz") << Generation::New << 55.0 << 182;
    QTest::newRow("new 50 Hz at night") << Generation::New << 50.0 << 200;
    QTest::newRow("new 150 Hz") << Generation::New << 150.0 << 67;
    QTest::newRow("old 55 Hz") << Generation::Old << 55.0 << 182;
    QTest::newRow("old 70 Hz: even takts only") << Generation::Old << 70.0 << 142;
    QTest::newRow("old 150 Hz: up to 100 Hz") << Generation::Old << 150.0 << 100;
}

void SimModelTest::lampFrequencyHeld() {
    QFETCH(Generation, generation);
    QFETCH(double, hz);
    QFETCH(int, takt);
    auto m = frozenModel(generation);
    m->setBurnInOverride(0s);
    // Monday 23:30: the night programme dims to 100 Hz (takt 100), with its ramp.
    m->setClock(at(2024, 11, 4, 23, 30));
    m->advance(300s);
    QCOMPARE(actualTakt(*m), 100);

    m->forceLampFrequency(hz);
    m->advance(1s);
    QCOMPARE(setTakt(*m), takt);
    QCOMPARE(actualTakt(*m), takt); // held at once, no ramp
    m->advance(60s);
    QCOMPARE(actualTakt(*m), takt);

    m->forceLampFrequency(std::nullopt);
    m->advance(600s);
    QCOMPARE(actualTakt(*m), 100); // the night programme again
}

void SimModelTest::burnInOverride_data() {
    addGenerations();
}

void SimModelTest::burnInOverride() {
    QFETCH(Generation, generation);
    const quint16 infoOrDisplay = isOld(generation) ? 0x72 : 0x5C;
    const int dimmOffBit = isOld(generation) ? 0x10 : 0x40;
    auto burning = frozenModel(generation);
    auto burnt = frozenModel(generation);
    burnt->setBurnInOverride(0s);
    for (auto* m : {burning.get(), burnt.get()}) {
        m->setClock(at(2024, 11, 4, 12, 0)); // midday: no dimming period
        m->advance(5s);
        QCOMPARE(state(*m), 2);
    }
    // The parameter's five minutes: still at the start takt 182, dimming held off.
    QCOMPARE(setTakt(*burning), 182);
    QVERIFY(burning->readWord(Space::Ram, infoOrDisplay) & dimmOffBit);
    // Burnt in: the lamps go to 50 Hz (with the brightening ramp where there is one), and
    // the controller still reports the parameter's burn-in time.
    QCOMPARE(setTakt(*burnt), 200);
    QVERIFY(!(burnt->readWord(Space::Ram, infoOrDisplay) & dimmOffBit));
    burnt->advance(60s);
    QCOMPARE(actualTakt(*burnt), 200);
    QCOMPARE(burnt->readWord(Space::Ram, isOld(generation) ? 0x52 : 0x36), quint16(300));
}

void SimModelTest::faultsWhileRunning_data() {
    addGenerations();
}

void SimModelTest::faultsWhileRunning() {
    QFETCH(Generation, generation);
    auto m = frozenModel(generation);
    const quint16 liveBits = isOld(generation) ? 0x70 : 0x5E;
    auto faultBits = [&] {
        const quint16 w = m->readWord(Space::Ram, liveBits);
        return isOld(generation) ? hi(w) : int(w); // old: error bits in the high byte
    };
    auto faultLamp = [&] {
        return bool(m->readWord(Space::Ram, live(generation).displayBits) & 0x04);
    };
    m->advance(10s);
    QCOMPARE(faultBits(), 0);
    QVERIFY(!faultLamp());
    const quint16 position = m->readWord(Space::Parameter, 0x70);

    m->setFaultInterval(60s);
    m->advance(59s);
    QCOMPARE(m->readWord(Space::Parameter, 0x70), position);
    m->advance(2s);
    // The first kind, undervoltage: recorded and shown while it lasts.
    QCOMPARE(m->readWord(Space::Parameter, 0x70), quint16(position + 6));
    QCOMPARE(m->readWord(Space::Parameter, quint16(0x80 + position)), quint16(0x0010));
    QCOMPARE(faultBits(), 0x10);
    QVERIFY(faultLamp());
    m->advance(ControllerModel::kFaultActive);
    QCOMPARE(faultBits(), 0);
    QVERIFY(!faultLamp());
    // The next kind a minute later; the stamp is the controller clock.
    m->advance(50s);
    QCOMPARE(m->readWord(Space::Parameter, 0x70), quint16(position + 12));
    QCOMPARE(m->readWord(Space::Parameter, quint16(0x80 + position + 6)), quint16(0x0008));

    m->setFaultInterval(0s);
    m->advance(300s);
    QCOMPARE(m->readWord(Space::Parameter, 0x70), quint16(position + 12));
    // A single fault on request, old hardware showing the low eight bits live.
    m->raiseFault(0x4004, 3s);
    QCOMPARE(m->readWord(Space::Parameter, quint16(0x80 + position + 12)), quint16(0x4004));
    QCOMPARE(faultBits(), isOld(generation) ? 0x04 : 0x4004);
    m->advance(4s);
    QCOMPARE(faultBits(), 0);
}

void SimModelTest::calibrationWriteTakesEffect_data() {
    addGenerations();
}

void SimModelTest::calibrationWriteTakesEffect() {
    // What the PC's calibration writes: the value and both set points into parameter
    // memory, the set points into the RAM the controller regulates with.
    QFETCH(Generation, generation);
    auto m = frozenModel(generation);
    m->setBurnInOverride(0s);
    m->advance(10s);
    const quint16 start = isOld(generation) ? 0x2C : 0x30;
    m->writeWord(Space::Parameter, 0x48, 575);
    m->writeWord(Space::Ram, start, 600);
    m->writeWord(Space::Ram, start + 2, 575);
    m->writeWord(Space::Parameter, 0x42, 600);
    m->writeWord(Space::Parameter, 0x44, 575);
    m->advance(1s);
    // The mains output follows the new nominal set point.
    const int uac = m->readWord(Space::Ram, live(generation).uac);
    QVERIFY2(std::abs(uac - 575) <= 2, qPrintable(QString::number(uac)));
    // And the next start takes both from parameter memory, where the identity finds them.
    m->powerCycle();
    QCOMPARE(m->readWord(Space::Ram, start), quint16(600));
    QCOMPARE(m->readWord(Space::Ram, start + 2), quint16(575));
    QCOMPARE(m->readWord(Space::Parameter, 0x48), quint16(575));
}

void SimModelTest::spoiledWrite_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QVariant>("spoil"); // invalid: the lowest bit flipped
    QTest::addColumn<quint16>("stored");
    for (const Generation g : {Generation::New, Generation::Old}) {
        const char* gen = isOld(g) ? "old" : "new";
        QTest::addRow("%s: a value of its own", gen) << g << QVariant(0x0700) << quint16(0x0700);
        QTest::addRow("%s: lowest bit flipped", gen) << g << QVariant() << quint16(0x061F);
    }
}

void SimModelTest::spoiledWrite() {
    // A worn cell: the next write of the word stores something else, once; other words and
    // the other memory are written as always.
    QFETCH(Generation, generation);
    QFETCH(QVariant, spoil);
    QFETCH(quint16, stored);
    auto m = frozenModel(generation);
    m->spoilNextWrite(Space::Parameter, 0x26,
                      spoil.isValid() ? std::optional<quint16>(quint16(spoil.toUInt()))
                                      : std::nullopt);
    m->writeWord(Space::Ram, 0x26, 0x061E);
    m->writeWord(Space::Parameter, 0x24, 0x061E);
    m->writeWord(Space::Parameter, 0x26, 0x061E);
    QCOMPARE(m->peek(Space::Ram, 0x26), quint16(0x061E));
    QCOMPARE(m->peek(Space::Parameter, 0x24), quint16(0x061E));
    QCOMPARE(m->peek(Space::Parameter, 0x26), stored);
    m->writeWord(Space::Parameter, 0x26, 0x061E);
    QCOMPARE(m->peek(Space::Parameter, 0x26), quint16(0x061E));
}

QTEST_GUILESS_MAIN(SimModelTest)
#include "tst_sim_model.moc"
