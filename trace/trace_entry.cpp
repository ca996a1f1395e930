#include "trace/trace_entry.h"

#include "protocol/steps.h"

TraceExchange traceExchangeOf(qint32 protocolStep) {
    if (protocolStep == Step::Syncresp || protocolStep == Step::Synchronisation)
        return TraceExchange::Sync;
    const Exchange* exchange = exchangeOf(protocolStep);
    if (!exchange)
        return TraceExchange::Other;
    switch (exchange->response) {
    case Step::Resp_HW_Test:
        return TraceExchange::HardwareTest;
    case Step::Resp_HW_Info:
        return TraceExchange::Identity;
    case Step::Resp_Ram_rd:
        return TraceExchange::RamRead;
    case Step::Resp_Data_rd:
    case Step::Resp_Verify_rd:  // the read-back after a write: the read button's telegram
    case Step::Resp_Compare_rd: // the comparison's read: the same
        return TraceExchange::ParameterRead;
    case Step::Resp_Data_Write:
        return TraceExchange::ParameterWrite;
    case Step::Resp_Time_write:
        return TraceExchange::Clock;
    case Step::Resp_Errmem_rd:
        return TraceExchange::FaultMemoryRead;
    case Step::Resp_Errmem_Clear:
        return TraceExchange::FaultMemoryClear;
    case Step::Resp_Kal_Write:
        return TraceExchange::Calibration;
    default:
        return TraceExchange::Other;
    }
}

bool isRecoveryStep(qint32 protocolStep) {
    return protocolStep == Step::Synchronisation;
}
