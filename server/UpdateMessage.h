#pragma once
#include <cstddef>
#include <string>

// The program file pushed to older clients, as one "EXEUPDATE~chunk~chunk~..."
// message of chunks that each fill one block (EncodeUpdateChunk).
std::string ComposeUpdateMessage(const std::string& content);

// The largest program file whose message a client takes in (kDefaultMessageLimit).
size_t LargestUpdateFile();

// Reads the file whole and composes its message; a file too large to reach
// any client is refused with the reason in error.
bool LoadUpdateMessage(const std::string& path, std::string* message, std::string* error);
