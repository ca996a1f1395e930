#pragma once
// Every request telegram the tool sends, built item by item with send_sio. Each builder
// fills expect_buffer and check_mask and returns the telegram length; the request step
// then starts the transfer (the new-hardware RAM read starts itself).
#include <QList>
#include <QtGlobal>
#include <array>

class TSio;

struct WriteItem {
    quint16 cfg; // kRamWrite or kParameterWrite
    quint16 adr;
    quint16 value;
};

// The start of every exchange: ten 0x00, each to be answered with the acknowledge 0xAA.
quint32 buildSynchronisation();

// The error recovery's telegram: ten 0x00, then ten 0xAA, which bring a controller caught
// in the middle of an item back to its idle state. Its answer is not evaluated (acknowledge
// checks on the first ten only); the answer buffer is cleared for it.
quint32 buildResynchronisation();

// The hardware test: 0x63 (echoed) and a filler, whose answer tells the generation.
quint32 buildHwTest();

// Live RAM variables: old hardware 31 single-word reads (124 bytes); new hardware one
// block read of 80 words from 0x30 (170 bytes), which starts the transfer on link.
quint32 buildRamRead(TSio* link, bool hw_old);

// Parameter words: old 33 items (132 bytes), new 49 items (245 bytes).
quint32 buildDataRead(bool hw_old);

// What the controller keeps over a power cut, for the read-back after a write and the
// comparison. New hardware: the read button's telegram, which reads parameter memory
// throughout. Old hardware: the read button's 33 items (profile times, takts, start
// frequency and burn-in from their RAM mirror), then the same words from parameter memory
// in items 33 … 45 (profile times from 0x20, takts from 0x38, start frequency and burn-in
// from 0x02): 46 items, 184 bytes.
quint32 buildParameterMemoryRead(bool hw_old);

// Identity words: old 20 items (80 bytes), new 60 items (300 bytes).
quint32 buildHwInfoRead(bool hw_old);

// Fault memory: the 48-word ring from 0x80 and its pointer at 0x70 (49 items).
quint32 buildErrmemRead(bool hw_old);

// Clears the ring and its pointer: 49 parameter writes of 0.
quint32 buildErrmemClear(bool hw_old);

// A run of write items in one telegram, numbered from 0 without gaps.
quint32 buildWrites(bool hw_old, const QList<WriteItem>& items);

// Controller clock: the four PC clock registers, then the PC request word four times.
QList<WriteItem> timeWriteItems(bool hw_old, const std::array<quint16, 8>& values);

// Calibration: calibration value, the two AC measurement words, U_AC start, U_AC nominal.
QList<WriteItem> kalWriteItems(bool hw_old, const std::array<quint16, 5>& values);

// Addresses of the parameter write, in telegram order. Which of them are written, and with
// which values, is decided by the parameter page.
struct DataWriteAddresses {
    QList<quint16> ram;            // written with kind 3
    QList<quint16> parameter;      // written with kind 4
    std::array<WriteItem, 3> tail; // request word, profile/flag word, ramp times (values 0 here)
};
DataWriteAddresses dataWriteAddresses(bool hw_old);
