#pragma once
// How far the controller clock is from the PC's. The controller keeps standard time all
// year, so it is compared with the PC's local time in standard time, exactly as the clock
// write puts it back before sending it: a clock that was just set shows no drift in summer
// either.
#include <QDateTime>
#include <QString>
#include <optional>

// A drift beyond this is worth a synchronisation: the night profile switches a minute off.
constexpr qint64 kDriftWorthSyncSeconds = 60;

// Seconds the controller clock (a plain date and time as the live display reads it) is
// ahead of the PC (negative: behind); nullopt when the controller shows no valid time.
std::optional<qint64> clockDriftSeconds(const QDateTime& controllerClock,
                                        const QDateTime& pcLocalNow, int daylightBiasMinutes);

// "+3 min 12 s", "-45 s", "0 s", "+1 h 0 min 5 s", "+2 d 3 h 4 min": the largest unit first,
// seconds dropped from a day on.
QString driftText(qint64 seconds);

inline bool driftWorthSync(qint64 seconds) {
    return seconds > kDriftWorthSyncSeconds || seconds < -kDriftWorthSyncSeconds;
}
