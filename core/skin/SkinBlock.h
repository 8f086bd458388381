#pragma once
#include <cstddef>
#include <cstring>

#include "skin/SkinReader.h"
#include "skin/SkinWords.h"

// One keyword of a block and what reads its operands; false rejects the block.
template <class T>
struct SkinBlockWord {
    const char* keyword;
    bool (*read)(T& target, CSkinReader& reader);
};

// Reads a block's words up to its "}". Keywords go to their entry of the
// table; any other word goes to other (which may reject it), or is skipped
// when there is none, an opening "{" included. The end of the input inside a
// block rejects it.
template <class T, size_t N>
bool ReadSkinBlock(CSkinReader& reader, T& target, const SkinBlockWord<T> (&words)[N],
                   bool (*other)(T& target, const char* word) = nullptr)
{
    while (const char* word = reader.NextWord()) {
        if (std::strcmp(word, "}") == 0)
            return true;
        const SkinBlockWord<T>* entry = nullptr;
        for (const SkinBlockWord<T>& candidate : words)
            if (SkinWordIs(word, candidate.keyword))
                entry = &candidate;
        if (entry ? !entry->read(target, reader) : (other && !other(target, word)))
            return false;
    }
    return false;
}

// Blocks that must open with their own "{".
inline bool ReadSkinOpenBrace(CSkinReader& reader)
{
    const char* word = reader.NextWord();
    return word && std::strcmp(word, "{") == 0;
}
