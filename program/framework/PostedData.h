#pragma once
#include <windows.h>

#include <memory>
#include <utility>

// Handing data to a window's thread by posting only. The sender gives up the
// data with the post: the receiver owns it from then on and takes it back with
// TakePosted. A post that fails frees the data at once, so nothing leaks and
// nothing is shared. A window that goes frees what is still queued for it
// with DropPosted.
template <class T>
bool PostOwned(HWND window, UINT message, std::unique_ptr<T> data, LPARAM lParam = 0)
{
    if (!PostMessageA(window, message, reinterpret_cast<WPARAM>(data.get()), lParam))
        return false;
    data.release();
    return true;
}

template <class T>
std::unique_ptr<T> TakePosted(WPARAM wParam)
{
    return std::unique_ptr<T>(reinterpret_cast<T*>(wParam));
}

// Frees the data still queued for a window of this thread that is going.
template <class T>
void DropPosted(HWND window, UINT message)
{
    MSG queued;
    while (PeekMessageA(&queued, window, message, message, PM_REMOVE))
        TakePosted<T>(queued.wParam);
}
