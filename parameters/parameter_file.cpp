#include "parameters/parameter_file.h"

#include "base/formats.h"
#include "base/settings_location.h"
#include "live/ram_table.h"
#include "text/own_texts.h"

#include <QDir>
#include <QLocale>

namespace {

const QString kSection = QString::fromUtf16(kParameterSection);

QString key(int index) {
    return QString::fromUtf16(kParameterFileKeys[std::size_t(index)]);
}

// Key indices of the table.
constexpr int kDate = 0;
constexpr int kStartHz = 1;
constexpr int kBurnIn = 2;
constexpr int kDarken = 23;
constexpr int kBrighten = 24;
// Time, saving and takt of the eight picker positions' keys: the workday's three periods
// and end, then the weekend's; an end has no saving or takt (−1).
struct PeriodKeys {
    int time, saving, takt;
};
constexpr std::array<PeriodKeys, 8> kPeriodKeys = {{{3, 4, 5},
                                                    {6, 7, 8},
                                                    {9, 10, 11},
                                                    {12, -1, -1},
                                                    {13, 14, 15},
                                                    {16, 17, 18},
                                                    {19, 20, 21},
                                                    {22, -1, -1}}};

const char* const kTimeDefaults[8] = {"20:00:00", "22:00:00", "05:00:00", "06:00:00",
                                      "20:00:00", "22:00:00", "05:00:00", "06:00:00"};
const int kTaktDefaults[6] = {158, 100, 158, 158, 100, 158};

const QString kLongTime = QStringLiteral("HH:mm:ss");

// Reads one key of the set, with its default; remembers the first key that fails.
class SetReader {
public:
    explicit SetReader(const IniFile& ini) : ini_(ini) {}

    std::optional<ParameterFileRefusal> refusal;

    int integer(int keyIndex, int defaultValue, const SettingRange& range) {
        const QString text = raw(keyIndex, QString::number(defaultValue));
        const std::optional<qint64> value = parseInteger(text);
        if (!value || *value < range.min || *value > range.max || !range.holds(int(*value))) {
            refuse(keyIndex, text);
            return defaultValue;
        }
        return int(*value);
    }

    QTime time(int keyIndex, const char* defaultValue) {
        const QString text = raw(keyIndex, QString::fromLatin1(defaultValue));
        // The long time format, and the short one a hand-written file may use.
        QTime value = QTime::fromString(text, QStringLiteral("H:mm:ss"));
        if (!value.isValid())
            value = QTime::fromString(text, QStringLiteral("H:mm"));
        if (!value.isValid())
            refuse(keyIndex, text);
        return value;
    }

private:
    QString raw(int keyIndex, const QString& defaultValue) const {
        return ini_.value(kSection, key(keyIndex), defaultValue);
    }
    void refuse(int keyIndex, const QString& text) {
        if (!refusal)
            refusal = ParameterFileRefusal{ParameterFileRefusal::Reason::BadValue, key(keyIndex),
                                           text, QString()};
    }

    const IniFile& ini_;
};

// The saving keys present whose value is not the saving of their period's takt, as the
// save writes it (whole percent; a value with decimals counts as its rounding).
QStringList overriddenSavings(const IniFile& ini, const LoadedParameters& set) {
    QStringList keys;
    const std::array<QString, 6> shown = set.savingTexts();
    int period = 0;
    for (const PeriodKeys& period_keys : kPeriodKeys) {
        if (period_keys.saving < 0)
            continue;
        const QString name = key(period_keys.saving);
        const std::size_t p = std::size_t(period++);
        if (!ini.contains(kSection, name))
            continue;
        const QString text = ini.value(kSection, name).trimmed();
        // The window writes a decimal comma; a hand-written file may hold a full stop.
        std::optional<double> value = parseFixed(text);
        bool number = false;
        if (const double dotted = QLocale::c().toDouble(text, &number); !value && number)
            value = dotted;
        if (!value || formatFixed(*value, 0) != shown[p])
            keys.append(name.chopped(1)); // without the colon
    }
    return keys;
}

} // namespace

std::array<QString, 6> LoadedParameters::savingTexts() const {
    std::array<QString, 6> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = formatFixed(energy_saving_table[takts[i]], 0);
    return texts;
}

bool SettingRange::holds(int value) const {
    return value >= min && value <= max && (value - min) % qMax(1, step) == 0;
}

ParameterFileRead readParameterSet(const IniFile& ini, const ParameterFileLimits& limits) {
    if (!ini.hasSection(kSection))
        return ParameterFileRefusal{ParameterFileRefusal::Reason::NoParameterSet, {}, {}, {}};
    SetReader read(ini);
    LoadedParameters set;
    set.startHz = read.integer(kStartHz, 55, limits.startHz);
    set.burnInMinutes = read.integer(kBurnIn, 5, limits.burnInMinutes);
    const SettingRange takts{EnergySavingTable::kFirst, EnergySavingTable::kLast, 1};
    int period = 0;
    for (std::size_t i = 0; i < kPeriodKeys.size(); ++i) {
        set.profileTimes[i] = read.time(kPeriodKeys[i].time, kTimeDefaults[i]);
        if (kPeriodKeys[i].takt >= 0) {
            set.takts[std::size_t(period)] =
                read.integer(kPeriodKeys[i].takt, kTaktDefaults[period], takts);
            ++period;
        }
    }
    set.overriddenKeys = overriddenSavings(ini, set);
    set.darkenSeconds = read.integer(kDarken, 200, limits.darkenSeconds);
    set.brightenSeconds = read.integer(kBrighten, 200, limits.brightenSeconds);
    if (read.refusal)
        return *read.refusal;
    return set;
}

ParameterFileRead loadParameterFile(const QString& path, const ParameterFileLimits& limits) {
    using Reason = ParameterFileRefusal::Reason;
    IniFile ini;
    if (!ini.load(path)) {
        switch (ini.loadError()) {
        case IniFile::LoadError::TooLarge:
            return ParameterFileRefusal{Reason::TooLarge, {}, {}, {}};
        case IniFile::LoadError::NotText:
            return ParameterFileRefusal{Reason::NotIni, {}, {}, {}};
        case IniFile::LoadError::None:
        case IniFile::LoadError::Missing:
        case IniFile::LoadError::Unreadable:
            break;
        }
        return ParameterFileRefusal{Reason::Unreadable, {}, {}, ini.errorString()};
    }
    if (ini.isBlank())
        return ParameterFileRefusal{Reason::NotIni, {}, {}, {}};
    return readParameterSet(ini, limits);
}

void writeParameterSet(IniFile& ini, const ParameterFileFields& fields, const QDateTime& when) {
    const auto set = [&ini](int keyIndex, const QString& value) {
        ini.setValue(kSection, key(keyIndex), value);
    };
    set(kDate, when.toString(QStringLiteral("dd.MM.yyyy ") + kLongTime));
    set(kStartHz, fields.startHz);
    set(kBurnIn, fields.burnInMinutes);
    int period = 0;
    for (std::size_t i = 0; i < kPeriodKeys.size(); ++i) {
        set(kPeriodKeys[i].time, fields.profileTimes[i].toString(kLongTime));
        if (kPeriodKeys[i].takt >= 0) {
            set(kPeriodKeys[i].saving, fields.savings[std::size_t(period)]);
            set(kPeriodKeys[i].takt, fields.takts[std::size_t(period)]);
            ++period;
        }
    }
    set(kDarken, fields.darkenSeconds);
    set(kBrighten, fields.brightenSeconds);
}

std::optional<QString> saveParameterFile(const QString& path, const ParameterFileFields& fields,
                                         const QDateTime& when) {
    IniFile ini;
    // What cannot be read cannot be kept: better no save than a file losing what it held.
    if (!ini.load(path) && ini.loadError() == IniFile::LoadError::Unreadable)
        return ini.errorString();
    writeParameterSet(ini, fields, when);
    if (!ini.save(path))
        return ini.errorString();
    return std::nullopt;
}

QString withIniExtension(const QString& name) {
    if (name.right(4).contains(u'.'))
        return name;
    return name + QStringLiteral(".ini");
}

QString parameterFileFolder() {
    const QString folder = configFolderPath();
#ifndef Q_OS_WIN
    QDir().mkpath(folder);
#endif
    return folder;
}

QString refusalMessage(std::optional<Language> language, const QString& path,
                       const ParameterFileRefusal& refusal) {
    using Reason = ParameterFileRefusal::Reason;
    const QString file = QDir::toNativeSeparators(path);
    switch (refusal.reason) {
    case Reason::BadValue:
        return ownText(language, OwnText::ParameterFileBadValue)
            .arg(file, refusal.key, refusal.value);
    case Reason::NoParameterSet:
        return ownText(language, OwnText::ParameterFileNoParameterSet).arg(file);
    case Reason::NotIni:
        return ownText(language, OwnText::ParameterFileNotIni).arg(file);
    case Reason::TooLarge:
        return ownText(language, OwnText::ParameterFileTooLarge).arg(file);
    case Reason::Unreadable:
        break;
    }
    return ownText(language, OwnText::ParameterFileUnreadable).arg(file, refusal.detail);
}

QString saveFailedMessage(std::optional<Language> language, const QString& path,
                          const QString& reason) {
    return ownText(language, OwnText::ParameterFileNotSaved)
        .arg(QDir::toNativeSeparators(path), reason);
}
