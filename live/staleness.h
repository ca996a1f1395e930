#pragma once
// Whether the live values on screen are still a fresh reading. A block read whose checksum
// fails is skipped without a word, so a line that keeps corrupting the data area would
// freeze the display on old values that look as good as new. The window asks here, on its
// timers, and marks the values as old once no sound answer has reached the display for
// longer than a second while the cyclic reading should be refreshing it; the next sound
// answer takes the mark away.
//
// Pure: the time is passed in (milliseconds of a monotonic clock), so tests fix it.
#include "protocol/steps.h"

#include <QtGlobal>

// What the sequencer is doing about the live reading.
enum class LiveReading {
    // The sequencer stands: not connected, stopped after an error, or the port changed.
    // The display is the reset one, or plainly not a live one.
    Off,
    // The sequencer runs, but another exchange comes first (connecting, a parameter read
    // or write, the clock, the fault memory, a calibration), or the reading is paused on
    // purpose while one runs. The display waits for it, which is no sign of a bad line.
    Paused,
    // The cyclic RAM reading is the sequencer's next exchange: each cycle should refresh
    // the display.
    Running,
};

LiveReading liveReadingOf(bool sequencerRunning, const RequestFlags& flags);

class StaleWatch {
public:
    // Longer than this without a sound answer, while the reading runs, is stale. A cycle
    // of synchronisation and reading takes a few hundred milliseconds even on new
    // hardware's 170-byte block read, so a second is several cycles lost in a row.
    static constexpr qint64 kStaleAfterMs = 1000;

    // A sound answer reached the display.
    void refreshed(qint64 nowMs);
    // One look at the reading; returns whether the values on screen are stale now. Only
    // time while the reading runs counts: a pause starts the wait anew when the reading
    // resumes. A pause keeps a mark that was there (the values are no newer for it);
    // the sequencer standing still removes it.
    bool check(LiveReading reading, qint64 nowMs);
    bool isStale() const { return stale_; }

    // A modal dialog of our own holds the window (a file dialog, a question): the values
    // are not getting old because the line failed, so the time under it does not count,
    // as for a pause. Holds nest; the wait starts anew once the last is released.
    void hold() { ++holds_; }
    void release() { holds_ = holds_ > 0 ? holds_ - 1 : 0; }

    // Holds the watch for the life of a scope: one line at each dialog call.
    class Hold {
    public:
        explicit Hold(StaleWatch& watch) : watch_(watch) { watch_.hold(); }
        ~Hold() { watch_.release(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        StaleWatch& watch_;
    };

private:
    LiveReading last_ = LiveReading::Off;
    qint64 waitingSinceMs_ = 0; // the last sound answer, or when the reading last resumed
    bool stale_ = false;
    int holds_ = 0;
};
