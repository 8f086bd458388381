#include <gtest/gtest.h>

#include "app/ProgramFolder.h"

namespace {

// A path without a separator has no folder: the current one is kept.
TEST(ProgramFolderTest, CutsAtTheLastForwardSlashElseAtTheLastBackslash)
{
    EXPECT_EQ(ProgramFolder("C:/Shop/bin\\Quillbox.exe").value_or("<none>"), "C:/Shop");
    EXPECT_EQ(ProgramFolder("C:\\Program Files\\Quarn\\Quillbox.exe").value_or("<none>"), "C:\\Program Files\\Quarn");
    EXPECT_FALSE(ProgramFolder("Quillbox.exe"));
}

} // namespace
