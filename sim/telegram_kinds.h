#pragma once
// Which of the PC's telegrams a received byte belongs to, so a fault can be placed in
// "byte 17 of the second RAM read" instead of at a global byte count that shifts whenever
// the PC's sequence changes.
//
// The PC sends no telegram boundaries, but its sequencer leaves marks the controller can
// see: every exchange begins with a synchronisation run of ten 0x00, so a request telegram
// is everything from the first byte after a run up to the next run. What it is follows
// from its first item: the hardware test (0x63), the block read (0x09) and the old
// generation's word read of RAM (0x01) from their command byte alone; the others from the
// memory and first address of their first item, complete at byte 2 on new hardware
// (command, address high, address low) and at byte 1 on old hardware.
//
// The identity and the parameter read begin with the same words (the identity read is
// the head of the parameter read), so their bytes cannot tell them apart. The PC reads the
// identity only right after the hardware test when it connects, so a parameter read that
// follows the hardware test is taken as the identity, and so is the one right after that
// identity: the PC confirms the identity by sending the same read again. A third read
// (when the first two answers differed) and a parameter read right after an identity
// read without confirmation count as parameter reads.
//
// A synchronisation byte is one the controller answered with the acknowledge (a 0x00 where
// it expected a command or a filler), not any 0x00: a zero inside a write item is a value.
// A run of more than ten starts a new synchronisation every ten bytes, so the ten zeros
// of the error recovery that follow an aborted synchronisation count as one of their own.
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

namespace trvsim {

enum class TelegramKind {
    Sync,             // synchronisation run (also the zeros of the error recovery)
    HardwareTest,     // 0x63 0x05
    Identity,         // the parameter read right after a hardware test
    RamRead,          // new: the block read; old: the word reads of RAM from 0x40
    ParameterRead,    // parameter memory from 0x100 (new) or 0xE0 (old)
    ParameterWrite,   // RAM writes from the request word (new 0x64, old 0x74)
    ClockWrite,       // RAM writes from 0xA8
    FaultMemoryRead,  // parameter memory from 0x80
    FaultMemoryClear, // parameter memory writes from 0x80
    CalibrationWrite, // parameter memory write of 0x48
    Other,            // anything else (the 0xAA tail of the error recovery, a stray byte)
};

inline constexpr int kTelegramKindCount = int(TelegramKind::Other) + 1;

// Command-line name of a kind ("sync", "ramread", …) and back.
QString telegramKindName(TelegramKind kind);
std::optional<TelegramKind> telegramKindNamed(const QString& name);
// The first byte of its telegrams at which a kind is known: 0 for the kinds known by
// their command byte, 2 for those known by their first address.
int firstKnownByte(TelegramKind kind);
// The names, for --help.
QString telegramKindsHelp();

// Where a received byte stands.
struct TelegramPlace {
    quint64 telegram = 0; // 1, 2, … counting every telegram since the tracker started
    int byte = 0;         // index of the byte within its telegram, 0 for the first
    // The telegram's kind, once its first item shows it; unknown before.
    std::optional<TelegramKind> kind;
    bool kindKnownNow = false; // this byte made the kind known
};

// Follows the PC's telegrams byte by byte. Pure: the host feeds it every received byte
// with whether the controller took it for a synchronisation byte.
class TelegramTracker {
public:
    TelegramPlace feed(quint8 received, bool synchronisation);
    // The PC opened or closed the port: the next byte begins a new telegram.
    void lineReset() { lineReset_ = true; }
    // Telegrams begun so far.
    quint64 telegrams() const { return telegram_; }

private:
    std::optional<TelegramKind> kindFromHeader() const;

    quint64 telegram_ = 0;
    int byte_ = 0;
    bool inSync_ = false;
    bool lineReset_ = true;
    std::optional<TelegramKind> kind_;
    std::optional<TelegramKind> lastRequest_; // the last telegram other than a synchronisation
    int identityReads_ = 0; // identity telegrams in a row (the first and its repeat)
    std::array<quint8, 3> header_{};
};

} // namespace trvsim
