#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OrderLines.h"
#include "order/ScanCode.h"

namespace {

const std::string kGtin = "04006381333931";  // EAN-13 4006381333931
const std::string kGs = "\x1D";

} // namespace

TEST(ScanCode, ElementStringsSplitAtPredefinedLengthsAndSeparators)
{
    std::vector<Gs1Element> elements;
    ASSERT_TRUE(ParseGs1("01" + kGtin + "17261231" + "10ab-12" + kGs + "21X" + kGs + "3103000250", elements));
    std::vector<std::string> got;
    for (const Gs1Element& e : elements)
        got.push_back(e.ai + "=" + e.data);
    EXPECT_EQ(got, (std::vector<std::string>{"01=" + kGtin, "17=261231", "10=ab-12", "21=X", "3103=000250"}));

    EXPECT_TRUE(ParseGs1("7256" + std::string(90, 'A'), elements)); // a patient's full name runs past its group's 30
    const std::string refused[] = {
        "0501234",                             // unassigned AI
        "01" + kGtin + "172612",               // fixed-length field cut off
        "17ABCDEF",                            // letters in a numeric field
        "10" + kGs + "21X",                    // empty variable field
        "10" + std::string(21, 'A'),           // batch longer than 20
        "7256" + std::string(91, 'A'),         // and has a limit of its own
    };
    for (const std::string& text : refused)
        EXPECT_FALSE(ParseGs1(text, elements)) << text;
}

// A bare EAN-13, a batch ended by the separator before the GTIN, a wrong
// check digit in a 2D code, words and several products of one code are pinned
// end to end (tests/wine/test_scan.py); here the short forms of a GTIN.
TEST(ScanCode, TextIsReadAsACodeOnlyWhenItIsOne)
{
    struct Case {
        std::string text;
        ScanKind kind;
        std::string gtin;
    };
    const Case cases[] = {
        {" \x02" "4006381333931\x03\r\n", ScanKind::Gtin, kGtin},  // a scanner's framing
        {"]E04006381333931", ScanKind::Gtin, kGtin},
        {"96385074", ScanKind::Gtin, "00000096385074"},
        {"01" + kGtin, ScanKind::Gtin, kGtin},
        {"]Q317261231" + std::string("01") + kGtin, ScanKind::Gtin, kGtin},
        {"]C117270131104711", ScanKind::Unreadable, ""},     // expiry and batch: 14 digits, but no GTIN
        {"]d203" + kGtin, ScanKind::Gtin, kGtin},             // a made-to-order item's number
        {"]d210ABC01" + kGtin, ScanKind::Unreadable, ""},     // no separator: the batch swallows the GTIN
        {"10ABC" + kGs + "21X", ScanKind::Unreadable, ""},
        {"500", ScanKind::Words, ""},
    };
    for (const Case& c : cases) {
        const ScannedCode code = ReadScannedCode(c.text);
        EXPECT_EQ(code.kind, c.kind) << c.text;
        EXPECT_EQ(code.gtin, c.gtin) << c.text;
    }
}

TEST(ScanCode, LookUpFindsProductsBySecondOrItemCode)
{
    CItemList products;
    products.Setup(ListKind::Products);
    AddProduct(products, "A1", "4006381333931");
    AddProduct(products, "96385074", "00000096385074");  // one number twice: one product
    AddProduct(products, "C3", "4006381333932");         // a wrong check digit is never found

    const ScanLookup one = LookUpScan(products, "]d201" + kGtin + "10L1");
    EXPECT_EQ(one.outcome, ScanOutcome::One);
    EXPECT_EQ(one.products.at(0)->code, "A1");
    EXPECT_EQ(LookUpScan(products, "96385074").products.size(), 1u);

    EXPECT_EQ(LookUpScan(products, "5012345678900").message, "No product with the code\n5012345678900");
    EXPECT_EQ(LookUpScan(products, "4006381333932").message, "Wrong check digit in the code\n4006381333932");
    EXPECT_EQ(LookUpScan(products, "00000000").message, "No product with the code\n00000000");
    EXPECT_EQ(LookUpScan(products, "]d217261231" + kGs + "21X").message, "This code can't be read:\n]d217261231 21X");
    EXPECT_EQ(LookUpScan(products, "]d2" + std::string(40, '9')).message,
              "This code can't be read:\n]d2" + std::string(29, '9') + "...");

    // A product that leaves the list leaves the index.
    products.DeleteLine(0);
    EXPECT_EQ(LookUpScan(products, kGtin).outcome, ScanOutcome::Refused);
    products.Clear();
    EXPECT_EQ(LookUpScan(products, "96385074").outcome, ScanOutcome::Refused);
}
