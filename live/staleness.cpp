#include "live/staleness.h"

LiveReading liveReadingOf(bool sequencerRunning, const RequestFlags& flags) {
    if (!sequencerRunning)
        return LiveReading::Off;
    return nextRequestStep(flags) == Step::Req_Ram_rd ? LiveReading::Running : LiveReading::Paused;
}

void StaleWatch::refreshed(qint64 nowMs) {
    waitingSinceMs_ = nowMs;
    stale_ = false;
}

bool StaleWatch::check(LiveReading reading, qint64 nowMs) {
    // Under a dialog of our own the reading counts as paused, whatever the sequencer does.
    if (holds_ > 0 && reading == LiveReading::Running)
        reading = LiveReading::Paused;
    const LiveReading before = last_;
    last_ = reading;
    switch (reading) {
    case LiveReading::Off:
        stale_ = false;
        break;
    case LiveReading::Paused:
        break;
    case LiveReading::Running:
        if (before != LiveReading::Running)
            waitingSinceMs_ = nowMs;
        else if (nowMs - waitingSinceMs_ > kStaleAfterMs)
            stale_ = true;
        break;
    }
    return stale_;
}
