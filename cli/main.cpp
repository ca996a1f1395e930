// trv5200-cli: the service jobs of the window from one command line, for a batch of
// controllers. Built on the same core as the window: the same link, telegrams, decoders
// and checks; no widgets.
#include "base/ini_file.h"
#include "base/settings_location.h"
#include "cli/cli_commands.h"
#include "serial/port_hint.h"
#include "serial/port_map.h"
#include "serial/sio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

struct Command {
    const char* name;
    CommandCheck check;
    CommandRun run;
};

constexpr Command kCommands[] = {
    {"identify", checkNoArguments, runIdentify},
    {"read", checkRead, runRead},
    {"write", checkWrite, runWrite},
    {"compare", checkCompare, runCompare},
    {"sync-clock", checkNoArguments, runSyncClock},
    {"faults", checkFaults, runFaults},
    {"calibrate", checkCalibrate, runCalibrate},
};

const char* const kHelpTail = R"(
Commands:
  identify            the controller's generation and identity
  read [--ini FILE]   the parameter set, in the keys of a parameter file; --ini also
                      saves it as one
  write FILE [--no-verify] [--password P]
                      writes the parameter file (checked as the window loads it) in
                      one telegram, then reads it back and compares; the ramp times
                      go with it only with a password of the service level
  compare FILE [--password P]
                      the file against the controller, parameter by parameter
  sync-clock          sets the controller clock from the PC's (in standard time)
  faults [--clear]    the fault memory, newest first; --clear then empties it
  calibrate --measured VOLTS --password P
                      calibrates the mains-voltage measurement to the voltage measured
                      at the controller (normal operation at 50 Hz, as in the window)

Exit codes:
  0    sound
  2    usage: unknown command or option, missing argument
  3    the port could not be opened
  4    the controller did not answer soundly, or the port was lost
  5    refused input (a file, a value or a password the window refuses)
  6    written, but the read-back differs from what was written
  7    a file could not be written
  130  interrupted by Ctrl-C between exchanges

)";

// The link's warnings (a pseudo-terminal without DTR/RTS, say) are for the window's log,
// not for the technician's terminal or a script reading the output.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "trv5200-cli: %s\n", qUtf8Printable(message));
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietMessages);
    QCoreApplication app(argc, argv);
    // The window's name: the same settings and data folders.
    QCoreApplication::setApplicationName(QStringLiteral("TRV5200"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRV_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Service jobs on a TRV5200 dimmer controller from the command line.\n"
                       "Version " TRV_VERSION "."));
    // Options after the command belong to it.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Port list entry COM1 … COM32 (mapped as in the window's settings "
                       "file) or a device path; COM1 by default."),
        QStringLiteral("COMn|PATH"), QStringLiteral("COM1"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("Machine-readable output (JSON)."));
    const QCommandLineOption timeoutOption(
        QStringLiteral("read-timeout"),
        QStringLiteral("Wait up to MS (30 … 800) for each answer byte; the window's 30 by "
                       "default. Raise it for an adapter that delivers late."),
        QStringLiteral("MS"), QStringLiteral("30"));
    parser.addOptions({portOption, jsonOption, timeoutOption});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("What to do (see Commands below)."),
                                 QStringLiteral("command [arguments]"));

    const QStringList arguments = app.arguments();
    if (!parser.parse(arguments)) {
        printError(parser.errorText());
        return kExitUsage;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        printOut(parser.helpText() + QString::fromUtf8(kHelpTail));
        return kExitSound;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        printOut(QStringLiteral("trv5200-cli %1\n").arg(QStringLiteral(TRV_VERSION)));
        return kExitSound;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        printError(QStringLiteral("no command given (try --help)"));
        return kExitUsage;
    }
    const Command* command = nullptr;
    for (const Command& each : kCommands)
        if (positional.constFirst() == QLatin1String(each.name))
            command = &each;
    if (!command) {
        printError(
            QStringLiteral("unknown command \"%1\" (try --help)").arg(positional.constFirst()));
        return kExitUsage;
    }
    bool timeoutOk = false;
    const int timeout = parser.value(timeoutOption).toInt(&timeoutOk);
    if (!timeoutOk || timeout < 30 || timeout > 800) {
        printError(
            QStringLiteral("--read-timeout must be a number of milliseconds from 30 to 800"));
        return kExitUsage;
    }
    read_timeout = timeout;

    // The port mapping of the window's settings file ([Ports] COMn=PATH).
    if (IniFile settings; settings.load(settingsFilePath()))
        loadPortOverrides(settings);

    CliContext context;
    context.arguments = positional.mid(1);
    context.json = parser.isSet(jsonOption);
    if (const int refused = command->check(context); refused != kExitSound)
        return refused;
    QString error;
    if (!context.session.open(parser.value(portOption), &error)) {
        printError(error);
        // What to do about it, for permission denied and no such device.
        const QString hint =
            portOpenHint(context.session.openError(), parser.value(portOption),
                         context.session.triedPath(), settingsFilePath(), Language::English);
        if (!hint.isEmpty())
            printError(hint);
        return kExitPort;
    }
    return command->run(context);
}
