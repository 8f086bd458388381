#pragma once
#include <string>

#include "skin/SkinImage.h"
#include "skin/SkinItem.h"
#include "skin/SkinStates.h"

// A bitmap button (statement BITMAP): "{ ID n NORMAL {..} OVER {..} DOWN {..}
// RIGHT {..} WINMOVE TIP word }". NORMAL is required. Its image follows the
// mouse; a missing RIGHT or DOWN image falls back to OVER, a missing OVER to
// NORMAL. A WINMOVE button drags the window when pressed.
class CSkinButton : public CSkinItem {
public:
    bool Parse(CSkinReader& reader) override;
    // Draws the current image; its placed rectangle becomes the button's.
    void Draw(ISkinSurface& surface, int32_t width, int32_t height) override;
    void OnOver() override;
    void OnLeftDown() override;
    void OnLeave() override;
    void OnRightDown() override;
    // Replaces the NORMAL image's caption and redraws that image.
    void SetText(const char* text) override;
    // The NORMAL caption's colour, shown the next time that image is drawn.
    void SetColour(uint8_t red, uint8_t green, uint8_t blue) override;

    int CurrentImage() const { return m_current; }
    const std::string& Tip() const { return m_tip; }
    const CSkinImage& Image(int state) const { return m_images[state]; }

private:
    // Shows the state's image, falling back DOWN/RIGHT -> OVER -> NORMAL;
    // nothing changes when it is current already.
    void ShowImage(int state);
    // Makes the image current, draws it into the buffer and invalidates it.
    void Show(int state);
    void DrawImage(int state);

    CSkinStates<CSkinImage> m_images;
    int m_current = kSkinNormal;
    bool m_movesWindow = false;
    std::string m_tip;  // read for the script's sake; nothing shows it
};
