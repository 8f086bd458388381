#pragma once
#include "base/StrFormat.h"

// A printf-style line on the debugger's output channel, which the user never sees.
void DebugOutput(const char* format, ...) QBX_PRINTF(1, 2);
