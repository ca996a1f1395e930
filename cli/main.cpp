// trv5200-cli: the service jobs of the window from one command line, for a batch of
// controllers. Built on the same core as the window: the same link, telegrams, decoders
// and checks; no widgets.
#include "base/ini_file.h"
#include "base/settings_location.h"
#include "cli/exit_codes.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "session/identify.h"
#include "session/link_session.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

const char* const kHelpTail = R"(
Commands:
  identify            the controller's generation and identity

Exit codes:
  0  sound
  2  usage: unknown command or option, missing argument
  3  the port could not be opened
  4  the controller did not answer soundly, or the port was lost
  5  refused input (a file, a value or a password the window refuses)
  6  written, but the read-back differs from what was written
  130  interrupted by Ctrl-C between exchanges

)";

// The link's warnings (a pseudo-terminal without DTR/RTS, say) are for the window's log,
// not for the technician's terminal or a script reading the output.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "trv5200-cli: %s\n", qUtf8Printable(message));
}

void printOut(const QString& text) {
    std::fputs(qUtf8Printable(text), stdout);
    std::fflush(stdout);
}

void printError(const QString& text) {
    std::fprintf(stderr, "trv5200-cli: %s\n", qUtf8Printable(text));
}

QString failureText(LinkSession::Failure failure) {
    switch (failure) {
    case LinkSession::Failure::Synchronisation:
        return QStringLiteral("no synchronisation with the controller");
    case LinkSession::Failure::Answer:
        return QStringLiteral("the controller's answer failed its check");
    case LinkSession::Failure::PortLost:
        return QStringLiteral("the port was lost");
    case LinkSession::Failure::None:
        break;
    }
    return {};
}

QJsonObject identityJson(const ControllerIdentity& id) {
    QJsonObject o{{"generation", id.hwOld ? "old" : "new"},
                  {"version", id.versionText},
                  {"calibration_value", id.kal_value230},
                  {"uac_start_raw", id.uac_start_int},
                  {"uac_nominal_raw", id.uac_nenn_int}};
    if (id.hwOld) {
        o.insert("revision", id.revision);
    } else {
        o.insert("product_code", id.productCode);
        o.insert("description", id.description);
        o.insert("software_date", id.softwareDate);
        o.insert("revision", id.revisionString);
        o.insert("device_number", id.deviceNumber);
    }
    return o;
}

QString identityText(const ControllerIdentity& id) {
    QString text = QStringLiteral("generation: %1\nversion: %2\n")
                       .arg(id.hwOld ? QStringLiteral("old") : QStringLiteral("new"),
                            id.versionText.trimmed());
    if (id.hwOld) {
        text += QStringLiteral("revision: %1\n").arg(id.revision);
    } else {
        text += QStringLiteral("product code: %1\ndescription: %2\nsoftware date: %3\n"
                               "revision: %4\n")
                    .arg(id.productCode.trimmed(), id.description.trimmed(),
                         id.softwareDate.trimmed(), id.revisionString);
    }
    text += QStringLiteral("calibration value: %1\n").arg(id.kal_value230);
    return text;
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
        QStringLiteral("Service jobs on a TRV5200 dimmer controller from the command line."));
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
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("identify"));

    QStringList arguments = app.arguments();
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        printOut(parser.helpText() + QString::fromUtf8(kHelpTail));
        return kExitSound;
    }
    if (!parser.parse(arguments)) {
        printError(parser.errorText());
        return kExitUsage;
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
    const QString command = positional.constFirst();
    if (command != QLatin1String("identify")) {
        printError(QStringLiteral("unknown command \"%1\" (try --help)").arg(command));
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

    LinkSession session;
    QString error;
    if (!session.open(parser.value(portOption), &error)) {
        printError(error);
        return kExitPort;
    }
    const IdentifyResult result = identifyController(session);
    if (!result.identity) {
        printError(failureText(result.failure));
        return kExitLink;
    }
    const bool json = parser.isSet(jsonOption);
    printOut(json ? QString::fromUtf8(QJsonDocument(identityJson(*result.identity)).toJson())
                  : identityText(*result.identity));
    return kExitSound;
}
