#include <gtest/gtest.h>

#include "comm/BiSyncBlock.h"

namespace {

std::string Fields(size_t firstLength, size_t secondLength)
{
    return std::string(firstLength - 1, 'a') + "~" + std::string(secondLength - 1, 'b') + "~";
}

} // namespace

TEST(BiSyncBlock, ShortMessageGoesWhole)
{
    const std::string buffer = Fields(100, 143);
    BlockCut cut = CutBlock(buffer, "");
    EXPECT_EQ(cut.data, buffer);
    EXPECT_EQ(cut.consumed, 243u);
    EXPECT_FALSE(cut.forced);
}

TEST(BiSyncBlock, LongMessageIsCutAfterTheLastTildeThatFits)
{
    // Tildes at positions 99 and 243: the second lies past the block.
    const std::string buffer = Fields(100, 144);
    ASSERT_EQ(buffer.size(), 244u);
    BlockCut cut = CutBlock(buffer, "");
    EXPECT_EQ(cut.data, buffer.substr(0, 100));
    EXPECT_EQ(cut.consumed, 100u);
}

TEST(BiSyncBlock, TildeAtPosition242IsTheLastThatFits)
{
    std::string buffer = std::string(242, 'x') + "~" + std::string(10, 'y') + "~";
    EXPECT_EQ(CutBlock(buffer, "").data.size(), 243u);
    buffer = "~" + std::string(300, 'x');
    // A tilde at position 0 is no cut: the field goes a byte at a time.
    EXPECT_EQ(CutBlock(buffer, "").data, "~");
}

TEST(BiSyncBlock, FieldLongerThanABlockGoesOneByteAtATime)
{
    const std::string buffer = "ORDER NOTES " + std::string(300, 'n') + "~";
    BlockCut cut = CutBlock(buffer, "");
    EXPECT_EQ(cut.data, "O");
    EXPECT_EQ(cut.consumed, 1u);
}

TEST(BiSyncBlock, ForceByteEndsTheBlockAndIsDropped)
{
    const std::string buffer = std::string("0123456789") + '\xAC' + "rest~";
    BlockCut cut = CutBlock(buffer, "");
    EXPECT_TRUE(cut.forced);
    EXPECT_EQ(cut.data, "0123456789");
    EXPECT_EQ(cut.consumed, 11u);
}

TEST(BiSyncBlock, ForceByteAt243StillForcesButNotAt244)
{
    std::string buffer = std::string(243, 'x') + '\xAC' + "y";
    BlockCut cut = CutBlock(buffer, "");
    EXPECT_TRUE(cut.forced);
    EXPECT_EQ(cut.data.size(), 243u);
    buffer = std::string(244, 'x') + '\xAC';
    EXPECT_FALSE(CutBlock(buffer, "").forced);
}

TEST(BiSyncBlock, NeverRepeatsThePreviousBlock)
{
    // A doubled letter sent a byte a block would be dropped by the other station as a resend.
    const std::string letters = std::string(300, 'l') + "~";
    BlockCut cut = CutBlock(letters, "l");
    EXPECT_EQ(cut.data, "ll");
    // Whole fields that happen to repeat the previous block lose their last byte.
    const std::string repeat = "AB*1~AB*1~";
    cut = CutBlock(repeat, repeat);
    EXPECT_EQ(cut.data, "AB*1~AB*1");
    EXPECT_EQ(cut.consumed, 9u);
}

TEST(BiSyncBlock, FramingAndCheck)
{
    const std::string framed = FrameBlock("A~", true);
    EXPECT_EQ(framed, "\x02" "A~\x03");
    EXPECT_EQ(BlockCheck(framed), 0x41 ^ 0x7E ^ 0x03);
    EXPECT_EQ(FrameBlock("", false), "\x02\x17");
    EXPECT_EQ(BlockCheck(FrameBlock("", false)), 0x17);
}
