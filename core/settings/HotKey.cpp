#include "settings/HotKey.h"

#include <cstdint>

#include "base/StrFormat.h"
#include "text/NumberScan.h"

namespace {

struct ModifierPair {
    int control;
    int registration;
};

const ModifierPair kModifiers[] = {
    {1, 4}, // Shift
    {2, 2}, // Ctrl
    {4, 1}, // Alt
};

} // namespace

bool ParseHotKey(const std::string& text, HotKey& hotKey)
{
    const char* p = text.c_str();
    int32_t keyCode = 0;
    int32_t modifiers = 0;
    // As "%d,%d": the comma must follow the first number at once; blanks may
    // come before each number.
    if (!ScanDecimal(p, keyCode) || *p++ != ',' || !ScanDecimal(p, modifiers))
        return false;
    hotKey.keyCode = keyCode;
    hotKey.modifiers = modifiers;
    return true;
}

std::string HotKeyText(const HotKey& hotKey)
{
    return StrFormat("%d, %d", static_cast<int>(static_cast<uint16_t>(hotKey.keyCode)),
                     static_cast<int>(static_cast<uint16_t>(hotKey.modifiers)));
}

int RegistrationModifiers(int controlFlags)
{
    int flags = 0;
    for (const ModifierPair& pair : kModifiers) {
        if (controlFlags & pair.control)
            flags |= pair.registration;
    }
    return flags;
}
