#pragma once
// The codes that name the five languages: the short ones people type ("de", "en", "sv",
// "fr", "tr") and the settings file's own ("ger", "eng", "schw", "franz", "tuerk", the
// key "Language" of "TRV5200.ini"). Case does not matter.
#include "text/info_table.h"

#include <QString>
#include <optional>

// The language a code names, either kind; nullopt for anything else ("none" among them).
std::optional<Language> languageOfCode(const QString& code);
// The short code of a language: "de" for German.
QString shortLanguageCode(Language language);
// Every accepted code, short ones first, for a message: "de, en, sv, fr, tr, ger, …".
QString languageCodeList();
