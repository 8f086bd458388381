#include <gtest/gtest.h>

#include "settings/SettingsRecord.h"
#include "update/UpdateAddress.h"

// Only a plain https address goes to the shell: a local or UNC path, another
// scheme, or an address with spaces or quotes that a command line would read
// as options is refused.
TEST(UpdateAddress, OnlyAPlainHttpsAddressIsOpened)
{
    const struct {
        const char* address;
        bool accepted;
    } cases[] = {
        {kDefaultUpdateAddress, true},
        {"HTTPS://update.quarn.example:8443/TarnUpdate.exe?v=1.6", true},
        {"https://update.quarn.example", true},
        {"http://update.quarn.example/quillbox/TarnUpdate.exe", false},
        {"C:\\Windows\\System32\\calc.exe", false},
        {"\\\\server\\share\\TarnUpdate.exe", false},
        {"/root,C:\\Windows\\System32\\calc.exe", false},
        {"https://update.quarn.example/a b.exe", false},
        {"https://update.quarn.example/\"x\".exe", false},
        {"https://user@update.quarn.example/TarnUpdate.exe", false},
        {"https://-n/", false},
        {"https:///TarnUpdate.exe", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.accepted, IsUpdateAddressAccepted(c.address)) << c.address;
}
