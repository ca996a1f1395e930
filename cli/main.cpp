// trv5200-cli: the service jobs of the window from one command line, for a batch of
// controllers. Built on the same core as the window: the same link, telegrams, decoders
// and checks; no widgets.
#include "base/ini_file.h"
#include "base/settings_location.h"
#include "cli/cli_commands.h"
#include "cli/progress_bar.h"
#include "serial/port_hint.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "session/interruption.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

namespace {

struct Command {
    const char* name;
    CommandCheck check;
    CommandRun run;
    int exchanges; // about how many the job takes, for the progress bar
};

constexpr Command kCommands[] = {
    {"identify", checkNoArguments, runIdentify, 2},
    {"read", checkRead, runRead, 3},
    {"write", checkWrite, runWrite, 4},
    {"compare", checkCompare, runCompare, 3},
    {"sync-clock", checkNoArguments, runSyncClock, 4},
    {"faults", checkFaults, runFaults, 3},
    {"calibrate", checkCalibrate, runCalibrate, 4},
    {"watch", checkWatch, runWatch, 2},
    {"report", checkReport, runReport, 5},
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
  watch [--csv FILE] [--seconds N]
                      the live values, one line per reading (with --json one JSON
                      object per line) at the window's pace of five a second, until N
                      seconds have passed or Ctrl-C, which ends it soundly; --csv also
                      records them in FILE, as the window's trend records
  report FILE.pdf [--language de|en|sv|fr|tr]
                      the commissioning report as a PDF: identity, calibration, the
                      parameter set read fresh, clock and drift, fault memory, live
                      values, lines to sign; in the window's language unless given

Exit codes:
  0    sound
  2    usage: unknown command or option, missing argument
  3    the port could not be opened
  4    the controller did not answer soundly, or the port was lost
  5    refused input (a file, a value or a password the window refuses)
  6    written, but the read-back differs from what was written
  7    a file could not be written
  130  interrupted by Ctrl-C between exchanges (a telegram that has begun goes
       out whole; a write is never cut)

A progress bar runs on stderr while a command works, when stderr is a terminal.

)";

// The link's warnings (a pseudo-terminal without DTR/RTS, say) are for the window's log,
// not for the technician's terminal or a script reading the output.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "trv5200-cli: %s\n", qUtf8Printable(message));
}

// The command, before Qt reads the command line: the first argument that is neither an
// option nor an option's value.
QByteArrayView commandIn(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (argument == "--port" || argument == "--read-timeout")
            ++i;
        else if (!argument.startsWith('-'))
            return argument;
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietMessages);
    // From the start: a Ctrl-C while the port opens ends the job before its first exchange.
    installInterruptHandler();
    // The report's PDF writer needs the fonts of a GUI application; it draws on no
    // screen, so it runs without a display too.
    std::unique_ptr<QCoreApplication> app;
    if (commandIn(argc, argv) == "report") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
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
    const QCommandLineOption statsOption(
        QStringLiteral("link-stats"),
        QStringLiteral("At the end, say on stderr what went over the line: exchanges, "
                       "transfers, bytes, the time in them and the line's own time for "
                       "those bytes at 38400 baud."));
    parser.addOptions({portOption, jsonOption, timeoutOption, statsOption});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("What to do (see Commands below)."),
                                 QStringLiteral("command [arguments]"));

    const QStringList arguments = QCoreApplication::arguments();
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
    startProgress(context.session, QString::fromLatin1(command->name), command->exchanges);
    const int exitCode = command->run(context);
    stopProgress();
    if (parser.isSet(statsOption)) {
        const LinkSession::Figures& f = context.session.figures();
        std::fprintf(stderr,
                     "trv5200-cli: link: %llu exchanges, %llu transfers, %llu bytes, %.3f s in "
                     "transfers, %.3f s on the wire\n",
                     static_cast<unsigned long long>(f.exchanges),
                     static_cast<unsigned long long>(f.transfers),
                     static_cast<unsigned long long>(f.bytes), double(f.transferNs) / 1e9,
                     f.wireSeconds());
    }
    return exitCode;
}
