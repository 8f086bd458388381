#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "TestServer.h"
#include "UpdateMessage.h"
#include "comm/BiSyncReceiver.h"

namespace {

bool WriteFile(const std::string& path, size_t bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    const std::string content(bytes, 'P');
    const bool ok = file && fwrite(content.data(), 1, bytes, file) == bytes;
    return file && fclose(file) == 0 && ok;
}

// A client refuses a message over its limit, so a larger program file could
// never arrive: every older client's exchange would end failed. Such a file
// is refused when the server starts.
TEST(UpdateMessage, TheLargestFileAClientCanTakeIsServedAndOneByteMoreIsRefused)
{
    const size_t largest = LargestUpdateFile();
    EXPECT_LE(ComposeUpdateMessage(std::string(largest, 'P')).size(), kDefaultMessageLimit);
    EXPECT_GT(ComposeUpdateMessage(std::string(largest + 1, 'P')).size(), kDefaultMessageLimit);

    CTempDir dir;
    std::string message, error;
    ASSERT_TRUE(WriteFile(dir.Path("fits.exe"), largest));
    EXPECT_TRUE(LoadUpdateMessage(dir.Path("fits.exe"), &message, &error)) << error;
    ASSERT_TRUE(WriteFile(dir.Path("big.exe"), largest + 1));
    EXPECT_FALSE(LoadUpdateMessage(dir.Path("big.exe"), &message, &error));
    EXPECT_NE(std::string::npos, error.find("too large to reach a client")) << error;
}

} // namespace
