#pragma once
#include <cstdint>

#include "base/LinkList.h"
#include "skin/SkinGeometry.h"

class CSkin;
class CSkinReader;
class ISkinSurface;

// One thing a skin script makes: a bitmap button, a rectangle, an ellipse, a
// polygon, the placement of a dialog control or a window region.
class CSkinItem : public CLinkNode {
public:
    CSkinItem() = default;

    // True when left <= x < right and top <= y < bottom.
    virtual bool HitTest(int32_t x, int32_t y) const;
    virtual bool IsPressed() const { return m_leftPressed; }
    virtual void SetOwner(CSkin* owner) { m_owner = owner; }
    // Reads the statement body; false rejects it.
    virtual bool Parse(CSkinReader& reader) = 0;
    // Draws into the skin's buffer; width and height are the window's client size.
    virtual void Draw(ISkinSurface& surface, int32_t width, int32_t height) = 0;
    // Mouse states. Kinds that override these end by calling the base.
    virtual void OnOver();
    virtual void OnLeftDown();
    virtual void OnLeave();
    virtual void OnRightDown();
    // Buttons change their caption and its colour; other kinds ignore these.
    virtual void SetText(const char* text);
    virtual void SetColour(uint8_t red, uint8_t green, uint8_t blue);

    uint32_t Id() const { return m_id; }
    const SkinRect& Rect() const { return m_rect; }
    bool IsUp() const { return m_up; }

protected:
    // Reads the operand of "ID"; false when the input ends.
    bool ReadId(CSkinReader& reader);

    CSkin* m_owner = nullptr;
    uint32_t m_id = 0;  // 0: the item sends no notifications
    SkinRect m_rect;    // set when drawn; empty until then

private:
    bool m_up = true;
    bool m_leftPressed = false;
    bool m_rightPressed = false;
};
