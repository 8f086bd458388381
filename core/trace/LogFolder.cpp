#include "trace/LogFolder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct LogFile {
    fs::path path;
    fs::file_time_type changed;
    uintmax_t size;
};

// The folder's logs, oldest first. Paths stay paths: a name the narrow code
// page can't hold is still listed and removed.
std::vector<LogFile> ListLogs(const std::string& folder)
{
    std::vector<LogFile> logs;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (it->path().extension() != ".log" || !it->is_regular_file(ignored))
            continue;
        const uintmax_t size = it->file_size(ignored);
        const fs::file_time_type changed = it->last_write_time(ignored);
        if (!ignored)
            logs.push_back({it->path(), changed, size});
    }
    std::sort(logs.begin(), logs.end(), [](const LogFile& a, const LogFile& b) { return a.changed < b.changed; });
    return logs;
}

} // namespace

void PruneLogFolder(const std::string& folder, uintmax_t keepBytes)
{
    const std::vector<LogFile> logs = ListLogs(folder);
    uintmax_t total = 0;
    for (const LogFile& log : logs)
        total += log.size;
    for (const LogFile& log : logs) {
        if (total <= keepBytes)
            return;
        std::error_code error;
        if (fs::remove(log.path, error))
            total -= log.size;
    }
}
