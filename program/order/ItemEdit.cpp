#include "order/ItemEdit.h"

#include "order/ScanCode.h"

namespace {
constexpr int kEditId = 1;
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr unsigned kQuantityLimit = 5;
constexpr unsigned kSearchTextLimit = 256;
constexpr size_t kMaxText = 1024;

// Keys that move the caret inside the edit and stay there.
bool StaysInEdit(WPARAM key)
{
    return key == VK_END || key == VK_HOME || key == VK_LEFT || key == VK_RIGHT;
}

// F10 is the menu key: it arrives as a system key. In the order grid it is
// the Clear key, so it is taken as a plain key and never opens menu mode.
bool IsMenuKey(UINT message, WPARAM key)
{
    return (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) && key == VK_F10;
}
} // namespace

CItemEdit::~CItemEdit()
{
    Destroy();
    if (m_brush)
        DeleteObject(m_brush);
}

bool CItemEdit::Create(HWND list, CEntryGrid& grid)
{
    m_grid = &grid;
    return CreateAligned(list, false);
}

// An edit's alignment is fixed when it is made: a change of alignment makes
// the edit anew.
bool CItemEdit::CreateAligned(HWND list, bool rightAligned)
{
    Destroy();
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | (rightAligned ? ES_RIGHT : ES_LEFT);
    HWND edit = CreateWindowExA(0, "EDIT", "", style, 0, 0, 100, 100, list,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), GetModuleHandleA(nullptr),
                                nullptr);
    if (!edit)
        return false;
    m_rightAligned = rightAligned;
    if (!Subclass(list, kEditId)) {
        DestroyWindow(edit);
        return false;
    }
    return true;
}

void CItemEdit::Show(const RECT& rect, EntryEditKind kind, const std::string& text, HFONT font)
{
    const bool quantity = kind == EntryEditKind::Quantity;
    HWND list = GetParent(Handle());
    if (quantity != m_rightAligned && !CreateAligned(list, quantity))
        return;
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    SetWindowLongPtrA(Handle(), GWL_STYLE, quantity ? (style | ES_NUMBER) : (style & ~static_cast<LONG_PTR>(ES_NUMBER)));
    m_limit = quantity ? kQuantityLimit : kSearchTextLimit;
    SendMessageA(Handle(), EM_LIMITTEXT, m_limit, 0);
    MoveWindow(Handle(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    ShowWindow(Handle(), SW_SHOW);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetWindowTextA(Handle(), text.c_str());
}

void CItemEdit::Hide()
{
    ShowWindow(Handle(), SW_HIDE);
}

bool CItemEdit::Visible() const
{
    return Handle() && IsWindowVisible(Handle());
}

std::string CItemEdit::Text() const
{
    char text[kMaxText] = "";
    GetWindowTextA(Handle(), text, sizeof text);
    return text;
}

void CItemEdit::Focus()
{
    SetFocus(Handle());
    SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

HBRUSH CItemEdit::Colour(HDC dc)
{
    if (!m_brush)
        m_brush = CreateSolidBrush(kYellow);
    SetBkColor(dc, kYellow);
    return m_brush;
}

bool CItemEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // A scanner types the GS1 group separator as Ctrl+]. The edit control
    // drops control characters, so the search text takes it here.
    if (message == WM_CHAR && wParam == static_cast<WPARAM>(kGroupSeparator) && !m_rightAligned) {
        const char separator[] = {kGroupSeparator, '\0'};
        SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(separator));
        result = 0;
        return true;
    }
    if (message == WM_CHAR && m_rightAligned && OnQuantityChar(static_cast<char>(wParam))) {
        result = 0;
        return true;
    }
    if (message == WM_KEYDOWN || (message == WM_SYSKEYDOWN && IsMenuKey(message, wParam))) {
        m_keyTime = static_cast<uint32_t>(GetMessageTime());
        OnKeyDown(message, wParam, lParam);
        result = 0;
        return true;
    }
    if (message == WM_KEYUP || IsMenuKey(message, wParam)) {
        // Queued, so the list sees the key after the edit has handled it.
        PostMessageA(GetParent(Handle()), WM_KEYUP, wParam, lParam);
        result = message == WM_KEYUP ? Default(message, wParam, lParam) : 0;
        return true;
    }
    return false;
}

void CItemEdit::OnKeyDown(UINT message, WPARAM key, LPARAM flags)
{
    SendMessageA(Handle(), EM_LIMITTEXT, m_limit, 0);
    if (message == WM_KEYDOWN)
        Default(message, key, flags);
    if (!StaysInEdit(key))
        SendMessageA(GetParent(Handle()), WM_KEYDOWN, key, flags);
}

// Every character typed into a quantity goes to the grid, which tells a
// scanner's code from a quantity. True when the edit is to see no more of it:
// the letters of a code, which a digits-only edit would only complain about.
bool CItemEdit::OnQuantityChar(char c)
{
    if (m_grid)
        m_grid->KeyTyped(c, m_keyTime);
    return IsScannerCharacter(c) && (c < '0' || c > '9');
}
