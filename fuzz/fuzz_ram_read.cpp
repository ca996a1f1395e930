// The RAM-read answer of either generation at any length, decoded into the variable
// table and the grid rows and then turned into everything the live view shows. The first
// byte chooses the generation (bit 0), the sensor option (bit 1) and the old revision
// (bits 2..7); the second and third are the calibration word; the rest is the answer.
#include "live/live_display.h"
#include "live/ram_table.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct Tables {
    TRam_Data ram, ramOld, eep;
    Tables() { initRamTables(ram, ramOld, eep); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    static Tables tables;
    const bool hwOld = data[0] & 1;
    const quint16 kal = quint16(data[1] | data[2] << 8);
    const QByteArrayView answer(data + 3, qsizetype(size - 3));
    std::vector<GridRow> rows;

    if (hwOld) {
        if (!parseOldRamAnswer(answer, tables.ramOld, rows)) {
            if (answer.size() >= kOldRamAnswerLength || !rows.empty())
                std::abort();
            return 0;
        }
        if (rows.size() != std::size_t(kOldRamWords))
            std::abort();
        OldDisplayInputs in{tables.ramOld};
        in.HW_Ver_Nr = data[0] >> 2;
        in.kal_value230 = kal;
        in.rampLow = quint8(answer[4 * 28 + 2]);
        in.rampHigh = quint8(answer[4 * 28 + 3]);
        (void)liveDisplayOld(in);
        return 0;
    }
    const std::optional<BlockChecksum> check = parseNewRamAnswer(answer, tables.ram, rows);
    if (!check) {
        if (answer.size() > kNewRamChecksumOffset || !rows.empty())
            std::abort();
        return 0;
    }
    if (rows.size() != std::size_t(kNewRamWords))
        std::abort();
    NewDisplayInputs in{tables.ram, 0, 0, {}, {}};
    in.DEV_Nr = (data[0] >> 1) & 1;
    in.kal_value230 = kal;
    in.luxM = QStringLiteral("1,25");
    in.luxN = QStringLiteral("-3");
    (void)liveDisplayNew(in);
    return 0;
}
