#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "TestServer.h"
#include "UpdateMessage.h"
#include "comm/BiSyncReceiver.h"

namespace {

// A client refuses a message over its limit, so a larger program file could
// never arrive: every older client's exchange would end failed. Such a file
// is refused when the server starts.
TEST(UpdateMessage, TheLargestFileAClientCanTakeIsServedAndOneByteMoreIsRefused)
{
    const size_t largest = LargestUpdateFile();
    EXPECT_LE(ComposeUpdateMessage(std::string(largest, 'P')).size(), kDefaultMessageLimit);
    EXPECT_GT(ComposeUpdateMessage(std::string(largest + 1, 'P')).size(), kDefaultMessageLimit);

    CTempFolder dir;
    std::string message, error;
    std::ofstream(dir.Path("fits.exe"), std::ios::binary) << std::string(largest, 'P');
    EXPECT_TRUE(LoadUpdateMessage(dir.Path("fits.exe"), &message, &error)) << error;
    std::ofstream(dir.Path("big.exe"), std::ios::binary) << std::string(largest + 1, 'P');
    EXPECT_FALSE(LoadUpdateMessage(dir.Path("big.exe"), &message, &error));
    EXPECT_NE(std::string::npos, error.find("too large to reach a client")) << error;
}

} // namespace
