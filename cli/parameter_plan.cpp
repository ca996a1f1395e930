#include "cli/parameter_plan.h"

#include "parameters/parameter_compare.h"
#include "parameters/parameter_file.h"
#include "parameters/profile_check.h"

std::optional<ParameterPlan> planFromArguments(const QStringList& arguments, bool allowVerifyOption,
                                               int* exitCode) {
    ParameterPlan plan;
    std::optional<QString> password;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (allowVerifyOption && a == QLatin1String("--no-verify")) {
            plan.verify = false;
        } else if (a == QLatin1String("--password") && i + 1 < arguments.size()) {
            password = arguments[++i];
        } else if (!a.startsWith(QLatin1String("--")) && plan.path.isEmpty()) {
            plan.path = a;
        } else {
            printError(QStringLiteral("unexpected \"%1\"").arg(a));
            *exitCode = kExitUsage;
            return std::nullopt;
        }
    }
    if (plan.path.isEmpty()) {
        printError(QStringLiteral("no parameter file given"));
        *exitCode = kExitUsage;
        return std::nullopt;
    }
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
        printError(refusalMessage(Language::English, plan.path, *refusal));
        *exitCode = kExitRefused;
        return std::nullopt;
    }
    plan.fields = fieldsOfParameterFile(std::get<LoadedParameters>(read));
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
