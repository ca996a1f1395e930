// The mark of stale live values. A new-hardware answer whose checksum fails is skipped
// without a word, so a line that keeps corrupting the data area would leave the display
// on old values that look live. Once no sound answer has reached the display for over a
// second while the reading runs (live/staleness), the values turn grey and the status
// line says why; the next sound answer takes both away, and so do the display reset and
// the sequencer standing still (disconnecting, the error step, a port change).
#include "app/hauptfenster.h"
#include "app/widgets/stale_colour.h"
#include "app/widgets/status_line.h"
#include "text/own_texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <chrono>

namespace {

// Milliseconds of a monotonic clock: a change of the PC's clock neither marks nor clears.
qint64 monotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The values a RAM answer writes as text. The lamps and the state bars keep their colours:
// those are the controller's states, and grey is already "off" there.
std::array<QWidget*, 20> liveValueFields(const THauptfenster& w) {
    return {w.Edit_Uz,
            w.Edit_fist,
            w.Edit_fsoll,
            w.Edit_uac,
            w.Edit_tmp1,
            w.Edit_tmp2,
            w.takt_burn,
            w.time_burn,
            w.Edit12,
            w.Edit13,
            w.e_spar_soll_anz,
            w.e_spar_ist_anz,
            w.e_spar_soll_intern_anz,
            w.e_spar_soll_extern_anz,
            w.h_all,
            w.h_dimm,
            w.t_lauf_anz,
            w.uC_Zeit,
            w.uC_Zeit2,
            w.Lux_Ist};
}

} // namespace

void THauptfenster::checkLiveFreshness() {
    showStaleMark(liveWatch_.check(liveReadingOf(SPStimer->isActive(), *this), monotonicMs()));
}

void THauptfenster::liveValuesRefreshed() {
    liveWatch_.refreshed(monotonicMs());
    showStaleMark(false);
}

void THauptfenster::resetStaleMark() {
    liveWatch_.check(LiveReading::Off, monotonicMs());
    showStaleMark(false);
}

void THauptfenster::showStaleMark(bool stale) {
    if (!stale && staleNote_.isEmpty())
        return; // the usual case on every tick
    const QString shown = StatusBar3->panelText(TStatusLine::kMessagePanel);
    if (!stale) {
        // A note written over the mark's meanwhile (the fault memory's) stays.
        if (shown == staleNote_)
            StatusBar3->setPanelText(TStatusLine::kMessagePanel, noteBeforeStale_);
        staleNote_.clear();
        noteBeforeStale_.clear();
        for (QWidget* field : liveValueFields(*this))
            setStaleColour(field, false);
        return;
    }
    if (staleNote_.isEmpty()) {
        noteBeforeStale_ = shown;
        for (QWidget* field : liveValueFields(*this))
            setStaleColour(field, true);
    } else if (shown != staleNote_) {
        return; // a later note is not overwritten while the mark lasts
    }
    // In the language of the moment: a language change while the mark lasts relabels it.
    const QString note = ownText(activeLanguage(), OwnText::LiveValuesStale);
    if (shown != note)
        StatusBar3->setPanelText(TStatusLine::kMessagePanel, note);
    staleNote_ = note;
}
