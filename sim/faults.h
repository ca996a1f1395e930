#pragma once
// Line and controller faults the simulator can inject into its answers, to exercise the
// PC's answer check, its read time-out and its handling of a vanished port.
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

// Command-line form of a fault: drop@N, corrupt@N, late:MS@N, extra@N, silent@N, badsum@N,
// hangup@N, N counting the bytes received after arming.
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
    std::vector<Fault> fired; // the faults that fired on this byte, for the log
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
    // Called for every received byte; checksumPosition tells whether its answer is a
    // block-read checksum.
    FaultAction take(bool checksumPosition);

private:
    struct Armed {
        Fault fault;
        quint64 at;
    };
    mutable std::mutex mutex_;
    std::vector<Armed> armed_;
    quint64 count_ = 0;
    bool silent_ = false;
};

} // namespace trvsim
