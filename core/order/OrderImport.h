#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/ItemList.h"

// A re-order list as a pharmacy's stock system writes it, taken into the
// order: one row per product wanted, its item code or pack barcode and the
// quantity, in CSV or TSV (a TAB in the first row makes it TSV); further
// columns are ignored, and a first row whose quantity holds no digit is a
// header. A row joins the order as a search hit with that quantity does; a
// barcode is read as a scan is. Every other row is listed, by its line, with
// the reason: the usable rows are still taken, all in one go. A row that
// would make a line large (see LargeQuantity) is not taken: typed, such a
// quantity is asked about, and a list has no one to ask.

// Far beyond any re-order list; a larger file is something else.
constexpr size_t kMaxOrderListBytes = 1024 * 1024;

struct UnusedListRow {
    int line;
    std::string reason;
};

class COrderImport {
public:
    // Reads the whole list before anything is taken. False, with Error(), for
    // a file that can't be read or is no list at all: nothing of it is used.
    bool ReadFile(const std::string& path);
    bool Read(const std::string& text);

    // Each row looked up among the products and checked against the lines of
    // the order as they stand and the rows before it.
    void Match(const CItemList& products, const CItemList& order);
    // The order's new lines and raised lines, with one save of its file.
    void AddTo(CItemList& order) const;

    const std::string& Error() const { return m_error; }
    const std::vector<ItemRecord>& Lines() const { return m_lines; }
    const std::vector<UnusedListRow>& Unused() const { return m_unused; }
    // What the pharmacist is told after the list is taken, the first `shown`
    // unused rows named; empty when every row was taken.
    std::string Report(size_t shown) const;

private:
    struct Row {
        int line;
        std::vector<std::string> fields;
    };

    bool Fail(const std::string& what);
    void MatchRow(const Row& row, const CItemList& products, const CItemList& order);
    const ItemRecord* FindProduct(const std::string& code, const CItemList& products, std::string& reason) const;

    std::vector<Row> m_rows;
    std::string m_error;
    std::vector<ItemRecord> m_lines;
    std::vector<UnusedListRow> m_unused;
    // Packs each product's line has gained from the rows matched so far.
    std::unordered_map<std::string, int64_t> m_taken;
};
