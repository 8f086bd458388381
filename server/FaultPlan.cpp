#include "FaultPlan.h"

#include "comm/LinkBytes.h"

namespace {

bool IsProtocolByte(unsigned char c)
{
    return c == kSTX || c == kETX || c == kEOT || c == kENQ || c == kDLE || c == kNAK || c == kETB;
}

} // namespace

// Follows the framing one byte at a time; true when c is a block's check character.
bool CFaultFilter::ScanByte(Scan* state, unsigned char c)
{
    switch (*state) {
    case Scan::Outside:
        if (c == kSTX)
            *state = Scan::InBlock;
        return false;
    case Scan::InBlock:
        if (c == kETB || c == kETX)
            *state = Scan::AwaitCheck;
        return false;
    case Scan::AwaitCheck:
        *state = Scan::Outside;
        return true;
    }
    return false;
}

bool CFaultFilter::Incoming(char* data, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (c == kENQ)
            m_bidSeen = true;
        if (!ScanByte(&m_in, c))
            continue;
        ++m_blocksIn;
        if (m_plan.dropAfterBlocks && m_blocksIn >= m_plan.dropAfterBlocks)
            return false;
        if (m_plan.nakEvery && m_blocksIn % m_plan.nakEvery == 0)
            data[i] = static_cast<char>(c ^ 0x01); // the link then refuses the block itself
    }
    return true;
}

std::string CFaultFilter::Outgoing(const char* data, size_t count)
{
    if (m_plan.silentAfterBid && m_bidSeen)
        return std::string();
    std::string out;
    // Noise goes only before a whole control sequence or block, never between
    // a block and its check character, so the client can still make progress.
    if (m_plan.garbageBytes && m_out == Scan::Outside && count && IsProtocolByte(static_cast<unsigned char>(data[0])))
        out = Garbage();
    for (size_t i = 0; i < count; ++i) {
        unsigned char c = static_cast<unsigned char>(data[i]);
        if (ScanByte(&m_out, c) && m_plan.corruptEvery && ++m_blocksOut % m_plan.corruptEvery == 0)
            c ^= 0x01; // the client refuses the block and the link sends it again
        out.push_back(static_cast<char>(c));
    }
    return out;
}

std::string CFaultFilter::Garbage()
{
    std::string noise;
    while (noise.size() < static_cast<size_t>(m_plan.garbageBytes)) {
        m_noise ^= m_noise << 13;
        m_noise ^= m_noise >> 17;
        m_noise ^= m_noise << 5;
        const unsigned char c = static_cast<unsigned char>(m_noise);
        if (!IsProtocolByte(c))
            noise.push_back(static_cast<char>(c));
    }
    return noise;
}
