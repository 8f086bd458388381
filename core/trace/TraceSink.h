#pragma once
#include <cstdarg>

#include "base/StrFormat.h"

// Trace flags of the communication modules. A line's flags choose whether it
// is shown, written to the log file, and whether it gets the numbered prefix.
enum TraceFlags : unsigned {
    kTraceDuplicate = 0x04,   // duplicate blocks
    kTraceConnection = 0x08,  // connection events and the direction of data
    kTraceLink = 0x10,        // link states and protocol notes (file only)
    kTraceStatus = 0x20,      // status lines
    kTraceNoPrefix = 0x8000,  // continues a line an earlier call began
    kTraceData = 0x8008,      // data bytes
    kTraceNoise = 0x8010,     // discarded line noise
    kTraceTick = 0x8040,      // timer ticks
};

// Where communication modules send their trace lines: the trace window and
// its log file in the program, a recorder in tests.
class ITraceSink {
public:
    virtual ~ITraceSink() = default;
    virtual void TraceV(unsigned flags, const char* format, va_list args) = 0;
};

// Hands one line to the sink; a missing sink drops it.
void Trace(ITraceSink* sink, unsigned flags, const char* format, ...) QBX_PRINTF(3, 4);
