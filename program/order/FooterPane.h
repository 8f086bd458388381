#pragma once
#include <windows.h>

// The news pane under the order grid: a read-only rich edit that shows the
// supplier's "footer.rtf". It takes its room from the bottom of the grid.
class CFooterPane {
public:
    CFooterPane() = default;
    CFooterPane(const CFooterPane&) = delete;
    CFooterPane& operator=(const CFooterPane&) = delete;

    // Makes the pane in the dialog under the grid and streams the file into
    // it; false, with no pane and the grid as it was, when the file can't be read.
    bool Create(HWND dialog, HWND grid, const char* fileName = "footer.rtf");
    HWND Handle() const { return m_pane; }

private:
    HWND m_pane = nullptr;
};
