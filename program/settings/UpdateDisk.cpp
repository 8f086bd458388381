#include "settings/UpdateDisk.h"

#include <shellapi.h>

#include <vector>

#include "base/StrFormat.h"
#include "framework/AppTitle.h"
#include "framework/SystemLibrary.h"
#include "settings/CodeSignature.h"
#include "skin/MessageDlg.h"
#include "update/UpdateAddress.h"

namespace {

constexpr char kNoUpdateDisk[] = "Cannot find TARN update disk.\n\nPlease insert TARN update disk and click retry.";
constexpr char kAddressRefused[] =
    "The update address is not a secure web address.\r\n\r\nThe setting UpdateAddress must begin with https://";

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

namespace {

// The file version resource as "a.b.c.d"; empty when the file has none.
// version.dll comes from the system folder, never from beside the program.
std::string FileVersion(const std::string& path)
{
    static const HMODULE library = LoadSystemLibrary("version.dll");
    static const auto size = LibraryFunction<decltype(&GetFileVersionInfoSizeA)>(library, "GetFileVersionInfoSizeA");
    static const auto read = LibraryFunction<decltype(&GetFileVersionInfoA)>(library, "GetFileVersionInfoA");
    static const auto query = LibraryFunction<decltype(&VerQueryValueA)>(library, "VerQueryValueA");
    DWORD handle = 0;
    const DWORD length = size && read && query ? size(path.c_str(), &handle) : 0;
    if (length == 0)
        return std::string();
    std::vector<char> block(length);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedLength = 0;
    if (!read(path.c_str(), 0, length, block.data()) ||
        !query(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedLength) || fixedLength < sizeof *fixed)
        return std::string();
    return StrFormat("%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                     HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
}

} // namespace

UpdateFileFacts CUpdateDisk::Examine(const std::string& path)
{
    UpdateFileFacts facts;
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes))
        facts.size = (uint64_t{attributes.nFileSizeHigh} << 32) | attributes.nFileSizeLow;
    facts.version = FileVersion(path);
    facts.signature = CheckCodeSignature(path, &facts.signer);
    return facts;
}

bool CUpdateDisk::AskRun(const std::string& question)
{
    return CMessageDlg::Ask(m_owner, question.c_str(), CMessageDlg::Size::Large);
}

void CUpdateDisk::Refuse(const std::string& notice)
{
    CMessageDlg::Tell(m_owner, notice.c_str(), CMessageDlg::Size::Large);
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

void CUpdateDisk::OpenAddress(HWND owner, const std::string& address)
{
    if (!IsUpdateAddressAccepted(address))
        return CMessageDlg::Tell(owner, kAddressRefused, CMessageDlg::Size::Large);
    ShellExecuteA(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
