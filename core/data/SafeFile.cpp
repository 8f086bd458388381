#include "data/SafeFile.h"

#include <filesystem>
#include <system_error>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool SyncToDisk(std::FILE* file)
{
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

} // namespace

bool CSafeFile::Open(const std::string& path)
{
    Discard();
    m_path = path;
    m_temp = path + ".new";
    m_failed = false;
    m_file = std::fopen(m_temp.c_str(), "wb");
    return m_file != nullptr;
}

bool CSafeFile::Write(const void* data, size_t n)
{
    if (!m_file)
        return false;
    if (n && std::fwrite(data, 1, n, m_file) != n)
        m_failed = true;
    return !m_failed;
}

bool CSafeFile::Commit()
{
    if (!m_file)
        return false;
    bool ok = !m_failed && std::fflush(m_file) == 0 && SyncToDisk(m_file);
    ok = (std::fclose(m_file) == 0) && ok;
    m_file = nullptr;
    if (ok) {
        // std::filesystem::rename replaces an existing target on Windows too.
        std::error_code ec;
        std::filesystem::rename(m_temp, m_path, ec);
        ok = !ec;
    }
    if (!ok)
        std::remove(m_temp.c_str());
    return ok;
}

void CSafeFile::Discard()
{
    if (!m_file)
        return;
    std::fclose(m_file);
    m_file = nullptr;
    std::remove(m_temp.c_str());
}
