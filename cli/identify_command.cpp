// identify: the generation and the identity words, as the window shows them after
// connecting.
#include "cli/cli_commands.h"
#include "session/identify.h"

namespace {

QJsonObject identityJson(const ControllerIdentity& id) {
    QJsonObject o{{"generation", id.hwOld ? "old" : "new"},
                  {"version", id.versionText.trimmed()},
                  {"calibration_value", id.kal_value230},
                  {"uac_start_raw", id.uac_start_int},
                  {"uac_nominal_raw", id.uac_nenn_int}};
    if (id.hwOld) {
        // The old generation keeps no product code, description, date or device number.
        o.insert("revision", id.revision);
        for (const char* key : {"product_code", "description", "software_date", "device_number"})
            o.insert(QLatin1String(key), QJsonValue::Null);
    } else {
        o.insert("product_code", id.productCode.trimmed());
        o.insert("description", id.description.trimmed());
        o.insert("software_date", id.softwareDate.trimmed());
        o.insert("revision", id.revisionString);
        o.insert("device_number", id.deviceNumber);
    }
    return o;
}

QString identityText(const ControllerIdentity& id) {
    QString text = QStringLiteral("generation: %1\nversion: %2\n")
                       .arg(id.hwOld ? QStringLiteral("old") : QStringLiteral("new"),
                            id.versionText.trimmed());
    if (id.hwOld) {
        text += QStringLiteral("revision: %1\n").arg(id.revision);
    } else {
        text += QStringLiteral("product code: %1\ndescription: %2\nsoftware date: %3\n"
                               "revision: %4\n")
                    .arg(id.productCode.trimmed(), id.description.trimmed(),
                         id.softwareDate.trimmed(), id.revisionString);
    }
    text += QStringLiteral("calibration value: %1\n").arg(id.kal_value230);
    return text;
}

} // namespace

std::optional<ControllerIdentity> identifyOrSay(CliContext& context, int* exitCode) {
    const IdentifyResult result = identifyController(context.session);
    if (!result.identity) {
        *exitCode = sayFailure(result.failure);
    }
    return result.identity;
}

int checkNoArguments(CliContext& context) {
    if (context.arguments.isEmpty())
        return kExitSound;
    printError(QStringLiteral("unexpected \"%1\"").arg(context.arguments.constFirst()));
    return kExitUsage;
}

int runIdentify(CliContext& context) {
    int exitCode = kExitSound;
    const std::optional<ControllerIdentity> id = identifyOrSay(context, &exitCode);
    if (!id)
        return exitCode;
    if (context.json)
        printJson(identityJson(*id));
    else
        printOut(identityText(*id));
    return kExitSound;
}
