#pragma once
// The controller's side of the serial protocol, one received byte at a time: every byte
// the PC sends is answered by exactly one byte. Command, address and value bytes are
// echoed, filler bytes are answered with data, the synchronisation byte 0x00 with the
// acknowledge 0xAA. Pure: no I/O, no threads, no clock; the host feeds the bytes, sends
// the answers and tells it when the PC has closed or reopened the port (reset()).
//
// Getting back in step: the PC starts every exchange with ten 0x00 and its error recovery
// sends ten 0x00, then ten 0xAA. A half-received item (an aborted transfer) takes a zero
// where it expects an address, length or value byte, but where it expects a filler, which
// the PC always sends as 0x05, a zero can only be a synchronisation byte: the half item is
// dropped and the zero is acknowledged. No item has more than four bytes between its
// command and its first filler, so at most four zeros of a synchronisation run go astray,
// and a write stores its word only with its filler, so a recovery never writes. Time
// plays no part: the PC may be held up for any length of time in the middle of an item.
#include "sim/controller_memory.h"

#include <QtGlobal>
#include <array>

namespace trvsim {

// A completed item or single-byte exchange, for the telegram log.
struct ProtocolEvent {
    enum class Kind {
        None,         // the byte was part of an item that is not complete yet
        Sync,         // 0x00 answered 0xAA
        HardwareTest, // 0x63 and the byte after it; value = the answer (0x4D on new hardware)
        Read,         // one word read; value = the word answered
        Write,        // one word written; value = the word stored
        BlockRead,    // new-hardware block read; length = data bytes, checksum = the sum
        Unknown,      // a byte that starts no item, echoed; value = the byte
    };
    Kind kind = Kind::None;
    Space space = Space::Ram;
    quint16 address = 0;
    quint16 value = 0;
    int length = 0;
    quint8 checksum = 0;
};

class SimProtocol {
public:
    // Acknowledge of synchronisation; also the answer to the trailing filler of a write.
    static constexpr quint8 kAck = 0xAA;
    static constexpr quint8 kSync = 0x00;
    static constexpr quint8 kHardwareTest = 0x63;
    // Second answer of the hardware test: new hardware identifies itself with 0x4D, old
    // hardware answers something else.
    static constexpr quint8 kNewHardwareMark = 0x4D;
    static constexpr quint8 kOldHardwareMark = 0x00;
    // Bytes answered 0x00 after the block-read checksum.
    static constexpr int kBlockTrailer = 5;

    struct Reply {
        quint8 byte = 0;       // the answer
        bool checksum = false; // the answer is the block-read checksum
        ProtocolEvent event;   // kind None unless this byte completed something
        // A synchronisation byte in the place of a filler dropped a half-received item of
        // this many bytes.
        int dropped = 0;
    };

    explicit SimProtocol(ControllerMemory& memory);

    Reply feed(quint8 received);

    // Forgets a half-received item; the next byte starts a new one.
    void reset();
    bool idle() const { return state_ == State::Idle; }
    // Bytes of the current item received so far; 0 when idle.
    int itemPosition() const { return pos_; }

private:
    enum class State { Idle, HardwareTest, ReadItem, WriteItem, BlockRead };

    Reply startItem(quint8 received);
    Reply readItem(quint8 received);
    Reply writeItem(quint8 received);
    Reply blockRead(quint8 received);
    // The next byte of the current item is one the PC sends as a filler.
    bool expectsFiller() const;
    int addressBytes() const { return generation_ == Generation::New ? 2 : 1; }
    quint16 itemAddress() const;
    Reply finish(Reply reply);

    ControllerMemory& memory_;
    State state_ = State::Idle;
    Generation generation_ = Generation::New; // of the item being received
    Space space_ = Space::Ram;
    int pos_ = 0;                    // index within the item of the next byte
    std::array<quint8, 6> header_{}; // command, address and value bytes as received
    quint16 word_ = 0;               // the word a read item answers
    int blockLength_ = 0;
    quint8 blockSum_ = 0;
    std::array<quint8, 256> blockData_{};
};

} // namespace trvsim
