#include "sim/sim_protocol.h"

#include "sim/command_codes.h"

namespace trvsim {

namespace {

quint8 lowByte(quint16 word) {
    return quint8(word & 0xFF);
}
quint8 highByte(quint16 word) {
    return quint8(word >> 8);
}

} // namespace

SimProtocol::SimProtocol(ControllerMemory& memory) : memory_(memory) {}

void SimProtocol::reset() {
    state_ = State::Idle;
    pos_ = 0;
}

bool SimProtocol::expectsFiller() const {
    switch (state_) {
    case State::Idle:
        return false;
    case State::HardwareTest:
        return true;
    case State::ReadItem:
        return pos_ > addressBytes();
    case State::WriteItem:
        return pos_ > addressBytes() + 2;
    case State::BlockRead:
        return pos_ >= 4;
    }
    return false;
}

SimProtocol::Reply SimProtocol::feed(quint8 received) {
    if (received == kSync && expectsFiller()) {
        // The PC has given the item up and synchronises: see the header.
        const int dropped = pos_;
        reset();
        Reply reply = startItem(received);
        reply.dropped = dropped;
        return reply;
    }
    switch (state_) {
    case State::Idle:
        return startItem(received);
    case State::HardwareTest: {
        Reply reply;
        reply.byte = generation_ == Generation::New ? kNewHardwareMark : kOldHardwareMark;
        reply.event.kind = ProtocolEvent::Kind::HardwareTest;
        reply.event.value = reply.byte;
        return finish(reply);
    }
    case State::ReadItem:
        return readItem(received);
    case State::WriteItem:
        return writeItem(received);
    case State::BlockRead:
        return blockRead(received);
    }
    return finish(Reply{received, false, {}});
}

SimProtocol::Reply SimProtocol::finish(Reply reply) {
    reset();
    return reply;
}

quint16 SimProtocol::itemAddress() const {
    return generation_ == Generation::New ? quint16(header_[1] << 8 | header_[2]) : header_[1];
}

SimProtocol::Reply SimProtocol::startItem(quint8 received) {
    Reply reply;
    reply.byte = received; // every command byte is echoed
    if (received == kSync) {
        reply.byte = kAck;
        reply.event.kind = ProtocolEvent::Kind::Sync;
        return reply;
    }

    generation_ = memory_.generation();
    header_[0] = received;
    pos_ = 1;
    if (received == kHardwareTest) {
        state_ = State::HardwareTest;
        return reply;
    }
    if (generation_ == Generation::New) {
        switch (received) {
        case kNewRamRead:
        case kNewParRead:
            state_ = State::ReadItem;
            space_ = received == kNewRamRead ? Space::Ram : Space::Parameter;
            return reply;
        case kNewRamWrite:
        case kNewParWrite:
            state_ = State::WriteItem;
            space_ = received == kNewRamWrite ? Space::Ram : Space::Parameter;
            return reply;
        case kNewBlockRead:
            state_ = State::BlockRead;
            space_ = Space::Ram;
            return reply;
        default:
            break;
        }
    } else {
        switch (received) {
        case kOldRamRead:
        case kOldParRead:
            state_ = State::ReadItem;
            space_ = received == kOldRamRead ? Space::Ram : Space::Parameter;
            return reply;
        case kOldRamWrite:
        case kOldParWrite:
            state_ = State::WriteItem;
            space_ = received == kOldRamWrite ? Space::Ram : Space::Parameter;
            return reply;
        default:
            break;
        }
    }

    // Not a command of this generation (the 0xAA tail of the resynchronisation telegram,
    // a stray filler): echoed, nothing remembered.
    pos_ = 0;
    reply.event.kind = ProtocolEvent::Kind::Unknown;
    reply.event.value = received;
    return reply;
}

// Read item: command, address (two bytes on new hardware, one on old), then two fillers
// answered with the word, low byte first. The word is read once, when the address is
// complete, so both halves belong to the same moment.
SimProtocol::Reply SimProtocol::readItem(quint8 received) {
    const int addressEnd = addressBytes();
    Reply reply;
    if (pos_ <= addressEnd) {
        header_[pos_] = received;
        reply.byte = received;
        if (pos_ == addressEnd)
            word_ = memory_.readWord(space_, itemAddress());
        ++pos_;
        return reply;
    }
    if (pos_ == addressEnd + 1) {
        reply.byte = lowByte(word_);
        ++pos_;
        return reply;
    }
    reply.byte = highByte(word_);
    reply.event = {ProtocolEvent::Kind::Read, space_, itemAddress(), word_, 0, 0};
    return finish(reply);
}

// Write item: command, address, value (new hardware high byte first, old low byte first),
// each echoed; the trailing filler stores the word and is acknowledged. A zero in the
// filler's place drops the item unwritten (see feed()).
SimProtocol::Reply SimProtocol::writeItem(quint8 received) {
    const int valueEnd = addressBytes() + 2;
    Reply reply;
    if (pos_ <= valueEnd) {
        header_[pos_] = received;
        reply.byte = received;
        ++pos_;
        return reply;
    }
    const quint8 first = header_[valueEnd - 1];
    const quint8 second = header_[valueEnd];
    word_ = generation_ == Generation::New ? quint16(first << 8 | second)
                                           : quint16(second << 8 | first);
    memory_.writeWord(space_, itemAddress(), word_);
    reply.byte = kAck;
    reply.event = {ProtocolEvent::Kind::Write, space_, itemAddress(), word_, 0, 0};
    return finish(reply);
}

// Block read (new hardware): 0x09, the number of data bytes L, the start address, then
// one filler per data byte (word k low byte first), one for the checksum (sum of the
// data bytes modulo 256) and five more answered 0x00. The words are read together when
// the address is complete, so the block is one consistent snapshot.
SimProtocol::Reply SimProtocol::blockRead(quint8 received) {
    Reply reply;
    switch (pos_) {
    case 1:
        blockLength_ = received;
        reply.byte = received;
        ++pos_;
        return reply;
    case 2:
        header_[1] = received;
        reply.byte = received;
        ++pos_;
        return reply;
    case 3: {
        header_[2] = received;
        reply.byte = received;
        const quint16 start = itemAddress();
        blockSum_ = 0;
        for (int i = 0; i < blockLength_; i += 2) {
            const quint16 word = memory_.readWord(Space::Ram, quint16(start + i));
            blockData_[i] = lowByte(word);
            if (i + 1 < blockLength_)
                blockData_[i + 1] = highByte(word);
        }
        for (int i = 0; i < blockLength_; ++i)
            blockSum_ = quint8(blockSum_ + blockData_[i]);
        ++pos_;
        return reply;
    }
    default:
        break;
    }

    const int index = pos_ - 4;
    if (index < blockLength_) {
        reply.byte = blockData_[index];
    } else if (index == blockLength_) {
        reply.byte = blockSum_;
        reply.checksum = true;
        reply.event = {
            ProtocolEvent::Kind::BlockRead, Space::Ram, itemAddress(), 0, blockLength_, blockSum_};
    } else {
        reply.byte = 0x00;
        if (index == blockLength_ + kBlockTrailer)
            return finish(reply);
    }
    ++pos_;
    return reply;
}

} // namespace trvsim
