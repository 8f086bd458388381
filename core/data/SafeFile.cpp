#include "data/SafeFile.h"

#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>
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

constexpr int kReplaceTries = 10;
constexpr std::chrono::milliseconds kReplacePause(50);

// On Windows a virus scanner or a backup tool that holds the target open
// makes the replace fail for a moment (the C library reports the sharing
// violation as an access or I/O error): it is tried again for half a second.
bool IsSharingError(const std::error_code& ec)
{
    return ec == std::errc::permission_denied || ec == std::errc::io_error ||
           ec == std::errc::device_or_resource_busy;
}

bool Replace(const std::string& from, const std::string& to)
{
    for (int attempt = 1;; ++attempt) {
        // std::filesystem::rename replaces an existing target on Windows too.
        std::error_code ec;
        std::filesystem::rename(from, to, ec);
        if (!ec)
            return true;
        if (attempt == kReplaceTries || !IsSharingError(ec))
            return false;
        std::this_thread::sleep_for(kReplacePause);
    }
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
    ok = ok && Replace(m_temp, m_path);
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
