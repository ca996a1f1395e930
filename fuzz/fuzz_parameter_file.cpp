// The parameter-file loader on any bytes: loaded whole or refused with a message, never a
// crash; and a loaded set, saved into the same file, loads again as the same set.
#include "base/ini_file.h"
#include "parameters/parameter_file.h"
#include "text/info_table.h"

#include <QByteArray>
#include <QDateTime>
#include <cstdint>
#include <cstdlib>

namespace {

// The fields as the window shows a loaded set.
ParameterFileFields fieldsOf(const LoadedParameters& set) {
    ParameterFileFields fields;
    fields.startHz = QString::number(set.startHz);
    fields.burnInMinutes = QString::number(set.burnInMinutes);
    fields.profileTimes = set.profileTimes;
    for (std::size_t i = 0; i < set.takts.size(); ++i)
        fields.takts[i] = QString::number(set.takts[i]);
    fields.savings = set.savingTexts();
    fields.darkenSeconds = QString::number(set.darkenSeconds);
    fields.brightenSeconds = QString::number(set.brightenSeconds);
    return fields;
}

bool sameSet(const LoadedParameters& a, const LoadedParameters& b) {
    return a.startHz == b.startHz && a.burnInMinutes == b.burnInMinutes &&
           a.profileTimes == b.profileTimes && a.takts == b.takts &&
           a.darkenSeconds == b.darkenSeconds && a.brightenSeconds == b.brightenSeconds;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > std::size_t(IniFile::kMaxBytes))
        return 0;
    IniFile ini;
    if (!ini.setBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))) ||
        ini.isBlank())
        return 0; // refused as no INI text, as loadParameterFile does
    const ParameterFileRead read = readParameterSet(ini);
    if (const auto* refusal = std::get_if<ParameterFileRefusal>(&read)) {
        for (const Language language : {Language::English, Language::German, Language::Swedish,
                                        Language::French, Language::Turkish})
            (void)refusalMessage(language, QStringLiteral("/tmp/set.ini"), *refusal);
        return 0;
    }
    const LoadedParameters& set = std::get<LoadedParameters>(read);

    writeParameterSet(ini, fieldsOf(set), QDateTime(QDate(2012, 7, 15), QTime(13, 30, 5)));
    IniFile saved;
    if (!saved.setBytes(ini.bytes()))
        std::abort(); // the saved file is no longer text
    const ParameterFileRead again = readParameterSet(saved);
    const auto* reloaded = std::get_if<LoadedParameters>(&again);
    if (!reloaded || !sameSet(set, *reloaded))
        std::abort(); // saved and loaded again, the set changed
    return 0;
}
