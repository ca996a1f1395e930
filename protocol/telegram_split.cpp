#include "protocol/telegram_split.h"

#include "protocol/telegram.h"

namespace {

constexpr quint8 kSyncByte = 0x00;
constexpr quint8 kAcknowledge = 0xAA;
constexpr quint8 kHardwareTest = 0x63;
constexpr quint8 kBlockReadCommand = 0x09;
// Command, length, address high and low; then the data, the checksum and five fillers.
constexpr int kBlockHeader = 4;

TelegramItem makeItem(TelegramItem::Kind kind, quint8 command, int position, int length) {
    TelegramItem item;
    item.kind = kind;
    item.command = command;
    item.position = position;
    item.length = length;
    return item;
}

quint8 at(QByteArrayView bytes, int i) {
    return quint8(bytes[i]);
}

// The answer word of bytes i, i + 1 (low byte first) where the answer reaches it.
std::optional<quint16> answerWord(QByteArrayView received, int i) {
    if (i + 1 >= received.size())
        return std::nullopt;
    return quint16(at(received, i) | (at(received, i + 1) << 8));
}

struct Command {
    TelegramItem::Kind kind;
    bool old;
    quint16 cfg;
};

// The kind of a word item's command byte: 0x01 … 0x04 old, 0x05 … 0x08 new.
std::optional<Command> commandOf(quint8 byte) {
    if (byte < 0x01 || byte > 0x08)
        return std::nullopt;
    const bool old = byte <= 0x04;
    const quint16 cfg = quint16(old ? byte : byte - 4);
    switch (cfg) {
    case kRamRead:
        return Command{TelegramItem::Kind::RamRead, old, cfg};
    case kParameterRead:
        return Command{TelegramItem::Kind::ParameterRead, old, cfg};
    case kRamWrite:
        return Command{TelegramItem::Kind::RamWrite, old, cfg};
    default:
        return Command{TelegramItem::Kind::ParameterWrite, old, cfg};
    }
}

// A run of `byte` from pos; its length.
int runLength(QByteArrayView sent, int pos, quint8 byte) {
    int end = pos;
    while (end < sent.size() && at(sent, end) == byte)
        ++end;
    return end - pos;
}

// The block read from pos: one item per word of the length byte, then the checksum.
void splitBlockRead(QByteArrayView sent, QByteArrayView received, int pos,
                    QList<TelegramItem>& items) {
    if (pos + kBlockHeader > sent.size()) {
        items.append(
            makeItem(TelegramItem::Kind::Unknown, at(sent, pos), pos, int(sent.size()) - pos));
        return;
    }
    const int dataBytes = at(sent, pos + 1);
    const quint16 start = quint16((at(sent, pos + 2) << 8) | at(sent, pos + 3));
    const int data = pos + kBlockHeader;
    for (int k = 0; 2 * k < dataBytes && data + 2 * k < sent.size(); ++k) {
        TelegramItem item = makeItem(TelegramItem::Kind::BlockRead, kBlockReadCommand,
                                     k == 0 ? pos : data + 2 * k, k == 0 ? kBlockHeader + 2 : 2);
        item.address = quint16(start + 2 * k);
        item.value = answerWord(received, data + 2 * k);
        items.append(item);
    }
    const int sum = data + dataBytes;
    if (sum < sent.size()) {
        TelegramItem item =
            makeItem(TelegramItem::Kind::BlockRead, kBlockReadCommand, sum, int(sent.size()) - sum);
        item.address = start;
        item.checksum = true;
        if (sum < received.size())
            item.value = at(received, sum);
        items.append(item);
    }
}

} // namespace

QList<TelegramItem> splitTelegram(QByteArrayView sent, QByteArrayView received,
                                  std::optional<bool> hwOld) {
    QList<TelegramItem> items;
    int pos = 0;
    const int size = int(sent.size());
    while (pos < size) {
        const quint8 first = at(sent, pos);
        if (first == kSyncByte || first == kAcknowledge) {
            const int n = runLength(sent, pos, first);
            items.append(makeItem(first == kSyncByte ? TelegramItem::Kind::SyncRun
                                                     : TelegramItem::Kind::AcknowledgeRun,
                                  first, pos, n));
            pos += n;
            continue;
        }
        if (first == kHardwareTest && pos + 2 <= size) {
            TelegramItem item = makeItem(TelegramItem::Kind::HardwareTest, first, pos, 2);
            if (pos + 1 < received.size())
                item.value = at(received, pos + 1);
            items.append(item);
            pos += 2;
            continue;
        }
        if (first == kBlockReadCommand && hwOld != true) {
            splitBlockRead(sent, received, pos, items);
            return items;
        }
        const std::optional<Command> command = commandOf(first);
        const int itemBytes = command ? itemSize(command->old, command->cfg) : 0;
        if (!command || (hwOld && *hwOld != command->old) || pos + itemBytes > size) {
            items.append(makeItem(TelegramItem::Kind::Unknown, first, pos, size - pos));
            return items;
        }
        TelegramItem item = makeItem(command->kind, first, pos, itemBytes);
        const bool old = command->old;
        if (command->cfg == kRamRead || command->cfg == kParameterRead) {
            // Command, address (new: high byte first), two fillers answered with the word.
            item.address =
                old ? at(sent, pos + 1) : quint16((at(sent, pos + 1) << 8) | at(sent, pos + 2));
            item.value = answerWord(received, pos + itemBytes - 2);
        } else if (old) {
            // Command, address, value low byte first, filler.
            item.address = at(sent, pos + 1);
            item.value = quint16(at(sent, pos + 2) | (at(sent, pos + 3) << 8));
        } else {
            // Command, address and value high byte first, filler.
            item.address = quint16((at(sent, pos + 1) << 8) | at(sent, pos + 2));
            item.value = quint16((at(sent, pos + 3) << 8) | at(sent, pos + 4));
        }
        items.append(item);
        pos += itemBytes;
    }
    return items;
}
