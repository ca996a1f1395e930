// The live status display as data, per controller generation, from RAM words set here:
// measured values with the decimal comma, savings by source, operating times, clocks,
// lamps, the operating state with its state-bar panel and period lamp, and the range
// checks that limit a word and raise "Com-Error !". Also the heat-sink temperature table.
#include "base/formats.h"
#include "live/live_display.h"
#include "live/temperature_table.h"

#include <QTest>
#include <cmath>
#include <functional>
#include <map>

namespace {

using Words = QList<QPair<int, int>>; // table index → word

enum class Gen { New, Old };

// A controller in normal operation: every checked word within its range.
TRam_Data soundTable(Gen gen) {
    TRam_Data t;
    auto set = [&t](int i, int v) { t.val_int[std::size_t(i)] = quint16(v); };
    if (gen == Gen::New) {
        set(3, 600);    // burn-in 600 s
        set(4, 182);    // start period
        set(5, 0x64C8); // set period 100, actual 200
        set(6, 0x78C8); // internal 120, clock source 200
        set(7, 0xC8C8); // 0-10 V and lux sources 200
        set(9, 500);
        set(13, 512);
        set(14, 512);
        set(21, 0x0002);
    } else {
        set(0, 512);
        set(1, 512);
        set(4, 200);
        set(5, 200);
        set(6, 200);
        set(7, 100);
        set(8, 182);
        set(9, 600);
        set(19, 0x0002);
        set(24, 0x0101); // 1 January
    }
    return t;
}

struct Case {
    Gen gen = Gen::New;
    Words words{};
    quint16 DEV_Nr = 0;
    quint16 kal = 0;
    qint32 hwVersion = 14;
    QString luxM = QStringLiteral("29,7");
    QString luxN = QStringLiteral("3");
    float uz = 0; // normalised DC-link voltage (new hardware)
};

LiveDisplay run(const Case& c) {
    TRam_Data t = soundTable(c.gen);
    for (const auto& [i, v] : c.words)
        t.val_int[std::size_t(i)] = quint16(v);
    t.val_n[8] = c.uz;
    if (c.gen == Gen::New)
        return liveDisplayNew(
            {.ram = t, .DEV_Nr = c.DEV_Nr, .kal_value230 = c.kal, .luxM = c.luxM, .luxN = c.luxN});
    return liveDisplayOld(
        {.ram = t, .HW_Ver_Nr = c.hwVersion, .kal_value230 = c.kal, .rampLow = 8, .rampHigh = 24});
}

// A shown text by its widget's name; "(kept)" where the run leaves the widget as it is.
QString shown(const LiveDisplay& d, const QString& element) {
    const std::map<QString, std::function<std::optional<QString>()>> texts = {
        {"Edit_Uz", [&] { return d.Edit_Uz; }},
        {"Edit_fist", [&] { return d.Edit_fist; }},
        {"Edit_fsoll", [&] { return d.Edit_fsoll; }},
        {"Edit_uac", [&] { return d.Edit_uac; }},
        {"uac_ist_int", [&] { return QString::number(d.uac_ist_int); }},
        {"Edit_tmp1", [&] { return d.Edit_tmp1; }},
        {"Edit_tmp2", [&] { return d.Edit_tmp2; }},
        {"takt_burn", [&] { return d.takt_burn; }},
        {"time_burn", [&] { return d.time_burn; }},
        {"Edit12", [&] { return d.Edit12; }},
        {"Edit13", [&] { return d.Edit13; }},
        {"e_spar_soll_anz", [&] { return d.e_spar_soll_anz; }},
        {"e_spar_ist_anz", [&] { return d.e_spar_ist_anz; }},
        {"e_spar_soll_intern_anz", [&] { return d.e_spar_soll_intern_anz; }},
        {"e_spar_soll_extern_anz", [&] { return d.e_spar_soll_extern_anz; }},
        {"h_all", [&] { return d.h_all; }},
        {"h_dimm", [&] { return d.h_dimm; }},
        {"t_lauf_anz", [&] { return d.t_lauf_anz; }},
        {"uC_Zeit", [&] { return d.uC_Zeit; }},
        {"Lux_Ist", [&] { return d.Lux_Ist; }},
    };
    const auto it = texts.find(element);
    if (it == texts.end())
        return QStringLiteral("(no such element)");
    return it->second().value_or(QStringLiteral("(kept)"));
}

using Lamps = QMap<QString, int>; // lamps that are not grey → LampColour

Lamps lampsOf(const LiveDisplay& d) {
    Lamps on;
    const std::pair<const char*, LampColour> all[] = {{"LED_G", d.LED_G},
                                                      {"Sh_cond_4", d.Sh_cond_4},
                                                      {"Sh_cond_3", d.Sh_cond_3},
                                                      {"Sh_Dimm_off", d.Sh_Dimm_off},
                                                      {"LED_Y", d.LED_Y},
                                                      {"LED_R", d.LED_R},
                                                      {"so_time_led", d.so_time_led}};
    for (const auto& [name, colour] : all) {
        if (colour != LampColour::Grey)
            on.insert(name, int(colour));
    }
    return on;
}

constexpr int kGreen = int(LampColour::Green);
constexpr int kYellow = int(LampColour::Yellow);
constexpr int kRed = int(LampColour::Red);

} // namespace

Q_DECLARE_METATYPE(Gen)

class LiveDisplayTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void shownValues_data();
    void shownValues();
    void rangeChecks_data();
    void rangeChecks();
    void externalSaving_data();
    void externalSaving();
    void lamps_data();
    void lamps();
    void limitCaptions();
    void stateAndPeriod_data();
    void stateAndPeriod();
    void stoppedClockOnOldHardware();
    void valuesAsNumbers_data();
    void valuesAsNumbers();
    void rampTimesOnOldHardware_data();
    void rampTimesOnOldHardware();
    void secondSensorByDeviceNumber_data();
    void secondSensorByDeviceNumber();
    void lightSensor_data();
    void lightSensor();
    void numberFormat_data();
    void numberFormat();

    void temperatureTableThroughSupportPoints_data();
    void temperatureTableThroughSupportPoints();
    void temperatureTableFallsWithOneDecimal();
};

void LiveDisplayTest::initTestCase() {
    // The PC's own locale must not leak into the display.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// Values shown from words within their ranges: no "Com-Error !".
void LiveDisplayTest::shownValues_data() {
    QTest::addColumn<Gen>("gen");
    QTest::addColumn<Words>("words");
    QTest::addColumn<quint16>("kal");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("text");
    const Gen N = Gen::New;
    const Gen O = Gen::Old;
    // Lamp periods: set 100 (100 Hz), actual 200 (50 Hz)
    QTest::newRow("new f_Soll from high byte")
        << N << Words{{5, 0x64C8}} << quint16(0) << "Edit_fsoll"
        << "100";
    QTest::newRow("new f_ist from low byte") << N << Words{{5, 0x64C8}} << quint16(0) << "Edit_fist"
                                             << "50";
    QTest::newRow("new nominal saving")
        << N << Words{{5, 0x64C8}} << quint16(0) << "e_spar_soll_anz"
        << "67%";
    QTest::newRow("new actual saving") << N << Words{{5, 0x64C8}} << quint16(0) << "e_spar_ist_anz"
                                       << "0%";
    QTest::newRow("new period 160 rounds 62,5 up")
        << N << Words{{5, 0xA0A0}} << quint16(0) << "Edit_fist"
        << "63";
    QTest::newRow("new internal saving")
        << N << Words{{6, 0x78C8}} << quint16(0) << "e_spar_soll_intern_anz"
        << "60%";
    QTest::newRow("old f_ist") << O << Words{{6, 125}} << quint16(0) << "Edit_fist"
                               << "80";
    QTest::newRow("old f_Soll") << O << Words{{7, 100}} << quint16(0) << "Edit_fsoll"
                                << "100";
    QTest::newRow("old nominal saving") << O << Words{{7, 100}} << quint16(0) << "e_spar_soll_anz"
                                        << "67%";
    QTest::newRow("old actual saving") << O << Words{{6, 150}} << quint16(0) << "e_spar_ist_anz"
                                       << "45%";
    QTest::newRow("old internal saving")
        << O << Words{{5, 120}} << quint16(0) << "e_spar_soll_intern_anz"
        << "60%";
    QTest::newRow("old external saving")
        << O << Words{{4, 180}} << quint16(0) << "e_spar_soll_extern_anz"
        << "23%";
    // Mains voltage
    QTest::newRow("new U_AC uncalibrated") << N << Words{{9, 1023}} << quint16(0) << "Edit_uac"
                                           << "400";
    QTest::newRow("new U_AC calibrated") << N << Words{{9, 600}} << quint16(600) << "Edit_uac"
                                         << "230";
    QTest::newRow("new U_AC count kept") << N << Words{{9, 600}} << quint16(600) << "uac_ist_int"
                                         << "600";
    QTest::newRow("old U_AC calibrated") << O << Words{{3, 700}} << quint16(700) << "Edit_uac"
                                         << "230";
    QTest::newRow("old Uz") << O << Words{{2, 1023}} << quint16(0) << "Edit_Uz"
                            << "400";
    // Heat sinks: new controllers show anything below −60 °C as "-60", old ones the table
    QTest::newRow("new sensor 1 at 1022") << N << Words{{13, 1022}} << quint16(0) << "Edit_tmp1"
                                          << "-60";
    QTest::newRow("new sensor 1 at 1023") << N << Words{{13, 1023}} << quint16(0) << "Edit_tmp1"
                                          << "-60";
    QTest::newRow("new sensor 1 at 1021") << N << Words{{13, 1021}} << quint16(0) << "Edit_tmp1"
                                          << "-51,9";
    QTest::newRow("new sensor 1 warm") << N << Words{{13, 512}} << quint16(0) << "Edit_tmp1"
                                       << "74,7";
    QTest::newRow("old sensor 1 at 1022") << O << Words{{0, 1022}} << quint16(0) << "Edit_tmp1"
                                          << "-61,2";
    QTest::newRow("old sensor 2 at 1023") << O << Words{{1, 1023}} << quint16(0) << "Edit_tmp2"
                                          << "-65,0";
    // Start settings and ramp times
    QTest::newRow("new start frequency")
        << N << Words{{4, 0x1200 | 182}} << quint16(0) << "takt_burn"
        << "55";
    QTest::newRow("new burn-in minutes") << N << Words{{3, 600}} << quint16(0) << "time_burn"
                                         << "10";
    QTest::newRow("new darkening time") << N << Words{{2, 0x1808}} << quint16(0) << "Edit12"
                                        << "200";
    QTest::newRow("new brightening time") << N << Words{{2, 0x1808}} << quint16(0) << "Edit13"
                                          << "600";
    QTest::newRow("old start frequency") << O << Words{{8, 143}} << quint16(0) << "takt_burn"
                                         << "70";
    QTest::newRow("old burn-in minutes") << O << Words{{9, 180}} << quint16(0) << "time_burn"
                                         << "3";
    // Operating times
    QTest::newRow("new total from high word")
        << N << Words{{17, 1}, {16, 0}} << quint16(0) << "h_all"
        << "18,20h";
    QTest::newRow("new dimmed full counter")
        << N << Words{{19, 0xFFFF}, {18, 0xFFFF}} << quint16(0) << "h_dimm"
        << "1193046,50h";
    QTest::newRow("new run time 59 s") << N << Words{{20, 59}} << quint16(0) << "t_lauf_anz"
                                       << "59s";
    QTest::newRow("new run time 60 s") << N << Words{{20, 60}} << quint16(0) << "t_lauf_anz"
                                       << "1min, 0s";
    QTest::newRow("new run time 3600 s") << N << Words{{20, 3600}} << quint16(0) << "t_lauf_anz"
                                         << "1h, 0min, 0s";
    QTest::newRow("new run time 3725 s") << N << Words{{20, 3725}} << quint16(0) << "t_lauf_anz"
                                         << "1h, 2min, 5s";
    QTest::newRow("old total") << O << Words{{13, 1}, {12, 2}, {11, 3}, {10, 30}} << quint16(0)
                               << "h_all"
                               << "8811,5h";
    QTest::newRow("old dimmed") << O << Words{{17, 0}, {16, 0}, {15, 0}, {14, 6}} << quint16(0)
                                << "h_dimm"
                                << "0,1h";
    QTest::newRow("old run time") << O << Words{{18, 150}} << quint16(0) << "t_lauf_anz"
                                  << "3min";
    // Controller clock: two blanks between date and time
    QTest::newRow("new clock") << N << Words{{58, 0x0C1F}, {59, 26}, {57, 0x0217}, {56, 0x3B2A}}
                               << quint16(0) << "uC_Zeit"
                               << "31.12.2026  23:59";
    QTest::newRow("new clock leading zeros")
        << N << Words{{58, 0x0201}, {59, 5}, {57, 0x0004}, {56, 0x0700}} << quint16(0) << "uC_Zeit"
        << "01.02.2005  04:07";
    QTest::newRow("new clock year word")
        << N << Words{{58, 0x0101}, {59, 0x0100}} << quint16(0) << "uC_Zeit"
        << "01.01.2256  00:00";
    QTest::newRow("old clock") << O << Words{{24, 0x0C1F}, {25, 0x0A1A}, {23, 0x0617}, {22, 0x3B2A}}
                               << quint16(0) << "uC_Zeit"
                               << "31.12.2026  23:59";
}

void LiveDisplayTest::shownValues() {
    QFETCH(Gen, gen);
    QFETCH(Words, words);
    QFETCH(quint16, kal);
    QFETCH(QString, element);
    QFETCH(QString, text);
    const LiveDisplay d = run({.gen = gen, .words = words, .kal = kal});
    QCOMPARE(shown(d, element), text);
    QVERIFY(!d.comError());
}

// A word outside its range is shown limited and raises "Com-Error !"; the bounds
// themselves are fine.
void LiveDisplayTest::rangeChecks_data() {
    QTest::addColumn<Gen>("gen");
    QTest::addColumn<Words>("words");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("comError");
    const Gen N = Gen::New;
    const Gen O = Gen::Old;
    QTest::newRow("new actual period 30 → 50") << N << Words{{5, 0x641E}} << "Edit_fist"
                                               << "200" << true;
    QTest::newRow("new actual saving at 50") << N << Words{{5, 0x641E}} << "e_spar_ist_anz"
                                             << "89%" << true;
    QTest::newRow("new actual period 50 in range") << N << Words{{5, 0x6432}} << "Edit_fist"
                                                   << "200" << false;
    QTest::newRow("new set period 201 → 200") << N << Words{{5, 0xC9C8}} << "Edit_fsoll"
                                              << "50" << true;
    QTest::newRow("new clock source 30 reported")
        << N << Words{{6, 0x781E}} << "e_spar_soll_intern_anz"
        << "60%" << true;
    QTest::newRow("new start period 49 → 50") << N << Words{{4, 49}} << "takt_burn"
                                              << "200" << true;
    QTest::newRow("new burn-in 179 s → 180") << N << Words{{3, 179}} << "time_burn"
                                             << "3" << true;
    QTest::newRow("new burn-in 901 s → 900") << N << Words{{3, 901}} << "time_burn"
                                             << "15" << true;
    QTest::newRow("new burn-in 900 s in range") << N << Words{{3, 900}} << "time_burn"
                                                << "15" << false;
    // The count for the calibration is limited, the voltage shown uses the word as read.
    QTest::newRow("new mains count limited") << N << Words{{9, 2046}} << "uac_ist_int"
                                             << "1023" << true;
    QTest::newRow("new mains voltage unlimited") << N << Words{{9, 2046}} << "Edit_uac"
                                                 << "800" << true;
    QTest::newRow("new second sensor clipped silently") << N << Words{{14, 5000}} << "Edit_tmp2"
                                                        << "-60" << false;
    QTest::newRow("old actual period 80 → 100") << O << Words{{6, 80}} << "Edit_fist"
                                                << "100" << true;
    QTest::newRow("old actual saving at 100") << O << Words{{6, 80}} << "e_spar_ist_anz"
                                              << "67%" << true;
    QTest::newRow("old set period 100 in range") << O << Words{{7, 100}} << "Edit_fsoll"
                                                 << "100" << false;
    QTest::newRow("old external 99 → 100") << O << Words{{4, 99}} << "e_spar_soll_extern_anz"
                                           << "67%" << true;
    QTest::newRow("old internal 201 → 200") << O << Words{{5, 201}} << "e_spar_soll_intern_anz"
                                            << "0%" << true;
    QTest::newRow("old start period 99 → 100") << O << Words{{8, 99}} << "takt_burn"
                                               << "100" << true;
    QTest::newRow("old burn-in 1000 s → 900") << O << Words{{9, 1000}} << "time_burn"
                                              << "15" << true;
    QTest::newRow("old mains count 1024 → 1023") << O << Words{{3, 1024}} << "Edit_uac"
                                                 << "400" << true;
    QTest::newRow("old Uz 2000 → 1023") << O << Words{{2, 2000}} << "Edit_Uz"
                                        << "400" << true;
    QTest::newRow("old sensor 1 1024 → 1023") << O << Words{{0, 1024}} << "Edit_tmp1"
                                              << "-65,0" << true;
    QTest::newRow("old minutes 60 → 59") << O << Words{{10, 60}} << "h_all"
                                         << "1,0h" << true;
    QTest::newRow("old hours 24 → 23") << O << Words{{11, 24}} << "h_all"
                                       << "23,0h" << true;
    QTest::newRow("old days 366 → 365") << O << Words{{12, 366}} << "h_all"
                                        << "8760,0h" << true;
    QTest::newRow("old years 101 → 100") << O << Words{{17, 101}} << "h_dimm"
                                         << "876000,0h" << true;
    QTest::newRow("old day 0 → 1") << O << Words{{24, 0x0100}} << "uC_Zeit"
                                   << "01.01.2000  00:00" << true;
    QTest::newRow("old month 13 → 12") << O << Words{{24, 0x0D01}} << "uC_Zeit"
                                       << "01.12.2000  00:00" << true;
    QTest::newRow("old hour 24 → 23") << O << Words{{23, 0x0018}} << "uC_Zeit"
                                      << "01.01.2000  23:00" << true;
    QTest::newRow("old minute 60 → 59") << O << Words{{22, 0x3C00}} << "uC_Zeit"
                                        << "01.01.2000  00:59" << true;
    QTest::newRow("old seconds 60 reported") << O << Words{{22, 0x003C}} << "uC_Zeit"
                                             << "01.01.2000  00:00" << true;
    QTest::newRow("old weekday 7 reported") << O << Words{{23, 0x0700}} << "uC_Zeit"
                                            << "01.01.2000  00:00" << true;
    // Words that would index outside a table
    QTest::newRow("new sensor 1 beyond 10 bits → 1023") << N << Words{{13, 1024}} << "Edit_tmp1"
                                                        << "-60" << true;
    QTest::newRow("new sensor 1 0xFFFF → 1023") << N << Words{{13, 0xFFFF}} << "Edit_tmp1"
                                                << "-60" << true;
    QTest::newRow("new internal source 30 → 50")
        << N << Words{{6, 0x1EC8}} << "e_spar_soll_intern_anz"
        << "89%" << true;
    QTest::newRow("new internal source 255 → 200")
        << N << Words{{6, 0xFFC8}} << "e_spar_soll_intern_anz"
        << "0%" << true;
}

void LiveDisplayTest::rangeChecks() {
    QFETCH(Gen, gen);
    QFETCH(Words, words);
    QFETCH(QString, element);
    QFETCH(QString, text);
    QFETCH(bool, comError);
    const LiveDisplay d = run({.gen = gen, .words = words});
    QCOMPARE(shown(d, element), text);
    QCOMPARE(d.comError(), comError);
}

// The external saving of new hardware by the source bits of info_bits, a later bit
// overriding an earlier one; without a source bit the field keeps its text.
void LiveDisplayTest::externalSaving_data() {
    QTest::addColumn<int>("info");
    QTest::addColumn<int>("word6");
    QTest::addColumn<int>("word7");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("comError");
    QTest::newRow("no source bit") << 0x0001 << 0x7896 << 0xC8B4 << "(kept)" << false;
    QTest::newRow("bit 1: clock source") << 0x0002 << 0x7896 << 0xC8B4 << "45%" << false;
    QTest::newRow("bit 2: 0-10 V input") << 0x0004 << 0x7896 << 0xC8B4 << "23%" << false;
    QTest::newRow("bits 1 and 2: 0-10 V wins") << 0x0006 << 0x7896 << 0xC8B4 << "23%" << false;
    QTest::newRow("bits 1, 2, 3: fixed 100") << 0x000E << 0x7896 << 0xC8B4 << "67%" << false;
    QTest::newRow("bit 3 alone") << 0x0008 << 0x7896 << 0xC8B4 << "67%" << false;
    QTest::newRow("bit 1, clock source 30 → 50") << 0x0002 << 0x781E << 0xC8B4 << "89%" << true;
    QTest::newRow("bit 2, input 20 → 50") << 0x0004 << 0x7896 << 0xC814 << "89%" << true;
    QTest::newRow("bit 2, input 255 → 200") << 0x0004 << 0x7896 << 0xC8FF << "0%" << true;
    QTest::newRow("bits 2, 3: unused input not reported")
        << 0x000C << 0x7896 << 0xC814 << "67%" << false;
}

void LiveDisplayTest::externalSaving() {
    QFETCH(int, info);
    QFETCH(int, word6);
    QFETCH(int, word7);
    QFETCH(QString, text);
    QFETCH(bool, comError);
    const LiveDisplay d = run({.words = {{22, info}, {6, word6}, {7, word7}}});
    QCOMPARE(shown(d, "e_spar_soll_extern_anz"), text);
    QCOMPARE(d.comError(), comError);
}

// Each status bit lights its own lamp in its colour and no other.
void LiveDisplayTest::lamps_data() {
    QTest::addColumn<Gen>("gen");
    QTest::addColumn<Words>("words");
    QTest::addColumn<Lamps>("on");
    const Gen N = Gen::New;
    const Gen O = Gen::Old;
    QTest::newRow("new none") << N << Words{} << Lamps{};
    QTest::newRow("new operation") << N << Words{{24, 0x0001}} << Lamps{{"LED_G", kGreen}};
    QTest::newRow("new fan") << N << Words{{24, 0x0002}} << Lamps{{"LED_Y", kYellow}};
    QTest::newRow("new error") << N << Words{{24, 0x0004}} << Lamps{{"LED_R", kRed}};
    QTest::newRow("new internal") << N << Words{{22, 0x0001}} << Lamps{{"Sh_cond_4", kGreen}};
    QTest::newRow("new external clock") << N << Words{{22, 0x0002}} << Lamps{{"Sh_cond_3", kGreen}};
    QTest::newRow("new external input") << N << Words{{22, 0x0004}} << Lamps{{"Sh_cond_3", kGreen}};
    QTest::newRow("new external fixed: no lamp") << N << Words{{22, 0x0008}} << Lamps{};
    QTest::newRow("new dimming off") << N << Words{{22, 0x0040}} << Lamps{{"Sh_Dimm_off", kGreen}};
    QTest::newRow("new summer time") << N << Words{{22, 0x0800}} << Lamps{{"so_time_led", kYellow}};
    QTest::newRow("new limit bits light no lamp") << N << Words{{22, 0x0600}} << Lamps{};
    QTest::newRow("old internal by default") << O << Words{} << Lamps{{"Sh_cond_4", kGreen}};
    QTest::newRow("old external") << O << Words{{20, 0xFF08}} << Lamps{{"Sh_cond_3", kGreen}};
    QTest::newRow("old external bit in high byte ignored")
        << O << Words{{20, 0x0800}} << Lamps{{"Sh_cond_4", kGreen}};
    QTest::newRow("old operation, fan, error")
        << O << Words{{21, 0x0007}}
        << Lamps{{"Sh_cond_4", kGreen}, {"LED_G", kGreen}, {"LED_Y", kYellow}, {"LED_R", kRed}};
    QTest::newRow("old dimming off")
        << O << Words{{21, 0x0010}} << Lamps{{"Sh_cond_4", kGreen}, {"Sh_Dimm_off", kGreen}};
    QTest::newRow("old summer time")
        << O << Words{{30, 0x0002}} << Lamps{{"Sh_cond_4", kGreen}, {"so_time_led", kYellow}};
}

void LiveDisplayTest::lamps() {
    QFETCH(Gen, gen);
    QFETCH(Words, words);
    QFETCH(Lamps, on);
    QCOMPARE(lampsOf(run({.gen = gen, .words = words})), on);
}

void LiveDisplayTest::limitCaptions() {
    // New hardware marks the power-reduction limits on the calibration page; old hardware
    // leaves them alone.
    const LiveDisplay uac = run({.words = {{22, 0x0400}}});
    QVERIFY(uac.Label69 == CaptionColour::Red);
    QVERIFY(uac.Label60 == CaptionColour::WindowText);
    const LiveDisplay temp = run({.words = {{22, 0x0200}}});
    QVERIFY(temp.Label69 == CaptionColour::WindowText);
    QVERIFY(temp.Label60 == CaptionColour::Red);
    const LiveDisplay old = run({.gen = Gen::Old, .words = {{22, 0x0600}}});
    QVERIFY(!old.Label69 && !old.Label60);
}

// The operating state lights its panel of the state bars, the dimming zone its period lamp.
void LiveDisplayTest::stateAndPeriod_data() {
    QTest::addColumn<Gen>("gen");
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("panelColour");
    QTest::addColumn<int>("periodLamp"); // wt_ph1..3 = 0..2, we_ph1..3 = 3..5, −1 none
    QTest::addColumn<bool>("comError");
    const int blue = int(StatePanelColour::Blue);
    const int red = int(StatePanelColour::Red);
    const Gen N = Gen::New;
    const Gen O = Gen::Old;
    QTest::newRow("new normal, workday period 3") << N << 0x0302 << 2 << 2 << blue << 2 << false;
    QTest::newRow("new standby, zone 4") << N << 0x0406 << 6 << 5 << red << -1 << false;
    QTest::newRow("new error, workday period 1") << N << 0x0104 << 4 << 4 << red << 0 << false;
    QTest::newRow("new start, weekend period 3") << N << 0x0700 << 0 << 0 << blue << 5 << false;
    QTest::newRow("new run-up, weekend period 2") << N << 0x0601 << 1 << 1 << blue << 4 << false;
    QTest::newRow("new power reduction") << N << 0x0003 << 3 << 3 << blue << -1 << false;
    QTest::newRow("new state 5, weekend period 1") << N << 0x0505 << 5 << -1 << 0 << 3 << false;
    QTest::newRow("new state 8, zone 8") << N << 0x0808 << 8 << -1 << 0 << -1 << false;
    QTest::newRow("new state 9 → 8, zone 10 → 9") << N << 0x0A09 << 8 << -1 << 0 << -1 << true;
    QTest::newRow("old normal, weekend period 2") << O << 0x0602 << 2 << 2 << blue << 4 << false;
    QTest::newRow("old error") << O << 0x0004 << 4 << 4 << red << -1 << false;
    QTest::newRow("old state 6 → 5") << O << 0x0206 << 5 << -1 << 0 << 1 << true;
}

void LiveDisplayTest::stateAndPeriod() {
    QFETCH(Gen, gen);
    QFETCH(int, word);
    QFETCH(int, state);
    QFETCH(int, panel);
    QFETCH(int, panelColour);
    QFETCH(int, periodLamp);
    QFETCH(bool, comError);
    const LiveDisplay d = run({.gen = gen, .words = {{gen == Gen::New ? 21 : 19, word}}});
    QCOMPARE(d.controller_state, quint16(state));
    QCOMPARE(statePanel(d.controller_state), panel);
    for (int p = 0; p < 6; ++p) {
        const StatePanelColour expected =
            p == panel ? StatePanelColour(panelColour) : StatePanelColour::Grey;
        QCOMPARE(statePanelColour(d.controller_state, p), expected);
    }
    for (int i = 0; i < 6; ++i)
        QCOMPARE(d.periodLamps[std::size_t(i)],
                 i == periodLamp ? LampColour::Green : LampColour::Grey);
    QCOMPARE(d.comError(), comError);
    // After a reset (state 9) no panel is lit.
    for (int p = 0; p < 6; ++p)
        QCOMPARE(statePanelColour(9, p), StatePanelColour::Grey);
}

void LiveDisplayTest::stoppedClockOnOldHardware() {
    // 80 seconds: the clock has stopped. The caption turns red, the seconds count as 0 and
    // are no range error; other seconds values keep the caption in its text colour.
    const LiveDisplay stopped = run({.gen = Gen::Old, .words = {{22, 0x0550}}});
    QVERIFY(stopped.clk_uc == CaptionColour::Red);
    QCOMPARE(stopped.uC_Zeit, QStringLiteral("01.01.2000  00:05"));
    QVERIFY(!stopped.comError());
    const LiveDisplay running = run({.gen = Gen::Old, .words = {{22, 0x053B}}});
    QVERIFY(running.clk_uc == CaptionColour::WindowText);
    QVERIFY(!run({}).clk_uc); // new hardware leaves the caption alone
}

// The numbers the instruments follow are the values the texts show, before rounding; the
// controller clock to the second, invalid for a stopped clock or registers without a date.
void LiveDisplayTest::valuesAsNumbers_data() {
    QTest::addColumn<Gen>("gen");
    QTest::addColumn<Words>("words");
    QTest::addColumn<quint16>("kal");
    QTest::addColumn<QString>("clock");
    const Gen N = Gen::New;
    const Gen O = Gen::Old;
    QTest::newRow("new calibrated, warm")
        << N << Words{{5, 0x64A0}, {9, 600},     {13, 512},   {58, 0x0C1F},
                      {59, 26},    {57, 0x0217}, {56, 0x3B2A}}
        << quint16(590) << "2026-12-31T23:59:42";
    QTest::newRow("new cold sensor")
        << N << Words{{13, 1023}, {14, 1023}} << quint16(0) << "(invalid)"; // day 0 of month 0
    QTest::newRow("old running clock")
        << O << Words{{3, 700}, {6, 150}, {24, 0x0C1F}, {25, 0x0A1A}, {23, 0x0617}, {22, 0x3B2A}}
        << quint16(700) << "2026-12-31T23:59:42";
    QTest::newRow("old stopped clock") << O << Words{{22, 0x0550}} << quint16(0) << "(invalid)";
}

void LiveDisplayTest::valuesAsNumbers() {
    QFETCH(Gen, gen);
    QFETCH(Words, words);
    QFETCH(quint16, kal);
    QFETCH(QString, clock);
    const LiveDisplay d = run({.gen = gen, .words = words, .kal = kal, .uz = 351.4F});
    const LiveValues& v = d.values;
    QCOMPARE(formatF(v.dcLinkVolts, 0), d.Edit_Uz);
    QCOMPARE(formatF(v.mainsVolts, 0), d.Edit_uac);
    QCOMPARE(formatF(v.actualHz, 0), d.Edit_fist);
    QCOMPARE(formatF(v.nominalHz, 0), d.Edit_fsoll);
    const QString tmp1 = formatF(v.heatSink1Celsius, 1);
    QCOMPARE(tmp1 == QStringLiteral("-60,0") ? QStringLiteral("-60") : tmp1, d.Edit_tmp1);
    QCOMPARE(v.heatSink2Celsius.has_value(), d.Edit_tmp2.has_value());
    QCOMPARE(formatF(v.savingPercent, 0) + QLatin1Char('%'), d.e_spar_ist_anz);
    QCOMPARE(v.controllerClock.isValid() ? v.controllerClock.toString(Qt::ISODate).left(19)
                                         : QStringLiteral("(invalid)"),
             clock);
}

void LiveDisplayTest::rampTimesOnOldHardware_data() {
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("darkening");
    QTest::addColumn<QString>("brightening");
    QTest::addColumn<bool>("tooOld");
    QTest::newRow("revision 14") << 14 << "200"
                                 << "600" << false;
    QTest::newRow("revision 13") << 13 << "(kept)"
                                 << "(kept)" << true;
}

void LiveDisplayTest::rampTimesOnOldHardware() {
    QFETCH(int, version);
    QFETCH(QString, darkening);
    QFETCH(QString, brightening);
    QFETCH(bool, tooOld);
    const LiveDisplay d = run({.gen = Gen::Old, .hwVersion = version});
    QCOMPARE(shown(d, "Edit12"), darkening);
    QCOMPARE(shown(d, "Edit13"), brightening);
    QVERIFY(d.Label22_visible == tooOld);
}

void LiveDisplayTest::secondSensorByDeviceNumber_data() {
    QTest::addColumn<quint16>("device");
    QTest::addColumn<QString>("text");
    // [12] = 1023 (current input), [14] = 512
    QTest::newRow("DEV_Nr 0: sensor 2") << quint16(0) << "74,7";
    QTest::newRow("DEV_Nr 1: from [12], no -60 rule") << quint16(1) << "-65,0";
    QTest::newRow("DEV_Nr 2: kept") << quint16(2) << "(kept)";
}

void LiveDisplayTest::secondSensorByDeviceNumber() {
    QFETCH(quint16, device);
    QFETCH(QString, text);
    const LiveDisplay d = run({.words = {{12, 1023}, {14, 512}}, .DEV_Nr = device});
    QCOMPARE(shown(d, "Edit_tmp2"), text);
}

void LiveDisplayTest::lightSensor_data() {
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("m");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("3-300 lx, full scale") << 1023 << "29,7"
                                          << "3"
                                          << "300,0";
    QTest::newRow("300-30000 lx, full scale") << 1023 << "2970"
                                              << "300"
                                              << "30000,0";
    QTest::newRow("3-300 lx, dark") << 0 << "29,7"
                                    << "3"
                                    << "3,0";
    QTest::newRow("individual, mid scale") << 512 << "10,5"
                                           << "-2"
                                           << "50,6";
    QTest::newRow("slope not a number") << 512 << "abc"
                                        << "3"
                                        << "-";
    QTest::newRow("slope with a full stop") << 512 << "29.7"
                                            << "3"
                                            << "-";
    QTest::newRow("offset empty") << 512 << "29,7"
                                  << ""
                                  << "-";
}

void LiveDisplayTest::lightSensor() {
    QFETCH(int, input);
    QFETCH(QString, m);
    QFETCH(QString, n);
    QFETCH(QString, text);
    const LiveDisplay d = run({.words = {{11, input}}, .luxM = m, .luxN = n});
    QCOMPARE(shown(d, "Lux_Ist"), text);
    QVERIFY(!d.comError());
    QVERIFY(!run({.gen = Gen::Old}).Lux_Ist); // old hardware has no light sensor input
}

// Eight significant digits at most; beyond them zeros, no "-0".
void LiveDisplayTest::numberFormat_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("half rounds away from zero") << 62.5 << 0 << "63";
    QTest::newRow("seven digits, two decimals") << 1234567.891 << 2 << "1234567,90";
    QTest::newRow("eight digits, one decimal") << 12345678.9 << 1 << "12345679,0";
    QTest::newRow("small negative to zero") << -0.04 << 1 << "0,0";
    QTest::newRow("negative") << -7.3 << 1 << "-7,3";
}

void LiveDisplayTest::numberFormat() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(formatF(value, decimals), text);
}

void LiveDisplayTest::temperatureTableThroughSupportPoints_data() {
    QTest::addColumn<int>("ad");
    QTest::addColumn<double>("celsius");
    const std::pair<int, double> points[] = {
        {0, 530.7},    {1, 530.7},   {2, 440.3},    {3, 396.1},    {4, 367.8},    {8, 308.1},
        {16, 258.0},   {32, 215.1},  {64, 177.4},   {96, 157.2},   {128, 143.3},  {160, 132.8},
        {192, 124.3},  {224, 117.0}, {256, 110.7},  {288, 105.0},  {320, 99.9},   {352, 95.1},
        {384, 90.6},   {416, 86.4},  {448, 82.4},   {480, 78.5},   {512, 74.7},   {544, 71.0},
        {576, 67.3},   {608, 63.6},  {640, 60.0},   {672, 56.2},   {704, 52.4},   {736, 48.5},
        {768, 44.3},   {800, 39.9},  {832, 35.2},   {864, 29.9},   {896, 23.9},   {928, 16.6},
        {960, 7.2},    {992, -7.3},  {1008, -20.6}, {1016, -33.3}, {1020, -46.2}, {1021, -51.9},
        {1022, -61.2}, {1023, -65.0}};
    for (const auto& [ad, celsius] : points)
        QTest::addRow("AD %d", ad) << ad << celsius;
}

void LiveDisplayTest::temperatureTableThroughSupportPoints() {
    QFETCH(int, ad);
    QFETCH(double, celsius);
    QCOMPARE(temperature_table()[std::size_t(ad)], float(celsius));
}

void LiveDisplayTest::temperatureTableFallsWithOneDecimal() {
    const auto& table = temperature_table();
    for (int i = 1; i < kTemperatureEntries; ++i) {
        QVERIFY2(table[std::size_t(i)] <= table[std::size_t(i - 1)],
                 qPrintable(QString::number(i)));
        // Between the support points from AD 8 on the curve keeps falling by at least a
        // tenth of a degree every few counts: no flat stretches from a poor interpolation.
        if (i >= 8 && i % 8 == 0)
            QVERIFY2(table[std::size_t(i)] < table[std::size_t(i - 8)],
                     qPrintable(QString::number(i)));
        const float v = table[std::size_t(i)];
        QCOMPARE(float(std::round(double(v) * 10.0) / 10.0), v);
    }
    // Outside the 10-bit range the accessor reads the ends of the table.
    QCOMPARE(temperatureAt(-1), 530.7F);
    QCOMPARE(temperatureAt(5000), -65.0F);
}

QTEST_GUILESS_MAIN(LiveDisplayTest)
#include "tst_live_display.moc"
