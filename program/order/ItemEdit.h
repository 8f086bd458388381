#pragma once
#include <string>

#include "framework/Control.h"
#include "order/EntryGrid.h"

// The in-place edit that floats over a record list's current row, yellow on
// yellow. Its key presses go on to the list (but for Home, End, Left and
// Right, which move the caret), and every key release is queued to the list
// after the edit has handled it.
class CItemEdit : public CControl {
public:
    CItemEdit() = default;
    ~CItemEdit() override;

    // Creates the edit, visible, as a child of the list whose grid learns
    // what is typed into a quantity.
    bool Create(HWND list, CEntryGrid& grid);
    // Puts the edit over the rectangle (the list's client coordinates) in
    // the manner of its kind, with the text and the list's font.
    void Show(const RECT& rect, EntryEditKind kind, const std::string& text, HFONT font);
    void Hide();
    bool Visible() const;
    std::string Text() const;
    // Takes the focus with the whole text selected.
    void Focus();
    // The list's answer to the edit's colour request.
    HBRUSH Colour(HDC dc);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool CreateAligned(HWND list, bool rightAligned);
    void OnKeyDown(UINT message, WPARAM key, LPARAM flags);
    bool OnQuantityChar(char c);

    CEntryGrid* m_grid = nullptr;
    // When the key of the character being typed went down: the scanner's
    // pace, not the moment this program got round to the character.
    uint32_t m_keyTime = 0;
    HBRUSH m_brush = nullptr;
    unsigned m_limit = 255;
    bool m_rightAligned = false;
};
