#pragma once
// Parameter files: a commissioning set prepared without a controller, kept as an INI file
// with one section "Options" whose keys end in a colon ("Startfrequenz:=55"). Saving
// writes what the fields show and keeps everything else an existing file holds; loading
// reads and checks the whole file before anything reaches a field, so a file is applied
// entirely or not at all. The savings written are informative only: on loading each is
// recomputed from its takt.
#include "base/ini_file.h"
#include "text/info_table.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <array>
#include <optional>
#include <variant>

inline constexpr char16_t kParameterSection[] = u"Options";

// The keys in the order a save writes them.
inline constexpr std::array<const char16_t*, 25> kParameterFileKeys = {
    u"Datum:",     u"Startfrequenz:", u"Einbrenndauer:", u"WT_Time1:",       u"WT_P_Red1:",
    u"WT_Takt1:",  u"WT_Time2:",      u"WT_P_Red2:",     u"WT_Takt2:",       u"WT_Time3:",
    u"WT_P_Red3:", u"WT_Takt3:",      u"WT_Endtime:",    u"WE_Time1:",       u"WE_P_Red1:",
    u"WE_Takt1:",  u"WE_Time2:",      u"WE_P_Red2:",     u"WE_Takt2:",       u"WE_Time3:",
    u"WE_P_Red3:", u"WE_Takt3:",      u"WE_Endtime:",    u"Dimm_Down_time:", u"Dimm_Up_time:"};

// What a save writes: the fields' texts as they stand.
struct ParameterFileFields {
    QString startHz;                   // takt_burn_visu
    QString burnInMinutes;             // time_burn_visu
    std::array<QTime, 8> profileTimes; // the pickers, in picker order
    std::array<QString, 6> takts;      // the takt labels: workday 1, 2, 3, weekend 1, 2, 3
    std::array<QString, 6> savings;    // the saving edits, same order
    QString darkenSeconds;             // Edit6
    QString brightenSeconds;           // Edit10
};

// What a load puts into the fields, every value checked.
struct LoadedParameters {
    int startHz = 0;
    int burnInMinutes = 0;
    std::array<QTime, 8> profileTimes;
    std::array<int, 6> takts{};
    int darkenSeconds = 0;
    int brightenSeconds = 0;
    // The saving each period shows for its takt, in whole percent.
    std::array<QString, 6> savingTexts() const;
    // The saving keys ("WT_P_Red1" …, without the colon) whose value contradicts its
    // period's takt: the takt counts and the saving is recomputed, and the technician is
    // told which keys were overridden. A saving key that is missing contradicts nothing.
    QStringList overriddenKeys;
};

// The values a setting may take: min … max in steps of step from min. The window passes
// the ranges of its up-downs, so a file can hold nothing the fields could not show.
struct SettingRange {
    int min = 0;
    int max = 0;
    int step = 1;
    bool holds(int value) const;
};
struct ParameterFileLimits {
    SettingRange startHz{50, 70, 1};
    SettingRange burnInMinutes{3, 15, 1};
    SettingRange darkenSeconds{25, 600, 25};
    SettingRange brightenSeconds{25, 600, 25};
};

// Why a file was not loaded.
struct ParameterFileRefusal {
    enum class Reason {
        BadValue,       // key holds value, which is not one the field can take
        NoParameterSet, // no "Options" section: another program's INI file
        NotIni,         // empty, or not text at all
        TooLarge,       // beyond IniFile::kMaxBytes
        Unreadable,     // missing or not readable; detail: the system's reason
    };
    Reason reason = Reason::BadValue;
    QString key;
    QString value;
    QString detail;
};
using ParameterFileRead = std::variant<LoadedParameters, ParameterFileRefusal>;

// The set in a document: a key that is missing takes its default, a key present must hold
// a value the field can take (times H:mm:ss or H:mm, whole numbers within their ranges,
// takts 50..200). The first key in table order that fails refuses the whole set.
ParameterFileRead readParameterSet(const IniFile& ini, const ParameterFileLimits& limits = {});
// The same from a file, refused also when it is not an INI file with that section.
ParameterFileRead loadParameterFile(const QString& path, const ParameterFileLimits& limits = {});

// Writes every key of the set into the document, in table order; "Datum:" is when.
void writeParameterSet(IniFile& ini, const ParameterFileFields& fields, const QDateTime& when);
// Writes the set into the file, keeping what else an existing file holds (a file that is
// not INI text is replaced whole). The file is replaced only once the new text is on
// disk; on failure the reason, and the old file is left as it was.
std::optional<QString> saveParameterFile(const QString& path, const ParameterFileFields& fields,
                                         const QDateTime& when);

// The chosen name with ".ini" added unless one of its last four characters is a dot.
QString withIniExtension(const QString& name);
// The folder the file dialogs start in. On Windows the "Config" folder beside the program,
// which the program does not create; elsewhere one in the user's data directory, created
// when missing.
QString parameterFileFolder();

// The messages, in the active language, naming the file.
QString refusalMessage(std::optional<Language> language, const QString& path,
                       const ParameterFileRefusal& refusal);
QString saveFailedMessage(std::optional<Language> language, const QString& path,
                          const QString& reason);
