#pragma once
// The memories of a TRV5200 as they leave the factory: the byte store behind RAM and
// parameter memory, the addresses the firmware keeps its variables at, and the contents
// written at production (identity, calibration, night profiles, fault ring).
#include "sim/controller_memory.h"

#include <QByteArray>
#include <QtGlobal>
#include <vector>

namespace trvsim::model {

// One memory of the controller, byte addressed. A word is two bytes, low byte first, so
// a word at an odd address overlaps its neighbours as it does on the controller. The old
// hardware decodes only eight address bits; its memories repeat every 256 bytes.
class MemorySpace {
public:
    MemorySpace(Generation generation, quint8 fill);

    quint16 word(quint16 address) const;
    void setWord(quint16 address, quint16 value);
    // Stores text as words of two characters, low byte first, padded with pad up to
    // chars characters (an odd count ends in the low byte of its last word).
    void setText(quint16 address, int chars, const QByteArray& text, char pad);
    // The address as the memory decodes it; pins and words use the same key.
    quint16 decode(quint16 address) const { return address & mask_; }
    int size() const { return int(mask_) + 1; }

private:
    quint16 mask_;
    std::vector<quint8> bytes_;
};

// RAM addresses of the firmware's working variables, per generation. The old firmware
// keeps several values in one word where the new one spreads them out; an address of 0
// means the generation has no such variable.
struct RamMap {
    quint16 uacSetStart;   // mains set point while the lamps start (raw counts)
    quint16 uacSetNominal; // mains set point in normal operation (raw counts)
    quint16 ramp;          // low byte: darkening time, high byte: brightening time, × 25 s
    quint16 burnTime;      // burn-in time in seconds
    quint16 startTakt;     // takt the lamps start and burn in at
    quint16 pcRequest;     // PC request word (1: set the clock from the PC registers)
    quint16 clock;         // min/sec, weekday/hours, month/date, year: four words
    quint16 pcClock;       // the same four words as written by the PC
    quint16 profile;       // eight profile times: workday 1, 2, 3, end, weekend 1, 2, 3, end
    quint16 profileTakt;   // three words, two takt bytes each, periods in profile order
};

const RamMap& ramMap(Generation generation);

// Parameter-memory addresses the firmware copies into RAM at power-up.
struct ParameterMap {
    quint16 startTakt;
    quint16 burnTime;
    quint16 profile;
    quint16 profileTakt;
    quint16 uacSetStart;
    quint16 uacSetNominal;
    quint16 ramp;
    quint16 calibration;
    quint16 faultPosition; // byte offset of the next record in the ring
    quint16 faultRing;     // 16 records of three words
};

const ParameterMap& parameterMap(Generation generation);

inline constexpr int kFaultRecords = 16;
inline constexpr int kFaultRecordBytes = 6;

// Operating-hour counters as the unit arrives: it has run about two years of nights.
// Total 18 234 h 27 min, of them 7 105 h 12 min dimmed.
inline constexpr qint64 kFactoryHoursAllSeconds = 18234LL * 3600 + 27 * 60;
inline constexpr qint64 kFactoryHoursDimSeconds = 7105LL * 3600 + 12 * 60;

// Writes the production contents of both memories. RAM gets only its constant words;
// the working copies of the parameters are loaded by the firmware at power-up.
void loadFactoryImage(Generation generation, int revision, MemorySpace& ram,
                      MemorySpace& parameter);

// The 32-character version text of an old controller; characters 12 and 13 (counting
// from 1) are the hardware revision.
QByteArray oldVersionText(int revision);

} // namespace trvsim::model
