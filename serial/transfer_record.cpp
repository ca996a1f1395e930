#include "serial/transfer_record.h"

#include "serial/link_rules.h"

#include <algorithm>

namespace {
// check_mask value of a byte that must be answered 0xAA (the others: 1 echo, 0 data).
constexpr quint8 kMaskAcknowledgeByte = 2;
} // namespace

TransferRecord makeTransferRecord(const quint8* sent, const quint8* received, const quint8* mask,
                                  quint32 count, quint32 arrived, bool portLost,
                                  std::optional<quint32> wrongAt) {
    TransferRecord r;
    count = std::min<quint32>(count, kLinkBufferSize);
    arrived = std::min(arrived, count);
    r.count = count;
    r.sent = QByteArray(reinterpret_cast<const char*>(sent), qsizetype(count));
    r.received = QByteArray(reinterpret_cast<const char*>(received), qsizetype(arrived));
    r.mask = QByteArray(reinterpret_cast<const char*>(mask), qsizetype(count));
    if (portLost) {
        r.outcome = TransferRecord::Outcome::PortLost;
        r.failPosition = arrived;
        return r;
    }
    if (arrived < count) {
        r.outcome = TransferRecord::Outcome::AnswerMissing;
        r.failPosition = arrived;
        return r;
    }
    if (wrongAt && *wrongAt < count) {
        const quint32 pos = *wrongAt;
        r.outcome = TransferRecord::Outcome::WrongByte;
        r.failPosition = pos;
        r.expected = mask[pos] == kMaskAcknowledgeByte ? quint8(0xAA) : sent[pos];
        r.got = received[pos];
    }
    return r;
}
