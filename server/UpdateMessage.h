#pragma once
#include <cstddef>
#include <string>

// The program file pushed to older clients, as one "EXEUPDATE~chunk~chunk~..." message.
// Three bytes travel as four characters, the first carrying the lowest six
// bits; the file is padded with zero bytes to a whole number of groups.
std::string EncodeUpdateChunk(const unsigned char* bytes, size_t count);
std::string ComposeUpdateMessage(const std::string& content);

// Reads the file whole; larger files than this are refused.
constexpr size_t kMaxUpdateFile = 16u << 20;
bool LoadUpdateMessage(const std::string& path, std::string* message, std::string* error);
