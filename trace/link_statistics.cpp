#include "trace/link_statistics.h"

#include <algorithm>

void LinkStatistics::add(const TraceEntry& entry) {
    const TransferRecord& r = entry.record;
    ++transfers;
    bytes += r.count;
    switch (r.outcome) {
    case TransferRecord::Outcome::Sound:
        break;
    case TransferRecord::Outcome::WrongByte:
        ++wrongBytes;
        break;
    case TransferRecord::Outcome::AnswerMissing:
        ++(r.failPosition == 0 ? noAnswer : answerStopped);
        break;
    case TransferRecord::Outcome::PortLost:
        ++portLost;
        break;
    }
    if (!r.sound()) {
        TraceEntry error = entry;
        error.record.sent.clear();
        error.record.received.clear();
        error.record.mask.clear();
        lastError = std::move(error);
        lastRamReadNs_.reset();
        return;
    }
    if (entry.exchange == TraceExchange::HardwareTest) {
        lastRamReadNs_.reset();
        return;
    }
    if (entry.exchange != TraceExchange::RamRead)
        return;
    if (lastRamReadNs_) {
        const double cycleMs = double(r.startMonotonicNs - *lastRamReadNs_) / 1e6;
        ++cycles;
        lastCycleMs = cycleMs;
        maxCycleMs = std::max(maxCycleMs, cycleMs);
        cycleSumMs_ += cycleMs;
        meanCycleMs = cycleSumMs_ / double(cycles);
    }
    lastRamReadNs_ = r.startMonotonicNs;
}
