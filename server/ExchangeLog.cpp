#include "ExchangeLog.h"

#include <ctime>

#include "base/StrFormat.h"

bool CExchangeLog::Open(const std::string& path)
{
    if (path.empty())
        return true;
    FILE* file = fopen(path.c_str(), "a");
    if (!file)
        return false;
    m_file = file;
    m_owned = true;
    return true;
}

CExchangeLog::~CExchangeLog()
{
    if (m_owned)
        fclose(m_file);
}

void CExchangeLog::Line(const char* format, ...)
{
    char stamp[32];
    const time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    va_list args;
    va_start(args, format);
    const std::string text = StrFormatV(format, args);
    va_end(args);
    fprintf(m_file, "%s %s\n", stamp, text.c_str());
    fflush(m_file);
}

void CConnectionTrace::TraceV(unsigned, const char* format, va_list args)
{
    m_pending += StrFormatV(format, args);
    size_t end;
    while ((end = m_pending.find('\n')) != std::string::npos) {
        std::string line = m_pending.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_log.Line("#%llu %s", static_cast<unsigned long long>(m_serial), line.c_str());
        m_pending.erase(0, end + 1);
    }
    // A line that never ends is written in pieces rather than held without bound.
    if (m_pending.size() > kMaxPending) {
        m_log.Line("#%llu %s", static_cast<unsigned long long>(m_serial), m_pending.c_str());
        m_pending.clear();
    }
}
