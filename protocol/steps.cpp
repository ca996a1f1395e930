#include "protocol/steps.h"

const Exchange* exchangeOf(qint32 step) {
    for (const Exchange& exchange : kExchanges)
        if (exchange.request == step || exchange.response == step)
            return &exchange;
    return nullptr;
}

bool isConfirmedResponse(qint32 step) {
    const Exchange* exchange = exchangeOf(step);
    return exchange && exchange->response == step && exchange->confirmed == Confirmed::Yes;
}

std::optional<qint32> nextRequestStep(const RequestFlags& flags) {
    for (const Exchange& exchange : kExchanges)
        if (flags.*exchange.flag)
            return exchange.request;
    return std::nullopt;
}

void clearRequests(RequestFlags& flags) {
    for (const Exchange& exchange : kExchanges)
        flags.*exchange.flag = false;
}

ProgressUpdate progressFor(qint32 protocolStep, int percent) {
    // Only the response step runs while its transfer does.
    for (const Exchange& exchange : kExchanges) {
        if (exchange.response != protocolStep)
            continue;
        if (exchange.bar == ProgressBarOf::Ram)
            return {percent, std::nullopt};
        return {0, percent};
    }
    return {0, std::nullopt};
}
