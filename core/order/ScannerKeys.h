#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The keys typed into a line's quantity cell, each with the time its key went
// down (milliseconds of the system's key clock, which wraps). After Enter on
// a line the cursor sits in the next line's quantity, and a handheld scanner
// types a whole code there: such input is no quantity. It is told from a
// person's typing by its speed and its length.

// A person's keys come further apart than this; a scanner's, closer.
constexpr uint32_t kScannerKeyGapMs = 30;
// The digits a quantity cell takes.
constexpr size_t kQuantityCellLimit = 5;

// What a scanner types: printable characters and the group separator. Other
// control characters are the user's editing keys.
bool IsScannerCharacter(char c);

class CScannerKeys {
public:
    // The cell was entered: nothing typed in it yet.
    void Clear();
    // A character typed at the time; a backspace takes the last one back,
    // other control characters are not part of the input.
    void Typed(char c, uint32_t time);

    // At least two characters, each at scanner speed after the one before:
    // the cell's text may be the start of a code, and is not taken yet.
    bool Scanning() const;
    // The input ended by a key pressed at the time (Enter) is a scan: more
    // than the cell takes, however slowly typed (a person's sixth digit is
    // refused by the cell, but Enter after it asks for no quantity), or
    // scanning with the ending key at scanner speed too (a person may roll
    // two keys, but not press Enter with them).
    bool ScanEndsAt(uint32_t endTime) const;
    // What was typed, the characters the cell refused included.
    const std::string& Text() const { return m_text; }

private:
    bool Fast(uint32_t earlier, uint32_t later) const { return later - earlier < kScannerKeyGapMs; }

    std::string m_text;
    std::vector<uint32_t> m_times;
};
