#include <gtest/gtest.h>

#include <algorithm>

#include "OrderLines.h"
#include "print/PrintLayout.h"

namespace {
// An answer of count lines, every fifth out of stock, the rest delivered.
PrintDocument Answer(CItemList& lines, int count)
{
    for (int i = 0; i < count; ++i) {
        AddLine(lines, "C" + std::to_string(i), 2, "PRODUCT " + std::to_string(i));
        lines.At(i)->statusText = i % 5 == 4 ? "Out Of Stock" : "Ok";
    }
    PrintDocument document;
    document.title = "Response to Order 77";
    document.account = "100234";
    document.when = "07/12/2026 10:15";
    document.orderNumber = "77";
    document.answered = true;
    document.lines = &lines;
    return document;
}

std::string PageText(const PrintPage& page)
{
    std::string text;
    for (const PrintRow& row : page)
        text += row.text + "\n";
    return text;
}
} // namespace

TEST(PrintLayout, EveryPageHasTheHeaderAndHeadingsAndEveryLineIsPrintedOnce)
{
    CItemList lines;
    CPrintLayout layout(40, 96);
    ASSERT_TRUE(layout.LayOut(Answer(lines, 150)));
    const auto& pages = layout.Pages();
    ASSERT_EQ(pages.size(), 5u);
    std::string all;
    for (size_t p = 0; p < pages.size(); ++p) {
        EXPECT_LE(pages[p].size(), 40u);
        EXPECT_EQ(pages[p][0].text.substr(0, 29), "Quarn  Response to Order 77  ");
        EXPECT_NE(pages[p][0].text.find("page " + std::to_string(p + 1) + " of 5"), std::string::npos);
        EXPECT_EQ(pages[p][0].text.size(), 96u);
        EXPECT_EQ(pages[p][1].text, "Account: 100234   07/12/2026 10:15   Order number: 77");
        EXPECT_EQ(pages[p][3].style, PrintRowStyle::Heading);
        EXPECT_NE(pages[p][3].text.find("Description"), std::string::npos);
        all += PageText(pages[p]);
    }
    for (int i = 0; i < 150; ++i)
        EXPECT_NE(all.find(" C" + std::to_string(i) + " "), std::string::npos) << i;
    EXPECT_NE(all.find("150 lines, 30 not delivered in full (marked !)"), std::string::npos);
}

TEST(PrintLayout, UndeliveredLinesAreMarkedAndTheStatusIsInWords)
{
    CItemList lines;
    PrintDocument document = Answer(lines, 3);
    lines.At(1)->statusText = "1 Ordered";
    CPrintLayout layout(60, 80);
    ASSERT_TRUE(layout.LayOut(document));
    const PrintPage& page = layout.Pages()[0];
    EXPECT_EQ(page[5].style, PrintRowStyle::Text);
    EXPECT_EQ(page[5].text.substr(0, 2), "  ");
    EXPECT_NE(page[5].text.find("Delivered"), std::string::npos);
    EXPECT_EQ(page[6].style, PrintRowStyle::Undelivered);
    EXPECT_EQ(page[6].text.substr(0, 2), "! ");
    EXPECT_NE(page[6].text.find("Part delivered: 1 of 2"), std::string::npos);
    EXPECT_EQ(PrintStatusWords("Item Not Found", 3), "Item Not Found");
}

TEST(PrintLayout, ALongLineWrapsAndIsNeverSplitAcrossPages)
{
    CItemList lines;
    PrintDocument document = Answer(lines, 4);
    lines.At(3)->description = std::string(60, 'W');
    CPrintLayout layout(CPrintLayout::kHeaderRows + 5, 80);
    ASSERT_TRUE(layout.LayOut(document));
    const auto& pages = layout.Pages();
    ASSERT_EQ(pages.size(), 3u);
    // Three lines on the first page; the fourth, four rows of 15 characters, whole on the next.
    EXPECT_EQ(pages[0].size(), 8u);
    const std::string second = PageText(pages[1]);
    EXPECT_EQ(pages[1].size(), 9u);
    EXPECT_EQ(std::count(second.begin(), second.end(), 'W'), 60);
}

TEST(PrintLayout, NotesAndMemoArePrintedInFull)
{
    CItemList lines;
    PrintDocument document = Answer(lines, 1);
    document.notes = "Deliver to the back door please";
    std::string memo;
    for (int i = 0; i < 60; ++i)
        memo += "Memo line " + std::to_string(i) + "\r\n";
    document.memo = memo + "The end";
    CPrintLayout layout(30, 80);
    ASSERT_TRUE(layout.LayOut(document));
    std::string all;
    for (const PrintPage& page : layout.Pages())
        all += PageText(page);
    EXPECT_NE(all.find("Order notes:\n  Deliver to the back door please\n"), std::string::npos);
    EXPECT_NE(all.find("Message from Quarn:\n  Memo line 0\n"), std::string::npos);
    EXPECT_NE(all.find("  Memo line 59\n"), std::string::npos);
    EXPECT_NE(all.find("  The end\n"), std::string::npos);
}

TEST(PrintLayout, APageTooSmallForTheHeaderAndALineGivesNoPages)
{
    CItemList lines;
    CPrintLayout layout(CPrintLayout::kHeaderRows, 96);
    EXPECT_FALSE(layout.LayOut(Answer(lines, 1)));
    EXPECT_TRUE(layout.Pages().empty());
}
