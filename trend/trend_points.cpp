#include "trend/trend_points.h"

#include <algorithm>
#include <limits>

qsizetype trendLowerBound(const TrendRing& ring, qint64 ms) {
    qsizetype low = 0;
    qsizetype high = ring.size();
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        if (ring.at(mid).time.toMSecsSinceEpoch() < ms)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

QList<QPointF> trendPoints(const TrendRing& ring, TrendSeries series, qint64 fromMs, qint64 toMs,
                           int maxPoints) {
    QList<QPointF> points;
    const qsizetype from = trendLowerBound(ring, fromMs);
    const qsizetype to =
        toMs == std::numeric_limits<qint64>::max() ? ring.size() : trendLowerBound(ring, toMs + 1);
    const qsizetype count = to - from;
    if (count <= 0)
        return points;
    const auto pointAt = [&](qsizetype i) -> std::optional<QPointF> {
        const TrendSample& s = ring.at(i);
        const std::optional<double> v = trendValue(s, series);
        if (!v)
            return std::nullopt;
        return QPointF(qreal(s.time.toMSecsSinceEpoch()), *v);
    };
    if (count <= maxPoints || maxPoints < 4) {
        points.reserve(count);
        for (qsizetype i = from; i < to; ++i)
            if (const auto p = pointAt(i))
                points.append(*p);
        return points;
    }
    // Two points a bucket: its lowest and its highest, in the order they came.
    const qsizetype buckets = maxPoints / 2;
    const qsizetype size = (count + buckets - 1) / buckets;
    points.reserve(2 * buckets);
    for (qsizetype start = from; start < to; start += size) {
        const qsizetype end = std::min(to, start + size);
        std::optional<QPointF> low, high;
        for (qsizetype i = start; i < end; ++i) {
            const auto p = pointAt(i);
            if (!p)
                continue;
            if (!low || p->y() < low->y())
                low = p;
            if (!high || p->y() > high->y())
                high = p;
        }
        if (!low)
            continue;
        if (low->x() == high->x()) {
            points.append(*low);
        } else if (low->x() < high->x()) {
            points.append(*low);
            points.append(*high);
        } else {
            points.append(*high);
            points.append(*low);
        }
    }
    return points;
}
