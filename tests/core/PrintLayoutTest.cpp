#include <gtest/gtest.h>

#include <algorithm>

#include "OrderLines.h"
#include "print/PrintLayout.h"

namespace {
// An answer of count lines, all delivered.
PrintDocument Answer(CItemList& lines, int count)
{
    for (int i = 0; i < count; ++i) {
        AddLine(lines, "C" + std::to_string(i), 2, "PRODUCT " + std::to_string(i));
        lines.At(i)->statusText = "Ok";
    }
    PrintDocument document;
    document.title = "Response to Order 77";
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
