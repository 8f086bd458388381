#pragma once
#include <windows.h>

// A window object tied to its window handle. Plain windows are tied at
// WM_NCCREATE, dialogs at WM_INITDIALOG; from then on every message of the
// window reaches the object's OnMessage until the window is destroyed.
class CWindow {
public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    virtual ~CWindow();

    HWND Handle() const { return m_hwnd; }
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }

    // The object tied to a window, or none.
    static CWindow* FromHandle(HWND hwnd);

    // Creates a plain window of a private class registered on first use.
    bool CreatePlain(const char* className, const char* title, DWORD style, HWND parent);
    void Destroy();

    // Whether the object is a dialog that wants IsDialogMessage for its keys.
    virtual bool IsDialog() const { return false; }

protected:
    // One message; true (with the result) when the object handled it.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The window is gone; the object may be reused.
    virtual void OnDestroyed() {}

    void Bind(HWND hwnd);
    void Unbind();

private:
    static LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
};
