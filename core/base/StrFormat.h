#pragma once
#include <cstdarg>
#include <string>

// printf into a std::string of exactly the needed length: no fixed buffer to overflow.
std::string StrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string StrFormatV(const char* format, va_list args);
