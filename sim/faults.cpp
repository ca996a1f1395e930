#include "sim/faults.h"

#include <QStringList>
#include <algorithm>
#include <climits>
#include <iterator>

namespace trvsim {

namespace {

struct KindName {
    Fault::Kind kind;
    const char* name;
};

constexpr KindName kKindNames[] = {
    {Fault::Kind::DropByte, "drop"}, {Fault::Kind::CorruptByte, "corrupt"},
    {Fault::Kind::Late, "late"},     {Fault::Kind::ExtraByte, "extra"},
    {Fault::Kind::Silent, "silent"}, {Fault::Kind::BadChecksum, "badsum"},
    {Fault::Kind::HangUp, "hangup"},
};

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

// No telegram of the PC is longer than the link's buffer.
constexpr int kLastByte = 1024;

QString telegramNames() {
    QStringList names;
    for (int k = 0; k < kTelegramKindCount; ++k)
        if (const auto kind = TelegramKind(k); kind != TelegramKind::Other)
            names << telegramKindName(kind);
    return names.join(QStringLiteral(", "));
}

} // namespace

std::optional<Fault> parseFault(const QString& form, QString* error) {
    const QString invalid = QStringLiteral("invalid fault \"%1\": ").arg(form);
    const auto refuse = [&](const QString& why) {
        fail(error, invalid + why);
        return std::nullopt;
    };
    const int at = form.indexOf(QLatin1Char('@'));
    if (at < 0)
        return refuse(QStringLiteral("expected KIND@N or KIND@TELEGRAM:NTH:BYTE, e.g. drop@12 "
                                     "or drop@ramread:2:17"));
    // A plain count: digits only, no sign, no spaces.
    const auto count = [](const QString& text) -> std::optional<qulonglong> {
        bool ok = false;
        const qulonglong value = text.toULongLong(&ok);
        if (!ok || text.isEmpty() || !text.front().isDigit())
            return std::nullopt;
        return value;
    };

    QString name = form.left(at);
    int delayMs = 0;
    const int colon = name.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const std::optional<qulonglong> delay = count(name.mid(colon + 1));
        name.truncate(colon);
        if (name != QLatin1String("late") || !delay || *delay > qulonglong(INT_MAX))
            return refuse(QStringLiteral("only late takes a delay: late:MS@N"));
        delayMs = int(*delay);
    } else if (name == QLatin1String("late")) {
        return refuse(QStringLiteral("late needs its delay: late:MS@N"));
    }
    const auto* entry = std::find_if(std::begin(kKindNames), std::end(kKindNames),
                                     [&](const KindName& k) { return name == k.name; });
    if (entry == std::end(kKindNames))
        return refuse(QStringLiteral("unknown kind \"%1\"").arg(name));
    Fault fault;
    fault.kind = entry->kind;
    fault.delayMs = delayMs;

    const QStringList place = form.mid(at + 1).split(QLatin1Char(':'));
    if (place.size() == 1) {
        const std::optional<qulonglong> afterBytes = count(place[0]);
        if (!afterBytes)
            return refuse(QStringLiteral("N must be a byte count (0, 1, 2, ...)"));
        fault.afterBytes = *afterBytes;
        return fault;
    }

    const std::optional<TelegramKind> telegram = telegramKindNamed(place[0]);
    if (!telegram)
        return refuse(
            QStringLiteral("unknown telegram \"%1\"; one of: %2").arg(place[0], telegramNames()));
    const bool checksum = fault.kind == Fault::Kind::BadChecksum;
    if (checksum && place.size() != 2)
        return refuse(QStringLiteral("badsum hits the checksum of its telegram: "
                                     "badsum@TELEGRAM:NTH"));
    if (!checksum && place.size() != 3)
        return refuse(QStringLiteral("expected KIND@TELEGRAM:NTH:BYTE, e.g. drop@ramread:2:17"));
    const std::optional<qulonglong> nth = count(place[1]);
    if (!nth || *nth == 0)
        return refuse(QStringLiteral("NTH counts the telegrams from 1"));
    fault.telegram = *telegram;
    fault.nth = *nth;
    if (checksum)
        return fault;
    const std::optional<qulonglong> byte = count(place[2]);
    const int first = firstKnownByte(*telegram);
    if (!byte || *byte > qulonglong(kLastByte))
        return refuse(QStringLiteral("BYTE must be a byte of the telegram (0, 1, 2, ...)"));
    if (int(*byte) < first)
        return refuse(QStringLiteral("%1 is known by its first address: BYTE must be %2 or more")
                          .arg(place[0])
                          .arg(first));
    fault.byte = int(*byte);
    return fault;
}

QString faultForm(const Fault& fault) {
    QString name;
    for (const KindName& k : kKindNames) {
        if (k.kind == fault.kind)
            name = QLatin1String(k.name);
    }
    if (fault.kind == Fault::Kind::Late)
        name += QStringLiteral(":%1").arg(fault.delayMs);
    if (!fault.telegram)
        return QStringLiteral("%1@%2").arg(name).arg(fault.afterBytes);
    const QString place =
        QStringLiteral("%1:%2").arg(telegramKindName(*fault.telegram)).arg(fault.nth);
    if (fault.kind == Fault::Kind::BadChecksum)
        return QStringLiteral("%1@%2").arg(name, place);
    return QStringLiteral("%1@%2:%3").arg(name, place).arg(fault.byte);
}

QString faultFormsHelp() {
    return QStringLiteral(
               "Fault forms. KIND@N: N = number of bytes received from the PC before the byte\n"
               "whose answer is hit (drop@0 hits the answer to the very first byte).\n"
               "KIND@TELEGRAM:NTH:BYTE: byte BYTE (0 = the first) of the NTH telegram of that\n"
               "kind (1 = the first) that begins once the simulator runs, e.g.\n"
               "drop@ramread:2:17 drops the answer to byte 17 of the second RAM read.\n"
               "  drop         the answer is not sent: the PC's read times out\n"
               "  corrupt      the answer is sent with every bit inverted (XOR 0xFF)\n"
               "  late:MS      the answer is sent MS milliseconds after the byte arrived;\n"
               "               the PC gives up on a byte after about 31 ms\n"
               "  extra        one surplus byte 0xFF follows the answer\n"
               "  silent       no answer from that byte on\n"
               "  badsum       the first block-read checksum from that byte on is wrong;\n"
               "               badsum@ramread:NTH: the checksum of that RAM read\n"
               "  hangup       the simulator closes the line at that byte: the port vanishes\n"
               "               for the PC and the simulator ends\n"
               "Telegrams (a telegram runs from the end of a synchronisation run to the next;\n"
               "its kind shows by its first item, by the first address from BYTE 2 on for\n"
               "identity, parread, parwrite, clock, errread, errclear and calib):\n") +
           telegramKindsHelp() +
           QStringLiteral("\nEach fault fires once; --fault may be given several times.");
}

void FaultInjector::arm(const Fault& fault) {
    std::lock_guard lock(mutex_);
    Armed armed{fault};
    armed.at = count_ + fault.afterBytes;
    armed.telegramsSeen = telegrams_.telegrams();
    armed.toCount = fault.nth;
    armed_.push_back(armed);
}

void FaultInjector::clear() {
    std::lock_guard lock(mutex_);
    armed_.clear();
    silent_ = false;
}

void FaultInjector::restartCount() {
    std::lock_guard lock(mutex_);
    count_ = 0;
    // A new line: telegram faults count from its first telegram.
    telegrams_ = TelegramTracker();
    for (Armed& armed : armed_) {
        armed.telegramsSeen = 0;
        armed.toCount = armed.fault.nth;
        armed.target = 0;
    }
}

quint64 FaultInjector::count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

quint64 FaultInjector::firedCount() const {
    std::lock_guard lock(mutex_);
    return fired_;
}

void FaultInjector::lineReset() {
    std::lock_guard lock(mutex_);
    telegrams_.lineReset();
}

bool FaultInjector::fires(Armed& armed, const TelegramPlace& place, quint64 byteIndex,
                          bool checksumPosition, bool* lapsed) {
    const Fault& fault = armed.fault;
    const bool checksum = fault.kind == Fault::Kind::BadChecksum;
    if (!fault.telegram) {
        if (byteIndex < armed.at)
            return false;
        return !checksum || checksumPosition;
    }
    if (armed.target == 0) {
        if (!place.kindKnownNow || place.kind != fault.telegram ||
            place.telegram <= armed.telegramsSeen || --armed.toCount > 0)
            return false;
        armed.target = place.telegram;
    }
    if (place.telegram != armed.target) {
        *lapsed = true; // its telegram ended before the byte came
        return false;
    }
    if (checksum)
        return checksumPosition;
    if (place.byte == fault.byte)
        return true;
    *lapsed = place.byte > fault.byte;
    return false;
}

FaultAction FaultInjector::take(quint8 received, bool synchronisation, bool checksumPosition) {
    FaultAction action;
    std::lock_guard lock(mutex_);
    const quint64 byteIndex = count_++;
    const TelegramPlace place = telegrams_.feed(received, synchronisation);
    for (auto it = armed_.begin(); it != armed_.end();) {
        bool lapsed = false;
        if (!fires(*it, place, byteIndex, checksumPosition, &lapsed)) {
            if (lapsed) {
                action.lapsed.push_back(it->fault);
                it = armed_.erase(it);
            } else {
                ++it;
            }
            continue;
        }
        const Fault& fault = it->fault;
        switch (fault.kind) {
        case Fault::Kind::DropByte:
            action.drop = true;
            break;
        case Fault::Kind::CorruptByte:
            action.corrupt = true;
            break;
        case Fault::Kind::Late:
            action.delayMs = std::max(action.delayMs, fault.delayMs);
            break;
        case Fault::Kind::ExtraByte:
            action.extra = fault.extraByte;
            break;
        case Fault::Kind::Silent:
            silent_ = true;
            break;
        case Fault::Kind::BadChecksum:
            action.badChecksum = true;
            break;
        case Fault::Kind::HangUp:
            action.hangUp = true;
            break;
        }
        action.fired.push_back(fault);
        ++fired_;
        it = armed_.erase(it);
    }
    action.silent = silent_;
    return action;
}

} // namespace trvsim
