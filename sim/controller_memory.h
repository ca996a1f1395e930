#pragma once
// What the simulator's byte protocol needs from a controller: its generation and its
// words, addressed as on the wire. Implementations lock internally: the pseudo-terminal
// host calls them from its own thread while tests set memory from theirs.
#include <QtGlobal>

namespace trvsim {

enum class Generation { New, Old };

// The two memories a telegram can address: RAM (kinds 1, 3, 9) and the parameter
// memory (kinds 2, 4).
enum class Space { Ram, Parameter };

class ControllerMemory {
public:
    virtual ~ControllerMemory() = default;
    virtual Generation generation() const = 0;
    // A word as the controller answers it at this moment. Reading may advance the
    // controller's running state to the present.
    virtual quint16 readWord(Space space, quint16 address) = 0;
    // A word written by the PC; may have side effects (the PC clock request).
    virtual void writeWord(Space space, quint16 address, quint16 value) = 0;
};

} // namespace trvsim
