#include "update/UpdateSearch.h"

#include "base/StrFormat.h"

namespace {

const char* const kUpdateNames[] = {"Tarn UpdateD.exe", "TarnUpdateD.exe"};

// Only drives a person brings the disk in: fixed and network drives may hold
// any old copy, and a network drive may take long to answer.
bool MayHoldUpdateDisk(DriveKind kind)
{
    return kind == DriveKind::Removable || kind == DriveKind::CdRom;
}

void SearchPlace(IUpdateDisk& disk, const std::string& place, bool onDisk, UpdateCandidate& best)
{
    for (const char* name : kUpdateNames) {
        const std::string path = place + name;
        uint64_t created = 0;
        if (path.size() > kMaxUpdatePath || !disk.FindFile(path, created))
            continue;
        if (best.path.empty() || created > best.created)
            best = UpdateCandidate{path, created, onDisk};
    }
}

} // namespace

UpdateCandidate FindUpdateProgram(IUpdateDisk& disk, const std::string& folder)
{
    UpdateCandidate best;
    SearchPlace(disk, folder, false, best);
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (MayHoldUpdateDisk(disk.Kind(root)) && disk.HasVolume(root))
            SearchPlace(disk, root, true, best);
    }
    return best;
}

std::string UpdateQuestion(const std::string& path, const UpdateFileFacts& facts)
{
    const std::string signature =
        facts.signature == UpdateSignature::Supplier
            ? StrFormat("Signed by %s.", kUpdatePublisher)
            : StrFormat("WARNING: it is not signed by %s.\r\nRun it only if your supplier sent it.", kUpdatePublisher);
    return StrFormat("Run this update program?\r\n\r\n%s\r\n%llu bytes, version %s\r\n%s", path.c_str(),
                     static_cast<unsigned long long>(facts.size),
                     facts.version.empty() ? "not given" : facts.version.c_str(), signature.c_str());
}

std::string UpdateRefusal(const std::string& path, const UpdateFileFacts& facts)
{
    const std::string why = facts.signature == UpdateSignature::Other
                                ? StrFormat("It is signed by %s, not by %s.", facts.signer.c_str(), kUpdatePublisher)
                                : std::string("Its signature is not valid: the file may have been altered.");
    return StrFormat("This update program was not run.\r\n\r\n%s\r\n%s", path.c_str(), why.c_str());
}

namespace {

bool MayRun(IUpdateDisk& disk, const UpdateCandidate& found)
{
    const UpdateFileFacts facts = disk.Examine(found.path);
    if (facts.signature == UpdateSignature::Other || facts.signature == UpdateSignature::Invalid) {
        disk.Refuse(UpdateRefusal(found.path, facts));
        return false;
    }
    // Anyone can bring a disk, and the pharmacy's users may add files to the
    // program's folder: only the supplier's own signature beside the program
    // goes without a question.
    if (found.onDisk || facts.signature != UpdateSignature::Supplier)
        return disk.AskRun(UpdateQuestion(found.path, facts));
    return true;
}

} // namespace

bool RunUpdateFromDisk(IUpdateDisk& disk, const std::string& folder)
{
    for (;;) {
        const UpdateCandidate found = FindUpdateProgram(disk, folder);
        if (!found.path.empty()) {
            if (!MayRun(disk, found))
                return false;
            disk.Run(found.path);
            return true;
        }
        if (!disk.AskRetry())
            return false;
    }
}
