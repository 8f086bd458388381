#pragma once
#include <string>

// The global hot key as the hot-key control holds it: a virtual-key code and
// the control's modifier flags (1 Shift, 2 Ctrl, 4 Alt). "76, 2" is Ctrl+L.
struct HotKey {
    int keyCode = 0;
    int modifiers = 0;
};

// Reads "76,2" or "76, 2"; false unless both numbers are there.
bool ParseHotKey(const std::string& text, HotKey& hotKey);
// The stored form, "%d, %d" of both values taken as 16 bits.
std::string HotKeyText(const HotKey& hotKey);
// The control's modifier flags as registration flags (Alt 1, Ctrl 2, Shift 4).
int RegistrationModifiers(int controlFlags);
