#pragma once
#include <cstddef>
#include <string>

// The readable form of link bytes for the trace: control characters named
// ("{STX}"), other non-printing bytes in hexadecimal ("{x 7}", "{xff}").
std::string FormatControls(const void* data, size_t count);
