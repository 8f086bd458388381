#pragma once
#include <cstddef>
#include <cstdint>

class CSkinReader;

// One key binding: releasing the key sends SKIN_CLICK for the item.
struct SkinHotKey {
    uint32_t key = 0;  // Windows virtual-key code
    uint32_t id = 0;
};

// The hot-key table of a skin: 256 bindings in script order.
class CSkinHotKeys {
public:
    static constexpr size_t kCapacity = 256;

    // Reads a HOTKEY binding: "{" id [ALT] [CTRL] [SHIFT] [EXT] key "}".
    // False rejects it, leaving the reader at the word where it stopped.
    // Bindings past the 256th are read and dropped.
    bool ReadBinding(CSkinReader& reader);

    size_t Count() const { return m_count; }
    const SkinHotKey& At(size_t index) const { return m_keys[index]; }

    // The virtual-key code of a key name (any case), or 0 for an unknown name.
    static uint32_t KeyCode(const char* name);
    // How many key names there are.
    static size_t KeyNameCount();

private:
    SkinHotKey m_keys[kCapacity];
    size_t m_count = 0;
};
