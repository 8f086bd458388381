#pragma once
#include <ctime>
#include <string>
#include <vector>

class CItemList;

// What goes on paper: the order in progress, or an answer (from the response
// window or the history) with the outcome of each line.
struct PrintDocument {
    std::string title;       // "Order in progress", "Response to Order 123" ...
    std::string account;
    std::string when;        // the date and time the page header shows
    std::string orderNumber; // empty where there is none
    bool answered = false;   // the lines carry the server's status texts
    const CItemList* lines = nullptr;
    std::string notes;       // the order notes, in full
    std::string memo;        // the wholesaler's memo, in full
};

enum class PrintRowStyle {
    Text,        // plain text
    Heading,     // the column headings: bold
    Rule,        // a line drawn across the page, no text
    Undelivered, // an answered line that was not delivered in full: bold
};

struct PrintRow {
    std::string text;
    PrintRowStyle style = PrintRowStyle::Text;
};

using PrintPage = std::vector<PrintRow>;

// "07/12/2026 10:15": the date and time a page header shows.
std::string PrintDateTime(const std::tm& when);
// The same for the local time now.
std::string PrintTimeNow();

// The status of an answered line in words, as it goes on paper: "Delivered"
// for "Ok", "Part delivered: 5 of 8" for "5 Ordered" on a line of 8; every
// other text (out of stock, not found, "Failed" ...) as the window shows it.
std::string PrintStatusWords(const std::string& statusText, int quantity);
// An answered line that did not arrive in full: anything but "Ok".
bool PrintLineUndelivered(const std::string& statusText);

// Lays a document out in pages of a fixed-pitch font: every page starts with
// the same header (Quarn, the title and "page N of M"; the account, the date
// and time and the order number) and the column headings; an order line (a
// long description wraps onto further rows) never breaks across pages; the
// notes and the memo follow the lines in full, wrapped at word ends.
class CPrintLayout {
public:
    CPrintLayout(int rowsPerPage, int charsPerRow);

    // False, with no pages, when a page is too small to hold its header and a line.
    bool LayOut(const PrintDocument& document);
    const std::vector<PrintPage>& Pages() const { return m_pages; }

    // The rows the header and headings take at the top of every page.
    static constexpr int kHeaderRows = 5;
    // The narrowest page the columns fit on.
    static constexpr int kMinChars = 72;

private:
    struct Block {
        std::vector<PrintRow> rows;
        bool keepTogether = false;
    };

    std::vector<Block> BodyBlocks(const PrintDocument& document) const;
    std::vector<Block> LineBlocks(const PrintDocument& document) const;
    Block LineBlock(const PrintDocument& document, int index) const;
    std::vector<Block> TextBlocks(const char* label, const std::string& text) const;
    std::string ColumnRow(const PrintDocument& document, const std::vector<std::string>& cells) const;
    std::vector<PrintRow> Header(const PrintDocument& document, int page, int pageCount) const;
    int DescriptionWidth(const PrintDocument& document) const;

    int m_rows;
    int m_chars;
    std::vector<PrintPage> m_pages;
};
