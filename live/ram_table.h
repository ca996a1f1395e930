#pragma once
// The controller's RAM variables as the window mirrors them: one record of eleven
// parallel arrays per data source (new-hardware RAM, old-hardware RAM, parameter memory,
// fault memory), entry i of every array describing the same word.
//
// Also the fixed columns of those tables (names and scaling factors of both controller
// generations), the energy saving per lamp period, the binary-digit formatter and the
// decoding of the two RAM-read answers into table entries and rows of the measurement
// grid. Nothing here touches a widget.
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

constexpr int kRamEntries = 81;

struct TRam_Data {
    std::array<qint32, kRamEntries> nr{};
    std::array<QString, kRamEntries> name{};
    std::array<QString, kRamEntries> adr{};
    std::array<float, kRamEntries> norm{};
    std::array<quint16, kRamEntries> val_int{};
    std::array<qint16, kRamEntries> val_sint{};
    std::array<QString, kRamEntries> val_hex{};
    std::array<QString, kRamEntries> val_bin{};
    std::array<quint16, kRamEntries> val_high{};
    std::array<quint16, kRamEntries> val_low{};
    std::array<float, kRamEntries> val_n{};
};

// --- RAM maps of the two generations --------------------------------------------------

// New hardware: 80 consecutive words from 0x0030, read as one block.
constexpr quint16 kNewRamStart = 0x0030;
constexpr int kNewRamWords = 80;
// The block-read answer: echoes in bytes 0..3, word i low byte first at 4 + 2i, the
// checksum (sum of the 160 data bytes modulo 256) at 164; 170 bytes in all.
constexpr int kNewRamDataOffset = 4;
constexpr int kNewRamChecksumOffset = kNewRamDataOffset + 2 * kNewRamWords;
constexpr int kNewRamAnswerLength = 2 * kNewRamWords + 10;

// Old hardware: 31 single-word reads of 4 bytes (command, 8-bit address, low, high).
constexpr int kOldRamWords = 31;
constexpr int kOldRamAnswerLength = 4 * kOldRamWords;

// Parameter words listed in the parameter grid.
constexpr int kEepWords = 49;

// Writes the names and norms of the new-hardware RAM table, the old-hardware RAM table and
// the parameter-word table; every other field is left as it is. The norms of entries
// 1..80 of both RAM tables are cleared first. Names are the controller firmware's own,
// spacing included.
void initRamTables(TRam_Data& ram, TRam_Data& ramOld, TRam_Data& eep);

// --- Energy saving ---------------------------------------------------------------------

// Energy saving in percent that the tool shows for a lamp period p (lamp frequency
// 10000 / p Hz): 88.8 % for every period up to 100 Hz, falling to 0 % at 50 Hz (p = 200).
// The table holds the periods 50..200; a period outside them reads the nearer end (a
// faster lamp than 200 Hz saves no more than one at 200 Hz, a slower one than 50 Hz
// saves nothing), so a corrupted controller word can never read outside the table.
struct EnergySavingTable {
    static constexpr int kFirst = 50;
    static constexpr int kLast = 200;
    std::array<float, kLast - kFirst + 1> values;

    float operator[](int p) const { return values[std::size_t(qBound(kFirst, p, kLast) - kFirst)]; }
};
extern const EnergySavingTable energy_saving_table;

inline float energySaving(int p) {
    return energy_saving_table[p];
}

// --- Formatting ------------------------------------------------------------------------

// Exactly `digits` characters '0'/'1', most significant first (IntToBin(5, 16) is
// thirteen zeros and "101"). A value that needs more digits keeps its low `digits` bits;
// no digits give an empty string.
QString IntToBin(quint32 value, int digits);

// "0x" and four upper-case hex digits: how the tool shows addresses and words.
QString hexWord(quint32 value);

// --- Measurement grid -------------------------------------------------------------------

// The seven cells of one grid row, columns 0..6.
struct GridRow {
    std::array<QString, 7> cells;
};

// The checksum of a block-read answer: computed over the received data and received.
struct BlockChecksum {
    quint8 computed = 0;
    quint8 received = 0;
    bool matches() const { return computed == received; }
};

// Decodes a new-hardware block-read answer (kNewRamAnswerLength bytes of rx) into entries
// 0..79 of ram (nr, adr, val_int, val_sint, val_n; names and norms are read) and the 80
// grid rows: address, "[i]  name", unsigned, hex, binary, normalised value (2 decimals,
// decimal comma), signed. The addresses follow the start address echoed in bytes 2 and 3.
BlockChecksum parseNewRamAnswer(const quint8* rx, TRam_Data& ram, std::vector<GridRow>& rows);
// The same from an answer of the length the link received. Nullopt, and ram and rows left
// as they were, when it ends before the checksum byte.
std::optional<BlockChecksum> parseNewRamAnswer(QByteArrayView rx, TRam_Data& ram,
                                               std::vector<GridRow>& rows);

// Decodes an old-hardware answer (kOldRamAnswerLength bytes of rx) into entries 0..30 of
// ramOld (nr, adr, val_int, val_sint, val_hex, val_bin, val_high, val_low) and the 31 grid
// rows: address, name, unsigned, hex, binary, high byte, low byte.
void parseOldRamAnswer(const quint8* rx, TRam_Data& ramOld, std::vector<GridRow>& rows);
// The same from an answer of the length the link received. False, and ramOld and rows left
// as they were, when it is shorter than kOldRamAnswerLength.
bool parseOldRamAnswer(QByteArrayView rx, TRam_Data& ramOld, std::vector<GridRow>& rows);

// Column widths of the measurement grid for its width in pixels. The name column takes
// what the fixed columns and 30 pixels of frame and scroll bar leave, at most 300; on a
// grid narrower than that rule serves (below 640 + kMinNameColumnWidth) it keeps
// kMinNameColumnWidth, so the names stay readable and the grid scrolls sideways instead.
constexpr int kMinNameColumnWidth = 100;
constexpr int kMaxNameColumnWidth = 300;
std::array<int, 7> measurementColumnWidths(int gridWidth);

// Grid cells the tool highlights: columns 1..5 of rows 1, 2 and 10, the words the voltage
// calibration uses on new hardware (entries 0, 1 and 9).
bool isHighlightedMeasurementCell(int row, int column);
