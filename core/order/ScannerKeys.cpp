#include "order/ScannerKeys.h"

#include "order/ScanCode.h"

namespace {
constexpr char kBackspace = '\b';
} // namespace

bool IsScannerCharacter(char c)
{
    return static_cast<unsigned char>(c) >= ' ' || c == kGroupSeparator;
}

void CScannerKeys::Clear()
{
    m_text.clear();
    m_times.clear();
}

void CScannerKeys::Typed(char c, uint32_t time)
{
    if (IsScannerCharacter(c)) {
        m_text += c;
        m_times.push_back(time);
    } else if (c == kBackspace && !m_text.empty()) {
        m_text.pop_back();
        m_times.pop_back();
    }
}

bool CScannerKeys::Scanning() const
{
    if (m_times.size() < 2)
        return false;
    for (size_t i = 1; i < m_times.size(); ++i)
        if (!Fast(m_times[i - 1], m_times[i]))
            return false;
    return true;
}

bool CScannerKeys::ScanEndsAt(uint32_t endTime) const
{
    return m_text.size() > kQuantityCellLimit || (Scanning() && Fast(m_times.back(), endTime));
}
