#pragma once
// The commands of trv5200-cli, one file each.
#include "cli/cli_context.h"
#include "session/identify.h"

#include <optional>

// The hardware test and the identity read; on failure says why and sets the exit code.
std::optional<ControllerIdentity> identifyOrSay(CliContext& context, int* exitCode);

// No operands of its own (its options are read by main).
int checkNoArguments(CliContext& context);

int runIdentify(CliContext& context);
int runRead(CliContext& context);
int checkWrite(CliContext& context);
int runWrite(CliContext& context);
int checkCompare(CliContext& context);
int runCompare(CliContext& context);
int runSyncClock(CliContext& context);
int runFaults(CliContext& context);
int checkCalibrate(CliContext& context);
int runCalibrate(CliContext& context);
int checkWatch(CliContext& context);
int runWatch(CliContext& context);
int checkReport(CliContext& context);
int runReport(CliContext& context);
