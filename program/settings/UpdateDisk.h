#pragma once
#include <windows.h>

#include "update/UpdateSearch.h"

// The drives, files, signatures and questions behind the search for the
// update program, and WinExec to start the one found.
class CUpdateDisk : public IUpdateDisk {
public:
    explicit CUpdateDisk(HWND owner) : m_owner(owner) {}

    DriveKind Kind(const std::string& root) override;
    bool HasVolume(const std::string& root) override;
    bool FindFile(const std::string& path, uint64_t& created) override;
    bool AskRetry() override;
    UpdateFileFacts Examine(const std::string& path) override;
    bool AskRun(const std::string& question) override;
    void Refuse(const std::string& notice) override;
    void Run(const std::string& path) override;

    // Update from disk: the program's folder (the current one), then the update disks.
    static void RunFromDisk(HWND owner);
    // Update online: the shell opens the update program's https address as a
    // web page (no command line is made); any other address is refused with a
    // notice. Nobody waits for it.
    static void OpenAddress(HWND owner, const std::string& address);

private:
    HWND m_owner;
};
