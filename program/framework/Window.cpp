#include "framework/Window.h"

namespace {
// The property that ties a window to its object: a property, not the window's
// user data, so controls and subclasses keep theirs.
constexpr char kObjectProperty[] = "QbxWindowObject";
}

CWindow::~CWindow()
{
    Destroy();
}

CWindow* CWindow::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CWindow*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

void CWindow::Bind(HWND hwnd)
{
    m_hwnd = hwnd;
    SetPropA(hwnd, kObjectProperty, this);
}

void CWindow::Unbind()
{
    if (!m_hwnd)
        return;
    RemovePropA(m_hwnd, kObjectProperty);
    m_hwnd = nullptr;
    OnDestroyed();
}

void CWindow::Destroy()
{
    if (m_hwnd)
        DestroyWindow(m_hwnd);
}

bool CWindow::CreatePlain(const char* className, const char* title, DWORD style, HWND parent)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (!GetClassInfoA(instance, className, &wc)) {
        wc.lpfnWndProc = PlainWindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = className;
        if (!RegisterClassA(&wc))
            return false;
    }
    return CreateWindowExA(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           parent, nullptr, instance, this) != nullptr;
}

bool CWindow::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

LRESULT CALLBACK CWindow::PlainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        static_cast<CWindow*>(create->lpCreateParams)->Bind(hwnd);
    }
    CWindow* self = FromHandle(hwnd);
    LRESULT result = 0;
    bool handled = self && self->OnMessage(message, wParam, lParam, result);
    if (!handled)
        result = DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY && self)
        self->Unbind();
    return result;
}
