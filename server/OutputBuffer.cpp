#include "OutputBuffer.h"

bool COutputBuffer::Append(const std::string& bytes)
{
    if (Size() + bytes.size() > m_limit)
        return false;
    m_bytes += bytes;
    return true;
}

void COutputBuffer::Take(size_t count)
{
    m_taken += count;
    // Moving what waits costs no more than what was sent since the last move,
    // and what was taken never outgrows what waits.
    if (m_taken >= Size()) {
        m_bytes.erase(0, m_taken);
        m_taken = 0;
    }
}
