#pragma once
// The parameter memory without the window: the read button's exchange, decoded by the same
// decoder, and the parameter set as the page's fields would show it (the form parameter
// files are written in).
#include "parameters/parameter_file.h"
#include "parameters/parameter_memory_read.h"
#include "parameters/parameter_set.h"
#include "session/identify.h"

struct ParameterReadResult {
    LinkSession::Failure failure = LinkSession::Failure::None;
    std::optional<ParameterRead> read;
};

// One parameter read of the identified controller (the read button's telegram).
ParameterReadResult readParameters(LinkSession& session, const ControllerIdentity& identity);

struct ParameterMemoryResult {
    LinkSession::Failure failure = LinkSession::Failure::None;
    std::optional<ParameterMemoryRead> read;
};

// What the controller keeps over a power cut, confirmed: its parameter memory (on old
// hardware with the RAM mirror beside it), for the read-back after a write and `compare`.
ParameterMemoryResult readParameterMemory(LinkSession& session, const ControllerIdentity& identity);

// The fields of the parameter page after that read: start frequency and burn-in in whole
// units, the profile times, the takts and their savings, the ramp times when the
// controller stores them (empty otherwise).
ParameterFileFields fieldsOf(const ParameterRead& read);
