#include "services/clock_words.h"

#include <utility>

namespace {

// The Sunday on or before `last`: back (weekday − 1) days, the weekday counted 1 = Sunday
// … 7 = Saturday.
QDate sundayOnOrBefore(const QDate& last) {
    const int weekday = last.dayOfWeek() % 7 + 1;
    return last.addDays(-(weekday - 1));
}

quint16 word(int high, int low) {
    return quint16(((high & 0xFF) << 8) | (low & 0xFF));
}

} // namespace

bool CheckBRDSz(const QDateTime& Datum) {
    const QDate date = Datum.date();
    const int year = date.year();
    if (year <= 1980)
        return false;
    const QDate start = sundayOnOrBefore(QDate(year, 3, 31));
    const QDate end =
        year >= 1996 ? sundayOnOrBefore(QDate(year, 10, 31)) : sundayOnOrBefore(QDate(year, 9, 30));
    // Compared as plain calendar values: the changeover hours are local times too.
    const auto at = [](const QDate& d, int hour) { return std::pair{d, QTime(hour, 0)}; };
    const std::pair now{date, Datum.time()};
    return at(start, 2) <= now && now < at(end, 3);
}

int daylightBiasMinutes(const QTimeZone& zone, const QDateTime& at) {
    if (!zone.isValid() || !zone.hasDaylightTime())
        return 0;
    if (const int offset = zone.daylightTimeOffset(at); offset > 0)
        return -offset / 60;
    // In its standard time the zone names its summer shift at the next changeover; a zone
    // that has given up summer time has none ahead and gave it up at the last one.
    for (const QTimeZone::OffsetData& change :
         {zone.nextTransition(at), zone.previousTransition(at)})
        if (change.atUtc.isValid() && change.daylightTimeOffset > 0)
            return -change.daylightTimeOffset / 60;
    return 0;
}

QDateTime standardTime(const QDateTime& localNow, int daylightBiasMinutes) {
    // Plain calendar arithmetic: a zone's own changeover must not move the value again.
    QDateTime value(localNow.date(), localNow.time(), QTimeZone::utc());
    if (CheckBRDSz(localNow))
        value = value.addSecs(qint64(daylightBiasMinutes) * 60);
    return value;
}

std::optional<std::array<quint16, 4>> clockWords(const QDateTime& localNow,
                                                 int daylightBiasMinutes) {
    const QDateTime value = standardTime(localNow, daylightBiasMinutes);
    const QDate date = value.date();
    const QTime time = value.time();
    if (date.year() < 2000 || date.year() > 2255)
        return std::nullopt;
    return std::array<quint16, 4>{word(time.minute(), time.second()),
                                  word(date.dayOfWeek() % 7 + 1, time.hour()),
                                  word(date.month(), date.day()), quint16(date.year() - 2000)};
}
