#pragma once
// The last 1,000 transfers. Entries are numbered from 0 in the order they came, so a view
// can tell which of the rows it shows have gone and which are new.
#include "trace/trace_entry.h"

#include <vector>

class TraceRing {
public:
    static constexpr quint64 kCapacity = 1000;

    void append(TraceEntry entry);
    // Number of the oldest entry kept and one past the newest.
    quint64 first() const { return end_ - quint64(entries_.size()); }
    quint64 end() const { return end_; }
    quint64 size() const { return quint64(entries_.size()); }
    // The entry of that number; null when it has gone or has not come yet.
    const TraceEntry* find(quint64 number) const;
    // The newest entry; null while there is none.
    TraceEntry* newest() { return entries_.empty() ? nullptr : &entries_[(end_ - 1) % kCapacity]; }

private:
    std::vector<TraceEntry> entries_; // a ring once full: entry n at n % kCapacity
    quint64 end_ = 0;
};
