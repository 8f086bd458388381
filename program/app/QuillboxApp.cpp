#include "app/QuillboxApp.h"

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <ctime>

#include "app/CrashGuard.h"
#include "app/ProgramFolder.h"
#include "app/QuillboxDlg.h"
#include "app/TestHooks.h"
#include "framework/AppTitle.h"
#include "framework/ResourceString.h"
#include "res/resource.h"

namespace {
constexpr char kMainWindowTitle[] = "Quarn Quillbox";

// Another copy's main window comes to the front and this copy ends at once.
void EndIfAnotherCopyRuns()
{
    HWND other = FindWindowA(nullptr, kMainWindowTitle);
    if (!other)
        return;
    ShowWindow(other, SW_MINIMIZE);
    ShowWindow(other, SW_SHOWNORMAL);
    BringWindowToTop(other);
    ExitProcess(1);
}

// Relative paths (the skin, the data files, logs, dumps) resolve beside the program.
void EnterProgramFolder()
{
    char path[1024] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, 1023);
    // A cut-off path would name the wrong folder: keep the current one then.
    if (length == 0 || length >= 1023)
        return;
    if (std::optional<std::string> folder = ProgramFolder(path))
        SetCurrentDirectoryA(folder->c_str());
}

void InitCommonControlClasses()
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_HOTKEY_CLASS |
                                                        ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
}
} // namespace

CQuillboxApp theApp;

int CQuillboxApp::InitInstance()
{
    CCrashGuard guard;
    RunGuarded();
    return FALSE;
}

void CQuillboxApp::RunGuarded()
{
    EndIfAnotherCopyRuns();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    std::rand();
    WSADATA sockets;
    if (WSAStartup(MAKEWORD(2, 2), &sockets) != 0) {
        MessageBoxA(nullptr, LoadResourceString(IDS_SOCKETS_INIT_FAILED).c_str(), kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    EnterProgramFolder();
    InitCommonControlClasses();
    m_mainWindow = &theMainWindow;
    StartTestHooks();
    theMainWindow.DoModal(nullptr);
    WSACleanup();
}
