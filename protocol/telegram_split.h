#pragma once
// The inverse of the telegram builder: a telegram the link sent (and the answer as far as
// it came) split back into its items, for the traffic view. Item layouts as send_sio
// writes them: word reads and writes of old hardware (commands 0x01 … 0x04), of new
// hardware (0x05 … 0x08), the block read of new hardware (0x09), the hardware test
// (0x63), and the synchronisation runs of 0x00 and 0xAA.
#include <QByteArrayView>
#include <QList>
#include <QtGlobal>
#include <optional>

struct TelegramItem {
    enum class Kind {
        SyncRun,        // 0x00 bytes, each answered 0xAA
        AcknowledgeRun, // 0xAA bytes (the tail of the error recovery)
        HardwareTest,   // 0x63 and a filler; value: the second answer byte
        RamRead,
        ParameterRead,
        RamWrite,
        ParameterWrite,
        BlockRead, // one item per word of the block; the last one: the checksum
        Unknown,   // a byte that starts no item of the generation: the rest of the telegram
    };
    Kind kind = Kind::Unknown;
    quint8 command = 0; // the command byte (the run's byte for runs)
    int position = 0;   // first byte of the item in the telegram
    int length = 0;     // bytes of the item
    quint16 address = 0;
    // The write value, or the word read from the answer (absent while the answer does not
    // reach it); for the block read's checksum item the answered checksum byte.
    std::optional<quint16> value;
    bool checksum = false; // BlockRead: the item is the block's checksum, not a word
};

// Splits `sent` into items; `received` is the answer as far as it arrived. hwOld is the
// generation the window knows (nullopt before the hardware test has told it): commands of
// the other generation are not items and end the split with an Unknown item; without a
// generation the command byte decides.
QList<TelegramItem> splitTelegram(QByteArrayView sent, QByteArrayView received,
                                  std::optional<bool> hwOld);
