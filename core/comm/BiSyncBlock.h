#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Framing of the link's data blocks: STX, the data, ETB or ETX, then the
// block check. There is no transparency: the data must hold no ETB or ETX.

constexpr size_t kMaxSendBlockData = 243;    // data bytes this station puts in one block
constexpr size_t kMaxReceiveBlockData = 266; // data bytes accepted in a received block
constexpr uint8_t kForceCutByte = 0xAC;      // in the send buffer: end the block here, drop the byte

// One block taken from the front of the send buffer.
struct BlockCut {
    std::string data;    // the block's data bytes
    size_t consumed = 0; // bytes to remove from the send buffer: the data and a dropped 0xAC
    bool forced = false; // cut at a 0xAC
};

// Cuts the next block. A 0xAC within the first 244 bytes ends the block before
// it; otherwise a buffer of at most 243 bytes goes whole, and a longer one up to
// the last "~" at positions 1 to 242, or else by its first byte alone.
//
// A block never repeats the data of the block sent before it, as the other
// station takes an identical block for a resend and drops it: a long field of
// doubled letters, sent a byte a block, would lose letters. Such a block is cut
// one byte shorter, or a single byte one byte longer. Only a block forced to a
// byte or none by 0xAC can't be changed.
BlockCut CutBlock(const std::string& sendBuffer, const std::string& previousBlock);

// The block as it goes on the line, without its check: STX, data, ETB or ETX.
std::string FrameBlock(const std::string& data, bool lastOfMessage);

// Exclusive or of every byte after the STX up to and including ETB or ETX.
uint8_t BlockCheck(const std::string& framedBlock);
