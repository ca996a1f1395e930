#pragma once
// A complete simulated controller on a pseudo-terminal: the memory model of one
// generation behind the pseudo-terminal host. For the command line and for tests that
// talk to the controller the way the PC program does.
#include "sim/controller_model.h"
#include "sim/pty_host.h"

namespace trvsim {

class Simulator {
public:
    explicit Simulator(Generation generation = Generation::New, int revision = 14,
                       HostOptions options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    bool start(QString* error = nullptr);
    void stop();
    // The serial port the PC opens; empty before start().
    QString devicePath() const;

    ControllerModel& model() { return model_; }
    PtyHost& host() { return host_; }

private:
    ControllerModel model_; // declared first: the host answers from it until it stops
    PtyHost host_;
};

} // namespace trvsim
