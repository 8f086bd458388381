#include "app/SetupCommand.h"

#include <cstring>
#include <string>

#include "settings/DataFileKey.h"
#include "settings/SettingsKeyAccess.h"

namespace {

const char* SkipSpaces(const char* text)
{
    while (*text == ' ')
        ++text;
    return text;
}

// The switch must open the command line and stand alone: a file name or
// another argument that merely holds it never runs the command. What follows
// it, or null when the command line doesn't begin with it.
const char* AfterSwitch(const char* commandLine, const char* name)
{
    const char* command = SkipSpaces(commandLine);
    const size_t length = std::strlen(name);
    if (std::strncmp(command, name, length) != 0 || (command[length] != '\0' && command[length] != ' '))
        return nullptr;
    return SkipSpaces(command + length);
}

bool StoreKey(const char* arguments)
{
    std::string text = arguments;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return !text.empty() && text.size() <= CRegistryDataKey::kMaxDataFileKey &&
           CRegistryDataKey::StoreDataFileKey(text);
}

} // namespace

bool RunSetupCommand(const char* commandLine, int& exitCode)
{
    bool done = false;
    if (const char* key = AfterSwitch(commandLine, "/setkey"))
        done = StoreKey(key);
    else if (const char* rest = AfterSwitch(commandLine, "/grantusers"))
        done = *rest == '\0' && GrantUsersSettingsKey();
    else
        return false;
    exitCode = done ? 0 : 1;
    return true;
}
