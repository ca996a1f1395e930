#include "cli/parameter_plan.h"

#include "parameters/parameter_compare.h"
#include "parameters/parameter_file.h"
#include "parameters/profile_check.h"
#include "text/write_failure_texts.h"

QString refusalText(const QString& path, const ParameterFileRefusal& refusal) {
    using Reason = ParameterFileRefusal::Reason;
    switch (refusal.reason) {
    case Reason::BadValue:
        return QStringLiteral("%1: %2 holds \"%3\", which is not a valid value; nothing was sent")
            .arg(path, QString(refusal.key).remove(QLatin1Char(':')), refusal.value);
    case Reason::NoParameterSet:
        return QStringLiteral("%1 holds no parameter set (no [Options] section); nothing was sent")
            .arg(path);
    case Reason::NotIni:
        return QStringLiteral("%1 is not an INI file (it is empty or holds binary data); nothing "
                              "was sent")
            .arg(path);
    case Reason::TooLarge:
        return QStringLiteral("%1 is larger than 1 MiB, which no parameter file is; nothing was "
                              "sent")
            .arg(path);
    case Reason::Unreadable:
        break;
    }
    return QStringLiteral("%1 could not be read: %2; nothing was sent").arg(path, refusal.detail);
}

std::optional<ParameterPlan> planOf(const CliContext& context, int* exitCode) {
    ParameterPlan plan;
    plan.path = context.arguments.value(0);
    plan.verify = !context.options.contains(QStringLiteral("no-verify"));
    const std::optional<QString> password =
        context.options.contains(QStringLiteral("password"))
            ? std::optional<QString>(context.options.value(QStringLiteral("password")))
            : std::nullopt;
    if (password) {
        plan.level = accessLevelOf(*password);
        if (plan.level == AccessLevel::None) {
            printError(QStringLiteral("the password opens no access level: nothing was sent"));
            *exitCode = kExitRefused;
            return std::nullopt;
        }
    }

    const ParameterFileRead read = loadParameterFile(plan.path);
    if (const auto* refusal = std::get_if<ParameterFileRefusal>(&read)) {
        printError(refusalText(plan.path, *refusal));
        *exitCode = kExitRefused;
        return std::nullopt;
    }
    const LoadedParameters& loaded = std::get<LoadedParameters>(read);
    // The takt counts, as in the window; a saving that says otherwise is named.
    if (!loaded.overriddenKeys.isEmpty())
        printError(QStringLiteral("%1: %2").arg(
            plan.path, writeFailureText(Language::English, WriteFailureText::KeysOverridden)
                           .arg(loaded.overriddenKeys.join(QStringLiteral(", ")))));
    plan.fields = fieldsOfParameterFile(loaded);
    const auto& t = plan.fields.profileTimes;
    const bool workdayInOrder = checkProfile({t[0], t[1], t[2], t[3]}, std::nullopt).inOrder;
    const bool weekendInOrder = checkProfile({t[4], t[5], t[6], t[7]}, std::nullopt).inOrder;
    if (!workdayInOrder || !weekendInOrder) {
        printError(QStringLiteral("%1: the %2 night profile's times are out of order; nothing "
                                  "was sent")
                       .arg(plan.path, workdayInOrder ? QStringLiteral("weekend")
                                                      : QStringLiteral("workday")));
        *exitCode = kExitRefused;
        return std::nullopt;
    }
    return plan;
}
