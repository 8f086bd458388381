// QbxProbe.exe: lets the Wine tests look into the program's windows and the
// registry and post the program messages, where X (and so xdotool) sees only
// top-level windows.
//   QbxProbe post    <title> <message> <wParam> <lParam>
//   QbxProbe visible <title> <id>...      one 1 or 0 per control
//   QbxProbe rect    <title> <id>         screen rectangle "left top right bottom" (id 0: the window)
//   QbxProbe text    <title> <id>         the control's text
//   QbxProbe items   <title> <id>         a list box's entries, one per line
//   QbxProbe tree    <title> <id>         a tree view's items, one per line, indented two spaces a
//                                         level, "+" after an expanded item, "*" after the selected
//   QbxProbe cells   <title> <id>         a report list's rows, cells separated by tabs
//   QbxProbe state   <title>              "visible iconic foreground enabled"
//   QbxProbe reg-values <HKLM|HKCU>       the settings key's values, "name<TAB>text" (REG_SZ only)
//   QbxProbe reg-set    <HKLM|HKCU> <name> <text>
//   QbxProbe reg-delete <HKLM|HKCU>       removes the settings key
//   QbxProbe reg-dacl   <HKLM|HKCU>       the settings key's access list in SDDL, e.g. "D:(A;CI;KR;;;BU)"
//   QbxProbe hotkey-hold <vk> <modifiers>  registers that global hot key for this process
//   QbxProbe hotkey-release                gives it back
//   QbxProbe serve                        reads such commands, fields separated by tabs, one
//                                         per line, and answers each with its output and a
//                                         line of \x01 and the exit code (one Wine start per run)
// Exit code 2 when the window, control or key isn't there.
#include <windows.h>
#include <aclapi.h>
#include <commctrl.h>
#include <sddl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Quarn Pharmaceutical Suppliers\\Quillbox";

HKEY Hive(const char* name)
{
    return std::strcmp(name, "HKCU") == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

int RegAccess(HKEY hive)
{
    HKEY key;
    if (RegOpenKeyExA(hive, kSettingsKey, 0, READ_CONTROL, &key) != ERROR_SUCCESS)
        return 2;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    char* text = nullptr;
    const bool read = GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
                                      nullptr, &descriptor) == ERROR_SUCCESS &&
                      ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                                           DACL_SECURITY_INFORMATION, &text, nullptr);
    if (read)
        std::printf("%s\n", text);
    LocalFree(text);
    LocalFree(descriptor);
    RegCloseKey(key);
    return read ? 0 : 1;
}

int RegValues(HKEY hive)
{
    HKEY key;
    if (RegOpenKeyExA(hive, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 2;
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[1024];
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data - 1;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        data[dataSize] = 0;
        if (type == REG_SZ)
            std::printf("%s\t%s\n", name, reinterpret_cast<char*>(data));
    }
    RegCloseKey(key);
    return 0;
}

HWND Control(HWND window, const char* id)
{
    const int number = std::atoi(id);
    return number == 0 ? window : GetDlgItem(window, number);
}

int Post(HWND window, char** args)
{
    auto number = [](const char* text) { return std::strtoull(text, nullptr, 0); };
    return PostMessageA(window, static_cast<UINT>(number(args[0])), static_cast<WPARAM>(number(args[1])),
                        static_cast<LPARAM>(number(args[2])))
               ? 0
               : 1;
}

int Visible(HWND window, int count, char** ids)
{
    for (int i = 0; i < count; ++i) {
        HWND control = Control(window, ids[i]);
        std::printf("%s%d", i ? " " : "", control && IsWindowVisible(control) ? 1 : 0);
    }
    std::printf("\n");
    return 0;
}

int Rect(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

// Texts are asked for with the wide messages: only those are carried across
// processes whole (GetWindowText of another process's control gives its
// caption, not its content).
void PrintWide(const wchar_t* text)
{
    char narrow[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    std::printf("%s\n", narrow);
}

int Text(HWND control)
{
    wchar_t text[1024] = L"";
    SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    PrintWide(text);
    return 0;
}

int Items(HWND control)
{
    const LRESULT count = SendMessageW(control, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        if (SendMessageW(control, LB_GETTEXTLEN, i, 0) < 256)
            SendMessageW(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        PrintWide(text);
    }
    return 0;
}

// Tree and list items hold their texts in the program's memory: each is asked
// for with the item's query at the start of a buffer made there, its text
// written after it, and read back.
class CRemoteQuery {
public:
    explicit CRemoteQuery(HWND control) : m_control(control)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(control, &process);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
        if (m_process)
            m_at = static_cast<char*>(VirtualAllocEx(m_process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~CRemoteQuery()
    {
        if (m_at)
            VirtualFreeEx(m_process, m_at, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    bool Ok() const { return m_at != nullptr; }

    template <typename Item>
    std::string Text(UINT message, WPARAM wParam, Item query) const
    {
        query.pszText = m_at + kTextAt;
        query.cchTextMax = kSize - kTextAt;
        WriteProcessMemory(m_process, m_at, &query, sizeof query, nullptr);
        SendMessageA(m_control, message, wParam, reinterpret_cast<LPARAM>(m_at));
        char text[kSize - kTextAt + 1] = "";
        ReadProcessMemory(m_process, m_at + kTextAt, text, kSize - kTextAt, nullptr);
        return text;
    }

private:
    static constexpr size_t kTextAt = 256;
    static constexpr size_t kSize = kTextAt + 1024;
    HWND m_control;
    HANDLE m_process = nullptr;
    char* m_at = nullptr;
};

HTREEITEM NextItem(HWND tree, UINT which, HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

void PrintTree(HWND tree, const CRemoteQuery& remote, HTREEITEM item, int depth, HTREEITEM selected)
{
    for (; item; item = NextItem(tree, TVGN_NEXT, item)) {
        TVITEMA query = {};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        const LRESULT state = SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED);
        std::printf("%*s%s%s%s\n", depth * 2, "", remote.Text(TVM_GETITEMA, 0, query).c_str(),
                    (state & TVIS_EXPANDED) ? " +" : "", item == selected ? " *" : "");
        PrintTree(tree, remote, NextItem(tree, TVGN_CHILD, item), depth + 1, selected);
    }
}

int Tree(HWND tree)
{
    CRemoteQuery remote(tree);
    if (!remote.Ok())
        return 1;
    PrintTree(tree, remote, NextItem(tree, TVGN_ROOT, nullptr), 0, NextItem(tree, TVGN_CARET, nullptr));
    return 0;
}

int Cells(HWND list)
{
    CRemoteQuery remote(list);
    if (!remote.Ok())
        return 1;
    const auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            LVITEMA query = {};
            query.iSubItem = column;
            std::printf("%s%s", column ? "\t" : "", remote.Text(LVM_GETITEMTEXTA, row, query).c_str());
        }
        std::printf("\n");
    }
    return 0;
}

int State(HWND window)
{
    std::printf("%d %d %d %d\n", IsWindowVisible(window) ? 1 : 0, IsIconic(window) ? 1 : 0,
                GetForegroundWindow() == window ? 1 : 0, IsWindowEnabled(window) ? 1 : 0);
    return 0;
}

// A hot key held by the probe (its id here), to find out how the program
// copes with one that is taken.
constexpr int kHeldHotKey = 1;

int Run(int argc, char** argv)
{
    if (argc == 2 && !std::strcmp(argv[1], "hotkey-release"))
        return UnregisterHotKey(nullptr, kHeldHotKey) ? 0 : 1;
    if (argc == 4 && !std::strcmp(argv[1], "hotkey-hold"))
        return RegisterHotKey(nullptr, kHeldHotKey, std::atoi(argv[3]), std::atoi(argv[2])) ? 0 : 1;
    if (argc < 3)
        return 64;
    const char* command = argv[1];
    if (!std::strcmp(command, "reg-values"))
        return RegValues(Hive(argv[2]));
    if (!std::strcmp(command, "reg-dacl"))
        return RegAccess(Hive(argv[2]));
    if (!std::strcmp(command, "reg-delete"))
        return RegDeleteKeyA(Hive(argv[2]), kSettingsKey) == ERROR_SUCCESS ? 0 : 2;
    if (!std::strcmp(command, "reg-set") && argc == 5) // the key is made when missing
        return RegSetKeyValueA(Hive(argv[2]), kSettingsKey, argv[3], REG_SZ, argv[4],
                               static_cast<DWORD>(std::strlen(argv[4]) + 1)) == ERROR_SUCCESS ? 0 : 1;
    HWND window = FindWindowA(nullptr, argv[2]);
    if (!window)
        return 2;
    if (!std::strcmp(command, "state"))
        return State(window);
    if (!std::strcmp(command, "post") && argc == 6)
        return Post(window, argv + 3);
    if (!std::strcmp(command, "visible"))
        return Visible(window, argc - 3, argv + 3);
    if (argc != 4)
        return 64;
    HWND control = Control(window, argv[3]);
    if (!control)
        return 2;
    if (!std::strcmp(command, "rect"))
        return Rect(control);
    if (!std::strcmp(command, "text"))
        return Text(control);
    if (!std::strcmp(command, "items"))
        return Items(control);
    if (!std::strcmp(command, "tree"))
        return Tree(control);
    if (!std::strcmp(command, "cells"))
        return Cells(control);
    return 64;
}

int Serve()
{
    char line[4096];
    while (std::fgets(line, sizeof line, stdin)) {
        line[std::strcspn(line, "\r\n")] = 0;
        // Fields may be empty (an empty registry text), so tabs are cut one by one.
        std::vector<char*> args = {const_cast<char*>("QbxProbe"), line};
        for (char* tab = std::strchr(line, '\t'); tab; tab = std::strchr(tab + 1, '\t')) {
            *tab = '\0';
            args.push_back(tab + 1);
        }
        const int code = Run(static_cast<int>(args.size()), args.data());
        std::printf("\x01%d\n", code);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && !std::strcmp(argv[1], "serve"))
        return Serve();
    const int code = Run(argc, argv);
    if (code == 64)
        std::fprintf(stderr, "usage: QbxProbe post|visible|rect|text|items|tree|cells|state|reg-values|reg-set|reg-delete|reg-dacl|serve ...\n");
    return code;
}
