#include <gtest/gtest.h>

#include <string>

#include "SkinTestRecorder.h"
#include "skin/SkinColour.h"
#include "skin/SkinCoord.h"
#include "skin/SkinReader.h"
#include "skin/SkinVariables.h"
#include "skin/SkinWords.h"

namespace {

int32_t Resolve(const char* word, int32_t extent)
{
    return CSkinCoord::FromWord(word).Resolve(extent);
}

class SkinColourTest : public SkinTest {
protected:
    // Parses a colour block; the value, or -1 when the block is rejected.
    int64_t Colour(const std::string& block)
    {
        CSkinVariables variables;
        CSkinReader reader(variables, Script(block + " \n").c_str());
        CSkinColour colour;
        return colour.Parse(reader) ? int64_t(colour.Value()) : -1;
    }
};

} // namespace

TEST(SkinCoord, ResolvesEveryCombinationOfAnchorFlags)
{
    EXPECT_EQ(Resolve("10", 200), 10);
    EXPECT_EQ(Resolve("-5R", 200), 195);
    EXPECT_EQ(Resolve("R", 200), 200);
    EXPECT_EQ(Resolve("b", 80), 80);
    EXPECT_EQ(Resolve("0C", 200), 100);
    EXPECT_EQ(Resolve("-7c", 201), 93);
    EXPECT_EQ(Resolve("10CR", 200), 10) << "centre and far edge have no combined meaning";
    EXPECT_EQ(Resolve("50%", 200), 100);
    EXPECT_EQ(Resolve("25%B", 200), 250);
    EXPECT_EQ(Resolve("50%C", 200), 200);
    EXPECT_EQ(Resolve("10%CR", 200), 10) << "all three have no combined meaning";
    EXPECT_EQ(Resolve("33%", 100), 33);
    EXPECT_EQ(Resolve("-33%", 10), -3) << "division truncates toward zero";
}

TEST(SkinCoord, ReadsADecimalNumberAndThenTheFlagLetters)
{
    EXPECT_EQ(Resolve("L", 200), 0);
    EXPECT_EQ(Resolve("12T", 200), 12);
    EXPECT_EQ(Resolve("010", 200), 10) << "coordinates are decimal";
    EXPECT_EQ(Resolve("0x10", 200), 0);
    EXPECT_EQ(Resolve("5 R", 200), 205) << "any later character counts";
    EXPECT_EQ(Resolve("+8", 200), 8);
    const CSkinCoord c = CSkinCoord::FromWord("-3%rc");
    EXPECT_EQ(c.Value(), -3);
    EXPECT_EQ(c.Flags(), CSkinCoord::kPercent | CSkinCoord::kFar | CSkinCoord::kCentre);
}

TEST(SkinCoord, HugeValuesStayWithin32Bits)
{
    EXPECT_EQ(CSkinCoord::FromWord("99999999999").Value(), INT32_MAX);
    EXPECT_EQ(CSkinCoord::FromWord("-99999999999").Value(), INT32_MIN);
    EXPECT_EQ(Resolve("2147483647R", 1), INT32_MIN) << "32-bit arithmetic wraps";
    EXPECT_EQ(Resolve("2147483647%", 2147483647), 0);
}

TEST(SkinNumber, ReadsCIntegersWithAutomaticBase)
{
    EXPECT_EQ(SkinNumber("42"), 42);
    EXPECT_EQ(SkinNumber("0x1F"), 31);
    EXPECT_EQ(SkinNumber("010"), 8);
    EXPECT_EQ(SkinNumber("-12abc"), -12);
    EXPECT_EQ(SkinNumber("word"), 0);
    EXPECT_EQ(SkinNumber("0xFFFFFFFFFF"), INT32_MAX);
}

TEST_F(SkinColourTest, OneNumberIsTheValueAndThreeArePacked)
{
    EXPECT_EQ(Colour("{ 0x00123456 }"), 0x123456);
    EXPECT_EQ(Colour("{ 255 0 0 }"), 0x0000FF);
    EXPECT_EQ(Colour("{ 1 2 3 }"), 0x030201);
    EXPECT_EQ(Colour("{ 0x1FF 256 -1 }"), 0xFF00FF) << "each component cut to 8 bits";
}

TEST_F(SkinColourTest, OtherCountsAndMissingBracesFail)
{
    EXPECT_EQ(Colour("{ }"), -1);
    EXPECT_EQ(Colour("{ 1 2 }"), -1);
    EXPECT_EQ(Colour("{ 1 2 3 4 }"), -1);
    EXPECT_EQ(Colour("{255,0,0}"), -1);
    EXPECT_EQ(Colour("255"), -1);
    EXPECT_EQ(Colour("{ 1 2 3"), -1);
}

TEST(SkinColour, AColourLeftUnsetFallsBack)
{
    const CSkinColour unset;
    EXPECT_FALSE(unset.IsSet());
    EXPECT_EQ(unset.Value(), 0xFFFFFFFFu);
    EXPECT_EQ(unset.Or(0x123456), 0x123456u);
    EXPECT_EQ(CSkinColour(0x10).Or(0x123456), 0x10u);
}
