// trv5200-cli: the service jobs of the window from one command line, for a batch of
// controllers. Built on the same core as the window: the same link, telegrams, decoders
// and checks; no widgets.
#include "base/ini_file.h"
#include "base/settings.h"
#include "base/settings_location.h"
#include "cli/cli_commands.h"
#include "cli/progress_bar.h"
#include "serial/port_hint.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "session/interruption.h"
#include "text/language_codes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>

namespace {

// The command-line options. The global ones go with every command; each command's own
// are named in its row of commands(). Either kind may stand before or after the command.
struct Options {
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("Port list entry COM1 … COM32 (mapped as in the "
                                           "window's settings file) or a device path; COM1 by "
                                           "default."),
                            QStringLiteral("COMn|PATH"), QStringLiteral("COM1")};
    QCommandLineOption json{QStringLiteral("json"),
                            QStringLiteral("Machine-readable output (JSON).")};
    QCommandLineOption readTimeout{
        QStringLiteral("read-timeout"),
        QStringLiteral("Wait up to MS (30 … 800) for each answer byte; the window's 30 by "
                       "default. Raise it for an adapter that delivers late."),
        QStringLiteral("MS"), QStringLiteral("30")};
    QCommandLineOption linkStats{
        QStringLiteral("link-stats"),
        QStringLiteral("At the end, say on stderr what went over the line: exchanges, "
                       "transfers, bytes, the time in them and the line's own time for those "
                       "bytes at 38400 baud.")};
    QCommandLineOption noConfirm{
        QStringLiteral("no-confirm"),
        QStringLiteral("Take every read at its first answer: no second read to confirm the "
                       "parameter, identity and fault-memory reads (faster on a slow line, "
                       "but a data byte the line spoils goes unnoticed).")};
    QCommandLineOption ini{QStringLiteral("ini"),
                           QStringLiteral("read: also save the set as a parameter file."),
                           QStringLiteral("FILE")};
    QCommandLineOption noVerify{QStringLiteral("no-verify"),
                                QStringLiteral("write: no read-back after the write.")};
    QCommandLineOption password{
        QStringLiteral("password"),
        QStringLiteral("write, compare: a password of the service level sends the ramp times "
                       "too; calibrate: one of the calibration level."),
        QStringLiteral("P")};
    QCommandLineOption clear{QStringLiteral("clear"),
                             QStringLiteral("faults: empty the fault memory after reading it.")};
    QCommandLineOption measured{
        QStringLiteral("measured"),
        QStringLiteral("calibrate: the mains voltage measured at the controller, 210 … 260."),
        QStringLiteral("VOLTS")};
    QCommandLineOption csv{QStringLiteral("csv"),
                           QStringLiteral("watch: also record the readings in FILE."),
                           QStringLiteral("FILE")};
    QCommandLineOption seconds{QStringLiteral("seconds"),
                               QStringLiteral("watch: end after N seconds."), QStringLiteral("N")};
    QCommandLineOption maxErrors{
        QStringLiteral("max-errors"),
        QStringLiteral("watch: end (exit code 4) after N failed readings in a row; without it "
                       "the watch rides through every failure."),
        QStringLiteral("N")};
    QCommandLineOption language{
        QStringLiteral("language"),
        QStringLiteral("report: the report's language, de, en, sv, fr or tr (or the settings "
                       "file's ger, eng, schw, franz, tuerk; any case)."),
        QStringLiteral("CODE")};

    QList<QCommandLineOption> all() const {
        return {port,     json,  readTimeout, linkStats, noConfirm, ini,       noVerify,
                password, clear, measured,    csv,       seconds,   maxErrors, language};
    }
};

struct Command {
    const char* name;
    const char* operands; // as the usage line shows them
    int minOperands;
    int maxOperands;
    QStringList options; // its own options
    CommandCheck check;
    CommandRun run;
    int exchanges; // about how many the job takes, for the progress bar

    QString usage() const {
        QString line = QStringLiteral("usage: trv5200-cli [options] %1").arg(QLatin1String(name));
        if (*operands)
            line += QLatin1Char(' ') + QLatin1String(operands);
        return line;
    }
};

// clang-format off
const QList<Command>& commands() {
    static const QList<Command> table = {
        {"identify", "", 0, 0, {}, checkNoArguments, runIdentify, 2},
        {"read", "[--ini FILE]", 0, 0, {"ini"}, checkNoArguments, runRead, 3},
        {"write", "FILE [--no-verify] [--password P]", 1, 1, {"no-verify", "password"},
         checkWrite, runWrite, 4},
        {"compare", "FILE [--password P]", 1, 1, {"password"}, checkCompare, runCompare, 3},
        {"sync-clock", "", 0, 0, {}, checkNoArguments, runSyncClock, 4},
        {"faults", "[--clear]", 0, 0, {"clear"}, checkNoArguments, runFaults, 3},
        {"calibrate", "--measured VOLTS --password P", 0, 0, {"measured", "password"},
         checkCalibrate, runCalibrate, 4},
        {"watch", "[--csv FILE] [--seconds N] [--max-errors N]", 0, 0,
         {"csv", "seconds", "max-errors"}, checkWatch, runWatch, 2},
        {"report", "FILE.pdf [--language CODE]", 1, 1, {"language"}, checkReport, runReport, 5},
    };
    return table;
}
// clang-format on

const QStringList kGlobalOptions = {
    "port", "json", "read-timeout", "link-stats", "no-confirm", "help",
    "h",    "?",    "help-all",     "version",    "v"};

const char* const kHelpTail = R"(
Options may stand before or after the command.

Commands:
  identify            the controller's generation and identity
  read [--ini FILE]   the parameter set, in the keys of a parameter file; --ini also
                      saves it as one
  write FILE [--no-verify] [--password P]
                      writes the parameter file (checked as the window loads it) in
                      one telegram, then reads it back and compares; the ramp times
                      go with it only with a password of the service level
  compare FILE [--password P]
                      the file against the controller, parameter by parameter; exit
                      code 0 when they are the same, 1 when they differ (as diff)
  sync-clock          sets the controller clock from the PC's (in standard time)
  faults [--clear]    the fault memory, newest first; --clear then empties it
  calibrate --measured VOLTS --password P
                      calibrates the mains-voltage measurement to the voltage measured
                      at the controller (normal operation at 50 Hz, as in the window)
  watch [--csv FILE] [--seconds N] [--max-errors N]
                      the live values, one line per reading (with --json one JSON
                      object per line) at the window's pace of five a second, until N
                      seconds have passed or Ctrl-C (or SIGTERM, SIGHUP, a closed
                      output), which ends it soundly; --csv also records them in FILE,
                      as the window's trend records. A failed reading is counted, the
                      line resynchronised and the watch goes on; the gap is noted;
                      --max-errors ends it after N failures in a row
  report FILE.pdf [--language CODE]
                      the commissioning report as a PDF: identity, calibration, the
                      parameter set read fresh, clock and drift, fault memory, live
                      values, lines to sign; in the window's language unless given

The parameter, identity and fault-memory reads are confirmed: each is read twice and
counts only when both answers agree (a third read decides); three different answers
end the job with exit code 4. --no-confirm reads once. A value the controller cannot
hold is never shown or saved as its value: the job names it and ends with exit code 4.

The controller clock is given as the controller keeps it: in the local standard time
(winter time all year), without an offset. Fault records carry no year.

Exit codes:
  0    sound (compare: the file and the controller are the same)
  1    compare: the file and the controller differ
  2    usage: unknown command or option, missing argument, no such port entry
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

const Command* commandNamed(const QString& name) {
    for (const Command& each : commands())
        if (name == QLatin1String(each.name))
            return &each;
    return nullptr;
}

const char* const kGeneralUsage = "usage: trv5200-cli [options] COMMAND [arguments] (try --help)";

// A refused command line: what is wrong, then the right form.
int usageError(const QString& what, const Command* command) {
    printError(what);
    std::fprintf(stderr, "%s\n", command ? qUtf8Printable(command->usage()) : kGeneralUsage);
    return kExitUsage;
}

// The first line of a failed open, in the tool's language: the port, the device it stands
// for, and what the system said. The window shows the link's own German message instead.
QString openFailureText(const QString& entry, const QString& device, int errorNumber) {
    const QString what =
        entry.trimmed() == device ? device : QStringLiteral("%1 (%2)").arg(entry.trimmed(), device);
    return QStringLiteral("%1 could not be opened: error %2, %3")
        .arg(what)
        .arg(errorNumber)
        .arg(qt_error_string(errorNumber));
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietMessages);
    // From the start: a Ctrl-C while the port opens ends the job before its first exchange.
    installInterruptHandler();
    // A reader that closes the pipe (`watch | head`) makes a write fail, which the
    // command sees, instead of killing the program with its file half-written.
    std::signal(SIGPIPE, SIG_IGN);

    // The command line is read before the application is made: the report's PDF writer
    // needs a GUI application, every other command a core one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Options o;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Service jobs on a TRV5200 dimmer controller from the command line.\n"
                       "Version " TRV_VERSION "."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(o.all());
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("What to do (see Commands below)."),
                                 QStringLiteral("COMMAND [arguments]"));
    const bool parsed = parser.parse(arguments);
    const QStringList positional = parser.positionalArguments();
    const Command* command = positional.isEmpty() ? nullptr : commandNamed(positional.first());

    // The report's PDF writer needs the fonts of a GUI application; it draws on no
    // screen, so it runs without a display too.
    std::unique_ptr<QCoreApplication> app;
    if (parsed && command && QLatin1String(command->name) == QLatin1String("report")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The window's name: the same settings and data folders.
    QCoreApplication::setApplicationName(QStringLiteral("TRV5200"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRV_VERSION));

    if (!parsed)
        return usageError(parser.errorText(), command);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        printOut(parser.helpText() + QString::fromUtf8(kHelpTail));
        return kExitSound;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        printOut(QStringLiteral("trv5200-cli %1\n").arg(QStringLiteral(TRV_VERSION)));
        return kExitSound;
    }
    if (positional.isEmpty())
        return usageError(QStringLiteral("no command given"), nullptr);
    if (!command)
        return usageError(QStringLiteral("unknown command \"%1\"").arg(positional.first()),
                          nullptr);
    // Another command's option is a misplaced one: say whose it is.
    for (const QString& name : parser.optionNames()) {
        if (kGlobalOptions.contains(name) || command->options.contains(name))
            continue;
        QStringList owners;
        for (const Command& each : commands())
            if (each.options.contains(name))
                owners << QString::fromLatin1(each.name);
        return usageError(
            QStringLiteral("%1 takes no --%2 (an option of %3)")
                .arg(QLatin1String(command->name), name, owners.join(QStringLiteral(", "))),
            command);
    }
    const QStringList operands = positional.mid(1);
    if (operands.size() > command->maxOperands)
        return usageError(
            QStringLiteral("%1: unexpected \"%2\"")
                .arg(QLatin1String(command->name), operands.value(command->maxOperands)),
            command);
    if (operands.size() < command->minOperands)
        return usageError(QStringLiteral("%1: %2 missing")
                              .arg(QLatin1String(command->name),
                                   QString::fromLatin1(command->operands).section(' ', 0, 0)),
                          command);
    bool timeoutOk = false;
    const int timeout = parser.value(o.readTimeout).toInt(&timeoutOk);
    if (!timeoutOk || timeout < 30 || timeout > 800)
        return usageError(
            QStringLiteral("--read-timeout must be a number of milliseconds from 30 to 800"),
            command);
    read_timeout = timeout;
    // The window's port list holds COM1 … COM32; a device path is taken as it is.
    const QString port = parser.value(o.port).trimmed();
    if (namesComPort(port) && !isPortListEntry(port))
        return usageError(QStringLiteral("--port %1: no such port; the port list holds COM1 … "
                                         "COM32, or give a device path such as /dev/ttyUSB0")
                              .arg(port),
                          command);

    CliContext context;
    context.arguments = operands;
    context.json = parser.isSet(o.json);
    for (const QCommandLineOption& option : o.all()) {
        const QString name = option.names().constFirst();
        if (command->options.contains(name) && parser.isSet(option))
            context.options.insert(name, option.valueName().isEmpty() ? QStringLiteral("1")
                                                                      : parser.value(option));
    }
    if (context.options.contains(QStringLiteral("language"))) {
        const std::optional<Language> language =
            languageOfCode(context.options.value(QStringLiteral("language")));
        if (!language)
            return usageError(QStringLiteral("%1: unknown language \"%2\" (one of %3)")
                                  .arg(QLatin1String(command->name),
                                       context.options.value(QStringLiteral("language")),
                                       languageCodeList()),
                              command);
        // The report reads its language from its arguments, in the short code.
        context.arguments << QStringLiteral("--language") << shortLanguageCode(*language);
    }
    if (const int refused = command->check(context); refused != kExitSound) {
        if (refused == kExitUsage)
            std::fprintf(stderr, "%s\n", qUtf8Printable(command->usage()));
        return refused;
    }

    // The port mapping of the window's settings file ([Ports] COMn=PATH).
    if (IniFile settings; settings.load(settingsFilePath()))
        loadPortOverrides(settings);
    QString linkMessage; // the link's own, in the window's German
    if (!context.session.open(port, &linkMessage)) {
        const int errorNumber = context.session.openError();
        const QString device = context.session.triedPath();
        printError(openFailureText(port, device, errorNumber));
        // What to do about it; for a busy port who holds it, and the window's button as
        // the window shows it in its own language.
        const std::optional<PortHolder> holder =
            errorNumber == EBUSY ? findPortHolder(device) : std::nullopt;
        const std::optional<Language> windowLanguage =
            languageOfCode(readSettingsFile(settingsFilePath()).language_code);
        const QString hint =
            portOpenHint(errorNumber, port, device, settingsFilePath(), Language::English, holder,
                         GetInfoString(windowLanguage.value_or(Language::English), 101));
        if (!hint.isEmpty())
            printError(hint);
        return kExitPort;
    }
    context.session.confirmReads = !parser.isSet(o.noConfirm);
    describeFailuresOf(&context.session);
    startProgress(context.session, QString::fromLatin1(command->name), command->exchanges);
    const int exitCode = command->run(context);
    stopProgress();
    if (parser.isSet(o.linkStats)) {
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
