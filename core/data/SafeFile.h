#pragma once
#include <cstdio>
#include <string>

// A file written beside its target and moved over it only when every byte
// reached the disk, so a crash, a kill or a full disk mid-save never leaves a
// truncated file behind: readers see the old content or the new, never half.
class CSafeFile {
public:
    CSafeFile() = default;
    CSafeFile(const CSafeFile&) = delete;
    CSafeFile& operator=(const CSafeFile&) = delete;
    ~CSafeFile() { Discard(); }

    bool Open(const std::string& path);
    bool Write(const void* data, size_t n);
    // Flushes, syncs and replaces the target; false (target untouched) on any failure.
    bool Commit();
    // Drops the temporary file; the target stays as it was.
    void Discard();
    bool IsOpen() const { return m_file != nullptr; }

private:
    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_temp;
    bool m_failed = false;
};
