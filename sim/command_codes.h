#pragma once
// The command byte that opens each telegram item. Old hardware: one-byte addresses,
// values low byte first, no block read. New hardware: addresses high byte first, values
// high byte first.
#include <QtGlobal>

namespace trvsim {

constexpr quint8 kOldRamRead = 0x01;
constexpr quint8 kOldParRead = 0x02;
constexpr quint8 kOldRamWrite = 0x03;
constexpr quint8 kOldParWrite = 0x04;
constexpr quint8 kNewRamRead = 0x05;
constexpr quint8 kNewParRead = 0x06;
constexpr quint8 kNewRamWrite = 0x07;
constexpr quint8 kNewParWrite = 0x08;
constexpr quint8 kNewBlockRead = 0x09;

} // namespace trvsim
