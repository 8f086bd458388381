// The settings key and the data-file key in the real registry (Wine's, in the
// test prefix). Each test starts and ends without either key.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/SetupCommand.h"
#include "settings/DataFileKey.h"
#include "settings/RegistrySettingsStore.h"

namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Quarn Pharmaceutical Suppliers\\Quillbox";
// Where the data-file key lives; the program holds these only scrambled.
constexpr char kDataKeyPath[] = "SOFTWARE\\Quarn Pharmaceutical Suppliers\\Common";
constexpr char kDataKeyName[] = "Seed";

void DeleteKeys()
{
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        RegDeleteKeyA(hive, kSettingsKey);
        RegDeleteKeyA(hive, kDataKeyPath);
    }
}

void PutValue(HKEY hive, const char* path, const char* name, DWORD type, const std::string& data)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(hive, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
}

std::string RawValue(HKEY hive, const char* path, const char* name)
{
    char text[512] = "";
    DWORD size = sizeof text - 1;
    if (RegGetValueA(hive, path, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return "<none>";
    return text;
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeys(); }
    void TearDown() override { DeleteKeys(); }
};

// Writing the settings, creating the key in the machine hive, a missing value
// read as the default, and a key found only in the user's, are pinned end to
// end (tests/wine/test_settings.py).
TEST_F(RegistryStoreTest, OnlyTextValuesOfAtMost255CharactersAreRead)
{
    CRegistrySettingsStore store;
    PutValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Longest", REG_SZ, std::string(255, 'x'));
    PutValue(HKEY_LOCAL_MACHINE, kSettingsKey, "TooLong", REG_SZ, std::string(256, 'x'));
    PutValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Binary", REG_BINARY, "76, 2");
    ASSERT_TRUE(store.Open(false, nullptr));
    EXPECT_EQ(store.ReadString("Longest").value_or("").size(), 255u);
    EXPECT_FALSE(store.ReadString("TooLong"));
    EXPECT_FALSE(store.ReadString("Binary"));
}

// Storing makes the missing key. A key of full length that another tool
// stored with its terminating zero was not read at all, and the data files
// then looked empty.
TEST_F(RegistryStoreTest, TheDataFileKeyIsStoredUnderItsHiddenPathAndReadAtFullLength)
{
    EXPECT_FALSE(theDataFileKey.GetDataFileKey());
    ASSERT_TRUE(CRegistryDataKey::StoreDataFileKey("k3y of the shop"));
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kDataKeyPath, kDataKeyName), "k3y of the shop");
    EXPECT_EQ(theDataFileKey.GetDataFileKey().value_or("<none>"), "k3y of the shop");
    const std::string key(CRegistryDataKey::kMaxDataFileKey, 'k');
    PutValue(HKEY_LOCAL_MACHINE, kDataKeyPath, kDataKeyName, REG_SZ, key);
    EXPECT_EQ(theDataFileKey.GetDataFileKey().value_or("<none>"), key);
}

TEST_F(RegistryStoreTest, ADataFileKeyOnlyInTheUserHiveIsCopiedToTheMachine)
{
    PutValue(HKEY_CURRENT_USER, kDataKeyPath, kDataKeyName, REG_SZ, "from the user");
    EXPECT_EQ(theDataFileKey.GetDataFileKey().value_or("<none>"), "from the user");
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kDataKeyPath, kDataKeyName), "from the user");
}

TEST_F(RegistryStoreTest, SetKeyIsASwitchOfItsOwnAtTheStartOfTheCommandLine)
{
    struct Case {
        const char* line;
        bool isCommand;
        int exitCode;
        const char* stored;
    };
    for (const Case& c : {Case{"  /setkey  shop key  ", true, 0, "shop key"}, Case{"/setkey", true, 1, "<none>"},
                          Case{"/setkeyshop", false, 0, "<none>"}, Case{"C:\\my /setkey x", false, 0, "<none>"}}) {
        SCOPED_TRACE(c.line);
        DeleteKeys();
        int exitCode = 0;
        EXPECT_EQ(RunSetupCommand(c.line, exitCode), c.isCommand);
        EXPECT_EQ(exitCode, c.exitCode);
        EXPECT_EQ(theDataFileKey.GetDataFileKey().value_or("<none>"), c.stored);
    }
}

} // namespace
