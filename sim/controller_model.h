#pragma once
// A TRV5200 of either generation: RAM, parameter memory, identity, fault ring, clock and
// the running behaviour of a dimmer, as the PC sees them through the serial protocol.
#include "sim/controller_memory.h"

#include <QHash>
#include <QString>
#include <memory>
#include <mutex>

namespace trvsim {

class ControllerModel : public ControllerMemory {
public:
    explicit ControllerModel(Generation generation = Generation::New, int revision = 14);
    ~ControllerModel() override;

    Generation generation() const override;
    quint16 readWord(Space space, quint16 address) override;
    void writeWord(Space space, quint16 address, quint16 value) override;

    // Direct access without side effects and without advancing time, for tests and
    // set-up. poke() also stops the running behaviour from overwriting that word
    // until release() (so a test can pin a measured value).
    quint16 peek(Space space, quint16 address) const;
    void poke(Space space, quint16 address, quint16 value);
    void release(Space space, quint16 address);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace trvsim
