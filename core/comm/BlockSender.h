#pragma once
#include <cstdint>
#include <string>

#include "comm/BiSyncBlock.h"
#include "comm/SendQueue.h"

// The block on its way: cut from the send buffer, kept framed for resending,
// with the resends it has left. Each new block starts with five, so a peer
// that refuses or ignores one block for good is given up after about 90
// seconds, however long the message.
class CBlockSender {
public:
    static constexpr int kResends = 5;

    // Cuts the next block from the front of the queue; the cut tells whether
    // a 0xAC forced it.
    BlockCut Next(CSendQueue& queue);
    // Uses up one resend; false when none was left.
    bool TakeResend();
    // Forgets the block and the one before it: a new link starts afresh.
    void Clear();

    // STX, data, ETB or ETX.
    const std::string& Framed() const { return m_framed; }
    uint8_t Check() const { return m_check; }

private:
    std::string m_framed;
    uint8_t m_check = 0;
    std::string m_previousData; // never repeated by the next block
    int m_resends = 0;
};
