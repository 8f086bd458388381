#include "skin/SkinControl.h"

#include "skin/Skin.h"
#include "skin/SkinWindow.h"

bool CSkinControl::Parse(CSkinReader& reader)
{
    static const SkinBlockWord<CSkinControl> kWords[] = {
        {"ID", [](CSkinControl& c, CSkinReader& r) { return c.m_hasId = c.ReadId(r); }},
    };
    return ReadSkinItemBody(reader, *this, m_frames, kWords) && m_hasId;
}

void CSkinControl::Draw(ISkinSurface&, int32_t width, int32_t height)
{
    ISkinWindow* window = m_owner->Window();
    if (!window || !window->IsControlVisible(m_id))
        return;
    const SkinRect place = m_frames[kSkinNormal].Resolve(width, height);
    if (place == m_rect)
        return;
    m_rect = place;
    window->MoveControl(m_id, place);
    window->Invalidate(nullptr, true);
}
