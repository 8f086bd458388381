#pragma once
#include "framework/Window.h"

// A dialog's control whose messages reach this object first (SetWindowSubclass);
// what OnMessage leaves goes on to the control's own handling.
class CControl : public CWindow {
public:
    // False when the control doesn't exist or can't be subclassed.
    bool Subclass(HWND dialog, int id);

protected:
    // The control's own handling of a message.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
};
