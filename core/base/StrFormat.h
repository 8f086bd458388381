#pragma once
#include <cstdarg>
#include <string>

// Checks printf-style arguments; mingw's C99 printf needs the GNU flavour named.
#if defined(__MINGW32__)
#define QBX_PRINTF(formatIndex, firstArg) __attribute__((format(gnu_printf, formatIndex, firstArg)))
#else
#define QBX_PRINTF(formatIndex, firstArg) __attribute__((format(printf, formatIndex, firstArg)))
#endif

// printf into a std::string of exactly the needed length: no fixed buffer to overflow.
std::string StrFormat(const char* format, ...) QBX_PRINTF(1, 2);
std::string StrFormatV(const char* format, va_list args);
