#include "comm/BiSyncReceiver.h"

#include "comm/LinkBytes.h"

void CBlockReceiver::Begin()
{
    m_length = 0;
    m_check = 0;
    m_overflow = false;
}

CBlockReceiver::Step CBlockReceiver::Add(uint8_t byte)
{
    m_check ^= byte;
    if (byte == kETB)
        return Step::BlockEnd;
    if (byte == kETX)
        return Step::MessageEnd;
    if (m_length < kMaxReceiveBlockData)
        m_data[m_length++] = static_cast<char>(byte);
    else
        m_overflow = true;
    return Step::Data;
}
