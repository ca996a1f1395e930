#include "sim/faults.h"

#include <QStringList>
#include <algorithm>

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

} // namespace

std::optional<Fault> parseFault(const QString& form, QString* error) {
    const QString invalid = QStringLiteral("invalid fault \"%1\": ").arg(form);
    const int at = form.lastIndexOf(QLatin1Char('@'));
    if (at < 0) {
        fail(error, invalid + QStringLiteral("expected KIND@N, e.g. drop@12"));
        return std::nullopt;
    }
    bool ok = false;
    const QString count = form.mid(at + 1);
    const qulonglong afterBytes = count.toULongLong(&ok);
    if (!ok || count.startsWith(QLatin1Char('+'))) {
        fail(error, invalid + QStringLiteral("N must be a byte count (0, 1, 2, ...)"));
        return std::nullopt;
    }

    QString name = form.left(at);
    int delayMs = 0;
    const int colon = name.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString delay = name.mid(colon + 1);
        name.truncate(colon);
        delayMs = delay.toInt(&ok);
        if (name != QLatin1String("late") || !ok || delayMs < 0 || delay.startsWith('+')) {
            fail(error, invalid + QStringLiteral("only late takes a delay: late:MS@N"));
            return std::nullopt;
        }
    } else if (name == QLatin1String("late")) {
        fail(error, invalid + QStringLiteral("late needs its delay: late:MS@N"));
        return std::nullopt;
    }

    const auto* entry = std::find_if(std::begin(kKindNames), std::end(kKindNames),
                                     [&](const KindName& k) { return name == k.name; });
    if (entry == std::end(kKindNames)) {
        fail(error, invalid + QStringLiteral("unknown kind \"%1\"").arg(name));
        return std::nullopt;
    }
    Fault fault;
    fault.kind = entry->kind;
    fault.afterBytes = afterBytes;
    fault.delayMs = delayMs;
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
    return QStringLiteral("%1@%2").arg(name).arg(fault.afterBytes);
}

QString faultFormsHelp() {
    return QStringLiteral(
        "Fault forms (N = number of bytes received from the PC before the byte whose\n"
        "answer is hit; drop@0 hits the answer to the very first byte):\n"
        "  drop@N       the answer is not sent: the PC's read times out\n"
        "  corrupt@N    the answer is sent with every bit inverted (XOR 0xFF)\n"
        "  late:MS@N    the answer is sent MS milliseconds after the byte arrived;\n"
        "               the PC gives up on a byte after about 31 ms\n"
        "  extra@N      one surplus byte 0xFF follows the answer\n"
        "  silent@N     no answer from that byte on\n"
        "  badsum@N     the first block-read checksum from that byte on is wrong\n"
        "  hangup@N     the simulator closes the line at that byte: the port vanishes\n"
        "               for the PC and the simulator ends\n"
        "Each fault fires once; --fault may be given several times.");
}

void FaultInjector::arm(const Fault& fault) {
    std::lock_guard lock(mutex_);
    armed_.push_back({fault, count_ + fault.afterBytes});
}

void FaultInjector::clear() {
    std::lock_guard lock(mutex_);
    armed_.clear();
    silent_ = false;
}

void FaultInjector::restartCount() {
    std::lock_guard lock(mutex_);
    count_ = 0;
}

quint64 FaultInjector::count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

FaultAction FaultInjector::take(bool checksumPosition) {
    FaultAction action;
    std::lock_guard lock(mutex_);
    const quint64 byteIndex = count_++;
    auto fires = [&](const Armed& a) {
        if (byteIndex < a.at)
            return false;
        return a.fault.kind != Fault::Kind::BadChecksum || checksumPosition;
    };
    for (auto it = armed_.begin(); it != armed_.end();) {
        if (!fires(*it)) {
            ++it;
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
        it = armed_.erase(it);
    }
    action.silent = silent_;
    return action;
}

} // namespace trvsim
