#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/ItemList.h"

// Appends a line; before Setup lines of one code stay apart, afterwards they merge.
inline void AddLine(CItemList& list, const std::string& code, int quantity, const std::string& description = "")
{
    auto line = std::make_unique<ItemRecord>();
    line->code = code;
    line->quantity = quantity;
    line->description = description;
    list.AddRecord(std::move(line));
}

// Appends a product with its second code (a barcode).
inline void AddProduct(CItemList& products, const std::string& code, const std::string& second)
{
    auto product = std::make_unique<ItemRecord>();
    product->code = code;
    product->auxText = second;
    products.AddRecord(std::move(product));
}

// A list as "code=quantity" per line.
inline std::vector<std::string> Described(const CItemList& list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.At(i)->code + "=" + std::to_string(list.At(i)->quantity));
    return lines;
}

// Counts the saves of the list's file.
struct SaveCounter : IItemListView {
    void RowInserted(int) override {}
    void RowDeleted(int) override {}
    void RowChanged(int) override {}
    void RowsReset() override {}
    void Saved(bool) override { ++saves; }
    int saves = 0;
};
