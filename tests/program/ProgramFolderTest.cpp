#include <gtest/gtest.h>

#include "app/ProgramFolder.h"

namespace {

TEST(ProgramFolderTest, CutsAtTheLastForwardSlashEvenBeforeBackslashes)
{
    EXPECT_EQ(ProgramFolder("C:/Shop/bin\\Quillbox.exe").value_or("<none>"), "C:/Shop");
    EXPECT_EQ(ProgramFolder("C:/Shop/Quillbox.exe").value_or("<none>"), "C:/Shop");
}

TEST(ProgramFolderTest, CutsAtTheLastBackslashWithoutForwardSlashes)
{
    EXPECT_EQ(ProgramFolder("C:\\Program Files\\Quarn\\Quillbox.exe").value_or("<none>"),
              "C:\\Program Files\\Quarn");
}

TEST(ProgramFolderTest, APathWithoutSeparatorHasNoFolder)
{
    EXPECT_FALSE(ProgramFolder("Quillbox.exe"));
}

} // namespace
