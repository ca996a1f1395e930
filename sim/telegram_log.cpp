#include "sim/telegram_log.h"

#include <QStringList>
#include <cstdio>

namespace trvsim {

namespace {

QString hex2(int value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString word(quint16 value) {
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

const QString kTimes = QStringLiteral("\u00D7");
const QString kArrow = QStringLiteral("\u2192");

} // namespace

QString spaceName(Space space) {
    return space == Space::Ram ? QStringLiteral("RAM") : QStringLiteral("PAR");
}

TelegramLog::TelegramLog(Sink sink) : sink_(std::move(sink)) {
    clock_.start();
}

void TelegramLog::event(const ProtocolEvent& event) {
    using Kind = ProtocolEvent::Kind;
    switch (event.kind) {
    case Kind::None:
        return;
    case Kind::Sync:
        if (gathering_ != Gathering::Sync)
            flush();
        gather(Gathering::Sync);
        ++count_;
        return;
    case Kind::Unknown:
        if (gathering_ != Gathering::Unknown || unknownByte_ != event.value)
            flush();
        gather(Gathering::Unknown);
        unknownByte_ = quint8(event.value);
        ++count_;
        return;
    case Kind::Read:
        if (gathering_ != Gathering::Read || readSpace_ != event.space)
            flush();
        gather(Gathering::Read);
        readSpace_ = event.space;
        lastValue_ = event.value;
        ++count_;
        if (!runs_.empty() && quint16(runs_.back().start + 2 * runs_.back().words) == event.address)
            ++runs_.back().words;
        else
            runs_.push_back({event.address, 1});
        return;
    case Kind::Write:
        note(QStringLiteral("WR %1 %2 = %3")
                 .arg(spaceName(event.space), word(event.address), word(event.value)));
        return;
    case Kind::BlockRead: {
        const QString size = event.length % 2 == 0
                                 ? kTimes + QString::number(event.length / 2)
                                 : QString::number(event.length) + QStringLiteral(" bytes");
        note(QStringLiteral("RD RAM %1 %2 block sum %3")
                 .arg(word(event.address), size, hex2(event.checksum)));
        return;
    }
    case Kind::HardwareTest:
        note(QStringLiteral("hw-test %1 %2").arg(kArrow, hex2(event.value)));
        return;
    }
}

void TelegramLog::gather(Gathering what) {
    if (gathering_ == Gathering::Nothing)
        gatherStartMs_ = clock_.elapsed();
    gathering_ = what;
}

void TelegramLog::note(const QString& line) {
    flush();
    write(line);
}

void TelegramLog::flush() {
    const qint64 at = gatherStartMs_;
    auto writeGathered = [&](const QString& line) { write(line, at); };
    switch (gathering_) {
    case Gathering::Nothing:
        return;
    case Gathering::Sync:
        writeGathered(QStringLiteral("sync %1%2")
                          .arg(count_)
                          .arg(kTimes + QStringLiteral("00") + kArrow + QStringLiteral("AA")));
        break;
    case Gathering::Unknown:
        writeGathered(QStringLiteral("echo %1%2%3").arg(count_).arg(kTimes, hex2(unknownByte_)));
        break;
    case Gathering::Read:
        if (count_ == 1) {
            writeGathered(
                QStringLiteral("RD %1 %2 = %3")
                    .arg(spaceName(readSpace_), word(runs_.front().start), word(lastValue_)));
        } else {
            QStringList parts;
            for (const Run& run : runs_)
                parts << (run.words == 1 ? word(run.start)
                                         : word(run.start) + QLatin1Char(' ') + kTimes +
                                               QString::number(run.words));
            writeGathered(QStringLiteral("RD %1 %2 words: %3")
                              .arg(spaceName(readSpace_))
                              .arg(count_)
                              .arg(parts.join(QStringLiteral(", "))));
        }
        break;
    }
    gathering_ = Gathering::Nothing;
    count_ = 0;
    runs_.clear();
}

void TelegramLog::write(const QString& line, qint64 atMs) {
    if (atMs < 0)
        atMs = clock_.elapsed();
    const QString stamped = QStringLiteral("%1 ").arg(atMs / 1000.0, 9, 'f', 3) + line;
    if (sink_) {
        sink_(stamped);
        return;
    }
    std::fprintf(stderr, "%s\n", stamped.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace trvsim
