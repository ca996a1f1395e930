#pragma once
// The five-language text table of the user interface. Every caption, heading, status-panel
// text and message that follows the chosen language is fetched from it by row number; the
// row numbers are stable identifiers used across the program ("text N" is row N).
#include <QString>
#include <optional>

// Column order of the table.
enum class Language { English = 0, German = 1, Swedish = 2, French = 3, Turkish = 4 };

constexpr int kInfoRowCount = 176;
constexpr int kInfoLanguageCount = 5;

// True for the row numbers 0 … 175.
bool isInfoRow(int row);

// The cell of a row in one language. A row outside the table is a programming error: it
// gives an empty text and a warning in the log, never a crash.
QString infoText(Language lang, int row);

// The active language from the ticks of the five language menu items. The items are tested
// in the order English, German, Swedish, French, Turkish and the last ticked one wins; with
// none ticked there is no active language.
std::optional<Language> tickedLanguage(bool english, bool german, bool swedish, bool french,
                                       bool turkish);

// Row `row` in the active language; empty while no language is active.
QString GetInfoString(std::optional<Language> active, int row);
