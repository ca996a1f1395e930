#pragma once
// The trend's memory: the newest samples up to a fixed count, the oldest dropped. At the
// live cycle of about 0.2 s the default holds two hours, at a slow line still one. The
// memory is taken once, at the first sample, and never grows beyond it (about 3 MB).
#include "trend/trend_sample.h"

#include <vector>

class TrendRing {
public:
    static constexpr qsizetype kCapacity = 36000;

    explicit TrendRing(qsizetype capacity = kCapacity);

    void append(const TrendSample& sample);
    void clear();
    qsizetype capacity() const { return capacity_; }
    qsizetype size() const { return qsizetype(samples_.size()); }
    bool isEmpty() const { return samples_.empty(); }
    // Sample i, 0 the oldest kept.
    const TrendSample& at(qsizetype i) const;
    const TrendSample& newest() const { return at(size() - 1); }
    // Samples appended since the ring was made or cleared (kept or dropped): a view
    // tells from it how many are new since it last looked.
    quint64 appended() const { return appended_; }

private:
    qsizetype capacity_;
    std::vector<TrendSample> samples_; // once full, a ring whose oldest is at head_
    qsizetype head_ = 0;
    quint64 appended_ = 0;
};
