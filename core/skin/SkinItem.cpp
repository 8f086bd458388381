#include "skin/SkinItem.h"

#include "skin/SkinReader.h"
#include "skin/SkinWords.h"

bool CSkinItem::HitTest(int32_t x, int32_t y) const
{
    return m_rect.left <= x && x < m_rect.right && m_rect.top <= y && y < m_rect.bottom;
}

void CSkinItem::OnOver()
{
    m_up = true;
    m_leftPressed = m_rightPressed = false;
}

void CSkinItem::OnLeftDown()
{
    m_leftPressed = true;
    m_up = m_rightPressed = false;
}

void CSkinItem::OnLeave()
{
    m_up = m_leftPressed = m_rightPressed = false;
}

void CSkinItem::OnRightDown()
{
    m_rightPressed = true;
    m_up = m_leftPressed = false;
}

void CSkinItem::SetText(const char*)
{
}

void CSkinItem::SetColour(uint8_t, uint8_t, uint8_t)
{
}

bool CSkinItem::ReadId(CSkinReader& reader)
{
    const char* operand = reader.NextOperand();
    if (operand)
        m_id = static_cast<uint32_t>(SkinNumber(operand));
    return operand != nullptr;
}
