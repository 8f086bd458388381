#pragma once
#include <cstdio>
#include <ctime>
#include <deque>
#include <string>

#include "trace/LocalClock.h"
#include "trace/LogFolder.h"
#include "trace/PerfTimer.h"
#include "trace/TraceSink.h"

// The trace window's text, as the trace log sees it.
class ITraceScreen {
public:
    virtual ~ITraceScreen() = default;
    // Adds text at the very end of the window's text.
    virtual void AppendText(const std::string& text) = 0;
    // Removes the first count characters of the window's text.
    virtual void RemoveFront(size_t count) = 0;
};

// Characters the trace window keeps; the window raises its own limit to at
// least this. Older lines leave the top to make room; the log file keeps all.
constexpr size_t kTraceScreenLimit = 1000000;

// The running trace of a connection: numbered, timed lines shown in the trace
// window and written to "Logs\<name> <local time>.log", chosen per line by
// the flags word.
class CTraceLog : public ITraceSink {
public:
    static constexpr unsigned kScreenMask = 0x6F;
    static constexpr unsigned kFileMask = 0xFF;
    static constexpr unsigned kNoPrefix = 0x8000;

    // The counter and the clock must outlive the log. logFolder is the folder
    // the files go to, "Logs" beside the program unless a test says otherwise.
    CTraceLog(const ICounterSource& counter, const ILocalClock& clock, std::string logFolder = "Logs",
              const TraceLogLimits& limits = {});
    ~CTraceLog() override;
    CTraceLog(const CTraceLog&) = delete;
    CTraceLog& operator=(const CTraceLog&) = delete;

    void SetScreen(ITraceScreen* screen) { m_screen = screen; }
    // Closes an open file even for the same name: the next file line starts a
    // new file named with its own time. An empty name turns file logging off.
    void SetLogName(const std::string& name);
    const std::string& LogName() const { return m_logName; }
    // The file lines go to, empty while none is open.
    const std::string& LogPath() const { return m_logPath; }
    // The number the next prefixed line carries.
    void SetLineNumber(int number) { m_lineNumber = number; }

    void TraceV(unsigned flags, const char* format, va_list args) override
        __attribute__((format(printf, 3, 0)));

private:
    std::string Prefix();
    void Show(const std::string& line, bool startsEntry);
    void WriteToFile(const std::string& line);
    void WriteBytes(const std::string& bytes);
    bool OpenFile();
    void CloseFile();

    const ILocalClock& m_clock;
    std::string m_folder;
    TraceLogLimits m_limits;
    std::string m_cutNotice;
    CPerfTimer m_runTimer;
    CPerfTimer m_lineTimer;
    ITraceScreen* m_screen = nullptr;
    // Sizes of the entries on screen, oldest first: a prefixed line together
    // with the continuations that follow it.
    std::deque<size_t> m_screenEntries;
    size_t m_screenChars = 0;
    std::string m_logName;
    std::string m_logPath;
    std::FILE* m_file = nullptr;
    uintmax_t m_fileBytes = 0;
    bool m_fileCut = false;  // the file reached its limit: nothing more goes to it
    int m_lineNumber = 0;
};

// The file part of a log's name, e.g. "12345 01-07-2008 09.15.02.log"; a
// name that would reach outside the Logs folder is made safe first.
std::string LogFileTitle(const std::string& logName, const std::tm& when);
