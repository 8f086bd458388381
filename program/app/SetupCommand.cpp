#include "app/SetupCommand.h"

#include <cstring>
#include <string>

#include "settings/DataFileKey.h"

namespace {

constexpr char kSetKey[] = "/setkey";
constexpr size_t kSetKeyLength = sizeof kSetKey - 1;

const char* SkipSpaces(const char* text)
{
    while (*text == ' ')
        ++text;
    return text;
}

} // namespace

// The switch must open the command line and stand alone: a file name or
// another argument that merely holds "/setkey" never stores a key.
bool RunSetupCommand(const char* commandLine, int& exitCode)
{
    const char* command = SkipSpaces(commandLine);
    if (std::strncmp(command, kSetKey, kSetKeyLength) != 0 ||
        (command[kSetKeyLength] != '\0' && command[kSetKeyLength] != ' '))
        return false;
    std::string text = SkipSpaces(command + kSetKeyLength);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    const bool stored = !text.empty() && text.size() <= CRegistryDataKey::kMaxDataFileKey &&
                        CRegistryDataKey::StoreDataFileKey(text);
    exitCode = stored ? 0 : 1;
    return true;
}
