#include "trend/trend_ring.h"

#include <algorithm>

TrendRing::TrendRing(qsizetype capacity) : capacity_(std::max<qsizetype>(1, capacity)) {}

void TrendRing::append(const TrendSample& sample) {
    ++appended_;
    if (size() < capacity_) {
        if (samples_.empty())
            samples_.reserve(size_t(capacity_)); // once: the vector never grows past it
        samples_.push_back(sample);
        return;
    }
    samples_[size_t(head_)] = sample;
    head_ = (head_ + 1) % capacity_;
}

void TrendRing::clear() {
    samples_.clear();
    head_ = 0;
    appended_ = 0;
}

const TrendSample& TrendRing::at(qsizetype i) const {
    return samples_[size_t((head_ + i) % capacity_)];
}
