#include "trace/TraceSink.h"

void Trace(ITraceSink* sink, unsigned flags, const char* format, ...)
{
    if (!sink)
        return;
    va_list args;
    va_start(args, format);
    sink->TraceV(flags, format, args);
    va_end(args);
}
