#pragma once
// Telegram items of both controller generations. Every byte the PC sends is answered by
// one byte: command, address and value bytes are echoed, filler bytes are answered with
// data. send_sio writes items into expect_buffer and check_mask.
#include <QtGlobal>

class TSio;

// Telegram kinds (cfg).
enum TelegramKind : quint16 {
    kRamRead = 1,
    kParameterRead = 2,
    kRamWrite = 3,
    kParameterWrite = 4,
    kRamBlockRead = 9,
};

constexpr quint8 kFiller = 0x05;       // sent where the PC only wants an answer byte
constexpr quint8 kMaskData = 0;        // answer carries data, not checked
constexpr quint8 kMaskEcho = 1;        // answer must equal the byte sent
constexpr quint8 kMaskAcknowledge = 2; // answer must be 0xAA

// Item size of a kind for a generation; 0 for kinds that are not item telegrams.
int itemSize(bool hw_old, quint16 cfg);

// Writes the items of one call into expect_buffer and check_mask.
//   kinds 1, 2: anz words from adr (adr, adr + 2, …) into items offset … offset + anz − 1
//   kinds 3, 4: one write of the value anz to adr in item offset
//   kind 9 (new hardware only): block read of anz words from adr, a telegram of its own;
//     it also starts the transfer on link (counts, pointer, wake-up) and sets
//     protocol_step to 4, the RAM read's response step.
// Any other kind, and kind 9 on old hardware, builds nothing. Items that would end
// beyond the 1025-byte buffers are not built.
void send_sio(TSio* link, bool hw_old, quint16 cfg, quint16 adr, quint16 anz, quint16 offset);

// Word j of a read run answered in item k: the last two bytes of the item, low byte first.
quint16 readItemWord(bool hw_old, const quint8* answer, int item);
