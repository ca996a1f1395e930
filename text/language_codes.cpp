#include "text/language_codes.h"

#include <QStringList>

namespace {

struct LanguageCodes {
    const char* shortCode;
    const char* settingsCode;
    Language language;
};

constexpr LanguageCodes kCodes[] = {
    {"de", "ger", Language::German},    {"en", "eng", Language::English},
    {"sv", "schw", Language::Swedish},  {"fr", "franz", Language::French},
    {"tr", "tuerk", Language::Turkish},
};

} // namespace

std::optional<Language> languageOfCode(const QString& code) {
    const QString wanted = code.trimmed();
    for (const LanguageCodes& each : kCodes)
        if (wanted.compare(QLatin1String(each.shortCode), Qt::CaseInsensitive) == 0 ||
            wanted.compare(QLatin1String(each.settingsCode), Qt::CaseInsensitive) == 0)
            return each.language;
    return std::nullopt;
}

QString shortLanguageCode(Language language) {
    for (const LanguageCodes& each : kCodes)
        if (each.language == language)
            return QString::fromLatin1(each.shortCode);
    return {};
}

QString languageCodeList() {
    QStringList shortCodes, settingsCodes;
    for (const LanguageCodes& each : kCodes) {
        shortCodes << QString::fromLatin1(each.shortCode);
        settingsCodes << QString::fromLatin1(each.settingsCode);
    }
    return (shortCodes + settingsCodes).join(QStringLiteral(", "));
}
