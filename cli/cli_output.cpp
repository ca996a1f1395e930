#include "cli/cli_context.h"
#include "cli/progress_bar.h"

#include <QJsonDocument>
#include <cstdio>

void printOut(const QString& text) {
    clearProgress();
    std::fputs(qUtf8Printable(text), stdout);
    std::fflush(stdout);
}

void printError(const QString& text) {
    clearProgress();
    std::fprintf(stderr, "trv5200-cli: %s\n", qUtf8Printable(text));
}

void printJson(const QJsonObject& object) {
    printOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

QJsonValue jsonValueOf(const QString& shown) {
    const QString text = shown.trimmed();
    if (text.isEmpty() || text == QStringLiteral("–"))
        return QJsonValue::Null;
    bool whole = false;
    const int number = text.toInt(&whole);
    if (whole)
        return number;
    return text;
}

QJsonValue controllerClockJson(const QDateTime& clock) {
    if (!clock.isValid())
        return QJsonValue::Null;
    return clock.date().toString(Qt::ISODate) + QLatin1Char('T') +
           clock.time().toString(Qt::ISODate);
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
    case LinkSession::Failure::Interrupted:
        return QStringLiteral("interrupted by Ctrl-C; nothing more was sent");
    case LinkSession::Failure::Corrupted:
        return QStringLiteral("the line corrupted the data: three reads gave three different "
                              "answers, so none of them counts (check the cable and its "
                              "screening)");
    case LinkSession::Failure::None:
        break;
    }
    return {};
}

int sayFailure(LinkSession::Failure failure, const QString& during) {
    if (failure == LinkSession::Failure::Interrupted) {
        printError(failureText(failure));
        return kExitInterrupted;
    }
    printError(failureText(failure) + during);
    return kExitLink;
}
