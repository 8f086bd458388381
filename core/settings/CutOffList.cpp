#include "settings/CutOffList.h"

#include <algorithm>

#include "base/StrFormat.h"
#include "settings/SettingsStore.h"
#include "text/NumberScan.h"

void CCutOffList::Add(int minutes)
{
    const auto after = std::upper_bound(m_entries.begin(), m_entries.end(), minutes,
                                        [](int m, const Entry& e) { return m < e.minutes; });
    m_entries.insert(after, Entry{minutes, StrFormat("%.02d:%.02d", minutes / 60, minutes % 60)});
}

void CCutOffList::Remove(size_t index)
{
    if (index < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

int CCutOffList::Next(int minuteOfDay) const
{
    if (m_entries.empty())
        return -2;
    for (const Entry& e : m_entries) {
        if (e.minutes > minuteOfDay)
            return e.minutes;
    }
    return -1;
}

std::string CCutOffList::Text() const
{
    std::string text;
    for (const Entry& e : m_entries) {
        const std::string piece = StrFormat("%d ", e.minutes);
        if (text.size() + piece.size() > kMaxSettingText)
            break;
        text += piece;
    }
    return text;
}

void CCutOffList::SetText(const std::string& text)
{
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find(' ', start), text.size());
        if (end > start)
            Add(DecimalValue(text.substr(start, end - start).c_str()));
        start = end + 1;
    }
}
