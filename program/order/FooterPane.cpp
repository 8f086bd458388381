#include "order/FooterPane.h"

#include <richedit.h>

#include <cstdio>
#include <memory>

#include "framework/SystemLibrary.h"

namespace {
// Where the pane sits against the grid's bottom edge, and what the grid gives up.
constexpr int kPaneLeftInset = 3;
constexpr int kPaneTopAboveGridBottom = 118;
constexpr int kPaneBottomAboveGridBottom = 30;
constexpr int kGridShortenedBy = 98;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

DWORD CALLBACK ReadFooter(DWORD_PTR cookie, BYTE* buffer, LONG size, LONG* read)
{
    *read = static_cast<LONG>(std::fread(buffer, 1, static_cast<size_t>(size), reinterpret_cast<std::FILE*>(cookie)));
    return 0;
}

// The rich edit's default text is the bold System font: plain dialog text unless the RTF says otherwise.
void SetPlainDefaultFormat(HWND pane, HWND dialog)
{
    SendMessageA(pane, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD;
    SendMessageA(pane, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}
} // namespace

bool CFooterPane::Create(HWND dialog, HWND grid, const char* fileName)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName, "rb"));
    if (!file || !grid || !LoadSystemLibrary("riched20.dll"))
        return false;
    RECT rect;
    GetWindowRect(grid, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    m_pane = CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_CHILD | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                             rect.left - kPaneLeftInset, rect.bottom - kPaneTopAboveGridBottom,
                             rect.right - rect.left, kPaneTopAboveGridBottom - kPaneBottomAboveGridBottom, dialog,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!m_pane)
        return false;
    SetWindowPos(grid, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top - kGridShortenedBy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(m_pane, EM_SETREADONLY, TRUE, 0);
    SetPlainDefaultFormat(m_pane, dialog);
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(file.get()), 0, ReadFooter};
    SendMessageA(m_pane, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    ShowWindow(m_pane, SW_SHOW);
    return true;
}
