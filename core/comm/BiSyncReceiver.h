#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "comm/BiSyncBlock.h"

// Gathers the data of one received block between STX and ETB or ETX and keeps
// its running check. A block longer than 266 data bytes keeps its first 266
// and is marked overflowed: no check character accepts it, so the engine
// refuses it and the sender sends it again.
class CBlockReceiver {
public:
    enum class Step { Data, BlockEnd, MessageEnd };

    void Begin();
    // Takes one byte after the STX: data, or the ETB / ETX that ends the block.
    Step Add(uint8_t byte);
    // The check character that follows the ETB or ETX.
    bool CheckMatches(uint8_t check) const { return !m_overflow && check == m_check; }
    std::string Text() const { return std::string(m_data, m_length); }

private:
    char m_data[kMaxReceiveBlockData] = {};
    size_t m_length = 0;
    uint8_t m_check = 0;
    bool m_overflow = false;
};
