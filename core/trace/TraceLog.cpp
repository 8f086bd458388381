#include "trace/TraceLog.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "base/StrFormat.h"
#include "text/SafeNamePart.h"

namespace {

// Longest log name a file name carries.
constexpr size_t kMaxLogNameText = 64;

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// The log is a Windows text file: every line end is written as CR LF, so a
// caller's "\r\n" lands as CR CR LF, on every platform alike.
std::string WindowsTextBytes(const std::string& line)
{
    std::string bytes;
    bytes.reserve(line.size() + 8);
    for (char c : line) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return bytes;
}

// The last line of a log that reached its limit.
std::string CutNotice(uintmax_t limit)
{
    return WindowsTextBytes(StrFormat("\r\n* Log cut at %llu bytes: nothing more is written to this file\r\n",
                                      static_cast<unsigned long long>(limit)));
}

} // namespace

std::string LogFileTitle(const std::string& logName, const std::tm& when)
{
    char stamp[64];
    const size_t n = std::strftime(stamp, sizeof stamp, "%d-%m-%Y %H.%M.%S", &when);
    return SafeNamePart(logName, kMaxLogNameText) + " " + std::string(stamp, n) + ".log";
}

CTraceLog::CTraceLog(const ICounterSource& counter, const ILocalClock& clock, std::string logFolder,
                     const TraceLogLimits& limits)
    : m_clock(clock), m_folder(std::move(logFolder)), m_limits(limits),
      m_cutNotice(CutNotice(limits.fileBytes)), m_runTimer(counter), m_lineTimer(counter)
{
}

CTraceLog::~CTraceLog()
{
    CloseFile();
}

void CTraceLog::SetLogName(const std::string& name)
{
    m_logName = name;
    CloseFile();
}

void CTraceLog::TraceV(unsigned flags, const char* format, va_list args)
{
    const bool toScreen = (flags & kScreenMask) != 0;
    const bool toFile = (flags & kFileMask) != 0;
    const bool prefixed = (flags & kNoPrefix) == 0;
    if (!toScreen && !toFile)
        return;
    std::string line = prefixed ? Prefix() : std::string();
    line += StrFormatV(format, args);
    if (toScreen)
        Show(line, prefixed);
    if (toFile && !m_logName.empty())
        WriteToFile(line);
}

std::string CTraceLog::Prefix()
{
    char runTime[256];
    char lineTime[256];
    FormatElapsed(m_runTimer, runTime, sizeof runTime, "%M:%S.%2f");
    FormatElapsed(m_lineTimer, lineTime, sizeof lineTime, "%S.%3f");
    m_lineTimer.Reset();
    return StrFormat("%3d <%s : %s> ", m_lineNumber++, runTime, lineTime);
}

void CTraceLog::Show(const std::string& line, bool startsEntry)
{
    if (!m_screen)
        return;
    while (!m_screenEntries.empty() && m_screenChars + line.size() > kTraceScreenLimit) {
        m_screen->RemoveFront(m_screenEntries.front());
        m_screenChars -= m_screenEntries.front();
        m_screenEntries.pop_front();
    }
    m_screen->AppendText(line);
    m_screenChars += line.size();
    if (startsEntry || m_screenEntries.empty())
        m_screenEntries.push_back(line.size());
    else
        m_screenEntries.back() += line.size();
}

// A line that would take the file past its limit is left out, and the cut is
// told in the room kept for it; the screen still shows every line.
void CTraceLog::WriteToFile(const std::string& line)
{
    if (m_fileCut || (!m_file && !OpenFile()))
        return;
    const std::string bytes = WindowsTextBytes(line);
    if (m_fileBytes + bytes.size() + m_cutNotice.size() <= m_limits.fileBytes) {
        WriteBytes(bytes);
        return;
    }
    WriteBytes(m_cutNotice);
    m_fileCut = true;
}

void CTraceLog::WriteBytes(const std::string& bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), m_file);
    std::fflush(m_file);
    m_fileBytes += bytes.size();
}

// Before a new log starts, the oldest go until the folder has room for this
// one to reach its own limit.
bool CTraceLog::OpenFile()
{
    std::error_code ignored;
    std::filesystem::create_directory(m_folder, ignored);
    const uintmax_t room = m_limits.folderBytes > m_limits.fileBytes ? m_limits.folderBytes - m_limits.fileBytes : 0;
    PruneLogFolder(m_folder, room);
    const std::string path = m_folder + kPathSeparator + LogFileTitle(m_logName, m_clock.LocalTime());
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file) {
        // No further attempt until a name is set again.
        m_logName.clear();
        return false;
    }
    m_logPath = path;
    return true;
}

void CTraceLog::CloseFile()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_logPath.clear();
    m_fileBytes = 0;
    m_fileCut = false;
}
