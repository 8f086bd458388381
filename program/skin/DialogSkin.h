#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/GdiSkinWindow.h"
#include "skin/Skin.h"

// The skin a dialog owns. Attached in the dialog's initialisation, it takes
// over the window, reads the dialog's section of "Skin/skin.ini" and reports
// clicks and bound keys as WM_APP (item ID, event code).
class CDialogSkin {
public:
    CDialogSkin() = default;
    CDialogSkin(const CDialogSkin&) = delete;
    CDialogSkin& operator=(const CDialogSkin&) = delete;

    // Attaches to the window and loads the section (e.g. "[AboutDialog]") of
    // the given script; the load's result is not acted on.
    void Attach(HWND window, const char* section, const char* file = "Skin/skin.ini");

    // Sets an item's text or caption colour; nothing when the skin lacks the item.
    void SetText(uint32_t id, const char* text);
    void SetColour(uint32_t id, uint8_t red, uint8_t green, uint8_t blue);
    bool HasItem(uint32_t id) const { return m_skin.FindItem(id) != nullptr; }

    CSkin& Skin() { return m_skin; }

private:
    CGdiSkinWindow m_window;  // outlives the skin, which detaches from it when destroyed
    CSkin m_skin;
};
