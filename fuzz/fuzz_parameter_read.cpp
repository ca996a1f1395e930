// The parameter-read answer of either generation at any length. The first byte chooses
// the generation (bit 0) and the old revision (bits 1..7); the rest is the answer. A full
// answer, whatever its words, gives a set the fields can show and the write can send:
// every takt and time limited into its range, the grid rows built.
#include "live/ram_table.h"
#include "parameters/parameter_grid.h"
#include "parameters/parameter_set.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const bool hwOld = data[0] & 1;
    const qint32 revision = data[0] >> 1;
    const QByteArrayView answer(data + 1, qsizetype(size - 1));
    const qsizetype needed = hwOld ? 4 * kOldParameterSlots : 5 * kNewParameterSlots;

    const std::optional<ParameterRead> read =
        hwOld ? decodeOldParameterRead(answer, revision) : decodeNewParameterRead(answer);
    if (read.has_value() != (answer.size() >= needed))
        std::abort();
    if (!read)
        return 0;

    const ParameterSet& set = read->set;
    for (const quint16 time : set.profileTimes)
        if ((time >> 8) > 23 || (time & 0xFF) > 59)
            std::abort();
    if (set.startTakt < 100 || set.startTakt > 200)
        std::abort();
    if (!dataWriteItems(hwOld, set, read->hasRampTimes))
        std::abort(); // a set read back could not be written
    if (!hwOld) {
        static TRam_Data ram, ramOld, eep;
        static const bool initialised = (initRamTables(ram, ramOld, eep), true);
        (void)initialised;
        if (read->words.size() != kNewParameterSlots)
            std::abort();
        (void)fillParameterTable(read->words, eep);
    }
    return 0;
}
