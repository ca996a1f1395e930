#pragma once
// Setting the controller clock from the PC clock. The controller keeps standard time all
// year (its firmware adds the summer hour itself), so a PC clock in summer time is put
// back by its zone's daylight shift before it is sent. The PC's summer time is judged by
// the controller's own rule, not by the zone's transitions, so both agree on the hour
// around each changeover.
#include <QDateTime>
#include <QTimeZone>
#include <QtGlobal>
#include <array>
#include <optional>

// The controller's summer-time rule on a local date and time (its date and time are taken
// as they read, no time-zone conversion): from the last Sunday of March, 02:00, up to the
// last Sunday of October, 03:00; up to 1995 the summer ended on the last Sunday of
// September, 03:00. Never summer time in 1980 and before.
bool CheckBRDSz(const QDateTime& Datum);

// The zone's daylight bias in minutes: what is added to its summer time to give standard
// time (−60 in Central Europe), 0 for a zone without summer time. The bias of the zone as
// such, also at a moment when the zone itself is in standard time.
int daylightBiasMinutes(const QTimeZone& zone, const QDateTime& at);

// The PC's local time as the controller counts it, in standard time: put back by the bias
// while CheckBRDSz says summer. A plain date and time (in UTC, which no changeover moves).
QDateTime standardTime(const QDateTime& localNow, int daylightBiasMinutes);

// The four PC clock registers for a local PC time: minute/second, weekday (1 = Sunday …
// 7 = Saturday)/hour, month/day, year − 2000. In summer time by CheckBRDSz the bias is
// added first. nullopt when the year to send lies outside 2000 … 2255, which the year
// byte cannot hold.
std::optional<std::array<quint16, 4>> clockWords(const QDateTime& localNow,
                                                 int daylightBiasMinutes);
