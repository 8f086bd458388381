#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The program file the server sends as "EXEUPDATE~chunk~chunk~...".

// Decodes one chunk: every complete group of four characters gives three
// bytes, from the low six bits of each character, the last one the most
// significant; characters after the last complete group carry nothing.
std::vector<uint8_t> DecodeUpdateChunk(const char* chars, size_t count);

// The server's side: three bytes to four characters. Each character carries
// six bits as 0x40 plus the value, except that 62 goes as ">" so that no "~"
// ends the chunk early; none is a link control byte or the 0xAC that cuts a
// block. A length that isn't a multiple of three is padded with zero bytes,
// which the receiver keeps: the format has no length of its own.
std::string EncodeUpdateChunk(const uint8_t* bytes, size_t count);

// Writes the decoded chunks of an update message, after its first field, to
// path (the file "one" beside the program). The file is replaced only once
// every byte is on the disk; false, and the old file untouched, on failure.
bool WriteUpdateFile(const std::string& message, const std::string& path);
