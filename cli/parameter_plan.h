#pragma once
// What write and compare take from a parameter file before the port is opened: the file
// checked as the window's load checks it, its fields as the page would hold them, both
// night profiles in order (the window locks its write button otherwise), and the access
// level a password gives. Refused input ends the command before anything is sent.
#include "base/access_levels.h"
#include "cli/cli_context.h"
#include "parameters/parameter_file.h"
#include "parameters/write_fields.h"

#include <optional>

struct ParameterPlan {
    QString path;
    ParameterFields fields;
    AccessLevel level = AccessLevel::None;
    bool verify = true;
};

// The plan of "FILE [--no-verify] [--password P]": the file is the command's operand, the
// options as main read them. On refusal says why and returns nullopt with the exit code
// set.
std::optional<ParameterPlan> planOf(const CliContext& context, int* exitCode);

// Why a parameter file was refused, in the command line's words: what the file holds,
// and that nothing was sent.
QString refusalText(const QString& path, const ParameterFileRefusal& refusal);
