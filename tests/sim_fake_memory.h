#pragma once
// A bare controller memory for the simulator's protocol and host tests: words in a hash
// (0 where nothing was set), a fixed generation, and counters of the reads and writes the
// protocol made.
#include "sim/controller_memory.h"

#include <QHash>
#include <atomic>
#include <mutex>

class FakeMemory : public trvsim::ControllerMemory {
public:
    explicit FakeMemory(trvsim::Generation generation = trvsim::Generation::New)
        : generation_(generation) {}

    trvsim::Generation generation() const override { return generation_; }

    quint16 readWord(trvsim::Space space, quint16 address) override {
        ++reads;
        std::lock_guard lock(mutex_);
        return words_.value(key(space, address), 0);
    }

    void writeWord(trvsim::Space space, quint16 address, quint16 value) override {
        ++writes;
        std::lock_guard lock(mutex_);
        words_.insert(key(space, address), value);
    }

    // Without counting, for the test's own set-up and checks.
    void set(trvsim::Space space, quint16 address, quint16 value) {
        std::lock_guard lock(mutex_);
        words_.insert(key(space, address), value);
    }
    quint16 get(trvsim::Space space, quint16 address) const {
        std::lock_guard lock(mutex_);
        return words_.value(key(space, address), 0);
    }

    std::atomic<int> reads{0};
    std::atomic<int> writes{0};

private:
    static quint32 key(trvsim::Space space, quint16 address) {
        return (space == trvsim::Space::Ram ? 0u : 0x10000u) | address;
    }

    trvsim::Generation generation_;
    mutable std::mutex mutex_;
    QHash<quint32, quint16> words_;
};
