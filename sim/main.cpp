// trv5200-sim: a simulated TRV5200 on a pseudo-terminal, for running the service program,
// its tests and its benchmarks without a controller.
#include "sim/simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <map>
#include <optional>
#include <sys/signalfd.h>
#include <unistd.h>

using namespace trvsim;

namespace {

int usageError(const QString& text) {
    std::fprintf(stderr, "trv5200-sim: %s\n", qPrintable(text));
    std::fprintf(stderr, "Try 'trv5200-sim --help'.\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    // SIGINT and SIGTERM arrive through a descriptor the event loop watches, so the
    // simulator always stops cleanly (thread joined, link removed). They are blocked
    // before any thread starts, so every thread inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trv5200-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRV_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated TRV5200 dimmer controller on a pseudo-terminal.\n"
                       "Version " TRV_VERSION ".\n"
                       "\n"
                       "Prints the serial device to open (e.g. /dev/pts/7) as the first line on\n"
                       "stdout, then answers the service program byte by byte as the controller\n"
                       "does (38400 baud 8N1, one answer per byte), logs the telegrams on stderr\n"
                       "and runs until interrupted (Ctrl+C or SIGTERM).\n"
                       "\n") +
        faultFormsHelp());
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption generationOption(
        QStringLiteral("generation"),
        QStringLiteral("Hardware generation to simulate: new (two-byte addresses, block read; "
                       "default) or old (one-byte addresses)."),
        QStringLiteral("new|old"), QStringLiteral("new"));
    const QCommandLineOption revisionOption(
        QStringLiteral("revision"),
        QStringLiteral("Hardware revision in the identity of an old-generation controller "
                       "(default 14)."),
        QStringLiteral("N"), QStringLiteral("14"));
    const QCommandLineOption linkOption(
        QStringLiteral("link"),
        QStringLiteral("Also publish the device as a symbolic link at PATH (a stale link "
                       "there is replaced; removed again on exit)."),
        QStringLiteral("PATH"));
    const QCommandLineOption baudOption(
        QStringLiteral("baud-timing"),
        QStringLiteral("Answer each byte about 0.52 ms after it arrived, as a real 38400-baud "
                       "line does (default: at once)."));
    const QCommandLineOption faultOption(
        QStringLiteral("fault"),
        QStringLiteral("Inject a fault; FORM is one of the fault forms above. May be repeated."),
        QStringLiteral("FORM"));
    const QCommandLineOption quietOption(QStringLiteral("quiet"),
                                         QStringLiteral("Do not log the telegrams on stderr."));
    const QCommandLineOption stateOption(
        QStringLiteral("state"),
        QStringLiteral("Operating state after the run-up: normal (default), power-reduction, "
                       "error or standby (new generation only)."),
        QStringLiteral("STATE"), QStringLiteral("normal"));
    const QCommandLineOption frequencyOption(
        QStringLiteral("frequency"),
        QStringLiteral("Hold the lamps at HZ (e.g. 50 or 55) whatever the burn-in and the night "
                       "programme ask for; 0 follows them (default)."),
        QStringLiteral("HZ"), QStringLiteral("0"));
    const QCommandLineOption burnInOption(
        QStringLiteral("burn-in"),
        QStringLiteral("Burn-in after switching on lasts SECONDS instead of the burn-in time in "
                       "the parameter memory; 0: normal operation right after the 4 s run-up."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption faultEveryOption(
        QStringLiteral("fault-every"),
        QStringLiteral("Have a controller fault every SECONDS (undervoltage, start fault, "
                       "over-temperature, DC-link overvoltage in turn): recorded in the fault "
                       "memory and shown live for 10 s; 0: none (default)."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption clockOffsetOption(
        QStringLiteral("clock-offset"),
        QStringLiteral("Start the controller clock SECONDS ahead of the PC's clock (negative: "
                       "behind), to show a clock that has drifted; 0 by default."),
        QStringLiteral("SECONDS"), QStringLiteral("0"));
    const QCommandLineOption spoilOption(
        QStringLiteral("spoil-write"),
        QStringLiteral("The next write of one word stores something else, as a worn cell would: "
                       "SPACE is ram or param, ADDRESS the word's address (0x26), VALUE what is "
                       "stored instead (default: the word written with its lowest bit flipped). "
                       "The echo is as always; only reading the word back shows it."),
        QStringLiteral("SPACE:ADDRESS[=VALUE]"));
    parser.addOptions({generationOption, revisionOption, linkOption, baudOption, faultOption,
                       quietOption, stateOption, frequencyOption, burnInOption, faultEveryOption,
                       clockOffsetOption, spoilOption});
    parser.process(app);

    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument \"%1\"")
                              .arg(parser.positionalArguments().constFirst()));
    const QString generationText = parser.value(generationOption);
    if (generationText != QLatin1String("new") && generationText != QLatin1String("old"))
        return usageError(
            QStringLiteral("--generation must be new or old, not \"%1\"").arg(generationText));
    const Generation generation =
        generationText == QLatin1String("new") ? Generation::New : Generation::Old;
    bool ok = false;
    const int revision = parser.value(revisionOption).toInt(&ok);
    if (!ok || revision < 0 || revision > 99)
        return usageError(QStringLiteral("--revision must be a number from 0 to 99"));
    std::vector<Fault> faults;
    for (const QString& form : parser.values(faultOption)) {
        QString error;
        const std::optional<Fault> fault = parseFault(form, &error);
        if (!fault)
            return usageError(error);
        faults.push_back(*fault);
    }
    const bool quiet = parser.isSet(quietOption);

    const QString stateText = parser.value(stateOption);
    const std::map<QString, ControllerModel::OperatingState> states{
        {QStringLiteral("normal"), ControllerModel::OperatingState::Normal},
        {QStringLiteral("power-reduction"), ControllerModel::OperatingState::PowerReduction},
        {QStringLiteral("error"), ControllerModel::OperatingState::Error},
        {QStringLiteral("standby"), ControllerModel::OperatingState::Standby}};
    const auto state = states.find(stateText);
    if (state == states.end())
        return usageError(QStringLiteral("--state must be normal, power-reduction, error or "
                                         "standby, not \"%1\"")
                              .arg(stateText));
    if (state->second == ControllerModel::OperatingState::Standby && generation == Generation::Old)
        return usageError(QStringLiteral("--state standby: the old generation has no standby"));
    const double frequency = parser.value(frequencyOption).toDouble(&ok);
    if (!ok || (frequency != 0 && (frequency < 50 || frequency > 200)))
        return usageError(QStringLiteral("--frequency must be 0 or from 50 to 200 Hz"));
    std::optional<std::chrono::seconds> burnIn;
    if (parser.isSet(burnInOption)) {
        const int seconds = parser.value(burnInOption).toInt(&ok);
        if (!ok || seconds < 0)
            return usageError(QStringLiteral("--burn-in must be a number of seconds, 0 or more"));
        burnIn = std::chrono::seconds(seconds);
    }
    const qint64 clockOffset = parser.value(clockOffsetOption).toLongLong(&ok);
    if (!ok)
        return usageError(QStringLiteral("--clock-offset must be a number of seconds"));
    std::chrono::seconds faultEvery{0};
    if (parser.isSet(faultEveryOption)) {
        const int seconds = parser.value(faultEveryOption).toInt(&ok);
        if (!ok || seconds < 0)
            return usageError(
                QStringLiteral("--fault-every must be a number of seconds, 0 or more"));
        faultEvery = std::chrono::seconds(seconds);
    }

    struct SpoiledWrite {
        Space space;
        quint16 address;
        std::optional<quint16> value;
    };
    std::optional<SpoiledWrite> spoil;
    if (parser.isSet(spoilOption)) {
        const QString form = parser.value(spoilOption);
        const QStringList parts = form.split(QLatin1Char('='));
        const QStringList place = parts.front().split(QLatin1Char(':'));
        const auto number = [](const QString& text, bool* good) {
            const uint n = text.toUInt(good, 0);
            *good = *good && n <= 0xFFFF;
            return quint16(n);
        };
        bool addressOk = false;
        bool valueOk = true;
        SpoiledWrite parsed{Space::Ram, 0, std::nullopt};
        if (place.size() == 2 && parts.size() <= 2 &&
            (place[0] == QLatin1String("ram") || place[0] == QLatin1String("param"))) {
            parsed.space = place[0] == QLatin1String("ram") ? Space::Ram : Space::Parameter;
            parsed.address = number(place[1], &addressOk);
            if (parts.size() == 2)
                parsed.value = number(parts[1], &valueOk);
        }
        if (!addressOk || !valueOk)
            return usageError(QStringLiteral("--spoil-write must be ram|param:ADDRESS[=VALUE] with "
                                             "numbers up to 0xFFFF, not \"%1\"")
                                  .arg(form));
        spoil = parsed;
    }

    const int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC | SFD_NONBLOCK);
    if (signalFd < 0) {
        std::perror("trv5200-sim: signalfd");
        return 1;
    }
    QSocketNotifier signalNotifier(signalFd, QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&] {
        signalfd_siginfo info{};
        [[maybe_unused]] const ssize_t n = ::read(signalFd, &info, sizeof info);
        QCoreApplication::quit();
    });

    HostOptions options;
    options.baudTiming = parser.isSet(baudOption);
    options.log = !quiet;
    options.recordReceived = false;
    options.onHangUp = [&app] {
        // The line is gone; nothing is left to answer.
        QMetaObject::invokeMethod(
            &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    };
    Simulator simulator(generation, revision, options);
    for (const Fault& fault : faults)
        simulator.host().inject(fault);
    ControllerModel& model = simulator.model();
    model.setOperatingState(state->second);
    if (frequency != 0)
        model.forceLampFrequency(frequency);
    if (burnIn)
        model.setBurnInOverride(*burnIn);
    if (faultEvery.count() > 0)
        model.setFaultInterval(faultEvery);
    if (clockOffset != 0)
        model.setClock(model.clock().addSecs(clockOffset));
    if (spoil)
        model.spoilNextWrite(spoil->space, spoil->address, spoil->value);
    QString error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "trv5200-sim: %s\n", qPrintable(error));
        return 1;
    }
    const QString linkPath = parser.value(linkOption);
    if (!linkPath.isEmpty() && !simulator.host().publishLink(linkPath, &error)) {
        std::fprintf(stderr, "trv5200-sim: %s\n", qPrintable(error));
        return 1;
    }

    std::printf("%s\n", qPrintable(simulator.devicePath()));
    std::fflush(stdout);
    if (!quiet) {
        QStringList notes{generation == Generation::New
                              ? QStringLiteral("new hardware")
                              : QStringLiteral("old hardware, revision %1").arg(revision)};
        if (!linkPath.isEmpty())
            notes << QStringLiteral("link %1").arg(linkPath);
        notes << (options.baudTiming ? QStringLiteral("38400-baud timing")
                                     : QStringLiteral("immediate answers"));
        for (const Fault& fault : faults)
            notes << QStringLiteral("fault %1").arg(faultForm(fault));
        if (state->second != ControllerModel::OperatingState::Normal)
            notes << QStringLiteral("state %1").arg(stateText);
        if (frequency != 0)
            notes << QStringLiteral("lamps held at %1 Hz").arg(frequency);
        if (clockOffset != 0)
            notes << QStringLiteral("clock %1 s off").arg(clockOffset);
        if (burnIn)
            notes << QStringLiteral("burn-in %1 s").arg(burnIn->count());
        if (faultEvery.count() > 0)
            notes << QStringLiteral("a fault every %1 s").arg(faultEvery.count());
        if (spoil)
            notes << QStringLiteral("next write of %1 0x%2 spoiled")
                         .arg(spaceName(spoil->space))
                         .arg(spoil->address, 4, 16, QLatin1Char('0'));
        std::fprintf(stderr, "trv5200-sim: %s on %s (%s)\n", "TRV5200",
                     qPrintable(simulator.devicePath()),
                     qPrintable(notes.join(QStringLiteral(", "))));
        std::fflush(stderr);
    }

    const int status = app.exec();
    const bool hungUp = simulator.host().hasHungUp();
    simulator.stop();
    ::close(signalFd);
    if (!quiet)
        std::fprintf(stderr, "trv5200-sim: %s\n",
                     hungUp ? "line hung up by the hangup fault; stopped" : "stopped");
    return status;
}
