#include "protocol/telegram.h"

#include "protocol/protocol_state.h"
#include "protocol/steps.h"
#include "serial/sio.h"

namespace {

quint8 lowByte(quint16 w) {
    return quint8(w & 0xFF);
}
quint8 highByte(quint16 w) {
    return quint8(w >> 8);
}

quint8 commandCode(bool hw_old, quint16 cfg) {
    // Old hardware: 0x01 … 0x04; new hardware: 0x05 … 0x08 (and 0x09 for the block read).
    return quint8(hw_old ? cfg : cfg + 4);
}

void put(int pos, quint8 byte, quint8 mask) {
    expect_buffer[pos] = byte;
    check_mask[pos] = mask;
}

bool fits(int start, int size) {
    return start >= 0 && start + size <= kLinkBufferSize;
}

} // namespace

int itemSize(bool hw_old, quint16 cfg) {
    switch (cfg) {
    case kRamRead:
    case kParameterRead:
        return hw_old ? 4 : 5;
    case kRamWrite:
    case kParameterWrite:
        return hw_old ? 5 : 6;
    default:
        return 0;
    }
}

void send_sio(TSio* link, bool hw_old, quint16 cfg, quint16 adr, quint16 anz, quint16 offset) {
    const quint8 code = commandCode(hw_old, cfg);
    switch (cfg) {
    case kRamRead:
    case kParameterRead: {
        const int size = itemSize(hw_old, cfg);
        for (int j = 0; j < anz; ++j) {
            const int start = (offset + j) * size;
            if (!fits(start, size))
                return;
            const quint16 a = quint16(adr + 2 * j);
            int pos = start;
            put(pos++, code, kMaskEcho);
            if (!hw_old)
                put(pos++, highByte(a), kMaskEcho);
            put(pos++, lowByte(a), kMaskEcho);
            put(pos++, kFiller, kMaskData);
            put(pos++, kFiller, kMaskData);
        }
        return;
    }
    case kRamWrite:
    case kParameterWrite: {
        const int size = itemSize(hw_old, cfg);
        const int start = offset * size;
        if (!fits(start, size))
            return;
        int pos = start;
        put(pos++, code, kMaskEcho);
        if (hw_old) {
            // Old hardware: one address byte, value low byte first.
            put(pos++, lowByte(adr), kMaskEcho);
            put(pos++, lowByte(anz), kMaskEcho);
            put(pos++, highByte(anz), kMaskEcho);
        } else {
            // New hardware: address and value high byte first.
            put(pos++, highByte(adr), kMaskEcho);
            put(pos++, lowByte(adr), kMaskEcho);
            put(pos++, highByte(anz), kMaskEcho);
            put(pos++, lowByte(anz), kMaskEcho);
        }
        put(pos, kFiller, kMaskData);
        return;
    }
    case kRamBlockRead: {
        // The length travels in one byte, so a block holds at most 127 words.
        if (hw_old || anz > 127)
            return;
        const int length = 2 * anz + 10;
        put(0, 0x09, kMaskEcho);
        put(1, quint8(2 * anz), kMaskData); // the length byte is not echo-checked
        put(2, highByte(adr), kMaskEcho);
        put(3, lowByte(adr), kMaskEcho);
        for (int pos = 4; pos < length; ++pos)
            put(pos, kFiller, kMaskData);
        startTransfer(link, quint32(length));
        protocol_step = Step::Resp_Ram_rd;
        return;
    }
    default:
        return;
    }
}

quint16 readItemWord(bool hw_old, const quint8* answer, int item) {
    const int last = hw_old ? 4 * item + 2 : 5 * item + 3;
    return quint16(answer[last] | (answer[last + 1] << 8));
}
