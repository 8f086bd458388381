#include "skin/SkinImage.h"

#include <algorithm>
#include <vector>

#include "skin/SkinBitmapCache.h"
#include "skin/SkinBlock.h"
#include "skin/SkinSurface.h"

namespace {

// One copy's place along one axis.
struct Span {
    int32_t dst;
    int32_t dstLength;
    int32_t srcLength;
};

// Untiled: one copy of the whole part, stretched over the destination. Tiled:
// copies at the part's own size until the destination is used up, the last one
// cut. Tiled copies wholly outside the surface's 0..limit are left out, which
// also bounds their number; an empty part can't be tiled.
std::vector<Span> AxisSpans(bool tiled, int32_t dst, int32_t dstLength, int32_t srcLength, int32_t limit)
{
    if (!tiled)
        return {Span{dst, dstLength, srcLength}};
    std::vector<Span> spans;
    if (srcLength <= 0)
        return spans;
    int64_t pos = dst;
    int64_t rest = dstLength;
    if (pos < 0) {
        const int64_t hidden = std::min(-pos / srcLength, rest / srcLength) * srcLength;
        pos += hidden;
        rest -= hidden;
    }
    while (rest > 0 && pos < limit) {
        const int64_t length = std::min<int64_t>(srcLength, rest);
        spans.push_back(Span{int32_t(pos), int32_t(length), int32_t(length)});
        pos += length;
        rest -= length;
    }
    return spans;
}

} // namespace

// The image being read; FILE, HX and HY take the next word whatever it is.
struct SkinImageReading {
    static bool File(CSkinImage& image, CSkinReader& reader)
    {
        const char* name = reader.NextWord();
        if (name)
            image.m_file = &CSkinBitmapCache::Shared().Find(name);
        return name != nullptr;
    }
    static bool Coord(CSkinReader& reader, CSkinCoord& coord)
    {
        const char* word = reader.NextWord();
        if (word)
            coord = CSkinCoord::FromWord(word);
        return word != nullptr;
    }
    static bool Flag(bool& flag)
    {
        flag = true;
        return true;
    }
};

CSkinImage::CSkinImage()
    : m_source(CSkinCoord(0, CSkinCoord::kFar), CSkinCoord(0, CSkinCoord::kFar))
{
}

bool CSkinImage::Parse(CSkinReader& reader)
{
    using R = SkinImageReading;
    static const SkinBlockWord<CSkinImage> kWords[] = {
        {"FILE", [](CSkinImage& i, CSkinReader& r) { return R::File(i, r); }},
        {"RECT", [](CSkinImage& i, CSkinReader& r) { return i.m_source.Parse(r); }},
        {"HX", [](CSkinImage& i, CSkinReader& r) { return R::Coord(r, i.m_hotX); }},
        {"HY", [](CSkinImage& i, CSkinReader& r) { return R::Coord(r, i.m_hotY); }},
        {"TEXT", [](CSkinImage& i, CSkinReader& r) { return i.m_caption.Parse(r); }},
        {"TRANS", [](CSkinImage& i, CSkinReader& r) { return i.m_transparent.Parse(r); }},
        {"VERTTILE", [](CSkinImage& i, CSkinReader&) { return R::Flag(i.m_tileVertically); }},
        {"HORZTILE", [](CSkinImage& i, CSkinReader&) { return R::Flag(i.m_tileHorizontally); }},
        {"DEST", [](CSkinImage& i, CSkinReader& r) { return i.m_dest.Parse(r); }},
    };
    return ReadSkinBlock(reader, *this, kWords) && m_file;
}

void CSkinImage::Draw(ISkinSurface& surface, int32_t width, int32_t height)
{
    const int32_t bitmapWidth = m_file ? m_file->Width() : 0;
    const int32_t bitmapHeight = m_file ? m_file->Height() : 0;
    const SkinRect source = m_source.Resolve(bitmapWidth, bitmapHeight);  // right and bottom exclusive
    SkinBlit whole;
    whole.srcX = source.left;
    whole.srcY = source.top;
    whole.srcWidth = SkinWrap(int64_t(source.right) - source.left);
    whole.srcHeight = SkinWrap(int64_t(source.bottom) - source.top);

    const int32_t hotX = m_hotX.Resolve(whole.srcWidth);
    const int32_t hotY = m_hotY.Resolve(whole.srcHeight);
    const SkinRect dest = m_dest.Resolve(width, height);
    SkinRect placed;
    placed.left = SkinWrap(int64_t(dest.left) - hotX);
    placed.top = SkinWrap(int64_t(dest.top) - hotY);
    placed.right = SkinWrap(int64_t(dest.right) - hotX);
    placed.bottom = SkinWrap(int64_t(dest.bottom) - hotY);
    whole.dstX = placed.left;
    whole.dstY = placed.top;
    whole.dstWidth = SkinWrap(int64_t(placed.right) - placed.left + 1);
    whole.dstHeight = SkinWrap(int64_t(placed.bottom) - placed.top + 1);
    if (placed.right == 0) {  // no right edge: the part's own width
        whole.dstWidth = whole.srcWidth;
        placed.right = SkinWrap(int64_t(placed.left) + whole.srcWidth);
    }
    if (placed.bottom == 0) {
        whole.dstHeight = whole.srcHeight;
        placed.bottom = SkinWrap(int64_t(placed.top) + whole.srcHeight);
    }
    m_occupied = placed;  // recorded even when nothing is drawn
    if (whole.dstWidth < 0 || whole.dstHeight < 0)
        return;
    if (m_file && m_file->IsLoaded())  // a file that failed to load shows only the caption
        DrawCopies(surface, whole, width, height);
    m_caption.Draw(surface, whole.dstX, whole.dstY, whole.dstWidth, whole.dstHeight);
}

void CSkinImage::DrawCopies(ISkinSurface& surface, const SkinBlit& whole, int32_t width, int32_t height) const
{
    const std::vector<Span> columns =
        AxisSpans(m_tileHorizontally, whole.dstX, whole.dstWidth, whole.srcWidth, width);
    const std::vector<Span> rows = AxisSpans(m_tileVertically, whole.dstY, whole.dstHeight, whole.srcHeight, height);
    for (const Span& row : rows) {
        for (const Span& column : columns) {
            SkinBlit copy = whole;
            copy.srcWidth = column.srcLength;
            copy.srcHeight = row.srcLength;
            copy.dstX = column.dst;
            copy.dstY = row.dst;
            copy.dstWidth = column.dstLength;
            copy.dstHeight = row.dstLength;
            surface.Blit(m_file->Handle(), copy);
        }
    }
}
