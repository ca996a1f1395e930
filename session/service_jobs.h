#pragma once
// The live reading, the fault memory, the clock and the calibration without the window:
// each the window's exchange, with the same builders, decoders and checks.
#include "live/live_display.h"
#include "services/calibration.h"
#include "services/fault_ring.h"
#include "session/identify.h"

#include <QDateTime>

// One RAM read as the live display shows it. A new-hardware block whose checksum fails is
// no reading (the window skips it too): nullopt with Failure::None and checksumFailed.
struct LiveReadResult {
    LinkSession::Failure failure = LinkSession::Failure::None;
    bool checksumFailed = false;
    std::optional<LiveDisplay> display;
};
LiveReadResult readLive(LinkSession& session, const ControllerIdentity& identity);

struct FaultReadResult {
    LinkSession::Failure failure = LinkSession::Failure::None;
    std::optional<FaultList> list;
    quint16 position = 0; // the ring's write position the controller reported
};
FaultReadResult readFaults(LinkSession& session, const ControllerIdentity& identity);
LinkSession::Failure clearFaults(LinkSession& session, const ControllerIdentity& identity);

// The clock write from the PC's local time. nullopt: the year cannot be sent (nothing
// was); otherwise the exchange's outcome.
std::optional<LinkSession::Failure>
writeClock(LinkSession& session, const ControllerIdentity& identity, const QDateTime& pcLocalNow);

// The calibration from a measured mains voltage, with the window's conditions on the live
// reading given: the refusal's log lines, or the write's (new value, set points) and its
// outcome.
struct CalibrationResult {
    QList<CalibrationLogLine> refusal;
    QList<CalibrationLogLine> log;
    quint16 newValue = 0;
    LinkSession::Failure failure = LinkSession::Failure::None;
};
CalibrationResult calibrate(LinkSession& session, const ControllerIdentity& identity,
                            const LiveDisplay& live, int measuredVolts);
