#include "cli/cli_context.h"

#include <QJsonDocument>
#include <cstdio>

void printOut(const QString& text) {
    std::fputs(qUtf8Printable(text), stdout);
    std::fflush(stdout);
}

void printError(const QString& text) {
    std::fprintf(stderr, "trv5200-cli: %s\n", qUtf8Printable(text));
}

void printJson(const QJsonObject& object) {
    printOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

QString failureText(LinkSession::Failure failure) {
    switch (failure) {
    case LinkSession::Failure::Synchronisation:
        return QStringLiteral("no synchronisation with the controller (check the cable, the "
                              "port and the controller's power)");
    case LinkSession::Failure::Answer:
        return QStringLiteral("the controller's answer failed its check");
    case LinkSession::Failure::PortLost:
        return QStringLiteral("the port was lost");
    case LinkSession::Failure::None:
        break;
    }
    return {};
}
