#include "comm/BlockSender.h"

// A cut looks no further than one byte past the longest block and the byte
// after that (see CutBlock): that much of the queue decides it.
constexpr size_t kCutWindow = kMaxSendBlockData + 2;

BlockCut CBlockSender::Next(CSendQueue& queue)
{
    BlockCut cut = CutBlock(queue.Front(kCutWindow), m_previousData);
    queue.Drop(cut.consumed);
    m_framed = FrameBlock(cut.data, queue.Empty());
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
