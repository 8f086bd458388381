#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "comm/BiSyncBlock.h"

TEST(BiSyncBlock, CutAfterTheLastTildeThatFitsAtAForceByteOrByteByByte)
{
    struct Case {
        std::string buffer, previous, data;
        size_t consumed;
        bool forced;
    };
    const std::string fields = std::string(99, 'a') + "~" + std::string(143, 'b') + "~"; // tildes at 99 and 243
    const std::string x242(242, 'x'), x243(243, 'x'), x244(244, 'x');
    const Case cases[] = {
        {fields.substr(1), "", fields.substr(1), 243, false}, // a short message goes whole
        {fields, "", fields.substr(0, 100), 100, false},
        {x242 + "~" + "yyy~", "", x242 + "~", 243, false}, // position 242 is the last that fits
        {"~" + x243, "", "~", 1, false},                   // a tilde at 0 is no cut
        // A field longer than a block goes a byte at a time.
        {"ORDER NOTES " + x244 + "~", "", "O", 1, false},
        // 0xAC within the first 244 bytes ends the block and is dropped.
        {"0123456789\xAC" "rest~", "", "0123456789", 11, true},
        {x243 + "\xAC" "y", "", x243, 244, true},
        {x244 + "\xAC", "", "x", 1, false},
        // The other station drops a block like the one before as a resend: a
        // doubled letter would lose letters, so the cut moves by a byte.
        {x244 + "~", "x", "xx", 2, false},
        {"AB*1~AB*1~", "AB*1~AB*1~", "AB*1~AB*1", 9, false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const BlockCut cut = CutBlock(cases[i].buffer, cases[i].previous);
        EXPECT_EQ(cut.data, cases[i].data);
        EXPECT_EQ(cut.consumed, cases[i].consumed);
        EXPECT_EQ(cut.forced, cases[i].forced);
    }
}
