#include "skin/SkinButton.h"

#include "skin/Skin.h"
#include "skin/SkinColour.h"

bool CSkinButton::Parse(CSkinReader& reader)
{
    static const SkinBlockWord<CSkinButton> kWords[] = {
        {"ID", [](CSkinButton& b, CSkinReader& r) { return b.ReadId(r); }},
        {"WINMOVE", [](CSkinButton& b, CSkinReader&) { return b.m_movesWindow = true; }},
        {"TIP", [](CSkinButton& b, CSkinReader& r) {
             const char* operand = r.NextOperand();
             if (operand)
                 b.m_tip = operand;
             return operand != nullptr;
         }},
    };
    return ReadSkinItemBody(reader, *this, m_images, kWords);
}

void CSkinButton::Draw(ISkinSurface& surface, int32_t width, int32_t height)
{
    m_images[m_current].Draw(surface, width, height);
    m_rect = m_images[m_current].Occupied();
}

void CSkinButton::OnOver()
{
    ShowImage(kSkinOver);
    CSkinItem::OnOver();
}

void CSkinButton::OnLeftDown()
{
    const bool wasUp = IsUp();
    ShowImage(kSkinDown);
    if (m_movesWindow && wasUp)
        m_owner->DragWindow();
    CSkinItem::OnLeftDown();
}

void CSkinButton::OnLeave()
{
    ShowImage(kSkinNormal);
    CSkinItem::OnLeave();
}

void CSkinButton::OnRightDown()
{
    ShowImage(kSkinRight);
    CSkinItem::OnRightDown();
}

void CSkinButton::SetText(const char* text)
{
    m_images[kSkinNormal].Caption().SetText(text);
    DrawImage(kSkinNormal);
    m_owner->Invalidate(nullptr, false);
}

void CSkinButton::SetColour(uint8_t red, uint8_t green, uint8_t blue)
{
    m_images[kSkinNormal].Caption().SetColour(CSkinColour::FromRgb(red, green, blue));
    m_owner->Invalidate(nullptr, false);
}

void CSkinButton::ShowImage(int state)
{
    if (m_current == state)
        return;
    if (m_images.Has(state))
        Show(state);
    else if (state != kSkinNormal)
        ShowImage(state == kSkinOver ? kSkinNormal : kSkinOver);
}

void CSkinButton::Show(int state)
{
    m_current = state;
    DrawImage(state);
    m_owner->Invalidate(&m_rect, false);
}

void CSkinButton::DrawImage(int state)
{
    m_images[state].Draw(m_owner->BufferSurface(), m_owner->ClientWidth(), m_owner->ClientHeight());
    m_rect = m_images[state].Occupied();
}
