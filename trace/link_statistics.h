#pragma once
// Figures of the link since the program started: transfers, bytes, errors by kind, the
// live cycle (the time from one sound RAM read to the next) and the last error.
#include "trace/trace_entry.h"

#include <optional>

struct LinkStatistics {
    quint64 transfers = 0;
    quint64 bytes = 0;
    quint64 noAnswer = 0;      // no answer byte at all
    quint64 answerStopped = 0; // the answer stopped at a byte after the first
    quint64 wrongBytes = 0;
    quint64 portLost = 0;
    // Live cycle, ms: from the start of a sound RAM read to the start of the next one,
    // while no failed transfer and no new connection (a hardware test) came between.
    quint64 cycles = 0;
    double lastCycleMs = 0;
    double meanCycleMs = 0;
    double maxCycleMs = 0;
    std::optional<TraceEntry> lastError; // the record without its buffers

    quint64 errors() const { return noAnswer + answerStopped + wrongBytes + portLost; }
    void add(const TraceEntry& entry);

private:
    std::optional<qint64> lastRamReadNs_; // start of the last sound RAM read of the chain
    double cycleSumMs_ = 0;
};
