#include "settings/UpdateDisk.h"

#include "framework/AppTitle.h"

namespace {

constexpr char kNoUpdateDisk[] = "Cannot find TARN update disk.\n\nPlease insert TARN update disk and click retry.";

} // namespace

DriveKind CUpdateDisk::Kind(const std::string& root)
{
    switch (GetDriveTypeA(root.c_str())) {
    case DRIVE_REMOVABLE: return DriveKind::Removable;
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_REMOTE: return DriveKind::Network;
    case DRIVE_CDROM: return DriveKind::CdRom;
    case DRIVE_RAMDISK: return DriveKind::Other;
    default: return DriveKind::None;
    }
}

bool CUpdateDisk::HasVolume(const std::string& root)
{
    return GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0) != FALSE;
}

bool CUpdateDisk::FindFile(const std::string& path, uint64_t& created)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    created = (uint64_t{found.ftCreationTime.dwHighDateTime} << 32) | found.ftCreationTime.dwLowDateTime;
    return true;
}

bool CUpdateDisk::AskRetry()
{
    return MessageBoxA(m_owner, kNoUpdateDisk, kAppTitle, MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY;
}

// Quoted, as the name holds a space: unquoted, Windows would try ".\Tarn" first.
void CUpdateDisk::Run(const std::string& path)
{
    WinExec(("\"" + path + "\"").c_str(), SW_SHOWNORMAL);
}

void CUpdateDisk::RunFromDisk(HWND owner)
{
    // An empty floppy or CD drive answers with an error, not with Windows'
    // "no disk" box in the middle of the search.
    const UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    CUpdateDisk disk(owner);
    RunUpdateFromDisk(disk, ".\\");
    SetErrorMode(errorMode);
}

void CUpdateDisk::OpenAddress(const std::string& address)
{
    WinExec(("explorer " + address).c_str(), SW_SHOWNORMAL);
}
