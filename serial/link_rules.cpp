#include "serial/link_rules.h"

#include <algorithm>

quint32 clampChunkSize(quint32 chunkSize) {
    return std::clamp<quint32>(chunkSize, 1, 100);
}

qint32 clampReadTimeout(qint32 readTimeout) {
    return std::clamp<qint32>(readTimeout, 30, 800);
}

quint32 chunkLength(quint32 pos, quint32 chunkSize, quint32 txCount) {
    if (pos >= txCount)
        return 0;
    return pos + chunkSize >= txCount ? txCount - pos : chunkSize;
}

int readTimeoutMs(qint32 readTimeout, quint32 n) {
    return clampReadTimeout(readTimeout) + static_cast<int>(n);
}

bool processesMessagesDuringTransfer(quint32 txCount) {
    return txCount % 20 == 0;
}

std::optional<quint32> firstAnswerError(const quint8* sent, const quint8* received,
                                        const quint8* mask, quint32 count) {
    if (mask[0] == 0)
        return std::nullopt;
    count = std::min<quint32>(count, kLinkBufferSize);
    for (quint32 i = 0; i < count; ++i) {
        if (mask[i] == 1 && received[i] != sent[i])
            return i;
        if (mask[i] == 2 && received[i] != 0xAA)
            return i;
    }
    return std::nullopt;
}

int progressPercent(quint32 pos, quint32 txCount) {
    if (txCount == 0)
        return 0;
    const quint64 num = (quint64(pos) + 1) * 100;
    quint64 q = num / txCount;
    const quint64 twiceRest = 2 * (num % txCount);
    if (twiceRest > txCount || (twiceRest == txCount && (q & 1)))
        ++q;
    return static_cast<int>(q);
}
