#include "skin/SkinStates.h"

int SkinStateOf(const char* word)
{
    static const char* const kWords[kSkinStateCount] = {"NORMAL", "OVER", "DOWN", "RIGHT"};
    for (int state = 0; state < kSkinStateCount; ++state)
        if (SkinWordIs(word, kWords[state]))
            return state;
    return -1;
}
