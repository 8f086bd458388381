#include "comm/BlockSender.h"

BlockCut CBlockSender::Next(std::string& sendBuffer)
{
    BlockCut cut = CutBlock(sendBuffer, m_previousData);
    sendBuffer.erase(0, cut.consumed);
    m_framed = FrameBlock(cut.data, sendBuffer.empty());
    m_check = BlockCheck(m_framed);
    m_previousData = cut.data;
    m_resends = kResends;
    return cut;
}

bool CBlockSender::TakeResend()
{
    if (m_resends == 0)
        return false;
    --m_resends;
    return true;
}

void CBlockSender::Clear()
{
    m_framed.clear();
    m_previousData.clear();
}
