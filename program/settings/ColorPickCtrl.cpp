#include "settings/ColorPickCtrl.h"

#include <commdlg.h>

void CColorPickCtrl::SetColour(COLORREF colour)
{
    m_colour = colour;
    if (Handle())
        InvalidateRect(Handle(), nullptr, TRUE);
}

bool CColorPickCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_PAINT) {
        Paint();
        result = 0;
        return true;
    }
    if (message == WM_LBUTTONUP) {
        Choose();
        result = Default(message, wParam, lParam);
        return true;
    }
    return false;
}

void CColorPickCtrl::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client;
    GetClientRect(Handle(), &client);
    HBRUSH brush = CreateSolidBrush(m_colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(Handle(), &paint);
}

void CColorPickCtrl::Choose()
{
    static COLORREF customColours[16] = {};
    CHOOSECOLORA chooser = {};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = Handle();
    chooser.rgbResult = m_colour;
    chooser.lpCustColors = customColours;
    chooser.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (ChooseColorA(&chooser))
        m_colour = chooser.rgbResult;
    // The main window owns the settings dialog that owns this swatch.
    HWND mainWindow = GetWindow(GetParent(Handle()), GW_OWNER);
    if (mainWindow)
        InvalidateRect(mainWindow, nullptr, TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
}
