#include "skin/SkinBitmapCache.h"

#include "skin/BmpFileLoader.h"

CSkinBitmapFile::CSkinBitmapFile(const char* fileName, bool loaded, const SkinBitmapInfo& info)
    : m_fileName(fileName), m_loaded(loaded), m_info(loaded ? info : SkinBitmapInfo{})
{
}

CSkinBitmapCache& CSkinBitmapCache::Shared()
{
    // Made once and never destroyed: entries live until the process ends.
    static CSkinBitmapCache* cache = new CSkinBitmapCache;
    return *cache;
}

void CSkinBitmapCache::SetLoader(ISkinBitmapLoader* loader)
{
    m_loader = loader;
}

CSkinBitmapFile& CSkinBitmapCache::Find(const char* fileName)
{
    for (auto* file = m_files.FirstAs<CSkinBitmapFile>(); file; file = CLinkList::NextAs(file))
        if (file->FileName() == fileName)
            return *file;
    static CBmpFileLoader headerReader;
    ISkinBitmapLoader& loader = m_loader ? *m_loader : headerReader;
    SkinBitmapInfo info;
    const bool loaded = loader.Load(fileName, info);
    auto* file = new CSkinBitmapFile(fileName, loaded, info);
    m_files.Append(file);
    return *file;
}

void CSkinBitmapCache::ReleaseAll()
{
    m_files.UnlinkAll(true);
}
