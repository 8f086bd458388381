#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "comm/BiSyncBlock.h"

// The receiving side of the link: gathers one block between STX and ETB or
// ETX with its running check, and the blocks of a transmission into a message.
//
// A block longer than 266 data bytes keeps its first 266 and is refused
// whatever its check character, so the sender sends it again. A block with
// the data of the block accepted before it is a resend whose acknowledgement
// got lost: it is not added twice.
// Longest message a station takes in unless told otherwise: the client's
// limit, and so the most any server message may carry.
constexpr size_t kDefaultMessageLimit = 16u << 20;

class CBiSyncReceiver {
public:
    enum class Step { Data, BlockEnd, MessageEnd };
    enum class Verdict { Refused, Duplicate, Accepted };

    void BeginBlock();
    // Takes one byte after the STX: data, or the ETB / ETX that ends the block.
    Step Add(uint8_t byte);
    // The check character after ETB or ETX decides on the block. An accepted
    // block joins the message; one that ends it is owed to the owner until
    // MessageTaken.
    Verdict Finish(uint8_t check, bool endsMessage);

    const std::string& Message() const { return m_message; }
    // The owner has the message: empty it.
    void MessageTaken();
    // The duplicate just refused repeats the last block of a message the owner
    // has already taken, so the sender missed that message's acknowledgement.
    bool RepeatsTakenMessage() const { return m_lastBlockEndedMessage && !m_owedToOwner; }

    // The other station bid anew: its first block is no resend, whatever it holds.
    void NewTransmission();
    // A new line (modem call): nothing received so far counts.
    void NewLine();
    void Stop() { m_owedToOwner = false; }
    // Longest message taken in; a block that would make it longer is refused.
    void SetLimit(size_t bytes) { m_limit = bytes; }

private:
    char m_data[kMaxReceiveBlockData] = {};
    size_t m_length = 0;
    uint8_t m_check = 0;
    bool m_overflow = false;

    std::string m_message;   // blocks received so far in this transmission
    std::string m_lastBlock; // data of the last block accepted
    bool m_lastBlockEndedMessage = false;
    bool m_owedToOwner = false;
    size_t m_limit = kDefaultMessageLimit;
};
