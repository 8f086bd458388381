#include "skin/DialogSkin.h"

#include "skin/GdiBitmapLoader.h"
#include "skin/SkinFailureBox.h"
#include "skin/SkinItem.h"

namespace {
// The platform sides of the skin engine (process-wide; setting them again changes nothing).
void InstallSkinPlatform()
{
    static CGdiBitmapLoader loader;
    static CSkinFailureBox failureBox;
    CSkinBitmapCache::Shared().SetLoader(&loader);
    CSkin::SetFailureReport(&failureBox);
}
} // namespace

void CDialogSkin::Attach(HWND window, const char* section, const char* file)
{
    InstallSkinPlatform();
    m_window.SetHandle(window);
    m_skin.Attach(&m_window, WM_APP);
    m_skin.LoadSection(file, section);
}

void CDialogSkin::SetText(uint32_t id, const char* text)
{
    if (CSkinItem* item = m_skin.FindItem(id))
        item->SetText(text);
}

void CDialogSkin::SetColour(uint32_t id, uint8_t red, uint8_t green, uint8_t blue)
{
    if (CSkinItem* item = m_skin.FindItem(id))
        item->SetColour(red, green, blue);
}
