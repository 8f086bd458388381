#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MemorySettingsStore.h"
#include "settings/SettingsRecord.h"

namespace {

// The settings dialog's side, recording the hot keys registered and when the controls were taken.
class FakeSettingsView : public ISettingsView {
public:
    int DeviceCount() const override { return static_cast<int>(devices.size()); }
    void SelectDevice(int position) override { selected = position; }
    int SelectedDevice() const override { return selected; }
    std::string DeviceText(int position) const override { return devices.at(static_cast<size_t>(position)); }
    void RegisterHotKey(int keyCode, int modifiers) override
    {
        calls.push_back("register " + std::to_string(keyCode) + " " + std::to_string(modifiers));
    }
    void ApplyConnectionType(int) override {}
    void ShowFields(const CSettingsRecord&) override {}
    void TakeFields(CSettingsRecord& record) override
    {
        calls.push_back("take");
        if (onTake)
            onTake(record);
    }
    int WindowLeft() const override { return 112; }
    int WindowTop() const override { return 84; }

    std::vector<std::string> devices{"Modem A", "Modem B", "Modem C"};
    int selected = -1;
    std::vector<std::string> calls;
    std::function<void(CSettingsRecord&)> onTake;
};

using Calls = std::vector<std::string>;

class SettingsRecordTest : public ::testing::Test {
protected:
    // Loads a key holding one value besides the account number.
    void LoadWith(const char* name, const std::string& text)
    {
        store.Put("UserName", "12345");
        store.Put(name, text);
        record.LoadSettings();
    }

    CMemorySettingsStore store;
    FakeSettingsView view;
    CSettingsRecord record{store, view};
};

} // namespace

// Which values a first start writes (LastUpdate and AllowESCClose never among
// them), and the copy of a key found only in the user's hive, are pinned end
// to end (tests/wine/test_settings.py). Saving takes the controls first.
TEST_F(SettingsRecordTest, AnExistingKeyIsOnlyReadAndSavingBoundsWhatItWritesAndLeavesTheValuesSetFromOutside)
{
    store.Put("AllowESCClose", "yes");
    LoadWith("UpdateAddress", "http://mirror.example/TarnUpdate.exe");
    EXPECT_EQ(store.Writes(), 0);
    EXPECT_EQ(record.updateAddress, "http://mirror.example/TarnUpdate.exe");
    view.selected = 2;
    view.onTake = [](CSettingsRecord& r) {
        r.host = "10.0.0.9";
        r.password = std::string(300, 'p');
    };
    view.calls.clear();
    record.SaveSettings();
    EXPECT_EQ(view.calls, (Calls{"take", "register 76 2"}));
    EXPECT_EQ(store.Value("AllowESCClose"), "yes");
    EXPECT_EQ(store.Value("Host"), "10.0.0.9");
    EXPECT_EQ(store.Value("Device"), "2");
    EXPECT_EQ(store.Value("Password"), std::string(255, 'p'));
}

// Numbers read as atol reads them, clamped (NumberScan's rules); a value
// over 255 characters reads as the default, and so does one of another type
// (RegistryStoreTest reads none). An empty device list saving "-1" is pinned
// end to end (tests/wine/test_settings.py).
TEST_F(SettingsRecordTest, StoredTextsAsTheRecordTakesThem)
{
    LoadWith("Host", std::string(255, 'h'));
    EXPECT_EQ(record.host, std::string(255, 'h'));
    LoadWith("Host", std::string(256, 'h'));
    EXPECT_EQ(record.host, "127.0.0.1");
    LoadWith("Device", "1");
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(record.deviceName, "Modem B");
    // A position the list doesn't hold, with nothing selected, keeps the name.
    view.selected = -1;
    LoadWith("Device", "-7");
    EXPECT_EQ(record.deviceName, "Modem B");
    // The hot key needs two numbers with the comma right after the first.
    view.calls.clear();
    LoadWith("HotKey", "65 ,5");
    EXPECT_EQ(record.hotKey.keyCode, 76); // as it was
    LoadWith("HotKey", "65, 1"); // the control's Shift (1) registers as Shift (4)
    EXPECT_EQ(view.calls, (Calls{"register 65 4"}));
}

// Cut-offs read, saved and shown, duplicates kept in order and removed, an
// empty text reading "Not Configured": pinned end to end
// (tests/wine/test_settings.py, test_order.py). The first of the day is
// looked up from minute -1, so 00:00 counts.
TEST(CutOffList, NextIsTheFirstTimeStrictlyLaterAndTheStoredTextNeverHoldsHalfATime)
{
    CCutOffList list;
    list.SetText("1140  600 ");
    EXPECT_EQ(list.Next(600), 1140);
    EXPECT_EQ(list.Next(1140), -1);
    list.Add(0);
    EXPECT_EQ(list.Next(-1), 0);
    list.SetText("");
    for (int minutes = 1000; minutes < 1060; ++minutes)
        list.Add(minutes);
    const std::string text = list.Text();
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text.substr(text.size() - 5), "1050 ");
}
