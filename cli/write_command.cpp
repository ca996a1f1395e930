// write FILE [--no-verify] [--password P] and compare FILE [--password P]: the parameter
// file against the controller. The write is the write button's single telegram, then
// (unless --no-verify) the read-back of the verify after write; compare is the
// comparison's read. Both read the parameter memory (on old hardware its RAM mirror
// beside it, both shown where they differ). Both compare what the write sends (the ramp times with
// a password that opens the service level, as in the window).
#include "cli/cli_commands.h"
#include "cli/parameter_plan.h"
#include "parameters/parameter_compare.h"
#include "protocol/requests.h"
#include "session/parameter_jobs.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace {

ParameterPlan g_plan; // what the check read, for the run

bool rampTimesFor(const ParameterPlan& plan, const ControllerIdentity& id) {
    return rampTimesAllowed(passwLevelOf(plan.level), id.hwOld, id.revision);
}

// One side of a row: its value typed, and where two words show the same value ("60 (167)",
// two start-frequency takts of 60 Hz) the word beside it.
void insertSide(QJsonObject& o, const QString& key, const QString& shown) {
    static const QRegularExpression withWord(QStringLiteral("^(.*) \\((\\d+)\\)$"));
    const QRegularExpressionMatch match = withWord.match(shown);
    if (!match.hasMatch()) {
        o.insert(key, jsonValueOf(shown));
        return;
    }
    o.insert(key, jsonValueOf(match.captured(1)));
    o.insert(key + QStringLiteral("_word"), match.captured(2).toInt());
}

// The controller's side is its parameter memory; where the RAM holds another value (old
// hardware), that value beside it as controller_ram.
QJsonArray rowsJson(const ControllerRows& controller, const ParameterSet& memory) {
    QJsonArray array;
    for (qsizetype i = 0; i < controller.rows.size(); ++i) {
        const ParameterRow& row = controller.rows[i];
        QJsonObject o{{"parameter", parameterCaption(Language::English, row.id)},
                      {"differs", row.differs}};
        insertSide(o, QStringLiteral("file"), row.ours);
        const QString& ram = controller.ram[i];
        insertSide(o, QStringLiteral("controller"),
                   ram.isEmpty() ? row.theirs : parameterText(memory, row.id));
        if (!ram.isEmpty())
            o.insert(QStringLiteral("controller_ram"), jsonValueOf(ram));
        array.append(o);
    }
    return array;
}

QString rowsText(const QList<ParameterRow>& rows, const QString& oursName,
                 const QString& theirsName) {
    QString text;
    for (const ParameterRow& row : rows)
        text += QStringLiteral("%1 %2: %3 %4, %5 %6\n")
                    .arg(row.differs ? QStringLiteral("*") : QStringLiteral(" "),
                         parameterCaption(Language::English, row.id), oursName, row.ours,
                         theirsName, row.theirs);
    return text;
}

} // namespace

int checkWrite(CliContext& context) {
    int exitCode = kExitSound;
    const std::optional<ParameterPlan> plan = planOf(context, &exitCode);
    if (plan)
        g_plan = *plan;
    return exitCode;
}

int checkCompare(CliContext& context) {
    int exitCode = kExitSound;
    const std::optional<ParameterPlan> plan = planOf(context, &exitCode);
    if (plan)
        g_plan = *plan;
    return exitCode;
}

int runWrite(CliContext& context) {
    int exitCode = kExitSound;
    const std::optional<ControllerIdentity> id = identifyOrSay(context, &exitCode);
    if (!id)
        return exitCode;
    const bool withRampTimes = rampTimesFor(g_plan, *id);
    const auto converted = parameterSetFromFields(g_plan.fields, withRampTimes);
    if (std::holds_alternative<FieldRefusal>(converted)) {
        const ParameterId refused = parameterOf(std::get<FieldRefusal>(converted));
        printError(QStringLiteral("%1: %2 cannot be written; nothing was sent")
                       .arg(g_plan.path, parameterCaption(Language::English, refused)));
        return kExitRefused;
    }
    const ParameterSet& set = std::get<ParameterSet>(converted);
    const std::optional<QList<WriteItem>> items = dataWriteItems(id->hwOld, set, withRampTimes);
    if (!items) {
        printError(
            QStringLiteral("%1: a takt does not fit its byte; nothing was sent").arg(g_plan.path));
        return kExitRefused;
    }
    const bool hwOld = id->hwOld;
    const LinkSession::Failure failure =
        context.session.exchange([&](TSio*) { return buildWrites(hwOld, *items); });
    if (failure != LinkSession::Failure::None) {
        return sayFailure(failure, QStringLiteral(" during the write: the controller may hold "
                                                  "part of the set; write it again"));
    }
    QJsonObject result{{"written", true},
                       {"ramp_times", withRampTimes},
                       {"verified", QJsonValue::Null},
                       {"differences", QJsonValue::Null}};
    if (!g_plan.verify) {
        if (context.json)
            printJson(result);
        else
            printOut(QStringLiteral("written (not verified)\n"));
        return kExitSound;
    }
    const ParameterMemoryResult back = readParameterMemory(context.session, *id);
    if (!back.read) {
        return sayFailure(back.failure, QStringLiteral(" during the read-back"));
    }
    const ControllerRows differences = differingFromController(
        Language::English, set, *back.read, withRampTimes && back.read->memory.hasRampTimes);
    const QList<ParameterRow>& differing = differences.rows;
    result.insert("verified", differing.isEmpty());
    result.insert("differences", rowsJson(differences, back.read->memory.set));
    if (context.json)
        printJson(result);
    else if (differing.isEmpty())
        printOut(QStringLiteral("written and verified\n"));
    else
        printOut(QStringLiteral("written, but the read-back differs:\n") +
                 rowsText(differing, QStringLiteral("written"), QStringLiteral("read back")));
    return differing.isEmpty() ? kExitSound : kExitNotVerified;
}

int runCompare(CliContext& context) {
    int exitCode = kExitSound;
    const std::optional<ControllerIdentity> id = identifyOrSay(context, &exitCode);
    if (!id)
        return exitCode;
    const ParameterMemoryResult read = readParameterMemory(context.session, *id);
    if (!read.read) {
        return sayFailure(read.failure);
    }
    if (sayImplausible(implausibleWords(read.read->memory), QStringLiteral("parameter read")))
        return kExitLink;
    const bool withRampTimes = rampTimesFor(g_plan, *id) && read.read->memory.hasRampTimes;
    const auto converted = parameterSetFromFields(g_plan.fields, withRampTimes);
    if (std::holds_alternative<FieldRefusal>(converted)) {
        const ParameterId refused = parameterOf(std::get<FieldRefusal>(converted));
        printError(QStringLiteral("%1: %2 is no value a write could send")
                       .arg(g_plan.path, parameterCaption(Language::English, refused)));
        return kExitRefused;
    }
    const ControllerRows controller = compareWithController(
        Language::English, std::get<ParameterSet>(converted), *read.read, withRampTimes);
    const QList<ParameterRow>& rows = controller.rows;
    int differing = 0;
    for (const ParameterRow& row : rows)
        differing += row.differs ? 1 : 0;
    if (context.json)
        printJson(QJsonObject{{"differing", differing},
                              {"parameters", rowsJson(controller, read.read->memory.set)}});
    else
        printOut(rowsText(rows, QStringLiteral("file"), QStringLiteral("controller")) +
                 QStringLiteral("%1 of %2 parameters differ\n").arg(differing).arg(rows.size()));
    // As diff and cmp: a script asks "the same?" by the exit code alone.
    return differing == 0 ? kExitSound : kExitDiffer;
}
