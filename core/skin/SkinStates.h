#pragma once
#include <cstddef>

#include "skin/SkinBlock.h"

// The mouse states an item can show, and the words that give each one's block.
enum SkinState : int { kSkinNormal = 0, kSkinOver, kSkinDown, kSkinRight, kSkinStateCount };

// NORMAL, OVER, DOWN or RIGHT (any case) as its state, else -1.
int SkinStateOf(const char* word);

// An item's four blocks of one kind (images, frames, colours, polygons).
template <class Block>
class CSkinStates {
public:
    bool Read(int state, CSkinReader& reader)
    {
        m_given[state] = true;
        return m_blocks[state].Parse(reader);
    }
    bool Has(int state) const { return m_given[state]; }
    Block& operator[](int state) { return m_blocks[state]; }
    const Block& operator[](int state) const { return m_blocks[state]; }

private:
    Block m_blocks[kSkinStateCount];
    bool m_given[kSkinStateCount] = {};
};

// An item body up to its "}": each state word followed by that state's block,
// the item's own words from the table, other words skipped. Accepted only
// with a NORMAL block.
template <class T, class Block>
bool ReadSkinItemBody(CSkinReader& reader, T& item, CSkinStates<Block>& states,
                      const SkinBlockWord<T>* words, size_t count)
{
    const bool closed = ReadSkinWords(reader, [&](const char* word) {
        const int state = SkinStateOf(word);
        if (state >= 0)
            return states.Read(state, reader);
        const SkinBlockWord<T>* entry = FindSkinBlockWord(words, count, word);
        return !entry || entry->read(item, reader);
    });
    return closed && states.Has(kSkinNormal);
}

template <class T, class Block, size_t N>
bool ReadSkinItemBody(CSkinReader& reader, T& item, CSkinStates<Block>& states, const SkinBlockWord<T> (&words)[N])
{
    return ReadSkinItemBody(reader, item, states, words, N);
}

template <class T, class Block>
bool ReadSkinItemBody(CSkinReader& reader, T& item, CSkinStates<Block>& states)
{
    return ReadSkinItemBody(reader, item, states, static_cast<const SkinBlockWord<T>*>(nullptr), 0);
}
