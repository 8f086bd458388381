#include "print/PrintLayout.h"

#include <algorithm>
#include <cstdio>

#include "base/StrFormat.h"
#include "data/ItemList.h"

namespace {
constexpr char kUndeliveredMark[] = "! ";
constexpr int kMarkWidth = 2;

struct PrintColumn {
    const char* heading;
    int width; // 0: the description, which takes what the others leave
    bool rightAligned;
    bool answeredOnly;
};

// Every column is followed by one blank; the status stands two further off.
const PrintColumn kColumns[] = {
    {"#", 4, true, false},       {"Item", 10, false, false}, {"Description", 0, false, false},
    {"Size", 10, false, false},  {"Qty", 5, true, false},    {" Status", 24, false, true},
};
constexpr int kColumnCount = sizeof kColumns / sizeof kColumns[0];

std::string Pad(const std::string& text, int width, bool right)
{
    const int gap = std::max(0, width - static_cast<int>(text.size()));
    return right ? std::string(static_cast<size_t>(gap), ' ') + text : text + std::string(static_cast<size_t>(gap), ' ');
}

std::string TrimRight(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// The text's lines, without their carriage returns.
std::vector<std::string> Paragraphs(const std::string& text)
{
    std::vector<std::string> paragraphs;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        paragraphs.push_back(line);
        start = end + 1;
    }
    return paragraphs;
}

// The rows of one paragraph, broken after the last blank that fits; a word
// longer than the width is broken where the width ends.
void WrapParagraph(const std::string& paragraph, int width, std::vector<std::string>& rows)
{
    const size_t limit = static_cast<size_t>(std::max(1, width));
    size_t start = 0;
    do {
        size_t end = std::min(paragraph.size(), start + limit);
        if (end < paragraph.size()) {
            const size_t blank = paragraph.rfind(' ', end);
            if (blank != std::string::npos && blank > start)
                end = blank;
        }
        rows.push_back(TrimRight(paragraph.substr(start, end - start)));
        start = end;
        while (start < paragraph.size() && paragraph[start] == ' ')
            ++start;
    } while (start < paragraph.size());
}

std::vector<std::string> Wrap(const std::string& text, int width)
{
    std::vector<std::string> rows;
    for (const std::string& paragraph : Paragraphs(text))
        WrapParagraph(paragraph, width, rows);
    return rows;
}
} // namespace

std::string PrintDateTime(const std::tm& when)
{
    return StrFormat("%02d/%02d/%04d %02d:%02d", when.tm_mday, when.tm_mon + 1, when.tm_year + 1900, when.tm_hour,
                     when.tm_min);
}

std::string PrintTimeNow()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return local ? PrintDateTime(*local) : std::string();
}

std::string PrintStatusWords(const std::string& statusText, int quantity)
{
    if (statusText == "Ok")
        return "Delivered";
    int delivered = 0;
    char word[16] = {};
    if (std::sscanf(statusText.c_str(), "%d %15s", &delivered, word) == 2 && std::string(word) == "Ordered")
        return StrFormat("Part delivered: %d of %d", delivered, quantity);
    return statusText;
}

bool PrintLineUndelivered(const std::string& statusText)
{
    return statusText != "Ok";
}

CPrintLayout::CPrintLayout(int rowsPerPage, int charsPerRow) : m_rows(rowsPerPage), m_chars(charsPerRow) {}

int CPrintLayout::DescriptionWidth(const PrintDocument& document) const
{
    int width = m_chars - kMarkWidth;
    for (const PrintColumn& column : kColumns) {
        if (!column.answeredOnly || document.answered)
            width -= column.width + 1;
    }
    return width;
}

// One row of cells set in their columns; cells past the row's columns are ignored.
std::string CPrintLayout::ColumnRow(const PrintDocument& document, const std::vector<std::string>& cells) const
{
    std::string row;
    for (int i = 0; i < kColumnCount && i < static_cast<int>(cells.size()); ++i) {
        const PrintColumn& column = kColumns[i];
        if (column.answeredOnly && !document.answered)
            continue;
        const int width = column.width ? column.width : DescriptionWidth(document);
        row += Pad(cells[static_cast<size_t>(i)], width, column.rightAligned) + " ";
    }
    return TrimRight(row);
}

// A line is one block: its cells wrapped in their columns, side by side,
// the mark of a line not delivered in front of its first row.
CPrintLayout::Block CPrintLayout::LineBlock(const PrintDocument& document, int index) const
{
    const ItemRecord& line = *document.lines->At(index);
    const bool missing = document.answered && PrintLineUndelivered(line.statusText);
    const std::string status = document.answered ? " " + PrintStatusWords(line.statusText, line.quantity) : "";
    const std::string texts[kColumnCount] = {StrFormat("%d", index + 1), line.code, line.description, line.size,
                                             StrFormat("%d", line.quantity), status};
    std::vector<std::vector<std::string>> wrapped;
    size_t height = 1;
    for (int c = 0; c < kColumnCount; ++c) {
        wrapped.push_back(Wrap(texts[c], kColumns[c].width ? kColumns[c].width : DescriptionWidth(document)));
        height = std::max(height, wrapped.back().size());
    }
    Block block{{}, true};
    for (size_t r = 0; r < height; ++r) {
        std::vector<std::string> cells;
        for (const auto& column : wrapped)
            cells.push_back(r < column.size() ? column[r] : "");
        const char* mark = missing && r == 0 ? kUndeliveredMark : "  ";
        block.rows.push_back(
            {mark + ColumnRow(document, cells), missing ? PrintRowStyle::Undelivered : PrintRowStyle::Text});
    }
    return block;
}

// The lines, then their count and how many did not arrive in full.
std::vector<CPrintLayout::Block> CPrintLayout::LineBlocks(const PrintDocument& document) const
{
    std::vector<Block> blocks;
    int undelivered = 0;
    const int count = document.lines ? document.lines->Count() : 0;
    for (int i = 0; i < count; ++i) {
        blocks.push_back(LineBlock(document, i));
        undelivered += document.answered && PrintLineUndelivered(document.lines->At(i)->statusText) ? 1 : 0;
    }
    std::string total = StrFormat(count == 1 ? "%d line" : "%d lines", count);
    if (document.answered)
        total += StrFormat(", %d not delivered in full (marked !)", undelivered);
    blocks.push_back({{{"", PrintRowStyle::Text}, {"  " + total, PrintRowStyle::Text}}, true});
    return blocks;
}

// A label and the text under it: the label never ends a page alone, the text
// may go on over the next pages.
std::vector<CPrintLayout::Block> CPrintLayout::TextBlocks(const char* label, const std::string& text) const
{
    std::vector<Block> blocks;
    if (text.empty())
        return blocks;
    const std::vector<std::string> rows = Wrap(text, m_chars - kMarkWidth);
    blocks.push_back({{{"", PrintRowStyle::Text}, {label, PrintRowStyle::Heading}, {"  " + rows[0], PrintRowStyle::Text}},
                      true});
    for (size_t i = 1; i < rows.size(); ++i)
        blocks.push_back({{{"  " + rows[i], PrintRowStyle::Text}}, false});
    return blocks;
}

std::vector<CPrintLayout::Block> CPrintLayout::BodyBlocks(const PrintDocument& document) const
{
    std::vector<Block> blocks = LineBlocks(document);
    for (auto part : {TextBlocks("Order notes:", document.notes), TextBlocks("Message from Quarn:", document.memo)})
        blocks.insert(blocks.end(), part.begin(), part.end());
    return blocks;
}

std::vector<PrintRow> CPrintLayout::Header(const PrintDocument& document, int page, int pageCount) const
{
    const std::string pageText = StrFormat("page %d of %d", page, pageCount);
    // The page number stands at the right; a title too long for that pushes it on, uncut.
    std::string title = "Quarn  " + document.title;
    const size_t width = static_cast<size_t>(std::max(0, m_chars - static_cast<int>(pageText.size()) - 1));
    if (title.size() < width)
        title.resize(width, ' ');
    std::string details = "Account: " + document.account + "   " + document.when;
    if (!document.orderNumber.empty())
        details += "   Order number: " + document.orderNumber;
    std::vector<std::string> headings;
    for (const PrintColumn& column : kColumns)
        headings.push_back(column.heading);
    return {{title + " " + pageText, PrintRowStyle::Text},
            {details, PrintRowStyle::Text},
            {"", PrintRowStyle::Rule},
            {"  " + ColumnRow(document, headings), PrintRowStyle::Heading},
            {"", PrintRowStyle::Rule}};
}

bool CPrintLayout::LayOut(const PrintDocument& document)
{
    m_pages.clear();
    const int body = m_rows - kHeaderRows;
    if (body < 1 || m_chars < kMinChars)
        return false;
    std::vector<std::vector<PrintRow>> bodies(1);
    for (const Block& block : BodyBlocks(document)) {
        const int size = static_cast<int>(block.rows.size());
        const int used = static_cast<int>(bodies.back().size());
        if (block.keepTogether && size <= body && used > 0 && used + size > body)
            bodies.emplace_back();
        for (const PrintRow& row : block.rows) {
            if (static_cast<int>(bodies.back().size()) == body)
                bodies.emplace_back();
            bodies.back().push_back(row);
        }
    }
    const int pageCount = static_cast<int>(bodies.size());
    for (int i = 0; i < pageCount; ++i) {
        PrintPage page = Header(document, i + 1, pageCount);
        page.insert(page.end(), bodies[static_cast<size_t>(i)].begin(), bodies[static_cast<size_t>(i)].end());
        m_pages.push_back(page);
    }
    return true;
}
