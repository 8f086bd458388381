#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/MemorySettingsStore.h"
#include "settings/SettingsRecord.h"

namespace {

// The settings dialog's side, recording what the record asked of it.
class FakeSettingsView : public ISettingsView {
public:
    int DeviceCount() const override { return static_cast<int>(devices.size()); }
    void SelectDevice(int position) override
    {
        selected = position;
        calls.push_back("select " + std::to_string(position));
    }
    int SelectedDevice() const override { return selected; }
    std::string DeviceText(int position) const override { return devices.at(static_cast<size_t>(position)); }
    void RegisterHotKey(int keyCode, int modifiers) override
    {
        calls.push_back("register " + std::to_string(keyCode) + " " + std::to_string(modifiers));
    }
    void ApplyConnectionType(int type) override { calls.push_back("type " + std::to_string(type)); }
    void ShowFields(const CSettingsRecord&) override { calls.push_back("show"); }
    void TakeFields(CSettingsRecord& record) override
    {
        calls.push_back("take");
        if (onTake)
            onTake(record);
    }
    int WindowLeft() const override { return 112; }
    int WindowTop() const override { return 84; }

    std::vector<std::string> devices;
    int selected = -1;
    std::vector<std::string> calls;
    std::function<void(CSettingsRecord&)> onTake;
};

const std::vector<std::string> kReadLog = {
    "open read",         "read CnxType",         "read Host",
    "read Port",         "read Number",          "read Device",
    "read RasConnection", "read RasDialPrefix",  "read UserName",
    "read Password",     "read OrderNumber",     "read PartFolfilledColor",
    "read OutOfStockColor", "read UnavailableColor", "read LastUpdate",
    "read HotKey",       "read CutOffTimes",     "read AllowESCClose",
    "close",
};

const std::vector<std::string> kDefaultWriteLog = {
    "open write",
    "write CnxType=0",
    "write Host=127.0.0.1",
    "write Port=7410",
    "write Number=01632960419",
    "write Device=0",
    "write UserName=",
    "write Password=",
    "write RasConnection=0",
    "write RasDialPrefix=",
    "write HotKey=76, 2",
    "write PadX=112",
    "write PadY=84",
    "write OrderNumber=1",
    "write CutOffTimes=1140 ",
    "write PartFolfilledColor=11333545",
    "write OutOfStockColor=15380714",
    "write UnavailableColor=13158600",
    "close",
};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class SettingsRecordTest : public ::testing::Test {
protected:
    SettingsRecordTest() { view.devices = {"Modem A", "Modem B", "Modem C"}; }

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

TEST_F(SettingsRecordTest, FirstStartWritesEveryDefaultButTheOutsideValues)
{
    record.LoadSettings();
    EXPECT_EQ(store.Log(), Concat({"open read"}, kDefaultWriteLog));
    EXPECT_FALSE(store.Value("LastUpdate"));
    EXPECT_FALSE(store.Value("AllowESCClose"));
    EXPECT_EQ(record.lastUpdate, "Never!");
    EXPECT_EQ(record.deviceName, "Modem A");
}

TEST_F(SettingsRecordTest, ExistingKeyIsReadInOrderAndNotWritten)
{
    store.Put("UserName", "12345");
    record.LoadSettings();
    EXPECT_EQ(store.Log(), kReadLog);
    EXPECT_EQ(record.userName, "12345");
    EXPECT_EQ(view.calls, (std::vector<std::string>{"select 0", "register 76 2", "type 0", "show"}));
}

TEST_F(SettingsRecordTest, KeyOnlyInTheUserHiveIsWrittenAgain)
{
    store.SetUserHiveOnly();
    store.Put("Host", "orders.example");
    record.LoadSettings();
    std::vector<std::string> writes = kDefaultWriteLog;
    writes[2] = "write Host=orders.example";
    EXPECT_EQ(store.Log(), Concat(kReadLog, writes));
    store.ClearLog();
    record.LoadSettings();
    EXPECT_EQ(store.Log(), kReadLog);
}

TEST_F(SettingsRecordTest, NoKeyAtAllRunsOnDefaultsAndWritesNothing)
{
    store.SetUnopenable();
    record.LoadSettings();
    EXPECT_EQ(store.Log(), (std::vector<std::string>{"open read", "open write"}));
    EXPECT_EQ(record.port, 7410);
    EXPECT_EQ(record.host, "127.0.0.1");
    EXPECT_EQ(record.orderNumber, 1);
    EXPECT_EQ(record.partFolfilledColor, 11333545);
    EXPECT_EQ(record.cutOffs.Count(), 1u);
    EXPECT_FALSE(record.allowEscClose);
}

TEST_F(SettingsRecordTest, SaveTakesTheControlsFirstAndWritesInItsOwnOrder)
{
    store.Put("UserName", "12345");
    record.LoadSettings();
    view.selected = 2;
    view.onTake = [](CSettingsRecord& r) {
        r.host = "10.0.0.9";
        r.cnxType = 1;
        r.orderNumber = 42;
    };
    view.calls.clear();
    store.ClearLog();
    record.SaveSettings();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"take", "register 76 2"}));
    EXPECT_EQ(store.Log()[1], "write CnxType=1");
    EXPECT_EQ(store.Log()[2], "write Host=10.0.0.9");
    EXPECT_EQ(store.Log()[5], "write Device=2");
    EXPECT_EQ(store.Log()[13], "write OrderNumber=42");
}

TEST_F(SettingsRecordTest, UnwritableKeyIsLeftAloneSilently)
{
    store.Put("Port", "7411");
    store.SetReadOnly();
    record.LoadSettings();
    record.port = 9000;
    record.SaveSettings();
    EXPECT_EQ(store.Value("Port"), "7411");
}

TEST_F(SettingsRecordTest, NumbersReadAsAtolWithoutOverflow)
{
    LoadWith("Port", "  8080xyz");
    EXPECT_EQ(record.port, 8080);
    LoadWith("Port", "99999999999999999999");
    EXPECT_EQ(record.port, 2147483647);
    LoadWith("OrderNumber", "-3");
    EXPECT_EQ(record.orderNumber, -3);
    LoadWith("CnxType", "modem");
    EXPECT_EQ(record.cnxType, 0);
}

TEST_F(SettingsRecordTest, WrongTypeOrOverlongValuesReadAsDefaults)
{
    store.PutOtherType("Port");
    LoadWith("Host", std::string(256, 'h'));
    EXPECT_EQ(record.port, 7410);
    EXPECT_EQ(record.host, "127.0.0.1");
    LoadWith("Host", std::string(255, 'h'));
    EXPECT_EQ(record.host, std::string(255, 'h'));
}

TEST_F(SettingsRecordTest, TextsAreWrittenAtMost255Characters)
{
    store.Put("UserName", "12345");
    record.LoadSettings();
    view.onTake = [](CSettingsRecord& r) { r.password = std::string(300, 'p'); };
    record.SaveSettings();
    EXPECT_EQ(store.Value("Password"), std::string(255, 'p'));
}

TEST_F(SettingsRecordTest, EscCloseIsAnyNonZeroNumberAndNeverWritten)
{
    LoadWith("AllowESCClose", "5");
    EXPECT_TRUE(record.allowEscClose);
    LoadWith("AllowESCClose", "yes");
    EXPECT_FALSE(record.allowEscClose);
    LoadWith("LastUpdate", "01/07/2008");
    EXPECT_EQ(record.lastUpdate, "01/07/2008");
    record.SaveSettings();
    EXPECT_EQ(store.Value("AllowESCClose"), "yes");
    EXPECT_EQ(store.Value("LastUpdate"), "01/07/2008");
}

TEST_F(SettingsRecordTest, StoredDevicePositionSelectsAndNamesTheDevice)
{
    LoadWith("Device", "1");
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(record.deviceName, "Modem B");
    LoadWith("Device", "-1");
    EXPECT_EQ(record.device, 0);
    EXPECT_EQ(record.deviceName, "Modem A");
}

TEST_F(SettingsRecordTest, DevicePositionBeyondTheListKeepsTheSelection)
{
    view.selected = 2;
    LoadWith("Device", "3");
    EXPECT_EQ(view.selected, 2);
    EXPECT_EQ(record.deviceName, "Modem C");
    view.selected = -1;
    record.deviceName = "Old modem";
    LoadWith("Device", "-7");
    EXPECT_EQ(view.selected, -1);
    EXPECT_EQ(record.deviceName, "Old modem");
}

TEST_F(SettingsRecordTest, EmptyDeviceListIsLeftAlone)
{
    view.devices.clear();
    record.deviceName = "Old modem";
    LoadWith("Device", "0");
    EXPECT_EQ(record.deviceName, "Old modem");
    record.SaveSettings();
    EXPECT_EQ(store.Value("Device"), "-1");
}

TEST_F(SettingsRecordTest, HotKeyWithOrWithoutABlankAfterTheComma)
{
    LoadWith("HotKey", "76,2");
    EXPECT_EQ(view.calls[1], "register 76 2");
    view.calls.clear();
    LoadWith("HotKey", "65, 5");
    EXPECT_EQ(view.calls[1], "register 65 5");
    EXPECT_EQ(record.hotKey.keyCode, 65);
}

TEST_F(SettingsRecordTest, HotKeyWithoutTwoNumbersStaysAsItWas)
{
    for (const char* text : {"76", "76 ,2", "", "L, 2", "76,"}) {
        SCOPED_TRACE(text);
        view.calls.clear();
        LoadWith("HotKey", text);
        EXPECT_EQ(view.calls, (std::vector<std::string>{"select 0", "type 0", "show"}));
        EXPECT_EQ(record.hotKey.keyCode, 76);
    }
}

TEST_F(SettingsRecordTest, HotKeyIsWrittenAsSixteenBitValues)
{
    store.Put("UserName", "12345");
    record.LoadSettings();
    view.onTake = [](CSettingsRecord& r) { r.hotKey = HotKey{-1, 0x10004}; };
    record.SaveSettings();
    EXPECT_EQ(store.Value("HotKey"), "65535, 4");
}

TEST_F(SettingsRecordTest, KeyCodeZeroRegistersNothing)
{
    LoadWith("HotKey", "0, 2");
    EXPECT_EQ(view.calls, (std::vector<std::string>{"select 0", "type 0", "show"}));
}

TEST_F(SettingsRecordTest, CutOffTimesRoundTrip)
{
    LoadWith("CutOffTimes", "600 1140 ");
    ASSERT_EQ(record.cutOffs.Count(), 2u);
    EXPECT_EQ(record.cutOffs.At(0).text, "10:00");
    EXPECT_EQ(record.cutOffs.At(1).text, "19:00");
    store.Put("CutOffTimes", "");
    record.SaveSettings();
    EXPECT_EQ(store.Value("CutOffTimes"), "600 1140 ");
}

TEST_F(SettingsRecordTest, EmptyCutOffTimesMeanNotConfigured)
{
    LoadWith("CutOffTimes", "");
    EXPECT_EQ(record.cutOffs.Count(), 0u);
    EXPECT_EQ(record.NextCutOff(0), -2);
}

TEST(CutOffList, KeepsTimesInOrderWithDuplicates)
{
    CCutOffList list;
    list.SetText("1140  600 30 1140");
    ASSERT_EQ(list.Count(), 4u);
    EXPECT_EQ(list.At(0).text, "00:30");
    EXPECT_EQ(list.At(1).text, "10:00");
    EXPECT_EQ(list.At(2).text, "19:00");
    EXPECT_EQ(list.At(3).text, "19:00");
    list.Remove(2);
    list.Remove(9);
    EXPECT_EQ(list.Text(), "30 600 1140 ");
}

TEST(CutOffList, NextIsTheFirstTimeStrictlyLater)
{
    CCutOffList list;
    list.Add(1140);
    list.Add(600);
    EXPECT_EQ(list.Next(0), 600);
    EXPECT_EQ(list.Next(599), 600);
    EXPECT_EQ(list.Next(600), 1140);
    EXPECT_EQ(list.Next(1140), -1);
    list.Add(0);
    EXPECT_EQ(list.Next(0), 600);
    EXPECT_EQ(list.Next(-1), 0);
}

TEST(CutOffList, StoredTextNeverHoldsHalfATime)
{
    CCutOffList list;
    for (int minutes = 1000; minutes < 1060; ++minutes)
        list.Add(minutes);
    const std::string text = list.Text();
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text.substr(text.size() - 5), "1050 ");

    CCutOffList wide;
    for (int i = 0; i < 60; ++i)
        wide.Add(-100000 - i);
    const std::string wideText = wide.Text();
    EXPECT_LE(wideText.size(), 255u);
    EXPECT_EQ(wideText.back(), ' ');
    EXPECT_EQ(wideText.size() % 8, 0u);
}

TEST(HotKeyText, ModifiersConvertForRegistration)
{
    EXPECT_EQ(RegistrationModifiers(0), 0);
    EXPECT_EQ(RegistrationModifiers(1), 4);
    EXPECT_EQ(RegistrationModifiers(2), 2);
    EXPECT_EQ(RegistrationModifiers(4), 1);
    EXPECT_EQ(RegistrationModifiers(7), 7);
    EXPECT_EQ(RegistrationModifiers(5), 5);
    EXPECT_EQ(RegistrationModifiers(8), 0);
}
