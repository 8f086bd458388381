#include "skin/SkinCoord.h"

#include "skin/SkinWords.h"

CSkinCoord CSkinCoord::FromWord(const char* word)
{
    const char* rest = word;
    const int32_t value = SkinDecimal(word, &rest);
    uint8_t flags = 0;
    for (; *rest; ++rest) {
        switch (*rest) {
        case '%': flags |= kPercent; break;
        case 'R': case 'r': case 'B': case 'b': flags |= kFar; break;
        case 'C': case 'c': flags |= kCentre; break;
        default: break;  // L, T and anything else: the near edge
        }
    }
    return CSkinCoord(value, flags);
}

int32_t CSkinCoord::Resolve(int32_t extent) const
{
    const int64_t v = m_value;
    const int64_t e = extent;
    const int64_t share = SkinWrap(v * e) / 100;
    switch (m_flags) {
    case kFar: return SkinWrap(e + v);
    case kCentre: return SkinWrap(e / 2 + v);
    case kPercent: return SkinWrap(share);
    case kPercent | kFar: return SkinWrap(share + e);
    case kPercent | kCentre: return SkinWrap(e / 2 + share);
    default: return m_value;  // no flags, and the combinations without a meaning
    }
}
