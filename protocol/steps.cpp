#include "protocol/steps.h"

const Exchange* exchangeOf(qint32 step) {
    for (const Exchange& exchange : kExchanges)
        if (exchange.request == step || exchange.response == step)
            return &exchange;
    return nullptr;
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
