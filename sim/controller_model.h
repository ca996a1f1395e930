#pragma once
// A TRV5200 of either generation: RAM, parameter memory, identity, fault ring, clock and
// the running behaviour of a dimmer, as the PC sees them through the serial protocol.
//
// The controller runs on a simulated time line. It follows the host's monotonic clock
// (optionally sped up) and is brought up to date lazily, whenever the PC reads or writes
// a word; there is no thread of its own. Measured values are refreshed once per 100 ms
// controller cycle, so two reads within one cycle see the same words.
#include "sim/controller_memory.h"

#include <QDateTime>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>

namespace trvsim {

class ControllerModel : public ControllerMemory {
public:
    // revision: the hardware revision an old controller reports in its version text
    // (new controllers ignore it). The controller is switched on at construction: it
    // starts, runs up and is in normal operation after four seconds. Its clock starts at
    // the host's local time.
    explicit ControllerModel(Generation generation = Generation::New, int revision = 14);
    ~ControllerModel() override;

    Generation generation() const override;
    quint16 readWord(Space space, quint16 address) override;
    // Stores the word. Writing 1 to the PC request word (RAM 0x64, old hardware 0x74)
    // sets the controller clock from the four PC clock registers at RAM 0xA8..0xAE.
    void writeWord(Space space, quint16 address, quint16 value) override;

    // Direct access without side effects and without advancing time, for tests and
    // set-up. poke() also stops the running behaviour from overwriting that word
    // until release() (so a test can pin a measured value).
    quint16 peek(Space space, quint16 address) const;
    void poke(Space space, quint16 address, quint16 value);
    void release(Space space, quint16 address);

    // A worn memory cell: the next write of this word by the PC stores `value` instead of
    // what was sent (nullopt: what was sent with its lowest bit flipped), once. The echo and
    // the acknowledge are as always, so only reading the word back shows it. Replaces a
    // spoil still waiting.
    void spoilNextWrite(Space space, quint16 address, std::optional<quint16> value = std::nullopt);

    // Time line. While frozen the host clock no longer moves the controller: reads and
    // writes change nothing but what they write, and only advance() moves time on. A test
    // freezes right after construction and drives the controller with advance().
    void setFrozen(bool frozen);
    bool isFrozen() const;
    // Moves the controller's time on by this much and runs it up to there, frozen or not.
    void advance(std::chrono::milliseconds duration);
    // Speed of the time line against the host clock (1 = real time; 60 lets a demo watch a
    // night go by in a few minutes). Values at or below 0 are taken as 1.
    void setTimeScale(double scale);
    // Seed of the measurement noise; the same seed and the same time line give the same
    // words. The default seed is fixed.
    void setSeed(quint32 seed);
    // Switches the controller off and on: RAM working copies are reloaded from the
    // parameter memory and the start sequence runs again. Counters, clock and heat-sink
    // temperatures carry on.
    void powerCycle();

    // The controller clock (standard time, as the PC sets it), brought up to date. The
    // date and time fields are those of the clock registers; seconds are whole.
    QDateTime clock() const;
    void setClock(const QDateTime& time);

    // Records a fault in the ring in parameter memory as the firmware does: at the write
    // position (starting over at record 0 after the sixteenth), stamped with the
    // controller clock, then the position moves on by one record.
    void recordFault(quint16 faultBits);

    // Service states, for trying the PC program's refusals. The start sequence runs as
    // always; after the run-up the controller takes this state in place of normal
    // operation, at once when it is past the run-up (Normal: its own normal operation
    // again). In power reduction the lamps run on and the mains power-reduction flag is
    // up; error and standby switch the output off, and error lights the fault lamp. Old
    // controllers know no standby (their states end at 5): refused, false.
    enum class OperatingState { Normal, PowerReduction, Error, Standby };
    bool setOperatingState(OperatingState state);

    // Holds the lamps at this frequency whatever the start, the burn-in and the night
    // programme ask for (within the takt range of the generation: the old one drives only
    // even takts of 100..200); nullopt lets them follow again.
    void forceLampFrequency(std::optional<double> hz);

    // The burn-in after a switch-on lasts this long instead of the burn-in time in the
    // parameter memory (which the controller still reports); 0 s: the lamps count as burnt
    // in, normal operation follows the run-up. nullopt uses the parameter again.
    void setBurnInOverride(std::optional<std::chrono::seconds> duration);

    // A fault happens: recorded in the ring as recordFault() does, and shown in the live
    // fault bits with the fault lamp for `active` of controller time.
    void raiseFault(quint16 faultBits, std::chrono::milliseconds active);
    // From now on a fault happens every `interval` of controller time, the kinds in turn
    // (undervoltage, start fault, over-temperature of heat sink 1, DC-link overvoltage),
    // each active for kFaultActive; 0 stops it.
    void setFaultInterval(std::chrono::seconds interval);
    static constexpr std::chrono::seconds kFaultActive{10};

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace trvsim
