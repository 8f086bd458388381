#pragma once
#include <cstdint>
#include <string>

#include "base/LinkList.h"

// What a loader tells of one bitmap file.
struct SkinBitmapInfo {
    void* handle = nullptr;  // the platform's bitmap, handed back to ISkinSurface::Blit
    int32_t width = 0;
    int32_t height = 0;
};

// Loads bitmap files for the cache. The program loads them with LoadImageA and
// reads their size with GetDIBits; without one the cache reads BMP headers.
class ISkinBitmapLoader {
public:
    virtual ~ISkinBitmapLoader() = default;
    // Loads the file at its own size; false when it can't.
    virtual bool Load(const char* fileName, SkinBitmapInfo& info) = 0;
};

// One bitmap file, shared by every image of every skin that names it.
class CSkinBitmapFile : public CLinkNode {
public:
    CSkinBitmapFile(const char* fileName, bool loaded, const SkinBitmapInfo& info);

    const std::string& FileName() const { return m_fileName; }
    // A file that failed to load is still an entry, with no bitmap and a size of 0 x 0.
    bool IsLoaded() const { return m_loaded; }
    void* Handle() const { return m_info.handle; }
    int32_t Width() const { return m_info.width; }
    int32_t Height() const { return m_info.height; }

private:
    std::string m_fileName;
    bool m_loaded;
    SkinBitmapInfo m_info;
};

// The process-wide bitmap cache: one entry per exact file name (case counts),
// kept until the process ends.
class CSkinBitmapCache {
public:
    static CSkinBitmapCache& Shared();

    // The loader for files not yet in the cache; null restores the BMP header reader.
    void SetLoader(ISkinBitmapLoader* loader);
    // The entry named exactly fileName, loading the file and appending an entry if there is none.
    CSkinBitmapFile& Find(const char* fileName);
    uint32_t Count() const { return m_files.Count(); }
    // Deletes every entry. Only for the end of a test or a fuzz run, when no image refers to one.
    void ReleaseAll();

private:
    CSkinBitmapCache() = default;

    CLinkList m_files;
    ISkinBitmapLoader* m_loader = nullptr;
};
