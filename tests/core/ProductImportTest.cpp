#include <gtest/gtest.h>

#include <utility>

#include "data/ProductImport.h"

// A header, a quoted comma and a row short of a column (tests/tools/qbxdata_test.sh)
// and TSV by its file name (tests/wine/test_search.py) are pinned through the data tool.
TEST(ProductImport, BlankLinesDoubledQuotesAndRepeatedCodes)
{
    CProductImport import;
    ASSERT_TRUE(import.Parse("1,,10,1,0,A\r\n\r\n1,,100ML,12.5,2.5,\"SAY \"\"AH\"\" SPRAY\"\n",
                             CProductImport::Format::Csv))
        << import.Error();
    ASSERT_EQ(import.Products().size(), 2u);
    EXPECT_EQ(import.Products()[1].description, "SAY \"AH\" SPRAY");
    EXPECT_DOUBLE_EQ(import.Products()[1].discount, 2.5);
    EXPECT_EQ(import.Duplicates(), 1);
}

TEST(ProductImport, FaultsNameTheRowAndTakeNothing)
{
    const std::pair<std::string, const char*> cases[] = {
        {"1,,10,1,0,\"open\n", "row 1: a quoted field is not closed"},
        {"1,,10,1,0,\"TAB\tINSIDE\"\n", "row 1: a field holds a control character (a TAB, a line end or the like)"},
        {",,10,1,0,NO CODE\n", "row 1: the item code is empty"},
        // A "~" or a link control byte in a code would be sent in the order.
        {"1,,10,1,0,A\nB~ACC 9,,10,1,0,B\n", "row 2: the item code holds a '~' or a control character"},
        // A long field came back from the data file as a second, bogus product.
        {"1,,10,1,0," + std::string(256, 'D') + "\n", "row 1: a field is longer than 255 characters"},
        {"1,,10,1,0,A\n2,,10,nan,0,A\n", "row 2: the price 'nan' is not a number"},
        {"1,,10,1e300,0,A\n", "row 1: the price '1e300' is not from 0 to 1000000"},
        {"1,,10,1,-2e6,A\n", "row 1: the discount '-2e6' is not within 1000000"},
    };
    for (const auto& [text, error] : cases) {
        CProductImport import;
        EXPECT_FALSE(import.Parse(text, CProductImport::Format::Csv)) << text;
        EXPECT_EQ(import.Error(), error);
        EXPECT_TRUE(import.Products().empty());
    }
}
