#pragma once
// What a plot of the trend draws: a series' points (x: milliseconds since the epoch) in a
// time range, thinned to a bounded number. An hour of samples is 18,000 points a series;
// drawing them all four times a second would cost the live cycle its pace, and a screen
// has far fewer pixels. Thinning keeps each bucket's lowest and highest value, so a short
// dip of the mains or a spike of the heat sink stays visible however far out the view is.
#include "trend/trend_ring.h"

#include <QList>
#include <QPointF>

// Index of the first sample at or after `ms` (samples are in time order).
qsizetype trendLowerBound(const TrendRing& ring, qint64 ms);
// The series' points of the samples from `fromMs` to `toMs` (both included), at most
// about maxPoints of them; samples without the value are left out.
QList<QPointF> trendPoints(const TrendRing& ring, TrendSeries series, qint64 fromMs, qint64 toMs,
                           int maxPoints);
