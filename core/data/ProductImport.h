#pragma once
#include <string>
#include <vector>

#include "data/DelimitedText.h"
#include "data/ItemRecord.h"

// Reads a supplier's product list from CSV or TSV text into product records.
// Six columns per row: item code, second code, pack size, price, discount,
// description. CSV fields may be quoted ("" inside quotes is one quote). A
// first row whose price and discount are not numbers is taken as a header.
// Any fault stops the import with a message naming the row: nothing is half-taken.
class CProductImport {
public:
    using Format = TextFormat;

    // Picks the format from a file name: ".tsv" and ".txt" are TSV, the rest CSV.
    static Format FormatFor(const std::string& fileName);

    bool Parse(const std::string& text, Format format);

    const std::vector<ItemRecord>& Products() const { return m_products; }
    const std::string& Error() const { return m_error; }
    // Codes seen more than once; the program keeps the first of each.
    int Duplicates() const { return m_duplicates; }

private:
    bool TakeRow(const std::vector<std::string>& fields, int row);
    bool Fail(int row, const std::string& what);

    std::vector<ItemRecord> m_products;
    std::string m_error;
    int m_duplicates = 0;
};
