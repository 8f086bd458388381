#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "update/UpdateSearch.h"

namespace {

struct FakeDisk : IUpdateDisk {
    std::map<std::string, DriveKind> kinds;
    std::map<std::string, bool> volumes;
    std::map<std::string, uint64_t> files;
    std::vector<std::string> looked;

    DriveKind Kind(const std::string& root) override { return kinds.count(root) ? kinds[root] : DriveKind::None; }
    bool HasVolume(const std::string& root) override { return volumes.count(root) == 0 || volumes[root]; }
    bool FindFile(const std::string& path, uint64_t& created) override
    {
        looked.push_back(path);
        auto found = files.find(path);
        return found != files.end() && (created = found->second, true);
    }
    bool AskRetry() override { return false; }
    void Run(const std::string&) override {}
};

const char kLocal[] = ".\\TarnUpdateD.exe";

} // namespace

// The newest on a CD winning over the folder and a fixed drive, and no update
// anywhere, are pinned end to end (tests/wine/test_update.py).
TEST(UpdateSearch, NetworkDrivesAndDrivesWithoutAMediumAreSkippedAndTheFirstFoundKeepsATie)
{
    struct Case {
        const char* what;
        std::map<std::string, uint64_t> files;
        std::map<std::string, bool> volumes;
        std::string expected;
    };
    const Case cases[] = {
        {"a network drive holds a newer one", {{kLocal, 5}, {"N:\\TarnUpdateD.exe", 9}}, {}, kLocal},
        {"equal times: the folder first", {{kLocal, 5}, {"A:\\TarnUpdateD.exe", 5}}, {}, kLocal},
        {"a drive without a medium", {{kLocal, 5}, {"D:\\TarnUpdateD.exe", 9}}, {{"D:\\", false}}, kLocal},
        {"a file without a creation time", {{"A:\\TarnUpdateD.exe", 0}}, {}, "A:\\TarnUpdateD.exe"},
    };
    for (const Case& c : cases) {
        FakeDisk disk;
        disk.kinds = {{"A:\\", DriveKind::Removable}, {"D:\\", DriveKind::CdRom}, {"N:\\", DriveKind::Network}};
        disk.files = c.files;
        disk.volumes = c.volumes;
        EXPECT_EQ(FindUpdateProgram(disk, ".\\").path, c.expected) << c.what;
    }
}

TEST(UpdateSearch, PathsBeyondTheLimitAreSkipped)
{
    FakeDisk disk;
    disk.kinds = {{"E:\\", DriveKind::CdRom}};
    const std::string folder = std::string(kMaxUpdatePath - 16, 'f') + "\\"; // "TarnUpdateD.exe" fits, the other not
    disk.files = {{folder + "Tarn UpdateD.exe", 9}, {folder + "TarnUpdateD.exe", 3}, {"E:\\TarnUpdateD.exe", 4}};
    EXPECT_EQ(FindUpdateProgram(disk, folder).path, "E:\\TarnUpdateD.exe");
    for (const std::string& path : disk.looked)
        EXPECT_LE(path.size(), kMaxUpdatePath);
}
