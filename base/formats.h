#pragma once
// Fixed number and date formats. The program does not follow the PC's regional settings:
// every number it shows or parses uses the decimal comma and "." as thousands separator,
// dates are dd.MM.yyyy and times HH:mm(:ss) on a 24-hour clock, whatever the locale.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

// German (Germany) with the fixed separators; omits group separators when formatting.
QLocale fixedLocale();
// Makes the fixed formats the process default, so every conversion uses them.
void applyFixedFormats();

// value with the given number of decimals and a decimal comma, no thousands separator
// ("1,5" for 1.5 with one decimal).
QString formatFixed(double value, int decimals);
// Parses a number with a decimal comma (a full stop is not accepted). Surrounding blanks
// are ignored; nullopt for anything that is not a number.
std::optional<double> parseFixed(const QString& text);
// Parses a whole number; nullopt for anything else.
std::optional<qint64> parseInteger(const QString& text);

// "dd.MM.yyyy   HH:mm" (three blanks), as the clocks of the window show it.
QString formatClock(const QDateTime& when);

// value rounded to the nearest integer, halves to even (0.5 → 0, 1.5 → 2, 222.5 → 222).
qint64 roundHalfEven(double value);
