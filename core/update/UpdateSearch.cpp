#include "update/UpdateSearch.h"

namespace {

const char* const kUpdateNames[] = {"Tarn UpdateD.exe", "TarnUpdateD.exe"};

// Only drives a person brings the disk in: fixed and network drives may hold
// any old copy, and a network drive may take long to answer.
bool MayHoldUpdateDisk(DriveKind kind)
{
    return kind == DriveKind::Removable || kind == DriveKind::CdRom;
}

void SearchPlace(IUpdateDisk& disk, const std::string& place, UpdateCandidate& best)
{
    for (const char* name : kUpdateNames) {
        const std::string path = place + name;
        uint64_t created = 0;
        if (path.size() > kMaxUpdatePath || !disk.FindFile(path, created))
            continue;
        if (best.path.empty() || created > best.created)
            best = UpdateCandidate{path, created};
    }
}

} // namespace

UpdateCandidate FindUpdateProgram(IUpdateDisk& disk, const std::string& folder)
{
    UpdateCandidate best;
    SearchPlace(disk, folder, best);
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (MayHoldUpdateDisk(disk.Kind(root)) && disk.HasVolume(root))
            SearchPlace(disk, root, best);
    }
    return best;
}

bool RunUpdateFromDisk(IUpdateDisk& disk, const std::string& folder)
{
    for (;;) {
        const UpdateCandidate found = FindUpdateProgram(disk, folder);
        if (!found.path.empty()) {
            disk.Run(found.path);
            return true;
        }
        if (!disk.AskRetry())
            return false;
    }
}
