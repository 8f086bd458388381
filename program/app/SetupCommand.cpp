#include "app/SetupCommand.h"

#include <cstring>
#include <string>

#include "settings/DataFileKey.h"

namespace {
constexpr char kSetKey[] = "/setkey";
constexpr size_t kMaxKeyLength = 255;
} // namespace

bool RunSetupCommand(const char* commandLine, int& exitCode)
{
    const char* command = std::strstr(commandLine, kSetKey);
    if (!command)
        return false;
    const char* key = command + sizeof kSetKey - 1;
    while (*key == ' ')
        ++key;
    std::string text = key;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    const bool stored = !text.empty() && text.size() <= kMaxKeyLength && CRegistryDataKey::StoreDataFileKey(text);
    exitCode = stored ? 0 : 1;
    return true;
}
