// The fault-memory answer of either generation at any length (the first byte chooses the
// generation, the rest is the answer): the ring listed newest first with time stamps and
// fault texts, whatever the write position and the records hold.
#include "services/fault_ring.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const bool hwOld = data[0] & 1;
    const QByteArrayView answer(data + 1, qsizetype(size - 1));
    const std::optional<FaultAnswer> words = faultAnswerWords(hwOld, answer);
    if (words.has_value() != (answer.size() >= faultAnswerBytes(hwOld)))
        std::abort();
    if (!words)
        return 0;
    const FaultList list = decodeFaultRing(hwOld, *words);
    const auto text = [](int row) { return QString::number(row); };
    for (const FaultRow& row : list.rows)
        (void)faultText(row.bits, text);
    return 0;
}
