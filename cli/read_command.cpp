// read [--ini FILE]: the parameter set as the read button shows it, in the keys of a
// parameter file; with --ini also saved as one, which the window loads.
#include "cli/cli_commands.h"
#include "session/parameter_jobs.h"

#include <QDateTime>

int runRead(CliContext& context) {
    const QString iniPath = context.options.value(QStringLiteral("ini"));
    int exitCode = kExitSound;
    const std::optional<ControllerIdentity> id = identifyOrSay(context, &exitCode);
    if (!id)
        return exitCode;
    const ParameterReadResult result = readParameters(context.session, *id);
    if (!result.read)
        return sayFailure(result.failure);
    if (sayImplausible(implausibleWords(*result.read), QStringLiteral("parameter read")))
        return kExitLink;
    const ParameterFileFields fields = fieldsOf(*result.read);
    const QDateTime now = QDateTime::currentDateTime();

    // The set in the keys of a parameter file, the same text a save writes.
    IniFile shown;
    writeParameterSet(shown, fields, now);
    const QString section = QString::fromUtf16(kParameterSection);
    if (context.json) {
        // Typed: numbers as numbers, the profile times as ISO 8601 times of day ("21:00:00"),
        // the time of the read as the PC's, with its offset.
        QJsonObject o;
        for (const QString& key : shown.keys(section))
            o.insert(QString(key).remove(QLatin1Char(':')), jsonValueOf(shown.value(section, key)));
        o.insert(QStringLiteral("Datum"),
                 now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate));
        printJson(o);
    } else {
        for (const QString& key : shown.keys(section))
            printOut(QStringLiteral("%1 %2\n").arg(key, shown.value(section, key)));
    }
    if (!iniPath.isEmpty()) {
        if (const std::optional<QString> error = saveParameterFile(iniPath, fields, now)) {
            printError(QStringLiteral("%1 was not saved: %2").arg(iniPath, *error));
            return kExitFile;
        }
    }
    return kExitSound;
}
