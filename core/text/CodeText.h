#pragma once
#include <cstddef>
#include <cstdint>

// One row of a code-to-text table: the texts the user and the trace see for
// numeric codes of sockets, dial-up, telephony and the order server.
struct CodeText {
    uint32_t code;
    const char* text;
};

// The text of code in table, or fallback when the code isn't listed.
template <size_t N>
const char* FindCodeText(const CodeText (&table)[N], uint32_t code, const char* fallback)
{
    for (const CodeText& row : table) {
        if (row.code == code)
            return row.text;
    }
    return fallback;
}
