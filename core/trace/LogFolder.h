#pragma once
#include <cstdint>
#include <string>

// How much the trace logs may take. A server that keeps an exchange open and
// trickles bytes would otherwise fill the disk through the log: every byte
// received costs a line of some sixty bytes.
struct TraceLogLimits {
    // One log file; past it one line says the log was cut and nothing more is
    // written to that file.
    uintmax_t fileBytes = uintmax_t{8} << 20;
    // The whole Logs folder; the oldest logs go when a new one starts.
    uintmax_t folderBytes = uintmax_t{64} << 20;
};

// Removes the folder's oldest ".log" files (by their last change) until the
// ones left take at most keepBytes. Other files are left alone; a file that
// can't be removed is skipped.
void PruneLogFolder(const std::string& folder, uintmax_t keepBytes);
