#include "data/ItemList.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <limits>
#include <unordered_set>

#include "data/Gtin.h"
#include "data/RecordFormat.h"
#include "data/ScrambledFile.h"

namespace {

using GtinEntry = std::pair<uint64_t, ItemRecord*>;

// A function object rather than a function, so the load's sort of 100,000
// entries compares inline instead of through a pointer.
struct ByGtinOrder {
    bool operator()(const GtinEntry& a, const GtinEntry& b) const { return a.first < b.first; }
};
constexpr ByGtinOrder ByGtin;

// The GTIN numbers a product is found by: its item code's and its second
// code's, each once; 0 stands for none.
std::array<uint64_t, 2> GtinsOf(const ItemRecord& record)
{
    const uint64_t item = GtinNumber(record.code);
    const uint64_t second = GtinNumber(record.auxText);
    return {item, second == item ? 0 : second};
}

} // namespace

void CItemList::Setup(ListKind kind)
{
    m_kind = kind;
    m_setUp = true;
}

bool CItemList::Load(const char* fileName)
{
    if (fileName)
        m_fileName = fileName;
    CScrambledFile file(m_keys);
    const bool opened = file.Open(m_fileName, false);
    m_unreadable = file.Scrambled();
    if (m_unreadable && m_view)
        m_view->FileUnreadable();
    if (!opened)
        return false;
    m_loading = true;
    DropGtinIndex();
    ReserveFor(m_fileName);
    char line[kMaxDataLine + 1];
    while (file.ReadLine(line, kMaxDataLine)) {
        size_t n = std::strlen(line);
        // strlen stops at a NUL inside the line: the rest of it is dropped.
        if (n < 2)
            continue;
        while (n && (line[n - 1] == '\r' || line[n - 1] == '\n'))
            line[--n] = '\0';
        AddRecord(std::make_unique<ItemRecord>(ParseRecordLine(m_kind, line)));
    }
    m_loading = false;
    if (m_view)
        m_view->RowsReset();
    return true;
}

// Sizes the list and the code index for a file's records at once: growing
// them line by line costs a large product file most of its load time.
void CItemList::ReserveFor(const std::string& fileName)
{
    constexpr uintmax_t kShortestLikelyLine = 40;
    std::error_code ec;
    uintmax_t bytes = std::filesystem::file_size(fileName, ec);
    if (ec)
        return;
    size_t expected = m_records.size() + static_cast<size_t>(bytes / kShortestLikelyLine);
    m_records.reserve(expected);
    m_byCode.reserve(expected);
}

bool CItemList::Save(const char* fileName) const
{
    const std::string target = fileName ? fileName : m_fileName;
    if (target.empty())
        return false; // a list never named has no file to keep
    if (target != m_fileName)
        return Write(target);
    const bool saved = !m_unreadable && Write(target);
    m_unsaved = !saved;
    if (m_view)
        m_view->Saved(saved);
    return saved;
}

bool CItemList::Write(const std::string& fileName) const
{
    CScrambledFile file(m_keys);
    if (!file.Open(fileName, true))
        return false;
    for (const auto& record : m_records) {
        std::string line = FormatRecordLine(m_kind, *record);
        if (file.Write(line.data(), line.size()) != line.size())
            return false; // the temporary file is dropped; the old one stays
    }
    return file.Close();
}

void CItemList::AddRecord(std::unique_ptr<ItemRecord> record)
{
    if (TakeRecord(std::move(record)))
        AutoSave();
}

void CItemList::AddRecords(std::vector<std::unique_ptr<ItemRecord>> records)
{
    bool changed = false;
    for (auto& record : records)
        changed |= TakeRecord(std::move(record));
    if (changed)
        AutoSave();
}

// True when a line of a set-up list, not a product, was added or changed.
bool CItemList::TakeRecord(std::unique_ptr<ItemRecord> record)
{
    // One look-up finds a listed code and indexes a new one: a product load
    // spends most of its time in this table.
    const auto [slot, firstOfCode] = m_byCode.try_emplace(record->code, record.get());
    const bool isNew = firstOfCode || !m_setUp;
    ItemRecord* kept = slot->second;
    if (isNew) {
        kept = record.get();
        m_records.push_back(std::move(record));
        if (m_kind == ListKind::Products)
            IndexGtin(kept);
    } else {
        // A line read from a file may stand near the 32-bit limit: the sum stops there.
        const int64_t sum = static_cast<int64_t>(kept->quantity) + record->quantity;
        kept->quantity = static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                                  std::numeric_limits<int32_t>::max()));
    }
    if (m_kind == ListKind::Products || !m_setUp)
        return false;
    int index = isNew ? Count() - 1 : IndexOf(kept);
    if (isNew && m_view && !m_loading)
        m_view->RowInserted(index);
    RefreshLine(index);
    return true;
}

ItemRecord* CItemList::FindByCode(const std::string& code, int* index) const
{
    auto it = m_byCode.find(code);
    if (it == m_byCode.end())
        return nullptr;
    if (index)
        *index = IndexOf(it->second);
    return it->second;
}

std::vector<ItemRecord*> CItemList::FindByGtin(uint64_t gtin) const
{
    if (!m_gtinIndexed)
        BuildGtinIndex();
    std::vector<ItemRecord*> found;
    auto [first, last] = std::equal_range(m_byGtin.begin(), m_byGtin.end(), GtinEntry(gtin, nullptr), ByGtin);
    for (auto it = first; it != last; ++it)
        found.push_back(it->second);
    if (found.size() < 2)
        return found;
    // Several products of one code are rare: one pass puts them in list order.
    const std::unordered_set<const ItemRecord*> wanted(found.begin(), found.end());
    found.clear();
    for (const auto& record : m_records)
        if (wanted.count(record.get()))
            found.push_back(record.get());
    return found;
}

int CItemList::IndexOf(const ItemRecord* record) const
{
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].get() == record)
            return static_cast<int>(i);
    return -1;
}

void CItemList::UpdateRow(int index)
{
    if (index < 0 || index >= Count())
        return;
    RefreshLine(index);
    AutoSave();
}

void CItemList::RefreshLine(int index)
{
    if (index < 0 || index >= Count())
        return;
    if (m_kind == ListKind::Order && At(index)->quantity == 0) {
        // While loading, the view has no row for the line yet: it learns of
        // the whole list at the end of the load.
        int mark = m_view && !m_loading ? m_view->SelectionMark() : -1;
        DeleteLine(index);
        if (m_view && index < mark)
            m_view->SelectRow(mark - 1);
    } else if (m_view && !m_loading) {
        m_view->RowChanged(index);
    }
}

void CItemList::AutoSave() const
{
    if (!m_loading && m_kind == ListKind::Order && !m_fileName.empty())
        Save();
}

void CItemList::DeleteLine(int index)
{
    if (index < 0 || index >= Count())
        return;
    UnindexRecord(At(index));
    m_records.erase(m_records.begin() + index);
    if (m_view && !m_loading)
        m_view->RowDeleted(index);
}

void CItemList::Clear()
{
    m_records.clear();
    m_byCode.clear();
    DropGtinIndex();
    if (m_view)
        m_view->RowsReset();
}

void CItemList::Sort()
{
    if (m_records.empty())
        return;
    std::stable_sort(m_records.begin(), m_records.end(), [](const auto& a, const auto& b) {
        if (a->statusClass != b->statusClass)
            return a->statusClass > b->statusClass;
        return std::strcmp(a->description.c_str(), b->description.c_str()) < 0;
    });
    // With duplicate codes (a list never set up) the first of each code may have changed.
    m_byCode.clear();
    for (const auto& record : m_records)
        m_byCode.emplace(record->code, record.get());
    if (m_view)
        m_view->RowsReset();
    AutoSave();
}

void CItemList::Search(const CItemList& source, const char* text, int limit)
{
    int taken = 0;
    for (const auto& record : source.m_records) {
        if (!Matches(record->description.c_str(), text, record->size.c_str()))
            continue;
        if (taken == limit)
            break;
        AddRecord(std::make_unique<ItemRecord>(*record));
        ++taken;
    }
}

// Made whole at the first look-up, not while the products load: start-up and
// a supplier list's import don't wait for it, and a scan finds it ready after
// that. Each product then goes to its place as it comes.
void CItemList::BuildGtinIndex() const
{
    m_byGtin.clear();
    for (const auto& record : m_records)
        for (uint64_t gtin : GtinsOf(*record))
            if (gtin)
                m_byGtin.emplace_back(gtin, record.get());
    std::sort(m_byGtin.begin(), m_byGtin.end(), ByGtin);
    m_gtinIndexed = true;
}

void CItemList::DropGtinIndex()
{
    m_byGtin.clear();
    m_gtinIndexed = false;
}

void CItemList::IndexGtin(ItemRecord* record)
{
    if (!m_gtinIndexed)
        return;
    for (uint64_t gtin : GtinsOf(*record)) {
        if (!gtin)
            continue;
        const GtinEntry entry(gtin, record);
        m_byGtin.insert(std::upper_bound(m_byGtin.begin(), m_byGtin.end(), entry, ByGtin), entry);
    }
}

void CItemList::UnindexGtin(ItemRecord* record)
{
    if (!m_gtinIndexed)
        return;
    for (uint64_t gtin : GtinsOf(*record)) {
        auto [first, last] = std::equal_range(m_byGtin.begin(), m_byGtin.end(), GtinEntry(gtin, nullptr), ByGtin);
        auto it = std::find_if(first, last, [record](const GtinEntry& e) { return e.second == record; });
        if (it != last)
            m_byGtin.erase(it);
    }
}

void CItemList::UnindexRecord(ItemRecord* record)
{
    if (m_kind == ListKind::Products)
        UnindexGtin(record);
    auto it = m_byCode.find(record->code);
    if (it == m_byCode.end() || it->second != record)
        return;
    m_byCode.erase(it);
    for (const auto& other : m_records)
        if (other.get() != record && other->code == record->code) {
            m_byCode.emplace(other->code, other.get());
            break;
        }
}

namespace {

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// ASCII upper case into a buffer of 1,024 bytes, cut at 1,023 characters.
void UpperInto(char (&out)[1024], const char* a, const char* b = "")
{
    size_t n = 0;
    for (const char* part : {a, b})
        for (const char* p = part; *p && n < sizeof out - 1; ++p)
            out[n++] = Upper(*p);
    out[n] = '\0';
}

// The first word anchors a search at the start of the description, so a
// description that starts otherwise is passed over before anything is
// copied: most of 100,000 products are turned away here.
bool StartsLike(const char* description, const char* text)
{
    if (*text == ' ')
        return true; // not anchored
    for (; *text && *text != ' ' && *description; ++text, ++description)
        if (Upper(*text) != Upper(*description))
            return false;
    return true; // a word longer than the description goes on into the size: left to the full match
}

} // namespace

bool CItemList::Matches(const char* description, const char* text, const char* size)
{
    if (!StartsLike(description, text))
        return false;
    char words[1024];
    char target[1024];
    UpperInto(words, text);
    UpperInto(target, description, size);

    // Words are the runs between spaces; each is cut out of the copy in place.
    char* rest = words;
    auto nextWord = [&rest]() -> char* {
        while (*rest == ' ')
            ++rest;
        if (!*rest)
            return nullptr;
        char* start = rest;
        while (*rest && *rest != ' ')
            ++rest;
        if (*rest)
            *rest++ = '\0';
        return start;
    };
    const bool anchored = words[0] != ' ';
    char* word = nextWord();
    if (anchored) {
        // The first word anchors the match at the start of the description.
        if (!word || std::strncmp(target, word, std::strlen(word)) != 0)
            return false;
        target[0] = '\t';
        word = nextWord();
    }
    for (; word; word = nextWord()) {
        // Each word uses up the occurrence it matched, so a word given twice must occur twice.
        char* hit = std::strstr(target, word);
        if (!hit)
            return false;
        *hit = '\t';
    }
    return true;
}
