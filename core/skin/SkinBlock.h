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

// Hands every word up to the block's "}" to onWord, which returns false to
// reject the block. The end of the input inside a block rejects it.
template <class F>
bool ReadSkinWords(CSkinReader& reader, F&& onWord)
{
    while (const char* word = reader.NextWord()) {
        if (std::strcmp(word, "}") == 0)
            return true;
        if (!onWord(word))
            return false;
    }
    return false;
}

template <class T>
const SkinBlockWord<T>* FindSkinBlockWord(const SkinBlockWord<T>* words, size_t count, const char* word)
{
    for (size_t i = 0; i < count; ++i)
        if (SkinWordIs(word, words[i].keyword))
            return &words[i];
    return nullptr;
}

// Reads a block up to its "}": keywords go to their entry of the table; any
// other word goes to other (which may reject it), or is skipped when there is
// none, an opening "{" included.
template <class T, size_t N>
bool ReadSkinBlock(CSkinReader& reader, T& target, const SkinBlockWord<T> (&words)[N],
                   bool (*other)(T& target, const char* word) = nullptr)
{
    return ReadSkinWords(reader, [&](const char* word) {
        if (const SkinBlockWord<T>* entry = FindSkinBlockWord(words, N, word))
            return entry->read(target, reader);
        return !other || other(target, word);
    });
}

// Blocks that must open with their own "{".
inline bool ReadSkinOpenBrace(CSkinReader& reader)
{
    const char* word = reader.NextWord();
    return word && std::strcmp(word, "{") == 0;
}
