#include "text/CrashReport.h"

#include <algorithm>

#include "base/StrFormat.h"
#include "text/SupportTelephone.h"

namespace {

// The supplier's support line, the last words of the crash message.

// The build stamp stands in the pattern as a fixed text: a dump name must
// name the release, not the moment this file was compiled.
constexpr const char* kDumpPattern = " [%Y-%m-%d %H.%M.%S] - (v1.6, Jun  6 2008 @ 15:29:01).dmp";

} // namespace

std::string ProgramFileName(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CrashDumpName(const std::string& programFileName, const std::tm& when)
{
    char stamp[256];
    const size_t n = std::strftime(stamp, sizeof stamp, kDumpPattern, &when);
    std::string name = programFileName + std::string(stamp, n);
    std::replace(name.begin(), name.end(), ':', '.');
    return name;
}

std::string CrashMessageText(const std::string& programFileName)
{
    return StrFormat("%s has encountered a problem and needs to close.\r\n"
                     "We are sorry for the inconvenience.\r\n\r\n"
                     "If this continues to happen please contact Quarn on %s.",
                     programFileName.c_str(), kSupportTelephone);
}
