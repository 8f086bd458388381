#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "LocalTime.h"
#include "text/CrashReport.h"
#include "text/OsVersion.h"

// The program's file name from its whole path, and the dump's name, show in
// the crash test (tests/wine/test_startup.py); here a colon in the name, and
// the box's text with the support line.
TEST(CrashReport, DumpNameAndMessageNameTheProgram)
{
    EXPECT_EQ(CrashDumpName("a:b.exe", LocalTime(2010, 12, 31, 23, 59, 59)),
              "a.b.exe [2010-12-31 23.59.59] - (v1.6, Jun  6 2008 @ 15.29.01).dmp");
    EXPECT_EQ(CrashMessageText("Quillbox.exe"),
              "Quillbox.exe has encountered a problem and needs to close.\r\n"
              "We are sorry for the inconvenience.\r\n\r\n"
              "If this continues to happen please contact Quarn on 01632 960 418.");
    EXPECT_EQ(CrashMessageText("100%s.exe").substr(0, 9), "100%s.exe");
}

TEST(OsVersionName, NameByPlatformVersionAndBuild)
{
    const struct {
        uint32_t platform, versionHigh, versionLow, build;
        const char* name;
    } cases[] = {
        {2, 6, 0, 6000, "Vista (2.6.0.6000)"}, {2, 6, 1, 7601, " (2.6.1.7601)"},
        // Windows 9x tells its releases apart by build.
        {1, 4, 3, 1081, "95OSR2 (1.4.3.1081)"}, {1, 4, 10, 2222, "98SE (1.4.10.2222)"},
        // 9x reports 4.0.950 with 4.0 in the build number's high word.
        {1, 4, 0, 0x040003B6, "95 (1.4.0.67109814)"}, {1, 4, 10, 0x040A07CE, "98 (1.4.10.67766222)"},
        {4, 1, 0, 0, "?? (4.1.0.0)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OsVersionName(c.platform, c.versionHigh, c.versionLow, c.build), c.name);
}
