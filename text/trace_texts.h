#pragma once
// The texts of the telegram trace and of the link diagnosis in the five languages, kept
// beside the text table like own_texts and never numbered as its rows.
#include "text/info_table.h"

#include <QString>
#include <optional>

enum class TraceText {
    // The exchange a transfer belonged to.
    ExchangeSync,
    ExchangeHardwareTest,
    ExchangeIdentity,
    ExchangeRamRead,
    ExchangeParameterRead,
    ExchangeParameterWrite,
    ExchangeClock,
    ExchangeFaultMemoryRead,
    ExchangeFaultMemoryClear,
    ExchangeCalibration,
    ExchangeOther,
    // How a transfer ended. WrongByte: %1 the byte, %2 what was expected, %3 what came;
    // AnswerStopped: %1 the first byte that did not come.
    ResultSound,
    ResultWrongByte,
    ResultNoAnswer,
    ResultAnswerStopped,
    ResultPortLost,
    // The status line's diagnosis of a failed transfer (AnswerStopped: %1 the byte).
    DiagnosisNoAnswer,
    DiagnosisAnswerStopped,
    DiagnosisWrongBytes,
    DiagnosisPortLost,
    // The trace window.
    WindowTitle,
    MenuItem,
    ColumnTime,
    ColumnExchange,
    ColumnLength,
    ColumnDuration, // duration against the wire time
    ColumnResult,
    Sent,
    Received,
    Items,
    SaveButton,
    SaveFilter,
    // %1: the file, %2: the system's reason.
    SaveFailed,
    // Statistics. Transfers: %1 transfers, %2 bytes. Errors: %1 no answer, %2 answer
    // stopped, %3 wrong bytes, %4 port lost. Cycle: %1 last, %2 mean, %3 max (ms), %4 cycles.
    // LastError: %1 time, %2 exchange, %3 result.
    StatTransfers,
    StatErrors,
    StatCycle,
    StatNoCycle,
    StatLastError,
    StatNoError,
    // Items of a telegram.
    ItemSyncRun,
    ItemAcknowledgeRun,
    ItemHardwareTest,
    ItemRamRead,
    ItemParameterRead,
    ItemRamWrite,
    ItemParameterWrite,
    ItemBlockRead,
    ItemChecksum,
    ItemUnknown,
};

// The text in the active language; German, the design language, while none is active.
QString traceText(std::optional<Language> active, TraceText text);
