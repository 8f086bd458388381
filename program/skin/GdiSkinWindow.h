#pragma once
#include <windows.h>

#include "skin/GdiSkinSurface.h"
#include "skin/SkinWindow.h"

// What a skin does to a real window: subclassing with the shared skin window
// procedure, painting through an off-screen GDI buffer, control placement and
// window regions.
class CGdiSkinWindow : public ISkinWindow {
public:
    explicit CGdiSkinWindow(HWND hwnd = nullptr) : m_hwnd(hwnd) {}
    CGdiSkinWindow(const CGdiSkinWindow&) = delete;
    CGdiSkinWindow& operator=(const CGdiSkinWindow&) = delete;
    ~CGdiSkinWindow() override { FreeBuffer(); }

    void SetHandle(HWND hwnd) { m_hwnd = hwnd; }

    void* Handle() const override { return m_hwnd; }
    void Subclass() override;
    intptr_t CallPrevious(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    SkinRect ScreenRect() override;
    SkinRect ClientRect() override;
    void BeginPaint() override;
    void EndPaint(int32_t width, int32_t height) override;
    ISkinSurface* Buffer() override;
    ISkinSurface* MakeBuffer(int32_t width, int32_t height) override;
    void FreeBuffer() override;
    void Invalidate(const SkinRect* rect, bool erase) override;
    void ReleaseCapture() override;
    bool IsControlVisible(uint32_t id) override;
    void MoveControl(uint32_t id, const SkinRect& rect) override;
    void CombineShape(const SkinArea& area, SkinCombine op) override;
    void RemoveShape() override;

private:
    // The window procedure of every skinned window: hands the message to the
    // window's attached skin, or to DefWindowProcA when it has none.
    static LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd;
    WNDPROC m_previous = nullptr;
    PAINTSTRUCT m_paint = {};
    HDC m_paintDC = nullptr;
    HDC m_bufferDC = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_replaced = nullptr;
    CGdiSkinSurface m_surface;
};
