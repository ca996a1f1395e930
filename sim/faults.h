#pragma once
// Line and controller faults the simulator can inject into its answers, to exercise the
// PC's answer check, its read time-out and its handling of a vanished port. A fault is
// placed either by a count of received bytes or in one of the PC's telegrams ("byte 17 of
// the second RAM read"), which stays put when the PC's sequence changes.
#include "sim/telegram_kinds.h"

#include <QString>
#include <QtGlobal>
#include <mutex>
#include <optional>
#include <vector>

namespace trvsim {

struct Fault {
    enum class Kind {
        DropByte,    // one answer is never sent
        CorruptByte, // one answer is sent XOR 0xFF
        Late,        // one answer is sent delayMs after its byte arrived
        ExtraByte,   // one more byte (extraByte) follows an answer
        Silent,      // no answers from then on, until the faults are cleared
        BadChecksum, // the next block-read checksum is answered one too high
        HangUp,      // the controller side closes: the port vanishes for the PC
    };

    Kind kind = Kind::DropByte;
    // The fault applies to the answer of the byte received this many bytes after arming
    // (0 = the next byte). BadChecksum waits for the first checksum at or after it.
    quint64 afterBytes = 0;
    int delayMs = 0;         // Late only
    quint8 extraByte = 0xFF; // ExtraByte only
    // Placed in a telegram instead: byte `byte` (0 = its first) of the `nth` telegram of
    // this kind that begins after arming; BadChecksum hits that telegram's checksum. A
    // fault whose byte does not come in its telegram lapses when the byte has passed.
    std::optional<TelegramKind> telegram = std::nullopt;
    quint64 nth = 1;
    int byte = 0;

    // The same fault placed in a telegram.
    Fault in(TelegramKind kind, quint64 nthTelegram = 1, int atByte = 0) const {
        Fault placed = *this;
        placed.telegram = kind;
        placed.nth = nthTelegram;
        placed.byte = atByte;
        return placed;
    }

    static Fault drop(quint64 afterBytes = 0) { return {Kind::DropByte, afterBytes}; }
    static Fault corrupt(quint64 afterBytes = 0) { return {Kind::CorruptByte, afterBytes}; }
    static Fault late(int delayMs, quint64 afterBytes = 0) {
        return {Kind::Late, afterBytes, delayMs};
    }
    static Fault extra(quint64 afterBytes = 0) { return {Kind::ExtraByte, afterBytes}; }
    static Fault silent(quint64 afterBytes = 0) { return {Kind::Silent, afterBytes}; }
    static Fault badChecksum(quint64 afterBytes = 0) { return {Kind::BadChecksum, afterBytes}; }
    static Fault hangUp(quint64 afterBytes = 0) { return {Kind::HangUp, afterBytes}; }
};

// Command-line form of a fault: KIND@N, N counting the bytes received after arming, or
// KIND@TELEGRAM:NTH:BYTE, byte BYTE of the NTH telegram of that kind (badsum@TELEGRAM:NTH:
// its checksum). KIND is drop, corrupt, late:MS, extra, silent, badsum or hangup.
std::optional<Fault> parseFault(const QString& form, QString* error = nullptr);
QString faultForm(const Fault& fault);
// The forms above, explained for --help.
QString faultFormsHelp();

// What the faults do to the answer of one received byte.
struct FaultAction {
    bool drop = false;
    bool corrupt = false;
    bool badChecksum = false;
    bool silent = false; // a Silent fault fired now or earlier
    bool hangUp = false;
    int delayMs = -1; // >= 0: send the answer this long after the byte arrived
    std::optional<quint8> extra;
    std::vector<Fault> fired;  // the faults that fired on this byte, for the log
    std::vector<Fault> lapsed; // telegram faults whose byte has passed unseen
};

// The armed faults of a host. Arming and clearing may come from any thread; take() is
// called by the host for every received byte, in order. The injector counts the bytes
// itself, under the same lock as arming, so a fault armed for "the next byte" can never
// slip past a byte being handled at that moment.
class FaultInjector {
public:
    void arm(const Fault& fault);
    // Drops every armed fault and ends a silence.
    void clear();
    // Starts the byte count again from 0 (a new line); armed faults stay.
    void restartCount();
    // Bytes taken since the count started.
    quint64 count() const;
    // Faults that have fired since the injector was made.
    quint64 firedCount() const;
    // The PC opened or closed the port: the next byte begins a new telegram.
    void lineReset();
    // Called for every received byte, in order: whether the controller answered it as a
    // synchronisation byte and whether its answer is a block-read checksum.
    FaultAction take(quint8 received, bool synchronisation, bool checksumPosition);

private:
    struct Armed {
        Fault fault;
        quint64 at = 0;            // placed by byte count: the byte it hits
        quint64 telegramsSeen = 0; // placed in a telegram: telegrams begun before arming
        quint64 toCount = 0;       // telegrams of its kind still to begin
        quint64 target = 0;        // the telegram it hits, once it has begun
    };
    // Whether the fault hits this byte; counts the telegrams of its kind on the way, and
    // sets *lapsed when it can no longer hit any.
    static bool fires(Armed& armed, const TelegramPlace& place, quint64 byteIndex,
                      bool checksumPosition, bool* lapsed);

    mutable std::mutex mutex_;
    std::vector<Armed> armed_;
    TelegramTracker telegrams_;
    quint64 count_ = 0;
    quint64 fired_ = 0;
    bool silent_ = false;
};

} // namespace trvsim
