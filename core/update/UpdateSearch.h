#pragma once
#include <cstdint>
#include <string>

// Finding the supplier's update program to run from the program's folder or
// an update disk. The drives, files and the user's answer come through
// IUpdateDisk; the Windows side adapts the drive, file and message calls.

enum class DriveKind { None, Removable, Fixed, Network, CdRom, Other };

// The code signature an update program carries.
enum class UpdateSignature {
    None,     // not signed
    Supplier, // signed, verified, and the signer is the supplier named below
    Other,    // signed, verified, by another publisher
    Invalid,  // signed, but the signature does not verify (altered, untrusted, revoked)
};

// The publisher an update program is signed by: the signer certificate's
// subject name, as Windows shows it.
constexpr char kUpdatePublisher[] = "Quarn Pharmaceutical Suppliers";

// What the pharmacist is shown about a copy before it runs.
struct UpdateFileFacts {
    uint64_t size = 0;
    std::string version; // the file version resource; empty when it has none
    UpdateSignature signature = UpdateSignature::None;
    std::string signer;  // the signer's name when signed
};

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
    // Size, version and signature of the file found.
    virtual UpdateFileFacts Examine(const std::string& path) = 0;
    // The question before a copy runs: true only on Yes.
    virtual bool AskRun(const std::string& question) = 0;
    // A copy refused: says why; nothing runs.
    virtual void Refuse(const std::string& notice) = 0;
    // Starts the update program without waiting for it.
    virtual void Run(const std::string& path) = 0;
};

struct UpdateCandidate {
    std::string path; // empty when none was found
    uint64_t created = 0;
    bool onDisk = false; // on a removable or CD drive, not in the program's folder
};

// The paths are bounded as the program has always held them.
constexpr size_t kMaxUpdatePath = 255;

// The update program created last among those in the folder (ending in a
// backslash) and the roots of removable and CD drives with a medium, A: to Z:.
// Among equal times the first found stays: the folder, then A:, B: and so on,
// and "Tarn UpdateD.exe" before "TarnUpdateD.exe".
UpdateCandidate FindUpdateProgram(IUpdateDisk& disk, const std::string& folder);

// Searches until a program is found, or until the user cancels. The copy
// found runs at once only when it is the program's own, signed by the
// supplier; a copy signed by another publisher or with a signature that does
// not verify is refused; any other copy (from a disk, or unsigned) runs only
// after the pharmacist has seen its path, size, version and signature and
// answered Yes. True when one was started.
bool RunUpdateFromDisk(IUpdateDisk& disk, const std::string& folder);

// The question shown before a copy runs, and the notice when one is refused.
std::string UpdateQuestion(const std::string& path, const UpdateFileFacts& facts);
std::string UpdateRefusal(const std::string& path, const UpdateFileFacts& facts);
