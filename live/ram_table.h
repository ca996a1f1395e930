#pragma once
// The controller's RAM variables as the window mirrors them: one record of eleven
// parallel arrays per data source (new-hardware RAM, old-hardware RAM, parameter memory,
// fault memory), entry i of every array describing the same word.
#include <QString>
#include <QtGlobal>
#include <array>

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
