#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"
#include "data/ScrambledFile.h"

TEST(ScrambledStream, EachByteUsesItsKeyByteRotatedOncePerRound)
{
    std::vector<uint8_t> data(20, 0);
    CScrambledFile stream;
    stream.SetKey("AB");
    stream.Transform(data.data(), data.size());
    for (size_t i = 0; i < data.size(); ++i) {
        const unsigned key = static_cast<unsigned char>("AB"[i % 2]);
        const unsigned rounds = static_cast<unsigned>(i / 2 % 8);
        EXPECT_EQ(data[i], static_cast<uint8_t>((key << rounds) | (key >> (8 - rounds)))) << "byte " << i;
    }
}

// Files written with a key line by line and read back in pieces of another
// size are pinned through the data tool (tests/tools/qbxdata_test.sh); long
// lines arriving in pieces are read by ItemListFileTest's and EntryGridTest's lists.
using ScrambledFileTest = TempDirTest;

TEST_F(ScrambledFileTest, ASaveReplacesTheTargetOnlyWhenClosed)
{
    const std::string path = PathOf("Current.dat");
    WriteBytes(path, "old order\n");
    CScrambledFile out;
    ASSERT_TRUE(out.Open(path, true));
    out.WriteString("new order\n");
    // Until the save completes, readers (and a crash) see the old file whole.
    EXPECT_EQ(ReadBytes(path), "old order\n");
    EXPECT_TRUE(out.Close());
    EXPECT_EQ(ReadBytes(path), "new order\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

#ifdef _WIN32
// Virus scanners and backup tools hold files open for a moment; on Windows
// the replace then failed and the order was not saved.
TEST_F(ScrambledFileTest, AReplaceHeldUpBrieflyByAnotherOpenerSucceeds)
{
    const std::string path = PathOf("Current.dat");
    WriteBytes(path, "old order\n");
    std::FILE* holder = std::fopen(path.c_str(), "rb");
    ASSERT_NE(holder, nullptr);
    std::thread release([holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        std::fclose(holder);
    });
    CScrambledFile out;
    ASSERT_TRUE(out.Open(path, true));
    out.WriteString("new order\n");
    EXPECT_TRUE(out.Close());
    release.join();
    EXPECT_EQ(ReadBytes(path), "new order\n");
}
#endif
