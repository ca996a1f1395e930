#include "trace/trace_ring.h"

void TraceRing::append(TraceEntry entry) {
    if (entries_.size() < kCapacity)
        entries_.push_back(std::move(entry));
    else
        entries_[end_ % kCapacity] = std::move(entry);
    ++end_;
}

const TraceEntry* TraceRing::find(quint64 number) const {
    if (number < first() || number >= end_)
        return nullptr;
    return &entries_[number % kCapacity];
}
