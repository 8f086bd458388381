#include <gtest/gtest.h>

#include <string>

#include "FaultPlan.h"

namespace {

// Two blocks as a client sends them: "A" with ETB, "B" with ETX, each with its check.
const std::string kTwoBlocks = std::string("\x02" "A\x17") + char('A' ^ 0x17) + "\x02" "B\x03" + char('B' ^ 0x03);

TEST(FaultFilter, RefusesEveryKthArrivingBlockBySpoilingItsCheck)
{
    FaultPlan plan;
    plan.nakEvery = 2;
    CFaultFilter filter(plan);
    std::string bytes = kTwoBlocks + kTwoBlocks;
    ASSERT_TRUE(filter.Incoming(&bytes[0], bytes.size()));
    std::string expected = kTwoBlocks + kTwoBlocks;
    expected[7] ^= 1;
    expected[15] ^= 1;
    EXPECT_EQ(expected, bytes);
}

TEST(FaultFilter, DropsTheConnectionAtTheNthBlockEvenInPieces)
{
    FaultPlan plan;
    plan.dropAfterBlocks = 2;
    CFaultFilter filter(plan);
    std::string bytes = kTwoBlocks;
    EXPECT_TRUE(filter.Incoming(&bytes[0], 6));
    EXPECT_FALSE(filter.Incoming(&bytes[6], 2));
}

TEST(FaultFilter, SpoilsTheCheckOfEveryKthBlockSent)
{
    FaultPlan plan;
    plan.corruptEvery = 2;
    CFaultFilter filter(plan);
    EXPECT_EQ("\x02" "A\x17", filter.Outgoing("\x02" "A\x17", 3));
    EXPECT_EQ(std::string(1, 'A' ^ 0x17), filter.Outgoing(std::string(1, 'A' ^ 0x17).data(), 1));
    EXPECT_EQ("\x02" "B\x03", filter.Outgoing("\x02" "B\x03", 3));
    EXPECT_EQ(std::string(1, 'B' ^ 0x03 ^ 1), filter.Outgoing(std::string(1, 'B' ^ 0x03).data(), 1));
}

TEST(FaultFilter, NoiseComesBeforeControlsAndBlocksButNeverBeforeACheck)
{
    FaultPlan plan;
    plan.garbageBytes = 40;
    CFaultFilter filter(plan);
    const std::string grant = filter.Outgoing("\x10" "0", 2);
    ASSERT_EQ(42u, grant.size());
    EXPECT_EQ("\x10" "0", grant.substr(40));
    for (char c : grant.substr(0, 40))
        EXPECT_EQ(std::string::npos, std::string("\x02\x03\x04\x05\x10\x15\x17").find(c)) << int(c);
    EXPECT_EQ(43u, filter.Outgoing("\x02" "A\x03", 3).size());
    EXPECT_EQ(1u, filter.Outgoing("\x42", 1).size()) << "the check character follows its block at once";
}

TEST(FaultFilter, SilentOnceTheClientHasBid)
{
    FaultPlan plan;
    plan.silentAfterBid = true;
    CFaultFilter filter(plan);
    EXPECT_EQ("\x04", filter.Outgoing("\x04", 1));
    char bid = 0x05;
    EXPECT_TRUE(filter.Incoming(&bid, 1));
    EXPECT_EQ("", filter.Outgoing("\x10" "0", 2));
}

} // namespace
