#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/StrFormat.h"
#include "skin/SkinBitmapCache.h"
#include "skin/SkinFailureReport.h"
#include "skin/SkinSurface.h"
#include "skin/SkinWindow.h"

// Recorders for the skin's platform interfaces: every call becomes one line of
// text, so tests compare what would be drawn, sent and shaped with an
// expected sequence. No GoogleTest here: the skin's fuzz target drives them too.

using Calls = std::vector<std::string>;

inline std::string SkinRectText(const SkinRect& r)
{
    return StrFormat("%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
}

class CRecordingSurface : public ISkinSurface {
public:
    void Rectangle(const SkinPenStyle& pen, const SkinBrushStyle& brush, const SkinRect& rect) override
    {
        calls.push_back("rect " + SkinRectText(rect) + Styles(pen, brush));
    }
    void Polygon(const SkinPenStyle& pen, const SkinBrushStyle& brush, const SkinPoint* points,
                 size_t count) override
    {
        std::string line = "poly";
        for (size_t i = 0; i < count; ++i)
            line += StrFormat(" %d,%d", points[i].x, points[i].y);
        calls.push_back(line + Styles(pen, brush));
    }
    void Text(const SkinFontStyle*, uint32_t colour, const char* text, const SkinRect& box,
              uint32_t format) override
    {
        calls.push_back(StrFormat("text '%s' %s fmt=%u colour=%06x", text, SkinRectText(box).c_str(), format, colour));
    }
    void Blit(void*, const SkinBlit& b) override
    {
        calls.push_back(StrFormat("blit %d,%d %dx%d -> %d,%d %dx%d", b.srcX, b.srcY, b.srcWidth, b.srcHeight,
                                  b.dstX, b.dstY, b.dstWidth, b.dstHeight));
    }

    Calls calls;

private:
    static std::string Styles(const SkinPenStyle& pen, const SkinBrushStyle& brush)
    {
        return StrFormat(" pen=%06x/%u/%d brush=%06x/%u/%u", pen.colour, pen.style, pen.width, brush.colour,
                         brush.style, brush.hatch);
    }
};

class CRecordingWindow : public ISkinWindow {
public:
    void* Handle() const override { return const_cast<CRecordingWindow*>(this); }
    void Subclass() override { calls.push_back("subclass"); }
    intptr_t CallPrevious(uint32_t, uintptr_t, intptr_t) override { return 0; }
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        calls.push_back(StrFormat("send %#x %u %d", message, unsigned(wParam), int(lParam)));
        return 0;
    }
    SkinRect ScreenRect() override { return SkinRect{100, 50, 100 + client.right, 50 + client.bottom}; }
    SkinRect ClientRect() override { return client; }
    void BeginPaint() override { calls.push_back("begin paint"); }
    void EndPaint(int32_t width, int32_t height) override
    {
        calls.push_back(StrFormat("end paint %dx%d", width, height));
    }
    ISkinSurface* Buffer() override { return buffer.get(); }
    ISkinSurface* MakeBuffer(int32_t width, int32_t height) override
    {
        calls.push_back(StrFormat("make buffer %dx%d", width, height));
        buffer = std::make_unique<CRecordingSurface>();
        return buffer.get();
    }
    void FreeBuffer() override
    {
        calls.push_back("free buffer");
        buffer.reset();
    }
    void Invalidate(const SkinRect* rect, bool erase) override
    {
        calls.push_back(StrFormat("invalidate %s%s", rect ? SkinRectText(*rect).c_str() : "all",
                                  erase ? " erase" : ""));
    }
    void ReleaseCapture() override { calls.push_back("release capture"); }
    bool IsControlVisible(uint32_t id) override { return visibleControls.count(id) != 0; }
    void MoveControl(uint32_t id, const SkinRect& rect) override
    {
        calls.push_back(StrFormat("move %u %s", id, SkinRectText(rect).c_str()));
    }
    void CombineShape(const SkinArea& area, SkinCombine op) override
    {
        static const char* const kKinds[] = {"", "poly", "roundrect", "ellipse"};
        std::string line = StrFormat("shape %s %u", kKinds[area.kind], unsigned(op));
        if (area.kind == SkinArea::kPolygon)
            for (const SkinPoint& p : area.points)
                line += StrFormat(" %d,%d", p.x, p.y);
        else
            line += " " + SkinRectText(area.rect);
        if (area.kind == SkinArea::kRoundRect)
            line += StrFormat(" corner %dx%d", area.cornerWidth, area.cornerHeight);
        calls.push_back(line);
    }
    void RemoveShape() override { calls.push_back("remove shape"); }

    // The calls since the last look, then forgets them.
    Calls Take() { return std::exchange(calls, {}); }
    Calls TakeDrawn() { return buffer ? std::exchange(buffer->calls, {}) : Calls{}; }

    SkinRect client{0, 0, 400, 300};
    std::set<uint32_t> visibleControls;
    Calls calls;
    std::unique_ptr<CRecordingSurface> buffer;
};

class CRecordingFailures : public ISkinFailureReport {
public:
    void SkinFailed(const char* message) override { messages.push_back(message); }
    std::vector<std::string> messages;
};

// Bitmaps of given sizes, with no files behind them; other names fail to load.
class CFakeBitmapLoader : public ISkinBitmapLoader {
public:
    bool Load(const char* fileName, SkinBitmapInfo& info) override
    {
        const auto found = sizes.find(fileName);
        if (found == sizes.end())
            return false;
        info.handle = &sizes;
        info.width = found->second.x;
        info.height = found->second.y;
        return true;
    }
    std::map<std::string, SkinPoint> sizes;
};
