#pragma once
// One row of the telegram trace: the link's record of a transfer, tagged by the window
// with the exchange it belonged to and the generation the window knew then.
#include "serial/transfer_record.h"

#include <QtGlobal>
#include <optional>

enum class TraceExchange {
    Sync, // the synchronisation before every exchange, and the error step's recovery
    HardwareTest,
    Identity,
    RamRead,
    ParameterRead,
    ParameterWrite,
    Clock,
    FaultMemoryRead,
    FaultMemoryClear,
    Calibration,
    Other,
};

struct TraceEntry {
    TransferRecord record;
    TraceExchange exchange = TraceExchange::Other;
    // The error step's resynchronisation (an exchange of its own kind: it never clears a
    // diagnosis, being sent right after the failure it follows).
    bool recovery = false;
    std::optional<bool> hwOld; // nullopt while the hardware test has not told it
    // The last answer of a confirmed read whose answers all differed: sound on the line,
    // but the line corrupted the data.
    bool corrupted = false;
};

// The exchange of a transfer from protocol_step while it ran: the response step its
// requester set (through the exchange table), Syncresp for the synchronisation and
// Synchronisation for the error step's recovery, which sets it before its telegram.
TraceExchange traceExchangeOf(qint32 protocolStep);
bool isRecoveryStep(qint32 protocolStep);
