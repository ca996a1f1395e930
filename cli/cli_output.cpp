#include "cli/cli_context.h"
#include "cli/progress_bar.h"

#include <QJsonDocument>
#include <cstdio>

namespace {

const LinkSession* described = nullptr;

QString hex(quint8 byte) {
    return QStringLiteral("0x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
}

// Which byte of what went wrong: "the controller did not answer byte 17 of the parameter
// read", "the controller answered 0x41 where 0xAA was due (byte 3 of the identity read)".
// Bytes count from 0, as the trace counts them.
QString transferDetail(const LinkSession::FailedTransfer& failed) {
    QString what = QStringLiteral("the ") +
                   (failed.exchange.isEmpty() ? QStringLiteral("exchange") : failed.exchange);
    if (failed.synchronisation)
        what = QStringLiteral("the synchronisation before %1").arg(what);
    const TransferRecord& r = failed.record;
    switch (r.outcome) {
    case TransferRecord::Outcome::AnswerMissing:
        return r.failPosition == 0
                   ? QStringLiteral("the controller did not answer byte 0 of %1 (no answer at all)")
                         .arg(what)
                   : QStringLiteral("the controller did not answer byte %1 of %2")
                         .arg(r.failPosition)
                         .arg(what);
    case TransferRecord::Outcome::WrongByte:
        return QStringLiteral("the controller answered %1 where %2 was due (byte %3 of %4)")
            .arg(hex(r.got), hex(r.expected))
            .arg(r.failPosition)
            .arg(what);
    case TransferRecord::Outcome::PortLost:
    case TransferRecord::Outcome::Sound:
        break;
    }
    return {};
}

} // namespace

void describeFailuresOf(const LinkSession* session) {
    described = session;
}

bool printOut(const QString& text) {
    clearProgress();
    std::fputs(qUtf8Printable(text), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
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
    const QString detail =
        described && described->lastFailed() ? transferDetail(*described->lastFailed()) : QString();
    const QString exchange = described ? described->lastExchange() : QString();
    switch (failure) {
    case LinkSession::Failure::Synchronisation:
        return QStringLiteral("no synchronisation with the controller%1 (check the cable, the "
                              "port and the controller's power)")
            .arg(detail.isEmpty() ? QString() : QStringLiteral(": ") + detail);
    case LinkSession::Failure::Answer:
        // A wrong answer byte and a missing one are different faults on the line: a
        // disturbed byte, or a controller (or adapter) that stopped answering.
        return detail.isEmpty() ? QStringLiteral("the controller's answer failed its check")
                                : detail;
    case LinkSession::Failure::PortLost:
        return QStringLiteral("the port was lost");
    case LinkSession::Failure::Interrupted:
        return QStringLiteral("interrupted by Ctrl-C; nothing more was sent");
    case LinkSession::Failure::Corrupted:
        return QStringLiteral("the line corrupted the data%1: three reads gave three different "
                              "answers, so none of them counts (check the cable and its "
                              "screening)")
            .arg(exchange.isEmpty() ? QString() : QStringLiteral(" of the ") + exchange);
    case LinkSession::Failure::None:
        break;
    }
    return {};
}

QString implausibleText(const QList<RangeViolation>& violations, const QString& read) {
    if (violations.isEmpty())
        return {};
    QStringList words;
    for (const RangeViolation& each : violations)
        words << QStringLiteral("%1 = %2").arg(each.source).arg(each.value);
    return QStringLiteral("the %1 brought %2 the controller cannot hold, not plausible: %3; "
                          "nothing of it is shown or saved (check the cable and its "
                          "screening, and read again)")
        .arg(read, violations.size() == 1 ? QStringLiteral("a value") : QStringLiteral("values"),
             words.join(QStringLiteral(", ")));
}

bool sayImplausible(const QList<RangeViolation>& violations, const QString& read) {
    if (violations.isEmpty())
        return false;
    printError(implausibleText(violations, read));
    return true;
}

bool sayImplausible(const std::vector<RangeViolation>& violations, const QString& read) {
    return sayImplausible(QList<RangeViolation>(violations.begin(), violations.end()), read);
}

QString impossiblePositionText(quint16 position) {
    return QStringLiteral("the fault-memory read brought a write position of %1, beyond the "
                          "ring, not plausible: no record of it is shown (check the cable and "
                          "its screening, and read again)")
        .arg(position);
}

int sayFailure(LinkSession::Failure failure, const QString& during) {
    if (failure == LinkSession::Failure::Interrupted) {
        printError(failureText(failure));
        return kExitInterrupted;
    }
    printError(failureText(failure) + during);
    return kExitLink;
}
