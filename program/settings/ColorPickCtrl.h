#pragma once
#include "framework/Control.h"

// A colour swatch: a push button painted all over in its colour. Releasing the
// left button over it opens the colour chooser; the main window then redraws,
// as its order grid takes its line colours from the swatches.
class CColorPickCtrl : public CControl {
public:
    COLORREF Colour() const { return m_colour; }
    void SetColour(COLORREF colour);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Paint();
    void Choose();

    COLORREF m_colour = 0;
};
