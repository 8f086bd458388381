#include "history/HistoryTree.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "base/StrFormat.h"
#include "history/HistoryName.h"
#include "history/HistoryTexts.h"

namespace {

enum IndexTag : int16_t { kYearTag = 0, kMonthTag = 1, kDayTag = 2, kOrderTag = 3 };

// Little-endian fields of the index, read only while they are there whole.
class CIndexReader {
public:
    CIndexReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Has(size_t bytes) const { return m_size - m_at >= bytes; }
    int16_t Short()
    {
        const auto value = static_cast<uint16_t>(m_data[m_at] | m_data[m_at + 1] << 8);
        m_at += 2;
        return static_cast<int16_t>(value);
    }
    int32_t Long()
    {
        const uint32_t low = static_cast<uint16_t>(Short());
        const uint32_t high = static_cast<uint16_t>(Short());
        return static_cast<int32_t>(low | high << 16);
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

size_t PayloadSize(int16_t tag)
{
    switch (tag) {
    case kYearTag:
    case kMonthTag:
    case kDayTag:
        return 2;
    case kOrderTag:
        return 3 * 2 + 4;
    default:
        return 0;
    }
}

bool IsHistoryFileName(const std::string& name)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const size_t open = lower.find('(');
    return lower.size() >= 5 && lower.compare(lower.size() - 5, 5, ").dat") == 0 && open != std::string::npos &&
           open < lower.size() - 5;
}

} // namespace

void CHistoryTree::Clear()
{
    m_root.children.clear();
}

bool CHistoryTree::Load(const std::string& folder)
{
    Clear();
    if (ReadIndexFile(folder + "/index.dat"))
        return true;
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (IsHistoryFileName(name))
            names.push_back(name);
    }
    // Name order is date order, so siblings stay in ascending order.
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        AddHistoryFile(name);
    return false;
}

bool CHistoryTree::ReadIndexFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::vector<uint8_t> bytes(kMaxHistoryIndexBytes);
    const size_t size = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    ReadIndex(bytes.data(), size);
    return true;
}

void CHistoryTree::ReadIndex(const uint8_t* data, size_t size)
{
    CIndexReader in(data, size);
    CHistoryNode* year = nullptr;
    CHistoryNode* month = nullptr;
    CHistoryNode* day = nullptr;
    while (in.Has(2)) {
        const int16_t tag = in.Short();
        if (!in.Has(PayloadSize(tag)))
            return;
        switch (tag) {
        case kYearTag: {
            const int value = in.Short();
            year = Append(&m_root, StrFormat("%d", value), value);
            month = day = nullptr;
            break;
        }
        case kMonthTag: {
            const int value = in.Short();
            const bool valid = year && value >= 0 && value <= 12;
            month = valid ? Append(year, MonthTreeName(value), value) : nullptr;
            day = nullptr;
            break;
        }
        case kDayTag: {
            const int value = in.Short();
            day = month ? Append(month, DayText(value), value) : nullptr;
            break;
        }
        case kOrderTag: {
            const int hour = in.Short();
            const int minute = in.Short();
            const int second = in.Short();
            const int number = in.Long();
            if (day)
                Append(day, OrderNodeText(hour, minute, second, number), 0);
            break;
        }
        default:
            break;
        }
    }
}

bool CHistoryTree::AddHistoryFile(const std::string& fileName)
{
    HistoryName name;
    if (!ParseHistoryName(fileName, name))
        return false;
    CHistoryNode* year = FindOrInsert(&m_root, name.year, StrFormat("%d", name.year));
    CHistoryNode* month = FindOrInsert(year, name.month, MonthTreeName(name.month));
    CHistoryNode* day = FindOrInsert(month, name.day, DayText(name.day));
    Append(day, OrderNodeText(name.hour, name.minute, name.second, name.orderNumber), 0);
    return true;
}

const CHistoryNode* CHistoryTree::FindChild(const CHistoryNode& parent, int value)
{
    const int index = FindChildIndex(parent, value);
    return index < 0 ? nullptr : parent.children[static_cast<size_t>(index)].get();
}

int CHistoryTree::FindChildIndex(const CHistoryNode& parent, int value)
{
    int found = -1;
    for (size_t i = 0; i < parent.children.size(); ++i) {
        const int childValue = parent.children[i]->value;
        if (childValue <= value)
            found = static_cast<int>(i);
        if (childValue == value)
            break;
    }
    return found;
}

HistoryOpening CHistoryTree::OpeningFor(int year, int month, int day) const
{
    const CHistoryNode* found = nullptr;
    const CHistoryNode* level = &m_root;
    for (const int value : {year, month, day}) {
        level = FindChild(*level, value);
        if (!level)
            break;
        found = level;
    }
    HistoryOpening opening;
    if (found) {
        opening.expanded = found;
        opening.selected = found->children.empty() ? found : found->children.back().get();
    }
    return opening;
}

HistoryName CHistoryTree::OrderName(const CHistoryNode& order)
{
    HistoryName name;
    const std::string title = OrderTitle(order);
    if (!title.empty())
        ScanHistoryName(title, name);
    return name;
}

std::string CHistoryTree::OrderPath(const CHistoryNode& order)
{
    const std::string title = OrderTitle(order);
    return title.empty() ? title : kHistoryFolder + title;
}

std::string CHistoryTree::OrderTitle(const CHistoryNode& order)
{
    if (!order.IsOrder())
        return std::string();
    const CHistoryNode* day = order.parent;
    const CHistoryNode* month = day->parent;
    const CHistoryNode* year = month->parent;
    return HistoryOrderTitle(year->value, month->value, day->value, order.text);
}

CHistoryNode* CHistoryTree::Append(CHistoryNode* parent, std::string text, int value)
{
    return Insert(parent, parent->children.size(), std::move(text), value);
}

CHistoryNode* CHistoryTree::FindOrInsert(CHistoryNode* parent, int value, std::string text)
{
    const int index = FindChildIndex(*parent, value);
    if (index >= 0 && parent->children[static_cast<size_t>(index)]->value == value)
        return parent->children[static_cast<size_t>(index)].get();
    // Directly after the last lower sibling; a number lower than every
    // sibling's goes first, which keeps the ascending order.
    return Insert(parent, static_cast<size_t>(index + 1), std::move(text), value);
}

CHistoryNode* CHistoryTree::Insert(CHistoryNode* parent, size_t position, std::string text, int value)
{
    auto node = std::make_unique<CHistoryNode>();
    node->text = std::move(text);
    node->value = value;
    node->depth = parent->depth + 1;
    node->parent = parent;
    auto& siblings = parent->children;
    return siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(position), std::move(node))->get();
}
