#pragma once
#include <cstdint>
#include <string>

// Finding the supplier's update program to run from the program's folder or
// an update disk. The drives, files and the user's answer come through
// IUpdateDisk; the Windows side adapts the drive, file and message calls.

enum class DriveKind { None, Removable, Fixed, Network, CdRom, Other };

class IUpdateDisk {
public:
    virtual ~IUpdateDisk() = default;
    // The kind of drive whose root is, for example, "A:\".
    virtual DriveKind Kind(const std::string& root) = 0;
    // A medium is in the drive: its volume can be read.
    virtual bool HasVolume(const std::string& root) = 0;
    // True when the file exists, with its creation time (100 ns units).
    virtual bool FindFile(const std::string& path, uint64_t& created) = 0;
    // None found: Retry (true) or Cancel (false).
    virtual bool AskRetry() = 0;
    // Starts the update program without waiting for it.
    virtual void Run(const std::string& path) = 0;
};

struct UpdateCandidate {
    std::string path; // empty when none was found
    uint64_t created = 0;
};

// The paths are bounded as the program has always held them.
constexpr size_t kMaxUpdatePath = 255;

// The update program created last among those in the folder (ending in a
// backslash) and the roots of removable and CD drives with a medium, A: to Z:.
// Among equal times the first found stays: the folder, then A:, B: and so on,
// and "Tarn UpdateD.exe" before "TarnUpdateD.exe".
UpdateCandidate FindUpdateProgram(IUpdateDisk& disk, const std::string& folder);

// Searches until a program is found and runs it, or until the user cancels;
// true when one was started.
bool RunUpdateFromDisk(IUpdateDisk& disk, const std::string& folder);
