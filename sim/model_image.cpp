#include "sim/model_image.h"

#include <algorithm>

namespace trvsim::model {

namespace {

constexpr quint16 word(int high, int low) {
    return quint16(((high & 0xFF) << 8) | (low & 0xFF));
}

// A profile time as the firmware stores it: hour × 256 + minute.
constexpr quint16 at(int hour, int minute) {
    return word(hour, minute);
}

// The unit's night programme, the same in both generations. Nights from Sunday to
// Thursday dim from 21:00 (period 1, 66.7 Hz, 45 % saving), deepest from 23:00 (period 2,
// 100 Hz, 67 %), back to 66.7 Hz at 04:30 and end at 06:00. Friday and Saturday nights
// start later and dim less: 22:00 at 58 Hz (32 %), 00:30 at 83 Hz (60 %), 05:00 at 58 Hz,
// end at 07:00. All takt values are even, as the old firmware requires.
constexpr quint16 kProfile[8] = {at(21, 0), at(23, 0), at(4, 30), at(6, 0),
                                 at(22, 0), at(0, 30), at(5, 0),  at(7, 0)};
constexpr quint16 kProfileTakt[3] = {
    word(100, 150), // workday 2 (high) / workday 1 (low)
    word(172, 150), // weekend 1 (high) / workday 3 (low)
    word(172, 120), // weekend 3 (high) / weekend 2 (low)
};

// Lamps start at 55 Hz (takt 182) and stay there for a burn-in of five minutes.
constexpr quint16 kStartTakt = 182;
constexpr quint16 kBurnTimeSeconds = 300;

// Darkening from 50 to 100 Hz takes 8 × 25 s = 200 s, brightening back 12 × 25 s = 300 s.
constexpr quint16 kRamp = word(12, 8);

// Mains measurement: this unit reads 592 counts at 230 V (a perfect divider would give
// 587). Its set points, in those counts, are 235 V for starting the lamps and 230 V
// nominal: 235 / 230 × 592 = 605 and 592.
constexpr quint16 kCalibration = 592;
constexpr quint16 kUacStart = 605;
constexpr quint16 kUacNominal = 592;
// Old controllers up to revision 12 cannot be calibrated; their set points were entered
// with the nominal divider of 587 counts at 230 V: 600 (235 V) and 587.
constexpr quint16 kUacStartUncalibrated = 600;
constexpr quint16 kUacNominalUncalibrated = 587;

// Four faults from past nights, oldest first: an undervoltage at 05:47 on 12 January, a
// start fault at 18:02 on 3 February, an over-temperature of heat sink 1 (with the
// general over-temperature bit) at 23:15 on 21 July and a DC-link overvoltage at 19:31 on
// 9 October. Word 1 holds hour (low) and minute (high), word 2 month (low) and day (high).
// The rest of the ring was cleared at production and reads 0.
struct FaultRecord {
    quint16 bits;
    int hour, minute, month, day;
};
constexpr FaultRecord kFaults[] = {
    {0x0010, 5, 47, 1, 12},
    {0x0008, 18, 2, 2, 3},
    {0x4004, 23, 15, 7, 21},
    {0x0002, 19, 31, 10, 9},
};

constexpr RamMap kNewRam = {0x30, 0x32, 0x34, 0x36, 0x38, 0x64, 0xA0, 0xA8, 0xB2, 0xCA};
constexpr RamMap kOldRam = {0x2C, 0x2E, 0x30, 0x52, 0x50, 0x74, 0xA0, 0xA8, 0xB2, 0xCA};

constexpr ParameterMap kNewParameters = {0x004, 0x006, 0x020, 0x038, 0x042,
                                         0x044, 0x046, 0x048, 0x070, 0x080};
constexpr ParameterMap kOldParameters = {0x02, 0x04, 0x20, 0x38, 0x42,
                                         0x44, 0x46, 0x48, 0x70, 0x80};

void loadCommon(const ParameterMap& map, MemorySpace& parameter) {
    parameter.setWord(map.startTakt, kStartTakt);
    parameter.setWord(map.burnTime, kBurnTimeSeconds);
    for (int i = 0; i < 8; ++i)
        parameter.setWord(map.profile + 2 * i, kProfile[i]);
    for (int i = 0; i < 3; ++i)
        parameter.setWord(map.profileTakt + 2 * i, kProfileTakt[i]);

    for (int k = 0; k < kFaultRecords * 3; ++k)
        parameter.setWord(map.faultRing + 2 * k, 0);
    int k = 0;
    for (const FaultRecord& f : kFaults) {
        const quint16 record = map.faultRing + kFaultRecordBytes * k++;
        parameter.setWord(record, f.bits);
        parameter.setWord(record + 2, word(f.minute, f.hour));
        parameter.setWord(record + 4, word(f.day, f.month));
    }
    parameter.setWord(map.faultPosition, quint16(kFaultRecordBytes * k));
}

void loadNew(MemorySpace& ram, MemorySpace& parameter) {
    const ParameterMap& map = kNewParameters;
    loadCommon(map, parameter);
    parameter.setWord(map.uacSetStart, kUacStart);
    parameter.setWord(map.uacSetNominal, kUacNominal);
    parameter.setWord(map.ramp, kRamp);
    parameter.setWord(map.calibration, kCalibration);

    // Device information: type 5200 in hex digits; power stage 3, control board 7.
    parameter.setWord(0x000, 0x5200);
    parameter.setWord(0x002, 0x0307);
    // 0x100..0x113 (code words) stay unprogrammed: this unit carries no option code.
    // Older identity block: product code, NUL-padded, and the software date in the
    // description field, which older firmware used for it.
    parameter.setText(0x114, 16, "TRV5200-3x400V", '\0');
    parameter.setText(0x128, 10, "14.03.2019", '\0');
    // Software 27, version type 3 (a series unit; 9 would be a training unit), no option
    // bits (bit 0 clear: both heat-sink sensors fitted), development number 0 (a release).
    parameter.setWord(0x138, word(3, 27));
    parameter.setWord(0x13A, 0x0000);
    parameter.setWord(0x13C, 0x0000);
    // Newer identity block, written by firmware from 2023 on: the product code padded with
    // blanks and a 14-character software date with a leading blank, so that the PC's
    // "code + description + date" line stays readable.
    parameter.setText(0x160, 16, "TRV5200-3x400V", ' ');
    parameter.setText(0x180, 14, " SW 22.05.2023", ' ');

    // Constant RAM words: software info as in the identity block, idle port images, the
    // gains of the mains and DC-link regulators.
    ram.setWord(0x66, word(3, 27));
    ram.setWord(0x6C, 0x1C05);
    ram.setWord(0x6E, 0x0040);
    ram.setWord(0x7C, 0x0180); // uac_kp
    ram.setWord(0x7E, 0x0020); // uac_ki
    ram.setWord(0x8A, 0x0100); // uz_kp
    ram.setWord(0x8C, 0x0010); // uz_ki
    ram.setWord(0x8E, 0x0004); // uz_kd
}

void loadOld(int revision, MemorySpace& parameter) {
    const ParameterMap& map = kOldParameters;
    loadCommon(map, parameter);
    // Calibration came with revision 13, ramp times with revision 14; older units leave
    // those words unprogrammed.
    const bool calibrated = revision >= 13;
    parameter.setWord(map.uacSetStart, calibrated ? kUacStart : kUacStartUncalibrated);
    parameter.setWord(map.uacSetNominal, calibrated ? kUacNominal : kUacNominalUncalibrated);
    if (calibrated)
        parameter.setWord(map.calibration, kCalibration);
    if (revision >= 14)
        parameter.setWord(map.ramp, kRamp);
    parameter.setText(0xE0, 32, oldVersionText(revision), ' ');
}

} // namespace

MemorySpace::MemorySpace(Generation generation, quint8 fill)
    : mask_(generation == Generation::Old ? 0x00FF : 0xFFFF), bytes_(size_t(mask_) + 1, fill) {}

quint16 MemorySpace::word(quint16 address) const {
    const quint16 a = decode(address);
    return quint16(bytes_[a] | (bytes_[decode(a + 1)] << 8));
}

void MemorySpace::setWord(quint16 address, quint16 value) {
    const quint16 a = decode(address);
    bytes_[a] = quint8(value & 0xFF);
    bytes_[decode(a + 1)] = quint8(value >> 8);
}

void MemorySpace::setText(quint16 address, int chars, const QByteArray& text, char pad) {
    for (int i = 0; i < chars; ++i)
        bytes_[decode(quint16(address + i))] = quint8(i < text.size() ? text[i] : pad);
}

const RamMap& ramMap(Generation generation) {
    return generation == Generation::Old ? kOldRam : kNewRam;
}

const ParameterMap& parameterMap(Generation generation) {
    return generation == Generation::Old ? kOldParameters : kNewParameters;
}

QByteArray oldVersionText(int revision) {
    // "TRV5200 Rev" fills characters 1 to 11, the two revision digits 12 and 13, then the
    // power stage and the production date: 32 characters in all.
    const int r = std::clamp(revision, 0, 99);
    QByteArray text =
        "TRV5200 Rev" + QByteArray::number(r).rightJustified(2, '0') + " 3x400V 20.11.2009";
    return text.leftJustified(32, ' ', true);
}

void loadFactoryImage(Generation generation, int revision, MemorySpace& ram,
                      MemorySpace& parameter) {
    if (generation == Generation::Old)
        loadOld(revision, parameter);
    else
        loadNew(ram, parameter);
}

} // namespace trvsim::model
