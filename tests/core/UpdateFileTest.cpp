#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/UpdateFile.h"

// Chunks decoded and joined into "one", a short tail padded to a whole group,
// are pinned against orderd (tests/server/ExchangeTest.cpp), and an
// unwritable place by the place-order session's tests.
TEST(UpdateFile, GroupsOfFourCharactersCarryThreeBytes)
{
    // V = 4 * 2^18 + 3 * 2^12 + 2 * 2^6 + 1 = 0x103081.
    const char group[] = {1, 2, 3, 4};
    EXPECT_EQ(DecodeUpdateChunk(group, 4), (std::vector<uint8_t>{0x10, 0x30, 0x81}));
    // Characters after the last whole group carry nothing.
    EXPECT_EQ(DecodeUpdateChunk("ABCDEFGHIJ", 10).size(), 6u);
    // Encoded, chunks round-trip and hold no byte the link treats specially.
    std::vector<uint8_t> bytes(256 * 3);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
    const std::string chars = EncodeUpdateChunk(bytes.data(), bytes.size());
    EXPECT_EQ(chars.size(), 1024u);
    EXPECT_EQ(DecodeUpdateChunk(chars.data(), chars.size()), bytes);
    EXPECT_EQ(chars.find_first_of(std::string("~\xAC\x00\x03\x17", 5)), std::string::npos);
}
