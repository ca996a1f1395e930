#include "protocol/requests.h"

#include "protocol/telegram.h"
#include "serial/sio.h"

#include <algorithm>

namespace {

struct ReadRun {
    quint16 cfg;
    quint16 adr;
    quint16 anz;
    quint16 offset;
};

quint32 buildReads(bool hw_old, std::initializer_list<ReadRun> runs) {
    int items = 0;
    for (const ReadRun& run : runs) {
        send_sio(nullptr, hw_old, run.cfg, run.adr, run.anz, run.offset);
        items = std::max(items, run.offset + run.anz);
    }
    return quint32(items * itemSize(hw_old, kParameterRead));
}

// The parameter read and the identity read begin alike: old hardware with the version
// text and the voltage set points (items 0 … 19), new hardware with the code words,
// device info, product code, description and voltage set points (items 0 … 35).
quint32 buildIdentityHead(bool hw_old) {
    if (hw_old)
        return buildReads(true, {{kParameterRead, 0xE0, 16, 0}, {kParameterRead, 0x42, 4, 16}});
    return buildReads(false, {{kParameterRead, 0x100, 10, 0},
                              {kParameterRead, 0x000, 1, 10},
                              {kParameterRead, 0x002, 1, 11},
                              {kParameterRead, 0x114, 10, 12},
                              {kParameterRead, 0x128, 10, 22},
                              {kParameterRead, 0x042, 4, 32}});
}

} // namespace

quint32 buildSynchronisation() {
    for (int i = 0; i < 10; ++i) {
        expect_buffer[i] = 0x00;
        check_mask[i] = kMaskAcknowledge;
    }
    return 10;
}

quint32 buildResynchronisation() {
    for (int i = 0; i < 10; ++i) {
        expect_buffer[i] = 0x00;
        check_mask[i] = kMaskAcknowledge;
        expect_buffer[10 + i] = 0xAA;
    }
    std::fill(rx_buffer, rx_buffer + 20, quint8(0));
    return 20;
}

quint32 buildHwTest() {
    expect_buffer[0] = 0x63;
    check_mask[0] = kMaskEcho;
    expect_buffer[1] = kFiller;
    check_mask[1] = kMaskData;
    return 2;
}

quint32 buildRamRead(TSio* link, bool hw_old) {
    if (!hw_old) {
        send_sio(link, false, kRamBlockRead, 0x30, 80, 0);
        return tx_count;
    }
    return buildReads(true, {{kRamRead, 0x40, 20, 0},
                             {kRamRead, 0x70, 2, 20},
                             {kRamRead, 0xA0, 4, 22},
                             {kRamRead, 0x2C, 4, 26},
                             {kRamRead, 0x08, 1, 30}});
}

quint32 buildDataRead(bool hw_old) {
    buildIdentityHead(hw_old);
    if (hw_old)
        return buildReads(
            true, {{kRamRead, 0xB2, 8, 20}, {kRamRead, 0xCA, 3, 28}, {kRamRead, 0x50, 2, 31}});
    return buildReads(false, {{kParameterRead, 0x020, 8, 36},
                              {kParameterRead, 0x038, 3, 44},
                              {kParameterRead, 0x004, 2, 47}});
}

quint32 buildParameterMemoryRead(bool hw_old) {
    const quint32 read = buildDataRead(hw_old);
    if (!hw_old)
        return read;
    return buildReads(true, {{kParameterRead, 0x20, 8, 33},
                             {kParameterRead, 0x38, 3, 41},
                             {kParameterRead, 0x02, 2, 44}});
}

quint32 buildHwInfoRead(bool hw_old) {
    const quint32 head = buildIdentityHead(hw_old);
    if (hw_old)
        return head;
    return buildReads(false, {{kParameterRead, 0x138, 8, 36},
                              {kParameterRead, 0x160, 8, 44},
                              {kParameterRead, 0x180, 8, 52}});
}

quint32 buildErrmemRead(bool hw_old) {
    return buildReads(hw_old, {{kParameterRead, 0x80, 48, 0}, {kParameterRead, 0x70, 1, 48}});
}

quint32 buildErrmemClear(bool hw_old) {
    QList<WriteItem> items;
    for (quint16 i = 0; i < 48; ++i)
        items.append({kParameterWrite, quint16(0x80 + 2 * i), 0});
    items.append({kParameterWrite, 0x70, 0});
    return buildWrites(hw_old, items);
}

quint32 buildWrites(bool hw_old, const QList<WriteItem>& items) {
    quint16 offset = 0;
    for (const WriteItem& item : items)
        send_sio(nullptr, hw_old, item.cfg, item.adr, item.value, offset++);
    return quint32(offset * itemSize(hw_old, kParameterWrite));
}

QList<WriteItem> timeWriteItems(bool hw_old, const std::array<quint16, 8>& values) {
    const quint16 requestWord = hw_old ? 0x74 : 0x64;
    const std::array<quint16, 8> addresses{0xA8,        0xAA,        0xAC,        0xAE,
                                           requestWord, requestWord, requestWord, requestWord};
    QList<WriteItem> items;
    for (size_t i = 0; i < addresses.size(); ++i)
        items.append({kRamWrite, addresses[i], values[i]});
    return items;
}

QList<WriteItem> kalWriteItems(bool hw_old, const std::array<quint16, 5>& values) {
    return {{kParameterWrite, 0x48, values[0]},
            {kRamWrite, quint16(hw_old ? 0x2C : 0x30), values[1]},
            {kRamWrite, quint16(hw_old ? 0x2E : 0x32), values[2]},
            {kParameterWrite, 0x42, values[3]},
            {kParameterWrite, 0x44, values[4]}};
}

DataWriteAddresses dataWriteAddresses(bool hw_old) {
    const quint16 requestWord = hw_old ? 0x74 : 0x64;
    DataWriteAddresses a;
    a.ram = {requestWord, 0xB2, 0xB4, 0xB6, 0xB8, 0xBA, 0xBC, 0xBE, 0xC0, 0xCA, 0xCC, 0xCE};
    a.ram += hw_old ? QList<quint16>{0x50, 0x52} : QList<quint16>{0x38, 0x36};
    a.parameter = {0x20, 0x22, 0x24, 0x26, 0x28, 0x2A, 0x2C, 0x2E, 0x38, 0x3A, 0x3C};
    a.parameter += hw_old ? QList<quint16>{0x02, 0x04} : QList<quint16>{0x04, 0x06};
    a.tail = {WriteItem{kRamWrite, requestWord, 0},
              WriteItem{kRamWrite, quint16(hw_old ? 0x30 : 0x34), 0},
              WriteItem{kParameterWrite, 0x46, 0}};
    return a;
}
