#pragma once
// The command-line tool's exit codes, as its --help lists them.
enum ExitCode : int {
    kExitSound = 0,
    kExitDiffer = 1,       // compare: the file and the controller differ (as diff and cmp)
    kExitUsage = 2,        // unknown command or option, missing argument
    kExitPort = 3,         // the port could not be opened
    kExitLink = 4,         // the controller did not answer soundly (or the port was lost)
    kExitRefused = 5,      // refused input: a file, a value or a password the window refuses
    kExitNotVerified = 6,  // written, but the read-back differs
    kExitFile = 7,         // a file could not be written
    kExitInterrupted = 130 // Ctrl-C between exchanges
};
