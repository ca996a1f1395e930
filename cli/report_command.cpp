// report FILE.pdf [--language de|en|sv|fr|tr]: the commissioning report of the controller
// on the line — its identity, a fresh parameter read, the live values with the clock's
// drift, the fault memory — written as a PDF in the language given, else the window's.
#include "base/settings.h"
#include "base/settings_location.h"
#include "cli/cli_commands.h"
#include "report/report_pdf.h"
#include "services/clock_drift.h"
#include "services/clock_words.h"
#include "session/parameter_jobs.h"
#include "session/service_jobs.h"

#include <QFileInfo>

namespace {

struct LanguageCode {
    const char* option;  // --language
    const char* setting; // the settings file's code
    Language language;
};
constexpr LanguageCode kLanguages[] = {
    {"de", "ger", Language::German},    {"en", "eng", Language::English},
    {"sv", "schw", Language::Swedish},  {"fr", "franz", Language::French},
    {"tr", "tuerk", Language::Turkish},
};

// The language the window speaks, from its settings file; English when it has none.
Language windowLanguage() {
    const QString code = readSettingsFile(settingsFilePath()).language_code;
    for (const LanguageCode& each : kLanguages)
        if (code == QLatin1String(each.setting))
            return each.language;
    return Language::English;
}

} // namespace

int checkReport(CliContext& context) {
    const QStringList& args = context.arguments;
    const QString usage = QStringLiteral(" (report FILE.pdf [--language de|en|sv|fr|tr])");
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--language") && i + 1 < args.size()) {
            const QString code = args[++i];
            bool known = false;
            for (const LanguageCode& each : kLanguages)
                known = known || code == QLatin1String(each.option);
            if (!known) {
                printError(QStringLiteral("report: unknown language \"%1\"").arg(code) + usage);
                return kExitUsage;
            }
            context.options.insert(QStringLiteral("language"), code);
        } else if (!args[i].startsWith(QLatin1Char('-')) &&
                   !context.options.contains(QStringLiteral("file"))) {
            context.options.insert(QStringLiteral("file"), args[i]);
        } else {
            printError(QStringLiteral("report: unexpected \"%1\"").arg(args[i]) + usage);
            return kExitUsage;
        }
    }
    if (!context.options.contains(QStringLiteral("file"))) {
        printError(QStringLiteral("report: no file given") + usage);
        return kExitUsage;
    }
    return kExitSound;
}

int runReport(CliContext& context) {
    int exitCode = kExitSound;
    const std::optional<ControllerIdentity> id = identifyOrSay(context, &exitCode);
    if (!id)
        return exitCode;
    CommissioningReport report;
    report.toolVersion = reportToolVersion();
    report.identity = *id;

    // The messages name the exchange that failed ("… of the parameter read").
    const ParameterReadResult parameters = readParameters(context.session, *id);
    if (!parameters.read) {
        return sayFailure(parameters.failure);
    }
    if (sayImplausible(implausibleWords(*parameters.read), QStringLiteral("parameter read")))
        return kExitLink;
    report.parameters = parameters.read;

    // A new-hardware block whose checksum failed is no reading: the window waits for the
    // next one too.
    LiveReadResult live = readLive(context.session, *id);
    for (int attempt = 0; attempt < 3 && live.checksumFailed; ++attempt)
        live = readLive(context.session, *id);
    if (!live.display) {
        printError(live.checksumFailed ? QStringLiteral("no sound live reading (block checksum)")
                                       : failureText(live.failure));
        return kExitLink;
    }
    if (sayImplausible(live.display->violations, QStringLiteral("live reading")))
        return kExitLink;
    report.live = live.display->values;
    report.controllerState = live.display->controller_state;
    // The drift against the PC's time of this reading, not of the end of the session.
    report.created = QDateTime::currentDateTime();
    report.clockDrift =
        clockDriftSeconds(report.live->controllerClock, report.created,
                          daylightBiasMinutes(report.created.timeZone(), report.created));

    const FaultReadResult faults = readFaults(context.session, *id);
    if (!faults.list) {
        return sayFailure(faults.failure);
    }
    if (faults.list->impossiblePosition) {
        printError(impossiblePositionText(faults.position));
        return kExitLink;
    }
    report.faults = faults.list;
    report.faultPosition = faults.position;

    Language language = windowLanguage();
    for (const LanguageCode& each : kLanguages)
        if (context.options.value(QStringLiteral("language")) == QLatin1String(each.option))
            language = each.language;
    const QString path = context.options.value(QStringLiteral("file"));
    if (const std::optional<QString> error =
            saveReportPdf(path, reportDocument(report, language))) {
        printError(QStringLiteral("%1 was not saved: %2").arg(path, *error));
        return kExitFile;
    }
    if (context.json)
        printJson(QJsonObject{{"file", QFileInfo(path).absoluteFilePath()}});
    else
        printOut(QStringLiteral("report written: %1\n").arg(path));
    return kExitSound;
}
