#include "skin/GdiSkinWindow.h"

#include <vector>

#include "skin/Skin.h"

namespace {
constexpr LONG_PTR kCaptionAndSizingBorder = 0xc40000;

RECT ToRect(const SkinRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

SkinRect FromRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// Windows 4.0 (NT 4 and 95) mishandles window regions.
bool RegionsWork()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return !(version.dwMajorVersion == 4 && version.dwMinorVersion == 0);
}

HRGN MakeArea(const SkinArea& area)
{
    switch (area.kind) {
    case SkinArea::kPolygon: {
        std::vector<POINT> points;
        for (const SkinPoint& p : area.points)
            points.push_back({p.x, p.y});
        return CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE);
    }
    case SkinArea::kEllipse:
        return CreateEllipticRgn(area.rect.left, area.rect.top, area.rect.right, area.rect.bottom);
    case SkinArea::kRoundRect:
        break;
    }
    return CreateRoundRectRgn(area.rect.left, area.rect.top, area.rect.right, area.rect.bottom, area.cornerWidth,
                              area.cornerHeight);
}

int CombineMode(SkinCombine op)
{
    static const int kModes[] = {RGN_OR, RGN_AND, RGN_COPY, RGN_DIFF, RGN_XOR};
    return kModes[static_cast<uint32_t>(op)];
}
} // namespace

void CGdiSkinWindow::Subclass()
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SharedWindowProc)));
    SetWindowLongPtrA(m_hwnd, GWL_STYLE, GetWindowLongPtrA(m_hwnd, GWL_STYLE) & ~kCaptionAndSizingBorder);
    // Without its frame the window keeps the client size its template gave it,
    // so the skin is laid out on the size the template names.
    SetWindowPos(m_hwnd, nullptr, 0, 0, client.right, client.bottom,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

intptr_t CGdiSkinWindow::CallPrevious(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!m_previous)
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    return CallWindowProcA(m_previous, m_hwnd, message, wParam, lParam);
}

intptr_t CGdiSkinWindow::Send(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return SendMessageA(m_hwnd, message, wParam, lParam);
}

SkinRect CGdiSkinWindow::ScreenRect()
{
    RECT rect = {};
    GetWindowRect(m_hwnd, &rect);
    return FromRect(rect);
}

SkinRect CGdiSkinWindow::ClientRect()
{
    RECT rect = {};
    GetClientRect(m_hwnd, &rect);
    return FromRect(rect);
}

void CGdiSkinWindow::BeginPaint()
{
    m_paintDC = ::BeginPaint(m_hwnd, &m_paint);
}

void CGdiSkinWindow::EndPaint(int32_t width, int32_t height)
{
    if (m_bufferDC && m_paintDC)
        BitBlt(m_paintDC, 0, 0, width, height, m_bufferDC, 0, 0, SRCCOPY);
    ::EndPaint(m_hwnd, &m_paint);
    m_paintDC = nullptr;
}

ISkinSurface* CGdiSkinWindow::Buffer()
{
    return m_bufferDC ? &m_surface : nullptr;
}

ISkinSurface* CGdiSkinWindow::MakeBuffer(int32_t width, int32_t height)
{
    FreeBuffer();
    HDC reference = m_paintDC ? m_paintDC : GetDC(m_hwnd);
    m_bufferDC = CreateCompatibleDC(reference);
    m_bitmap = CreateCompatibleBitmap(reference, width, height);
    if (!m_paintDC)
        ReleaseDC(m_hwnd, reference);
    m_replaced = SelectObject(m_bufferDC, m_bitmap);
    SetBkMode(m_bufferDC, TRANSPARENT);
    SetStretchBltMode(m_bufferDC, COLORONCOLOR);
    SelectObject(m_bufferDC, GetStockObject(DEFAULT_GUI_FONT));
    m_surface.SetDC(m_bufferDC);
    return &m_surface;
}

void CGdiSkinWindow::FreeBuffer()
{
    if (!m_bufferDC)
        return;
    SelectObject(m_bufferDC, m_replaced);
    DeleteObject(m_bitmap);
    DeleteDC(m_bufferDC);
    m_bufferDC = nullptr;
    m_bitmap = nullptr;
    m_surface.SetDC(nullptr);
}

void CGdiSkinWindow::Invalidate(const SkinRect* rect, bool erase)
{
    if (!rect) {
        InvalidateRect(m_hwnd, nullptr, erase);
        return;
    }
    RECT area = ToRect(*rect);
    InvalidateRect(m_hwnd, &area, erase);
}

void CGdiSkinWindow::ReleaseCapture()
{
    ::ReleaseCapture();
}

bool CGdiSkinWindow::IsControlVisible(uint32_t id)
{
    HWND control = GetDlgItem(m_hwnd, static_cast<int>(id));
    return control && IsWindowVisible(control);
}

void CGdiSkinWindow::MoveControl(uint32_t id, const SkinRect& rect)
{
    if (HWND control = GetDlgItem(m_hwnd, static_cast<int>(id)))
        MoveWindow(control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void CGdiSkinWindow::CombineShape(const SkinArea& area, SkinCombine op)
{
    if (!RegionsWork())
        return;
    HRGN shape = MakeArea(area);
    HRGN current = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(m_hwnd, current) == ERROR) {
        DeleteObject(current);
        SetWindowRgn(m_hwnd, shape, TRUE);
        return;
    }
    CombineRgn(current, current, shape, CombineMode(op));
    DeleteObject(shape);
    // The window owns the region from here on.
    SetWindowRgn(m_hwnd, current, TRUE);
}

void CGdiSkinWindow::RemoveShape()
{
    if (IsWindow(m_hwnd))
        SetWindowRgn(m_hwnd, nullptr, TRUE);
}

LRESULT CALLBACK CGdiSkinWindow::SharedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CSkin* skin = CSkin::FindAttached(hwnd);
    if (!skin)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const LRESULT result = skin->WindowProc(message, wParam, lParam);
    // The window is gone: its skin lets go of it, so a later window that gets
    // the same handle is never mistaken for it.
    if (message == WM_NCDESTROY)
        skin->Detach();
    return result;
}
