#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "history/HistoryName.h"

// One node of the history tree: a year, a month, a day or an order.
struct CHistoryNode {
    std::string text;
    int value = 0;        // the year, month or day; 0 for an order
    int depth = 0;        // 1 year, 2 month, 3 day, 4 order; 0 for the root
    CHistoryNode* parent = nullptr;
    std::vector<std::unique_ptr<CHistoryNode>> children;

    bool IsOrder() const { return depth == kOrderDepth; }
    static constexpr int kOrderDepth = 4;
};

// Where the history dialog opens: the node selected and expanded first, and
// the node selected in the end (its last child, or the node itself when it
// has none). Both null when nothing is selected.
struct HistoryOpening {
    const CHistoryNode* expanded = nullptr;
    const CHistoryNode* selected = nullptr;
};

// Longest history index read; anything past it is ignored.
constexpr size_t kMaxHistoryIndexBytes = 4 * 1024 * 1024;

// The stored orders by year, month and day, built from the history index or
// from the names of the history files.
class CHistoryTree {
public:
    const CHistoryNode& Root() const { return m_root; }
    void Clear();

    // Builds the tree from "index.dat" in folder when there is one, else from
    // the names of the files in folder matching "*(*).dat", in name order.
    // True when the index described it.
    bool Load(const std::string& folder);
    // False when the file can't be opened.
    bool ReadIndexFile(const std::string& path);
    // Index records: a little-endian 16-bit tag and its payload; the records
    // end at the first that can't be read whole. A record without its parent
    // (or a month beyond 12) is skipped with everything under it.
    void ReadIndex(const uint8_t* data, size_t size);
    // Adds the order a file name stands for; false (and nothing added) for a
    // name that doesn't begin with a date and time.
    bool AddHistoryFile(const std::string& fileName);

    // The last child whose value is at most value, stopping at the first
    // equal one; null when every child's value is greater.
    static const CHistoryNode* FindChild(const CHistoryNode& parent, int value);
    // The walk to a day (today's, for the dialog): the day's node, or the
    // latest earlier day of the latest month at or before the day's, or that
    // month, or the latest year at or before the day's year; expanded, with
    // its last child selected.
    HistoryOpening OpeningFor(int year, int month, int day) const;

    // The pieces of the file name an order node stands for, as read back
    // from that name; numbers that can't be read stay 0.
    static HistoryName OrderName(const CHistoryNode& order);
    // The file an order node stands for, "History\2008-03-05 14.03.22 (123).dat";
    // empty for any other node.
    static std::string OrderPath(const CHistoryNode& order);

private:
    static std::string OrderTitle(const CHistoryNode& order);
    static int FindChildIndex(const CHistoryNode& parent, int value);
    CHistoryNode* Append(CHistoryNode* parent, std::string text, int value);
    CHistoryNode* FindOrInsert(CHistoryNode* parent, int value, std::string text);
    CHistoryNode* Insert(CHistoryNode* parent, size_t position, std::string text, int value);

    CHistoryNode m_root;
};
