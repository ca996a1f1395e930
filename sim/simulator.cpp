#include "sim/simulator.h"

namespace trvsim {

Simulator::Simulator(Generation generation, int revision, HostOptions options)
    : model_(generation, revision), host_(model_, std::move(options)) {}

Simulator::~Simulator() {
    host_.stop();
}

bool Simulator::start(QString* error) {
    return host_.start(error);
}

void Simulator::stop() {
    host_.stop();
}

QString Simulator::devicePath() const {
    return host_.devicePath();
}

} // namespace trvsim
