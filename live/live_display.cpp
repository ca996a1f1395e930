#include "live/live_display.h"

#include "base/formats.h"
#include "live/temperature_table.h"

#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kSignificantDigits = 8;

// Lamp periods: 10000 / p Hz. New controllers report 50..200 (50..200 Hz), old ones
// 100..200 (50..100 Hz).
constexpr quint16 kNewPeriodMin = 50;
constexpr quint16 kOldPeriodMin = 100;
constexpr quint16 kPeriodMax = 200;
constexpr quint16 kAdMax = 1023; // 10-bit AD inputs
// Heat-sink temperatures of new controllers below this are shown as the text "-60".
constexpr float kColdest = -60.0F;

quint8 lowByte(quint16 word) {
    return quint8(word & 0xFF);
}
quint8 highByte(quint16 word) {
    return quint8(word >> 8);
}
bool bit(quint16 word, int n) {
    return (word >> n) & 1U;
}

LampColour lamp(bool on, LampColour colour) {
    return on ? colour : LampColour::Grey;
}

CaptionColour caption(bool red) {
    return red ? CaptionColour::Red : CaptionColour::WindowText;
}

// One display run's range checks: the limited value, each violation recorded.
class Checks {
public:
    explicit Checks(LiveDisplay& out) : out_(out) {}

    quint16 operator()(quint16 value, quint16 low, quint16 high, const QString& source) {
        const quint16 read = value;
        if (limitToRange(value, low, high))
            out_.violations.push_back({source, read, value});
        return value;
    }

private:
    LiveDisplay& out_;
};

QString word(int i) {
    return QStringLiteral("[%1]").arg(i);
}
QString low(int i) {
    return word(i) + QStringLiteral(" low byte");
}
QString high(int i) {
    return word(i) + QStringLiteral(" high byte");
}

QString frequency(quint16 period) {
    return formatF(10000.0 / period, 0);
}

QString saving(quint16 period) {
    return formatF(energySaving(period), 0) + QLatin1Char('%');
}

QString temperature(quint16 ad) {
    return formatF(temperatureAt(ad), 1);
}

// New controllers: a sensor colder than −60 °C is off its scale.
QString temperatureNew(quint16 ad) {
    const float celsius = temperatureAt(ad);
    return celsius < kColdest ? QStringLiteral("-60") : formatF(celsius, 1);
}

// Mains voltage from the AD count: count × 230 / kal_value230 on a calibrated controller
// (the factor rounded to single precision, as the controller's own scale), × 400 / 1023
// otherwise.
double mainsVolts(quint16 count, quint16 kal_value230) {
    const float k = kal_value230 != 0 ? float(1023.0 / kal_value230 * 230.0) : 400.0F;
    return count * double(k) / 1023.0;
}

QString mainsVoltage(quint16 count, quint16 kal_value230) {
    return formatF(mainsVolts(count, kal_value230), 0);
}

// New controllers show a sensor colder than −60 °C as −60.
double celsiusNew(quint16 ad) {
    return std::max(double(temperatureAt(ad)), double(kColdest));
}

// The clock registers as a plain date and time (kept in UTC so that no zone's summer-time
// gap can move it); invalid when they hold no date.
QDateTime plainClock(int year, int month, int day, int hours, int minutes, int seconds) {
    const QDate date(year, month, day);
    const QTime time(hours, minutes, seconds);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, QTimeZone::utc());
}

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString clockText(int day, int month, int year, int hours, int minutes) {
    return twoDigits(day) + QLatin1Char('.') + twoDigits(month) + QLatin1Char('.') +
           QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')) + QStringLiteral("  ") +
           twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes);
}

// Wrong lux parameters cannot be told by a range: they are the technician's input, not
// the controller's words, so the display shows a dash instead of a made-up illuminance.
QString lux(quint16 sensorAd, const QString& mText, const QString& nText) {
    const std::optional<double> m = parseFixed(mText);
    const std::optional<double> n = parseFixed(nText);
    if (!m || !n)
        return QStringLiteral("-");
    return formatF(sensorAd * 10.0 / 1023.0 * *m + *n, 1);
}

void periodLamps(LiveDisplay& out, quint16 zone) {
    out.periodLamps.fill(LampColour::Grey);
    // Zones 1..3: workday periods 1..3; 5..7: weekend periods 1..3; 0, 4, 8, 9: none.
    if (zone >= 1 && zone <= 3)
        out.periodLamps[zone - 1] = LampColour::Green;
    else if (zone >= 5 && zone <= 7)
        out.periodLamps[zone - 2] = LampColour::Green;
}

} // namespace

bool limitToRange(quint16& value, quint16 limitDown, quint16 limitUp) {
    if (value < limitDown) {
        value = limitDown;
        return true;
    }
    if (value > limitUp) {
        value = limitUp;
        return true;
    }
    return false;
}

LiveDisplay liveDisplayNew(const NewDisplayInputs& in) {
    LiveDisplay out;
    Checks check(out);
    const auto w = [&in](int i) { return in.ram.val_int[std::size_t(i)]; };

    // Measured values
    out.Edit_Uz = formatF(in.ram.val_n[8], 0);
    const quint16 actualPeriod = check(lowByte(w(5)), kNewPeriodMin, kPeriodMax, low(5));
    const quint16 setPeriod = check(highByte(w(5)), kNewPeriodMin, kPeriodMax, high(5));
    out.Edit_fist = frequency(actualPeriod);
    out.Edit_fsoll = frequency(setPeriod);

    // The saving sources must be periods too; an internal source outside them is reported
    // here already (the actual period, low byte of [5], was checked above).
    check(lowByte(w(6)), kNewPeriodMin, kPeriodMax, low(6));
    check(highByte(w(6)), kNewPeriodMin, kPeriodMax, high(6));

    out.uac_ist_int = check(w(9), 0, kAdMax, word(9));
    out.Edit_uac = mainsVoltage(w(9), in.kal_value230); // the count as read
    // A first-sensor word beyond the 10-bit input has no temperature: it is limited like
    // every checked word and reported.
    out.Edit_tmp1 = temperatureNew(check(w(13), 0, kAdMax, word(13)));
    if (in.DEV_Nr == 0)
        out.Edit_tmp2 = temperatureNew(qMin(w(14), kAdMax));
    else if (in.DEV_Nr == 1)
        out.Edit_tmp2 = temperature(qMin(w(12), kAdMax));

    // Start settings and ramp times
    out.takt_burn = frequency(check(lowByte(w(4)), kNewPeriodMin, kPeriodMax, low(4)));
    out.time_burn = formatF(check(w(3), 180, 900, word(3)) / 60.0, 0);
    out.Edit12 = formatF(lowByte(w(2)) * 25, 0);
    out.Edit13 = formatF(highByte(w(2)) * 25, 0);

    // Energy saving
    out.e_spar_soll_anz = saving(setPeriod);
    out.e_spar_ist_anz = saving(actualPeriod);
    // The internal source has no saving outside the periods: shown limited, already
    // reported above.
    quint16 internal = highByte(w(6));
    limitToRange(internal, kNewPeriodMin, kPeriodMax);
    out.e_spar_soll_intern_anz = saving(internal);
    // External source by the info bits, a later bit overriding an earlier one: bit 1 the
    // clock source (low byte of [6]), bit 2 the 0-10 V input (low byte of [7]), bit 3 a
    // fixed 100 Hz.
    const quint16 info = w(22);
    std::optional<quint16> external;
    bool analogueSource = false;
    if (bit(info, 1))
        external = check(lowByte(w(6)), kNewPeriodMin, kPeriodMax, low(6));
    if (bit(info, 2)) {
        external = lowByte(w(7));
        analogueSource = true;
    }
    if (bit(info, 3)) {
        external = 100;
        analogueSource = false;
    }
    // The 0-10 V period has no saving outside the periods either: limited and reported,
    // when it is the one shown.
    if (external && analogueSource)
        external = check(*external, kNewPeriodMin, kPeriodMax, low(7));
    if (external)
        out.e_spar_soll_extern_anz = saving(*external);

    // Operating times: seconds in two words each
    const float all = float((w(17) * 65536.0 + w(16)) / 3600.0);
    const float dimmed = float((w(19) * 65536.0 + w(18)) / 3600.0);
    out.h_all = formatF(all, 2) + QLatin1Char('h');
    out.h_dimm = formatF(dimmed, 2) + QLatin1Char('h');
    out.t_lauf_anz = runTimeText(w(20));

    // Controller clock
    out.uC_Zeit =
        clockText(lowByte(w(58)), highByte(w(58)), w(59) + 2000, lowByte(w(57)), highByte(w(56)));

    // Status lamps and the limit captions of the calibration page
    const quint16 lamps = w(24);
    out.LED_G = lamp(bit(lamps, 0), LampColour::Green);
    out.Sh_cond_4 = lamp(bit(info, 0), LampColour::Green);
    out.Sh_cond_3 = lamp(bit(info, 1) || bit(info, 2), LampColour::Green);
    out.Sh_Dimm_off = lamp(bit(info, 6), LampColour::Green);
    out.LED_Y = lamp(bit(lamps, 1), LampColour::Yellow);
    out.LED_R = lamp(bit(lamps, 2), LampColour::Red);
    out.so_time_led = lamp(bit(info, 11), LampColour::Yellow);
    out.Label69 = caption(bit(info, 10));
    out.Label60 = caption(bit(info, 9));

    // Operating state and active dimming period
    out.controller_state = check(lowByte(w(21)), 0, 8, low(21));
    periodLamps(out, check(highByte(w(21)), 0, 9, high(21)));

    // Light sensor, last
    out.Lux_Ist = lux(w(11), in.luxM, in.luxN);

    LiveValues& r = out.values;
    r.dcLinkVolts = in.ram.val_n[8];
    r.mainsVolts = mainsVolts(w(9), in.kal_value230);
    r.actualHz = 10000.0 / actualPeriod;
    r.nominalHz = 10000.0 / setPeriod;
    r.heatSink1Celsius = celsiusNew(qMin(w(13), kAdMax));
    if (in.DEV_Nr == 0)
        r.heatSink2Celsius = celsiusNew(qMin(w(14), kAdMax));
    else if (in.DEV_Nr == 1)
        r.heatSink2Celsius = temperatureAt(qMin(w(12), kAdMax));
    r.savingPercent = energySaving(actualPeriod);
    r.controllerClock = plainClock(w(59) + 2000, highByte(w(58)), lowByte(w(58)), lowByte(w(57)),
                                   highByte(w(56)), lowByte(w(56)));
    return out;
}

LiveDisplay liveDisplayOld(const OldDisplayInputs& in) {
    LiveDisplay out;
    Checks check(out);
    const auto w = [&in](int i) { return in.ram.val_int[std::size_t(i)]; };

    // Measured values
    out.Edit_Uz = formatF(check(w(2), 0, kAdMax, word(2)) * 400.0 / 1023.0, 0);
    const quint16 actualPeriod = check(w(6), kOldPeriodMin, kPeriodMax, word(6));
    const quint16 setPeriod = check(w(7), kOldPeriodMin, kPeriodMax, word(7));
    out.Edit_fist = frequency(actualPeriod);
    out.Edit_fsoll = frequency(setPeriod);
    out.uac_ist_int = check(w(3), 0, kAdMax, word(3));
    out.Edit_uac = mainsVoltage(out.uac_ist_int, in.kal_value230);
    out.Edit_tmp1 = temperature(check(w(0), 0, kAdMax, word(0)));
    out.Edit_tmp2 = temperature(check(w(1), 0, kAdMax, word(1)));

    // Start settings and ramp times; controllers before revision 14 have no ramp times.
    out.takt_burn = frequency(check(w(8), kOldPeriodMin, kPeriodMax, word(8)));
    out.time_burn = formatF(check(w(9), 180, 900, word(9)) / 60.0, 0);
    out.Label22_visible = in.HW_Ver_Nr <= 13;
    if (in.HW_Ver_Nr >= 14) {
        out.Edit12 = QString::number(in.rampLow * 25);
        out.Edit13 = QString::number(in.rampHigh * 25);
    }

    // Energy saving
    out.e_spar_soll_anz = saving(setPeriod);
    out.e_spar_ist_anz = saving(actualPeriod);
    out.e_spar_soll_intern_anz = saving(check(w(5), kOldPeriodMin, kPeriodMax, word(5)));
    out.e_spar_soll_extern_anz = saving(check(w(4), kOldPeriodMin, kPeriodMax, word(4)));

    // Operating times: minutes, hours, days and years counters
    const auto hours = [&](int minutes, int hrs, int days, int years) {
        const quint16 m = check(w(minutes), 0, 59, word(minutes));
        const quint16 h = check(w(hrs), 0, 23, word(hrs));
        const quint16 d = check(w(days), 0, 365, word(days));
        const quint16 y = check(w(years), 0, 100, word(years));
        return y * 8760.0 + d * 24.0 + h + m / 60.0;
    };
    out.h_all = formatF(hours(10, 11, 12, 13), 1) + QLatin1Char('h');
    out.h_dimm = formatF(hours(14, 15, 16, 17), 1) + QLatin1Char('h');
    out.t_lauf_anz = formatF(w(18) / 60.0, 0) + QStringLiteral("min");

    // Controller clock. The clock chip reports 80 seconds while it has stopped (after a
    // power loss without backup): the caption turns red and the seconds count as 0.
    quint16 seconds = lowByte(w(22));
    out.clk_uc = caption(seconds == 80);
    if (seconds == 80)
        seconds = 0;
    check(seconds, 0, 59, low(22));
    check(highByte(w(23)), 0, 6, high(23)); // weekday
    const quint16 minutes = check(highByte(w(22)), 0, 59, high(22));
    const quint16 hrs = check(lowByte(w(23)), 0, 23, low(23));
    const quint16 day = check(lowByte(w(24)), 1, 31, low(24));
    const quint16 month = check(highByte(w(24)), 1, 12, high(24));
    const quint16 year = check(lowByte(w(25)), 0, 999, low(25));
    out.uC_Zeit = clockText(day, month, year + 2000, hrs, minutes);
    // A stopped clock (80 s) has no time to compare with.
    if (lowByte(w(22)) != 80)
        out.values.controllerClock = plainClock(year + 2000, month, day, hrs, minutes, seconds);

    // Status lamps
    const quint16 lamps = w(21);
    const bool externalSource = bit(lowByte(w(20)), 3);
    out.LED_G = lamp(bit(lamps, 0), LampColour::Green);
    out.Sh_cond_4 = lamp(!externalSource, LampColour::Green);
    out.Sh_cond_3 = lamp(externalSource, LampColour::Green);
    out.Sh_Dimm_off = lamp(bit(lamps, 4), LampColour::Green);
    out.LED_Y = lamp(bit(lamps, 1), LampColour::Yellow);
    out.LED_R = lamp(bit(lamps, 2), LampColour::Red);
    out.so_time_led = lamp(bit(w(30), 1), LampColour::Yellow);

    // Operating state and active dimming period
    out.controller_state = check(lowByte(w(19)), 0, 5, low(19));
    periodLamps(out, check(highByte(w(19)), 0, 9, high(19)));

    LiveValues& r = out.values;
    r.dcLinkVolts = qMin(w(2), kAdMax) * 400.0 / 1023.0;
    r.mainsVolts = mainsVolts(out.uac_ist_int, in.kal_value230);
    r.actualHz = 10000.0 / actualPeriod;
    r.nominalHz = 10000.0 / setPeriod;
    r.heatSink1Celsius = temperatureAt(qMin(w(0), kAdMax));
    r.heatSink2Celsius = temperatureAt(qMin(w(1), kAdMax));
    r.savingPercent = energySaving(actualPeriod);
    return out;
}

int statePanel(quint16 controllerState) {
    switch (controllerState) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
        return controllerState;
    case 6:
        return 5; // standby (synchronising)
    default:
        return -1; // 5, 7, 8 and 9 (after a reset) light no panel
    }
}

StatePanelColour statePanelColour(quint16 controllerState, int panel) {
    if (panel < 0 || panel != statePanel(controllerState))
        return StatePanelColour::Grey;
    return panel <= 3 ? StatePanelColour::Blue : StatePanelColour::Red;
}

QString runTimeText(quint32 seconds) {
    const quint32 h = seconds / 3600;
    const quint32 m = (seconds / 60) % 60;
    const quint32 r = seconds % 60;
    if (h > 0)
        return QStringLiteral("%1h, %2min, %3s").arg(h).arg(m).arg(r);
    if (m > 0)
        return QStringLiteral("%1min, %2s").arg(m).arg(r);
    return QStringLiteral("%1s").arg(r);
}

QString formatF(double value, int decimals) {
    if (!std::isfinite(value))
        return QStringLiteral("-");
    const double magnitude = std::fabs(value);
    const int integerDigits = magnitude < 1.0 ? 0 : int(std::floor(std::log10(magnitude))) + 1;
    if (integerDigits > kSignificantDigits)
        return fixedLocale().toString(value, 'E', kSignificantDigits - 1);
    const int used = qMin(decimals, kSignificantDigits - integerDigits);
    QString text = formatFixed(value, used);
    if (used < decimals) {
        if (used == 0)
            text += QLatin1Char(',');
        text += QString(decimals - used, QLatin1Char('0'));
    }
    // A value that rounds to zero is shown without a sign.
    if (text.startsWith(QLatin1Char('-')) &&
        !std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'1' && c <= u'9'; }))
        text.remove(0, 1);
    return text;
}
