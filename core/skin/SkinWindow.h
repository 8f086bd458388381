#pragma once
#include <cstdint>
#include <vector>

#include "skin/SkinGeometry.h"
#include "skin/SkinSurface.h"

// An outline for the window, resolved against its client size.
struct SkinArea {
    enum Kind : uint32_t { kPolygon = 1, kRoundRect = 2, kEllipse = 3 };
    Kind kind = kRoundRect;
    std::vector<SkinPoint> points;  // kPolygon: alternate filling
    SkinRect rect;                  // kRoundRect, kEllipse (the ellipse inscribed in it)
    int32_t cornerWidth = 0;        // kRoundRect: the corner ellipse (CreateRoundRectRgn)
    int32_t cornerHeight = 0;
};

// How a new outline meets the one the window has (the script's words).
enum class SkinCombine : uint32_t { kOr = 0, kAnd = 1, kCopy = 2, kDiff = 3, kXor = 4 };

// Everything a skin does to its window. The program implements it with
// subclassing and GDI; tests record the calls.
class ISkinWindow {
public:
    virtual ~ISkinWindow() = default;

    // The window handle, as the shared window procedure and WM_CAPTURECHANGED see it.
    virtual void* Handle() const = 0;
    // Puts the shared skin window procedure in place (keeping the old one for
    // CallPrevious) and clears the caption and sizing-border style bits 0xc40000.
    virtual void Subclass() = 0;
    // CallWindowProcA with the procedure Subclass replaced.
    virtual intptr_t CallPrevious(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    // SendMessageA to the window: notifications and the drag request.
    virtual intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;

    virtual SkinRect ScreenRect() = 0;  // GetWindowRect
    virtual SkinRect ClientRect() = 0;  // GetClientRect

    // WM_PAINT: BeginPaint; the skin then makes the buffer if there is none;
    // EndPaint copies the buffer (when there is one) to the paint surface at
    // 0, 0 with the given size and ends painting.
    virtual void BeginPaint() = 0;
    virtual void EndPaint(int32_t width, int32_t height) = 0;
    // The off-screen buffer, null until made.
    virtual ISkinSurface* Buffer() = 0;
    // Frees any old buffer and makes one of width x height, compatible with
    // the paint surface, drawing text on a transparent background.
    virtual ISkinSurface* MakeBuffer(int32_t width, int32_t height) = 0;
    virtual void FreeBuffer() = 0;

    // InvalidateRect; a null rect is the whole window.
    virtual void Invalidate(const SkinRect* rect, bool erase) = 0;
    virtual void ReleaseCapture() = 0;

    // Dialog controls by ID: false when there is no such control or it is hidden.
    virtual bool IsControlVisible(uint32_t id) = 0;
    // MoveWindow to the rectangle's left and top, its width and height, repainting.
    virtual void MoveControl(uint32_t id, const SkinRect& rect) = 0;

    // Combines a new outline with the window's area and gives the window the
    // result (SetWindowRgn, redrawing). A window without an area takes the new
    // one whatever the operation; kCopy keeps the current area. Does nothing
    // on Windows 4.0, which mishandles window regions.
    virtual void CombineShape(const SkinArea& area, SkinCombine op) = 0;
    // SetWindowRgn with none, redrawing.
    virtual void RemoveShape() = 0;
};
