#pragma once
// What write and compare take from a parameter file before the port is opened: the file
// checked as the window's load checks it, its fields as the page would hold them, both
// night profiles in order (the window locks its write button otherwise), and the access
// level a password gives. Refused input ends the command before anything is sent.
#include "base/access_levels.h"
#include "cli/cli_context.h"
#include "parameters/write_fields.h"

#include <optional>

struct ParameterPlan {
    QString path;
    ParameterFields fields;
    AccessLevel level = AccessLevel::None;
    bool verify = true;
};

// Reads "FILE [--no-verify] [--password P]" (--no-verify only when allowVerifyOption).
// On refusal says why and returns nullopt with the exit code set.
std::optional<ParameterPlan> planFromArguments(const QStringList& arguments, bool allowVerifyOption,
                                               int* exitCode);
