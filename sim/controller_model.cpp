#include "sim/controller_model.h"

#include "sim/model_image.h"

#include <QTimeZone>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace trvsim {

namespace {

using HostClock = std::chrono::steady_clock;

// The firmware refreshes its measurements every 100 ms; the simulation integrates its
// slow quantities (lamp ramp, heat sinks, counters) in steps of at most one second.
constexpr qint64 kCycleUs = 100'000;
constexpr qint64 kStepUs = 1'000'000;

// Start sequence after switching on: one second of start (DC link charging, output off),
// three seconds of run-up (output voltage rising, lamps igniting at the start frequency),
// then normal operation, or the state a service request puts in its place.
enum State { Start = 0, RunUp = 1, Normal = 2, PowerReduction = 3, Error = 4, Standby = 6 };
constexpr qint64 kRunUpAtUs = 1'000'000;
constexpr qint64 kNormalAtUs = 4'000'000;

constexpr qint64 kMsPerDay = 86'400'000;
constexpr qint64 kJulianDayOf1970 = 2440588;
constexpr quint32 kDefaultSeed = 5200;

// The faults a running controller goes through in turn when asked to have them regularly:
// undervoltage, start fault, over-temperature of heat sink 1 (with the general
// over-temperature bit), DC-link overvoltage.
constexpr quint16 kFaultCycle[] = {0x0010, 0x0008, 0x4004, 0x0002};

// takt = 10000 / lamp frequency; 200 is 50 Hz (no saving), 100 is 100 Hz.
constexpr int kTaktUndimmed = 200;

// DC link from 230 V mains, rectified: 325 V, on the 400 V / 1023 counts scale = 831.
constexpr int kUzCounts = 831;
// Auxiliary supply measurement, a steady mid-scale reading.
constexpr int kSupplyCounts = 614;
// Potentiometer on the board, turned to the middle (takt 150 as external source).
constexpr int kPotiCounts = 512;

// Heat sinks: ambient 22 °C swinging ±1.5 °C over 40 minutes; full lamp load lifts heat
// sink 1 by 26 K, the fan takes 12 K off again; heat sink 2 runs 3 K cooler. Time constant
// ten minutes. The fan switches on when either sink reaches 45 °C and off when both are
// back at 40 °C. At switch-on the cabinet is still warm from the previous night.
constexpr double kAmbient = 22.0;
constexpr double kAmbientSwing = 1.5;
constexpr double kAmbientPeriodS = 2400.0;
constexpr double kLoadRise = 26.0;
constexpr double kFanCooling = 12.0;
constexpr double kSink2Offset = 3.0;
constexpr double kThermalTauS = 600.0;
constexpr double kFanOn = 45.0;
constexpr double kFanOff = 40.0;
constexpr double kSink1AtSwitchOn = 38.0;
constexpr double kSink2AtSwitchOn = 35.0;

// Lamp power at 50 Hz; dimming to 100 Hz saves two thirds of it.
constexpr double kLampWatts = 2400.0;

// Heat-sink thermistor: the AD value falls as the temperature rises. The points are those
// of the PC's 1024-entry conversion table; between them the firmware's value is
// interpolated, which the PC maps back to within a few tenths of a degree.
struct ThermistorPoint {
    int counts;
    double celsius;
};
constexpr ThermistorPoint kThermistor[] = {
    {0, 530.7},    {1, 530.7},    {2, 440.3},    {3, 396.1},    {4, 367.8},    {8, 308.1},
    {16, 258.0},   {32, 215.1},   {64, 177.4},   {96, 157.2},   {128, 143.3},  {160, 132.8},
    {192, 124.3},  {224, 117.0},  {256, 110.7},  {288, 105.0},  {320, 99.9},   {352, 95.1},
    {384, 90.6},   {416, 86.4},   {448, 82.4},   {480, 78.5},   {512, 74.7},   {544, 71.0},
    {576, 67.3},   {608, 63.6},   {640, 60.0},   {672, 56.2},   {704, 52.4},   {736, 48.5},
    {768, 44.3},   {800, 39.9},   {832, 35.2},   {864, 29.9},   {896, 23.9},   {928, 16.6},
    {960, 7.2},    {992, -7.3},   {1008, -20.6}, {1016, -33.3}, {1020, -46.2}, {1021, -51.9},
    {1022, -61.2}, {1023, -65.0},
};

int thermistorCounts(double celsius) {
    if (celsius >= kThermistor[0].celsius)
        return 0;
    for (size_t i = 1; i < std::size(kThermistor); ++i) {
        const ThermistorPoint& a = kThermistor[i - 1];
        const ThermistorPoint& b = kThermistor[i];
        if (celsius >= b.celsius) {
            const double f = (a.celsius - celsius) / (a.celsius - b.celsius);
            return int(std::lround(a.counts + f * (b.counts - a.counts)));
        }
    }
    return 1023;
}

constexpr quint16 word(int high, int low) {
    return quint16(((high & 0xFF) << 8) | (low & 0xFF));
}

qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// The controller clock has no time zone: it is a plain date and time, kept here as
// milliseconds since 1 January 1970 00:00 of that plain calendar.
qint64 plainMs(const QDate& date, const QTime& time) {
    return (date.toJulianDay() - kJulianDayOf1970) * kMsPerDay + time.msecsSinceStartOfDay();
}

struct Civil {
    QDate date;
    qint64 msOfDay;
};

Civil civil(qint64 ms) {
    const qint64 day = floorDiv(ms, kMsPerDay);
    return {QDate::fromJulianDay(kJulianDayOf1970 + day), ms - day * kMsPerDay};
}

QDate lastSunday(int year, int month) {
    QDate d(year, month, 1);
    d = d.addDays(d.daysInMonth() - 1);
    return d.addDays(-(d.dayOfWeek() % 7));
}

// Summer time as the firmware computes it on its standard-time clock: from the last
// Sunday of March, 02:00, to the last Sunday of October, 03:00.
bool summerTime(qint64 ms) {
    const int year = civil(ms).date.year();
    const qint64 begin = plainMs(lastSunday(year, 3), QTime(2, 0));
    const qint64 end = plainMs(lastSunday(year, 10), QTime(3, 0));
    return ms >= begin && ms < end;
}

double smoothstep(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

} // namespace

struct ControllerModel::Impl {
    Impl(Generation g, int rev)
        : generation(g), revision(rev), ram(g, 0x00), parameter(g, 0xFF),
          pinnedRam(size_t(ram.size())), pinnedParameter(size_t(parameter.size())),
          map(model::ramMap(g)), rng(kDefaultSeed) {}

    Generation generation;
    int revision;
    // RAM is cleared by the start-up code; unprogrammed parameter memory reads 0xFF.
    model::MemorySpace ram;
    model::MemorySpace parameter;
    std::vector<bool> pinnedRam;
    std::vector<bool> pinnedParameter;
    const model::RamMap& map;
    mutable std::mutex mutex;

    // Time line, in microseconds of controller time since construction.
    HostClock::time_point wallAnchor = HostClock::now();
    qint64 anchorUs = 0;
    double scale = 1.0;
    bool frozen = false;
    qint64 nowUs = 0; // the controller has run up to here
    qint64 powerOnUs = 0;

    // Controller clock: rtcBaseMs (plain calendar) at controller time rtcAtUs.
    qint64 rtcAtUs = 0;
    qint64 rtcBaseMs = 0;

    // Running state, evaluated for nowUs.
    int state = Start;
    int zone = 0;
    bool burnIn = true;
    int startTakt = 182;
    int clockTakt = kTaktUndimmed; // what the night profile asks for now
    int setTakt = 182;             // what the lamps are driven towards
    double lampHz = 10000.0 / 182;
    // Service requests: the state after the run-up, a lamp frequency held, a burn-in time
    // of its own.
    std::optional<int> forcedState;
    std::optional<int> forcedTakt;
    std::optional<qint64> burnInOverrideUs;
    // The fault shown live until faultUntilUs, and the regular faults.
    quint16 activeFault = 0;
    qint64 faultUntilUs = 0;
    qint64 faultIntervalUs = 0;
    qint64 nextFaultUs = 0;
    size_t nextFaultKind = 0;
    double sink1 = kSink1AtSwitchOn;
    double sink2 = kSink2AtSwitchOn;
    bool fan = false;
    qint64 hoursAllUs = model::kFactoryHoursAllSeconds * 1'000'000;
    qint64 hoursDimUs = model::kFactoryHoursDimSeconds * 1'000'000;

    std::mt19937 rng;

    // The next write to spoil, by its decoded address.
    struct Spoil {
        Space space;
        int address;
        std::optional<quint16> value;
    };
    std::optional<Spoil> spoil;

    model::MemorySpace& space(Space s) { return s == Space::Ram ? ram : parameter; }
    std::vector<bool>& pins(Space s) { return s == Space::Ram ? pinnedRam : pinnedParameter; }
    bool old() const { return generation == Generation::Old; }
    bool hasRamp() const { return !old() || revision >= 14; }

    // A word the firmware writes on its own; a pinned word keeps what the test put there.
    void out(quint16 address, int value) {
        if (!pinnedRam[ram.decode(address)])
            ram.setWord(address, quint16(value));
    }

    int jitter(int amplitude) { return int(rng() % quint32(2 * amplitude + 1)) - amplitude; }

    qint64 targetUs() const {
        if (frozen)
            return anchorUs;
        const auto wall =
            std::chrono::duration_cast<std::chrono::microseconds>(HostClock::now() - wallAnchor);
        return anchorUs + qint64(double(wall.count()) * scale);
    }

    void reanchor() {
        anchorUs = targetUs();
        wallAnchor = HostClock::now();
    }

    qint64 rtcMs() const { return rtcBaseMs + floorDiv(nowUs - rtcAtUs, 1000); }

    void catchUp() {
        const qint64 target = targetUs();
        if (target - nowUs < kCycleUs)
            return;
        while (nowUs < target) {
            qint64 dt = std::min(kStepUs, target - nowUs);
            if (faultIntervalUs > 0)
                dt = std::max<qint64>(1, std::min(dt, nextFaultUs - nowUs));
            evaluate();
            integrate(dt);
            nowUs += dt;
            if (faultIntervalUs > 0 && nowUs >= nextFaultUs) {
                raise(kFaultCycle[nextFaultKind],
                      qint64(ControllerModel::kFaultActive.count()) * 1'000'000);
                nextFaultKind = (nextFaultKind + 1) % std::size(kFaultCycle);
                nextFaultUs += faultIntervalUs;
            }
        }
        evaluate();
        publish();
    }

    // The firmware's power-up: working copies of the parameters into RAM.
    void loadWorkingCopies() {
        const model::ParameterMap& p = model::parameterMap(generation);
        auto copy = [&](quint16 from, quint16 to) { out(to, parameter.word(from)); };
        copy(p.uacSetStart, map.uacSetStart);
        copy(p.uacSetNominal, map.uacSetNominal);
        if (hasRamp())
            copy(p.ramp, map.ramp);
        else
            out(map.ramp, 0);
        copy(p.burnTime, map.burnTime);
        copy(p.startTakt, map.startTakt);
        for (int i = 0; i < 8; ++i)
            copy(p.profile + 2 * i, map.profile + 2 * i);
        for (int i = 0; i < 3; ++i)
            copy(p.profileTakt + 2 * i, map.profileTakt + 2 * i);
        out(map.pcRequest, 0);
    }

    // The new firmware drives takt 50..200; the old one only even values 100..200.
    int limitTakt(int takt) const {
        if (old())
            return std::clamp(takt, 100, 200) & ~1;
        return std::clamp(takt, 50, 200);
    }

    int actualTakt() const { return limitTakt(int(std::lround(10000.0 / lampHz))); }

    int profileMinutesSinceNoon(int index) const {
        const quint16 w = ram.word(map.profile + 2 * index);
        const int hour = std::min(w >> 8, 23);
        const int minute = std::min(w & 0xFF, 59);
        return (hour * 60 + minute + 720) % 1440;
    }

    // Night profile on the controller clock. A night runs from noon to noon and belongs to
    // the day it began on: nights beginning Sunday to Thursday follow the workday profile,
    // Friday and Saturday nights the weekend profile. Periods 1..3 of the workday profile
    // are zones 1..3, those of the weekend profile zones 5..7; zone 0 is no dimming.
    void evaluateProfile() {
        const Civil night = civil(rtcMs() - kMsPerDay / 2);
        const int weekday = night.date.dayOfWeek(); // 1 = Monday
        const bool weekend = weekday == Qt::Friday || weekday == Qt::Saturday;
        const int base = weekend ? 4 : 0;
        const int minute = int(night.msOfDay / 60'000);
        int period = 0;
        for (int i = 0; i < 3; ++i) {
            if (profileMinutesSinceNoon(base + i) <= minute &&
                minute < profileMinutesSinceNoon(base + i + 1))
                period = i + 1;
        }
        if (period == 0) {
            zone = 0;
            clockTakt = kTaktUndimmed;
            return;
        }
        zone = period + base;
        // Takt bytes in period order workday 1, 2, 3, weekend 1, 2, 3; low byte first.
        const int slot = (weekend ? 3 : 0) + period - 1;
        const quint16 w = ram.word(map.profileTakt + 2 * (slot / 2));
        clockTakt = limitTakt(slot % 2 ? w >> 8 : w & 0xFF);
    }

    // The lamps follow start, burn-in and night programme (normal operation or power
    // reduction); they are lit from the run-up on, until an error or standby.
    bool running() const { return state == Normal || state == PowerReduction; }
    bool lampsOn() const { return state == RunUp || running(); }

    void evaluate() {
        const qint64 run = nowUs - powerOnUs;
        state = run < kRunUpAtUs ? Start : run < kNormalAtUs ? RunUp : forcedState.value_or(Normal);
        // The new firmware keeps the start takt in the low byte of its word.
        const quint16 start = ram.word(map.startTakt);
        startTakt = limitTakt(old() ? start : start & 0xFF);
        const qint64 burnUs = burnInOverrideUs.value_or(qint64(ram.word(map.burnTime)) * 1'000'000);
        burnIn = !running() || run < burnUs;
        evaluateProfile();
        if (!running())
            zone = 0;
        setTakt = forcedTakt.value_or(burnIn ? startTakt : clockTakt);
    }

    double load() const {
        if (!lampsOn())
            return 0.0;
        const double dimmed = std::clamp((kTaktUndimmed - 10000.0 / lampHz) / 100.0, 0.0, 1.0);
        return 1.0 - 0.67 * dimmed;
    }

    void integrate(qint64 dtUs) {
        const double dt = double(dtUs) / 1e6;

        // Lamp frequency: the lamps start directly at the start frequency; in normal
        // operation the frequency ramps over the configured times (50 Hz of change per
        // darkening or brightening time), or steps when no ramp time is set.
        const double target = 10000.0 / setTakt;
        if (!running() || !hasRamp() || forcedTakt) {
            lampHz = target;
        } else if (lampHz != target) {
            const quint16 ramp = ram.word(map.ramp);
            const int units = target > lampHz ? ramp & 0xFF : ramp >> 8;
            if (units == 0) {
                lampHz = target;
            } else {
                const double step = 50.0 / (units * 25.0) * dt;
                lampHz = target > lampHz ? std::min(target, lampHz + step)
                                         : std::max(target, lampHz - step);
            }
        }

        const double nowS = double(nowUs) / 1e6;
        const double ambient =
            kAmbient + kAmbientSwing * std::sin(2 * std::numbers::pi * nowS / kAmbientPeriodS);
        const double goal1 = ambient + kLoadRise * load() - (fan ? kFanCooling : 0.0);
        const double k = 1.0 - std::exp(-dt / kThermalTauS);
        sink1 += (goal1 - sink1) * k;
        sink2 += (goal1 - kSink2Offset - sink2) * k;
        if (sink1 >= kFanOn || sink2 >= kFanOn)
            fan = true;
        else if (sink1 <= kFanOff && sink2 <= kFanOff)
            fan = false;

        if (lampsOn())
            hoursAllUs += dtUs;
        if (running() && !burnIn && zone != 0 && setTakt < kTaktUndimmed)
            hoursDimUs += dtUs;
    }

    // Mains output in raw counts: off while starting, rising to the start set point during
    // run-up, held there through burn-in, then at the nominal set point.
    int uacCounts() const {
        const qint64 run = nowUs - powerOnUs;
        const int start = std::min<int>(ram.word(map.uacSetStart), 1023);
        const int nominal = std::min<int>(ram.word(map.uacSetNominal), 1023);
        switch (state) {
        case Start:
            return 0;
        case RunUp:
            return int(start * double(run - kRunUpAtUs) / double(kNormalAtUs - kRunUpAtUs));
        default:
            if (!running())
                return 0; // output off
            return burnIn ? start : nominal;
        }
    }

    // Light sensor: dark at night, daylight from about 06:30 to 19:30 with an hour of
    // twilight either side, on the controller clock.
    int lightCounts() const {
        const double hour = double(civil(rtcMs()).msOfDay) / 3'600'000.0;
        const double day = std::min(smoothstep(hour - 6.0), smoothstep(20.0 - hour));
        return 15 + int(880 * day);
    }

    void publishClock() {
        const Civil c = civil(rtcMs());
        const QTime t = QTime::fromMSecsSinceStartOfDay(int(c.msOfDay));
        const int year = std::clamp(c.date.year() - 2000, 0, 255);
        out(map.clock, word(t.minute(), t.second()));
        // Weekday 0 = Sunday … 6 = Saturday (the PC writes 1 … 7).
        out(map.clock + 2, word(c.date.dayOfWeek() % 7, t.hour()));
        out(map.clock + 4, word(c.date.month(), c.date.day()));
        out(map.clock + 6, year);
    }

    // Fault bits and fault lamp of a fault while it is active (an error state lights the
    // lamp on its own).
    void publishFaults() {
        const quint16 bits = nowUs < faultUntilUs ? activeFault : 0;
        const bool lamp = bits != 0 || state == Error;
        if (old()) {
            const quint16 enable = ram.word(0x70) & 0xFF;
            out(0x70, word(bits, enable)); // error bits in the high byte (8 of them)
            out(0x72, (ram.word(0x72) & ~0x04) | (lamp ? 0x04 : 0));
        } else {
            out(0x5E, bits);
            out(0x60, (ram.word(0x60) & ~0x04) | (lamp ? 0x04 : 0));
        }
    }

    void raise(quint16 bits, qint64 activeUs) {
        record(bits);
        activeFault = bits;
        faultUntilUs = nowUs + activeUs;
        publishFaults();
    }

    void record(quint16 faultBits) {
        const model::ParameterMap& p = model::parameterMap(generation);
        const int ringBytes = model::kFaultRecords * model::kFaultRecordBytes;
        int position = parameter.word(p.faultPosition);
        if (position % model::kFaultRecordBytes != 0 || position >= ringBytes)
            position = 0;
        const Civil c = civil(rtcMs());
        const QTime t = QTime::fromMSecsSinceStartOfDay(int(c.msOfDay));
        const quint16 entry = quint16(p.faultRing + position);
        parameter.setWord(entry, faultBits);
        parameter.setWord(entry + 2, word(t.minute(), t.hour()));
        parameter.setWord(entry + 4, word(c.date.day(), c.date.month()));
        parameter.setWord(p.faultPosition, quint16(position + model::kFaultRecordBytes));
    }

    void publish() {
        const bool lampsOn = this->lampsOn();
        const bool summer = summerTime(rtcMs());
        const int run = int(std::min<qint64>((nowUs - powerOnUs) / 1'000'000, 0xFFFF));
        const int uac = uacCounts();
        const int uacMeasured = uac > 0 ? std::clamp(uac + jitter(2), 0, 1023) : 0;
        const int uz = state == Start
                           ? int(kUzCounts * double(nowUs - powerOnUs) / double(kRunUpAtUs))
                           : kUzCounts + jitter(3);
        const int sink1Counts = std::clamp(thermistorCounts(sink1) + jitter(1), 0, 1023);
        const int sink2Counts = std::clamp(thermistorCounts(sink2) + jitter(1), 0, 1023);
        const int light = std::clamp(lightCounts() + jitter(3), 0, 1023);
        const int actual = actualTakt();
        const qint64 allS = hoursAllUs / 1'000'000;
        const qint64 dimS = hoursDimUs / 1'000'000;
        const bool dimmOff = running() && burnIn;
        const bool uacReduction = state == PowerReduction;

        if (old()) {
            // Port D image: bit 1 drives the summer-time lamp, bit 6 the mains relay.
            out(0x08, word(0x00, 0x40 | (summer ? 0x02 : 0x00)));
            out(0x32, 0);
            out(0x40, sink1Counts);
            out(0x42, sink2Counts);
            out(0x44, uz);
            out(0x46, uacMeasured);
            out(0x48, kTaktUndimmed); // analogue input unused: no external saving
            out(0x4A, clockTakt);
            out(0x4C, actual);
            out(0x4E, setTakt);
            auto counter = [&](quint16 address, qint64 seconds) {
                const qint64 minutes = seconds / 60;
                out(address, int(minutes % 60));
                out(address + 2, int(minutes / 60 % 24));
                out(address + 4, int(minutes / (60 * 24) % 365));
                out(address + 6, int(minutes / (60 * 24 * 365)));
            };
            counter(0x54, allS);
            counter(0x5C, dimS);
            out(0x64, run);
            out(0x66, word(zone, state));
            // en_bits: bit 0 output enabled; bit 3 clear: the clock profile (internal)
            // sets the saving.
            out(0x70, word(0x00, lampsOn ? 0x01 : 0x00));
            out(0x72, word(0x00, (lampsOn ? 0x01 : 0) | (fan ? 0x02 : 0) | (dimmOff ? 0x10 : 0)));
        } else {
            const int poti = std::clamp(kPotiCounts + jitter(1), 0, 1023);
            out(0x3A, word(setTakt, actual));
            // Internal (clock) source in the high byte, board potentiometer in the low byte.
            out(0x3C, word(clockTakt, kTaktUndimmed - poti * 100 / 1023));
            out(0x3E, word(kTaktUndimmed, kTaktUndimmed)); // 0-10 V and lux inputs unused
            out(0x40, uz);
            out(0x42, uacMeasured);
            out(0x44, poti);
            out(0x46, light);
            out(0x48, lampsOn ? 40 + int(420 * load()) + jitter(3) : 0); // DC-link current
            out(0x4A, sink1Counts);
            out(0x4C, sink2Counts);
            out(0x4E, kSupplyCounts + jitter(2));
            out(0x50, int(allS & 0xFFFF));
            out(0x52, int(allS >> 16));
            out(0x54, int(dimS & 0xFFFF));
            out(0x56, int(dimS >> 16));
            out(0x58, run);
            out(0x5A, word(zone, state));
            // info_bits: bit 0 internal source, bit 6 dimming held off, bit 10 mains power
            // reduction, bit 11 summer time.
            out(0x5C, 0x0001 | (dimmOff ? 0x0040 : 0) | (uacReduction ? 0x0400 : 0) |
                          (summer ? 0x0800 : 0));
            out(0x60, (lampsOn ? 0x01 : 0) | (fan ? 0x02 : 0));
            out(0x62, 0);
            out(0x68, word(setTakt, 0));
            out(0x6A, 0);
            out(0x70, lampsOn ? int(kLampWatts * load()) : 0); // p_dc in watts
            out(0x72, 0);
            // Regulators: set point, actual value, deviation and output of the mains and
            // DC-link loops.
            out(0x76, uac);
            out(0x78, uacMeasured);
            out(0x7A, uac - uacMeasured);
            out(0x80, lampsOn ? 0x5A00 + 64 * (uac - uacMeasured) : 0);
            out(0x82, 0);
            out(0x84, kUzCounts);
            out(0x86, uz);
            out(0x88, kUzCounts - uz);
            out(0x90, 0x4000 + 16 * (kUzCounts - uz));
        }
        publishFaults();
        publishClock();
    }

    // The PC request word 1: take the clock from the PC registers. A register set that is
    // no valid date and time leaves the clock as it is.
    void setClockFromPc() {
        const quint16 minSec = ram.word(map.pcClock);
        const quint16 dayHour = ram.word(map.pcClock + 2);
        const quint16 monthDate = ram.word(map.pcClock + 4);
        const quint16 year = ram.word(map.pcClock + 6);
        const QDate date(2000 + (year & 0xFF), monthDate >> 8, monthDate & 0xFF);
        const QTime time(dayHour & 0xFF, minSec >> 8, minSec & 0xFF);
        if (!date.isValid() || !time.isValid())
            return;
        setRtc(plainMs(date, time));
    }

    void setRtc(qint64 ms) {
        rtcBaseMs = ms;
        rtcAtUs = nowUs;
        publishClock();
    }

    void powerOn() {
        powerOnUs = nowUs;
        loadWorkingCopies();
        evaluate();
        lampHz = 10000.0 / setTakt;
        publish();
    }
};

ControllerModel::ControllerModel(Generation generation, int revision)
    : d(std::make_unique<Impl>(generation, revision)) {
    model::loadFactoryImage(generation, revision, d->ram, d->parameter);
    // A controller keeps standard time all year: the PC's summer hour is taken off.
    QDateTime now = QDateTime::currentDateTime();
    if (now.isDaylightTime())
        now = now.addSecs(-now.timeZone().daylightTimeOffset(now));
    d->rtcBaseMs = plainMs(now.date(), now.time());
    d->powerOn();
}

ControllerModel::~ControllerModel() = default;

Generation ControllerModel::generation() const {
    std::lock_guard lock(d->mutex);
    return d->generation;
}

quint16 ControllerModel::readWord(Space space, quint16 address) {
    std::lock_guard lock(d->mutex);
    d->catchUp();
    return d->space(space).word(address);
}

void ControllerModel::writeWord(Space space, quint16 address, quint16 value) {
    std::lock_guard lock(d->mutex);
    d->catchUp();
    model::MemorySpace& memory = d->space(space);
    if (d->spoil && d->spoil->space == space && d->spoil->address == int(memory.decode(address))) {
        value = d->spoil->value.value_or(quint16(value ^ 0x0001));
        d->spoil.reset();
    }
    memory.setWord(address, value);
    if (space == Space::Ram && memory.decode(address) == d->map.pcRequest && value == 1)
        d->setClockFromPc();
}

void ControllerModel::spoilNextWrite(Space space, quint16 address, std::optional<quint16> value) {
    std::lock_guard lock(d->mutex);
    d->spoil = Impl::Spoil{space, int(d->space(space).decode(address)), value};
}

quint16 ControllerModel::peek(Space space, quint16 address) const {
    std::lock_guard lock(d->mutex);
    return d->space(space).word(address);
}

void ControllerModel::poke(Space space, quint16 address, quint16 value) {
    std::lock_guard lock(d->mutex);
    model::MemorySpace& memory = d->space(space);
    memory.setWord(address, value);
    d->pins(space)[memory.decode(address)] = true;
}

void ControllerModel::release(Space space, quint16 address) {
    std::lock_guard lock(d->mutex);
    d->pins(space)[d->space(space).decode(address)] = false;
}

void ControllerModel::setFrozen(bool frozen) {
    std::lock_guard lock(d->mutex);
    if (frozen == d->frozen)
        return;
    d->reanchor();
    d->frozen = frozen;
}

bool ControllerModel::isFrozen() const {
    std::lock_guard lock(d->mutex);
    return d->frozen;
}

void ControllerModel::advance(std::chrono::milliseconds duration) {
    std::lock_guard lock(d->mutex);
    if (duration.count() > 0)
        d->anchorUs += qint64(duration.count()) * 1000;
    d->catchUp();
}

void ControllerModel::setTimeScale(double scale) {
    std::lock_guard lock(d->mutex);
    d->reanchor();
    d->scale = scale > 0 ? scale : 1.0;
}

void ControllerModel::setSeed(quint32 seed) {
    std::lock_guard lock(d->mutex);
    d->rng.seed(seed);
}

void ControllerModel::powerCycle() {
    std::lock_guard lock(d->mutex);
    d->catchUp();
    d->powerOn();
}

QDateTime ControllerModel::clock() const {
    std::lock_guard lock(d->mutex);
    d->catchUp();
    const Civil c = civil(d->rtcMs());
    return QDateTime(c.date, QTime::fromMSecsSinceStartOfDay(int(c.msOfDay / 1000 * 1000)));
}

void ControllerModel::setClock(const QDateTime& time) {
    std::lock_guard lock(d->mutex);
    if (!time.isValid())
        return;
    d->catchUp();
    d->setRtc(plainMs(time.date(), time.time()));
}

void ControllerModel::recordFault(quint16 faultBits) {
    std::lock_guard lock(d->mutex);
    d->catchUp();
    d->record(faultBits);
}

bool ControllerModel::setOperatingState(OperatingState state) {
    std::lock_guard lock(d->mutex);
    if (state == OperatingState::Standby && d->old())
        return false;
    d->catchUp();
    switch (state) {
    case OperatingState::Normal:
        d->forcedState.reset();
        break;
    case OperatingState::PowerReduction:
        d->forcedState = PowerReduction;
        break;
    case OperatingState::Error:
        d->forcedState = Error;
        break;
    case OperatingState::Standby:
        d->forcedState = Standby;
        break;
    }
    d->evaluate();
    d->publish();
    return true;
}

void ControllerModel::forceLampFrequency(std::optional<double> hz) {
    std::lock_guard lock(d->mutex);
    d->catchUp();
    if (hz && *hz > 0)
        d->forcedTakt = d->limitTakt(int(std::lround(10000.0 / *hz)));
    else
        d->forcedTakt.reset();
    d->evaluate();
    if (d->forcedTakt && d->lampsOn())
        d->lampHz = 10000.0 / *d->forcedTakt;
    d->publish();
}

void ControllerModel::setBurnInOverride(std::optional<std::chrono::seconds> duration) {
    std::lock_guard lock(d->mutex);
    d->catchUp();
    if (duration)
        d->burnInOverrideUs = qint64(std::max<qint64>(duration->count(), 0)) * 1'000'000;
    else
        d->burnInOverrideUs.reset();
    d->evaluate();
    d->publish();
}

void ControllerModel::raiseFault(quint16 faultBits, std::chrono::milliseconds active) {
    std::lock_guard lock(d->mutex);
    d->catchUp();
    d->raise(faultBits, qint64(std::max<qint64>(active.count(), 0)) * 1000);
}

void ControllerModel::setFaultInterval(std::chrono::seconds interval) {
    std::lock_guard lock(d->mutex);
    d->catchUp();
    d->faultIntervalUs = qint64(std::max<qint64>(interval.count(), 0)) * 1'000'000;
    d->nextFaultUs = d->nowUs + d->faultIntervalUs;
}

} // namespace trvsim
