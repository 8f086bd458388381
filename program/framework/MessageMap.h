#pragma once
#include <windows.h>

#include <cstddef>

// Per-class handler tables. A window class lists the messages and commands it
// handles in static arrays; its OnMessage hands them to Dispatch and falls back
// to its base class when nothing matched.
template <class T>
struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM wParam, LPARAM lParam);
};

template <class T>
struct CommandEntry {
    WORD id;
    void (T::*handler)();
};

template <class T, size_t N>
bool DispatchMessageMap(T* self, const MessageEntry<T> (&map)[N], UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT& result)
{
    for (const MessageEntry<T>& entry : map) {
        if (entry.message == message) {
            result = (self->*entry.handler)(wParam, lParam);
            return true;
        }
    }
    return false;
}

// Commands are button clicks and menu or accelerator picks (notification 0 or 1).
template <class T, size_t N>
bool DispatchCommandMap(T* self, const CommandEntry<T> (&map)[N], UINT message, WPARAM wParam)
{
    if (message != WM_COMMAND || HIWORD(wParam) > 1)
        return false;
    for (const CommandEntry<T>& entry : map) {
        if (entry.id == LOWORD(wParam)) {
            (self->*entry.handler)();
            return true;
        }
    }
    return false;
}
