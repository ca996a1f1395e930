#include "sim/telegram_kinds.h"

#include "sim/command_codes.h"

#include <QStringList>
#include <algorithm>
#include <iterator>

namespace trvsim {

namespace {

// The PC's synchronisation telegram.
constexpr int kSyncRun = 10;

struct KindName {
    TelegramKind kind;
    const char* name;
    const char* what;
};

constexpr KindName kKindNames[] = {
    {TelegramKind::Sync, "sync", "synchronisation run of ten 0x00 (also the error recovery's)"},
    {TelegramKind::HardwareTest, "hwtest", "hardware test 63 05"},
    {TelegramKind::Identity, "identity", "identity read (the parameter read after a hwtest)"},
    {TelegramKind::RamRead, "ramread", "live RAM read (new: block read; old: 31 word reads)"},
    {TelegramKind::ParameterRead, "parread", "parameter read"},
    {TelegramKind::ParameterWrite, "parwrite", "parameter write"},
    {TelegramKind::ClockWrite, "clock", "clock write"},
    {TelegramKind::FaultMemoryRead, "errread", "fault memory read"},
    {TelegramKind::FaultMemoryClear, "errclear", "fault memory clear"},
    {TelegramKind::CalibrationWrite, "calib", "calibration write"},
};

constexpr quint8 kHardwareTest = 0x63;

// Which request telegram a first item of this command and address begins. The identity
// and the parameter read share their first address: feed() tells them apart.
std::optional<TelegramKind> kindOfFirstItem(bool parameterRead, bool ramWrite, bool parameterWrite,
                                            quint16 address, quint16 identityAddress,
                                            quint16 requestWord) {
    if (parameterRead && address == identityAddress)
        return TelegramKind::ParameterRead; // or the identity: see feed()
    if (parameterRead && address == 0x80)
        return TelegramKind::FaultMemoryRead;
    if (ramWrite && address == requestWord)
        return TelegramKind::ParameterWrite;
    if (ramWrite && address == 0xA8)
        return TelegramKind::ClockWrite;
    if (parameterWrite && address == 0x80)
        return TelegramKind::FaultMemoryClear;
    if (parameterWrite && address == 0x48)
        return TelegramKind::CalibrationWrite;
    return TelegramKind::Other;
}

} // namespace

QString telegramKindName(TelegramKind kind) {
    for (const KindName& k : kKindNames)
        if (k.kind == kind)
            return QLatin1String(k.name);
    return QStringLiteral("other");
}

std::optional<TelegramKind> telegramKindNamed(const QString& name) {
    const auto* entry = std::find_if(std::begin(kKindNames), std::end(kKindNames),
                                     [&](const KindName& k) { return name == k.name; });
    if (entry == std::end(kKindNames))
        return std::nullopt;
    return entry->kind;
}

int firstKnownByte(TelegramKind kind) {
    switch (kind) {
    case TelegramKind::Sync:
    case TelegramKind::HardwareTest:
    case TelegramKind::RamRead:
    case TelegramKind::Other:
        return 0;
    default:
        return 2;
    }
}

QString telegramKindsHelp() {
    QStringList lines;
    for (const KindName& k : kKindNames)
        lines
            << QStringLiteral("  %1%2").arg(QLatin1String(k.name), -10).arg(QLatin1String(k.what));
    return lines.join(QLatin1Char('\n'));
}

TelegramPlace TelegramTracker::feed(quint8 received, bool synchronisation) {
    bool begins = lineReset_;
    if (!begins)
        begins = synchronisation ? (!inSync_ || byte_ + 1 >= kSyncRun) : inSync_;
    lineReset_ = false;

    TelegramPlace place;
    if (begins) {
        ++telegram_;
        byte_ = 0;
        inSync_ = synchronisation;
        kind_.reset();
        if (synchronisation) {
            kind_ = TelegramKind::Sync;
            place.kindKnownNow = true;
        }
    } else {
        ++byte_;
    }
    if (!inSync_ && byte_ < int(header_.size()))
        header_[std::size_t(byte_)] = received;
    if (!kind_) {
        kind_ = kindFromHeader();
        if (kind_) {
            place.kindKnownNow = true;
            // The identity follows the hardware test; the PC confirms a read by sending it
            // once more right away, so the parameter read after an identity is its
            // second read.
            const bool identity = *kind_ == TelegramKind::ParameterRead &&
                                  (lastRequest_ == TelegramKind::HardwareTest ||
                                   (lastRequest_ == TelegramKind::Identity && identityReads_ < 2));
            if (identity) {
                kind_ = TelegramKind::Identity;
                identityReads_ = lastRequest_ == TelegramKind::Identity ? identityReads_ + 1 : 1;
            }
            lastRequest_ = kind_;
        }
    }
    place.telegram = telegram_;
    place.byte = byte_;
    place.kind = kind_;
    return place;
}

std::optional<TelegramKind> TelegramTracker::kindFromHeader() const {
    const quint8 command = header_[0];
    switch (command) {
    case kHardwareTest:
        return TelegramKind::HardwareTest;
    case kNewBlockRead:
    case kOldRamRead: // only the live reading begins with a word read of RAM
        return TelegramKind::RamRead;
    case kOldParRead:
    case kOldRamWrite:
    case kOldParWrite:
        if (byte_ < 1)
            return std::nullopt;
        return kindOfFirstItem(command == kOldParRead, command == kOldRamWrite,
                               command == kOldParWrite, header_[1], 0xE0, 0x74);
    case kNewRamRead:
    case kNewParRead:
    case kNewRamWrite:
    case kNewParWrite:
        if (byte_ < 2)
            return std::nullopt;
        return kindOfFirstItem(command == kNewParRead, command == kNewRamWrite,
                               command == kNewParWrite, quint16(header_[1] << 8 | header_[2]),
                               0x100, 0x64);
    default:
        return TelegramKind::Other;
    }
}

} // namespace trvsim
