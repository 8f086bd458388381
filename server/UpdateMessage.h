#pragma once
#include <cstddef>
#include <string>

// The program file pushed to older clients, as one "EXEUPDATE~chunk~chunk~..."
// message of chunks that each fill one block (EncodeUpdateChunk).
std::string ComposeUpdateMessage(const std::string& content);

// Reads the file whole; larger files than this are refused.
constexpr size_t kMaxUpdateFile = 16u << 20;
bool LoadUpdateMessage(const std::string& path, std::string* message, std::string* error);
