#pragma once
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

#include "trace/TraceSink.h"

// The server's log: one line per exchange, and the links' byte trace when asked.
class CExchangeLog {
public:
    // Writes to the file (standard output when the path is empty).
    bool Open(const std::string& path);
    ~CExchangeLog();

    void Line(const char* format, ...) __attribute__((format(printf, 2, 3)));
    bool Tracing() const { return m_tracing; }
    void SetTracing(bool on) { m_tracing = on; }

private:
    FILE* m_file = stdout;
    bool m_owned = false;
    bool m_tracing = false;
};

// One connection's trace lines into the log, each marked with the connection.
class CConnectionTrace : public ITraceSink {
public:
    CConnectionTrace(CExchangeLog& log, uint64_t serial) : m_log(log), m_serial(serial) {}
    void TraceV(unsigned flags, const char* format, va_list args) override;

private:
    static constexpr size_t kMaxPending = 4096;
    CExchangeLog& m_log;
    uint64_t m_serial;
    std::string m_pending; // a line the engine has begun but not ended
};
