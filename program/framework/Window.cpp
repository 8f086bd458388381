#include "framework/Window.h"

#include <mutex>
#include <unordered_map>

namespace {

// Each bound window's object, kept in the program rather than as a window
// property or the window's user data: controls and subclasses keep their user
// data, and the object is found for every message, where a property costs a
// request to the Wine server each time (a 1,000-line response brought a few
// thousand notifications through its dialog).
std::mutex g_objectsLock;
std::unordered_map<HWND, CWindow*> g_objects;

} // namespace

CWindow::~CWindow()
{
    Destroy();
}

CWindow* CWindow::FromHandle(HWND hwnd)
{
    std::lock_guard<std::mutex> lock(g_objectsLock);
    const auto found = g_objects.find(hwnd);
    return found == g_objects.end() ? nullptr : found->second;
}

void CWindow::Bind(HWND hwnd)
{
    m_hwnd = hwnd;
    std::lock_guard<std::mutex> lock(g_objectsLock);
    g_objects[hwnd] = this;
}

void CWindow::Unbind()
{
    if (!m_hwnd)
        return;
    {
        std::lock_guard<std::mutex> lock(g_objectsLock);
        g_objects.erase(m_hwnd);
    }
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
