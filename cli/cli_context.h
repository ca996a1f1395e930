#pragma once
// What every command of trv5200-cli works with: the options, the open link, and how it
// prints (text for a person, JSON for a script).
#include "cli/exit_codes.h"
#include "live/live_display.h"
#include "session/link_session.h"

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>

struct CliContext {
    QStringList arguments; // the command's own, after its name
    // The command's own options as its check read them, before the port is opened.
    QHash<QString, QString> options;
    bool json = false;
    LinkSession session;
};

// False when stdout is gone (a closed pipe: `| head`); SIGPIPE is ignored, so a write
// to a closed pipe fails instead of ending the program.
bool printOut(const QString& text);
void printError(const QString& text);
// The object as indented JSON on stdout.
void printJson(const QJsonObject& object);
// JSON is typed: a value shown as a whole number is a number; "–" (no value) and an empty
// text are null; any other text (a time "06:30") stays text.
QJsonValue jsonValueOf(const QString& shown);
// The controller clock as the controller keeps it: its local standard time, ISO 8601
// without an offset ("2026-12-11T17:35:00"), for the controller knows no zone; null when
// the clock words make no date.
QJsonValue controllerClockJson(const QDateTime& clock);
// The messages below describe the failed transfer of this session (which byte of which
// exchange went unanswered or was answered wrongly); main sets it once the port is open.
void describeFailuresOf(const LinkSession* session);
QString failureText(LinkSession::Failure failure);
// Says why an exchange failed (with what it was doing, unless Ctrl-C stopped the job
// before it began) and gives the exit code: interrupted, or the link's.
int sayFailure(LinkSession::Failure failure, const QString& during = {});

// Words a read brought that the controller cannot hold (the decoder limited them, as the
// window's "Com-Error !" does): named on stderr as not plausible, with what they were read
// from. True when there were any: the read counts as failed (kExitLink) and nothing of it
// is shown or saved.
bool sayImplausible(const QList<RangeViolation>& violations, const QString& read);
bool sayImplausible(const std::vector<RangeViolation>& violations, const QString& read);
// The message itself (for a line of watch); empty without violations.
QString implausibleText(const QList<RangeViolation>& violations, const QString& read);

// A fault-memory write position beyond the ring, which a sound controller never reports.
QString impossiblePositionText(quint16 position);

// A command's check of its own arguments (into options; kExitSound when they are fine,
// run before the port is opened, so refused input sends nothing) and its run.
using CommandCheck = int (*)(CliContext& context);
using CommandRun = int (*)(CliContext& context);
