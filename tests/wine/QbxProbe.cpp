// QbxProbe.exe: lets the Wine tests look into the program's windows and post
// it messages, where X (and so xdotool) sees only top-level windows.
//   QbxProbe post    <title> <message> <wParam> <lParam>
//   QbxProbe visible <title> <id>...      one 1 or 0 per control
//   QbxProbe rect    <title> <id>         screen rectangle "left top right bottom" (id 0: the window)
//   QbxProbe text    <title> <id>         the control's text
//   QbxProbe items   <title> <id>         a list box's entries, one per line
//   QbxProbe state   <title>              "visible iconic foreground enabled"
// Exit code 2 when the window or control isn't there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

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

int Text(HWND control)
{
    char text[1024] = "";
    GetWindowTextA(control, text, sizeof text);
    std::printf("%s\n", text);
    return 0;
}

int Items(HWND control)
{
    const LRESULT count = SendMessageA(control, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = "";
        if (SendMessageA(control, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
            SendMessageA(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
    }
    return 0;
}

int State(HWND window)
{
    std::printf("%d %d %d %d\n", IsWindowVisible(window) ? 1 : 0, IsIconic(window) ? 1 : 0,
                GetForegroundWindow() == window ? 1 : 0, IsWindowEnabled(window) ? 1 : 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: QbxProbe post|visible|rect|text|items|state <title> ...\n");
        return 64;
    }
    const char* command = argv[1];
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
    return 64;
}
