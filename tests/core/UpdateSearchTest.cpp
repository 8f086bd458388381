#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "update/UpdateSearch.h"

namespace {

struct FakeDisk : IUpdateDisk {
    std::map<std::string, DriveKind> kinds;
    std::map<std::string, bool> volumes;
    std::map<std::string, uint64_t> files;
    UpdateFileFacts facts;
    bool answer = false;
    std::vector<std::string> shown; // questions and notices, in order
    std::string ran;

    DriveKind Kind(const std::string& root) override { return kinds.count(root) ? kinds[root] : DriveKind::None; }
    bool HasVolume(const std::string& root) override { return volumes.count(root) == 0 || volumes[root]; }
    bool FindFile(const std::string& path, uint64_t& created) override
    {
        auto found = files.find(path);
        return found != files.end() && (created = found->second, true);
    }
    bool AskRetry() override { return false; }
    UpdateFileFacts Examine(const std::string&) override { return facts; }
    bool AskRun(const std::string& question) override { return shown.push_back(question), answer; }
    void Refuse(const std::string& notice) override { shown.push_back(notice); }
    void Run(const std::string& path) override { ran = path; }
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

// A copy from a disk is shown and asked about, signed or not; the program's
// own copy goes without a question only when the supplier signed it; a copy
// signed by anyone else, or whose signature fails, never runs.
TEST(UpdateSearch, OnlyTheSuppliersOwnCopyBesideTheProgramRunsWithoutAQuestion)
{
    const struct {
        const char* path;
        UpdateSignature signature;
        bool answer;
        const char* expected; // "ran", "ran after asking", "asked", "refused"
    } cases[] = {
        {kLocal, UpdateSignature::Supplier, false, "ran"},
        {kLocal, UpdateSignature::None, true, "ran after asking"},
        {"E:\\TarnUpdateD.exe", UpdateSignature::Supplier, true, "ran after asking"},
        {"E:\\TarnUpdateD.exe", UpdateSignature::None, false, "asked"},
        {"E:\\TarnUpdateD.exe", UpdateSignature::Other, true, "refused"},
        {kLocal, UpdateSignature::Invalid, true, "refused"},
    };
    for (const auto& c : cases) {
        FakeDisk disk;
        disk.kinds = {{"E:\\", DriveKind::Removable}};
        disk.files = {{c.path, 9}};
        disk.facts = UpdateFileFacts{40960, "2.1.0.7", c.signature, "Mallory Ltd"};
        disk.answer = c.answer;
        RunUpdateFromDisk(disk, ".\\");
        const bool asked = !disk.shown.empty() && disk.shown[0].rfind("Run this", 0) == 0;
        const std::string outcome = !disk.ran.empty() ? (asked ? "ran after asking" : "ran")
                                    : asked            ? "asked"
                                    : disk.shown.empty() ? "nothing"
                                                         : "refused";
        EXPECT_EQ(c.expected, outcome) << c.path << " " << static_cast<int>(c.signature);
    }
    EXPECT_EQ("Run this update program?\r\n\r\nE:\\TarnUpdateD.exe\r\n40960 bytes, version 2.1.0.7\r\nWARNING: it is "
              "not signed by Quarn Pharmaceutical Suppliers.\r\nRun it only if your supplier sent it.",
              UpdateQuestion("E:\\TarnUpdateD.exe", UpdateFileFacts{40960, "2.1.0.7"}));
    EXPECT_EQ("This update program was not run.\r\n\r\nE:\\TarnUpdateD.exe\r\nIt is signed by Mallory Ltd, not by "
              "Quarn Pharmaceutical Suppliers.",
              UpdateRefusal("E:\\TarnUpdateD.exe", UpdateFileFacts{1, "", UpdateSignature::Other, "Mallory Ltd"}));
}
