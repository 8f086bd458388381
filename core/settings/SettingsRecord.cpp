#include "settings/SettingsRecord.h"

#include <optional>

#include "base/StrFormat.h"
#include "text/NumberScan.h"

namespace {

enum class ReadAs { Number, Text, Device, HotKey, CutOffs, Flag };
enum class WriteAs { Number, Text, Device, HotKey, CutOffs, WindowLeft, WindowTop };

struct ReadStep {
    const char* name;
    const char* defaultText;
    ReadAs kind;
    int CSettingsRecord::*number;
    std::string CSettingsRecord::*text;
};

struct WriteStep {
    const char* name;
    WriteAs kind;
    int CSettingsRecord::*number;
    std::string CSettingsRecord::*text;
};

using R = CSettingsRecord;

// The values in the order they are read, with the texts that stand in for
// missing ones.
const ReadStep kReadSteps[] = {
    {"CnxType", "0", ReadAs::Number, &R::cnxType, nullptr},
    {"Host", kDefaultHost, ReadAs::Text, nullptr, &R::host},
    {"Port", "7410", ReadAs::Number, &R::port, nullptr},
    {"Number", kDefaultModemNumber, ReadAs::Text, nullptr, &R::number},
    {"Device", "-1", ReadAs::Device, nullptr, nullptr},
    {"RasConnection", "0", ReadAs::Number, &R::rasConnection, nullptr},
    {"RasDialPrefix", "", ReadAs::Text, nullptr, &R::rasDialPrefix},
    {"UserName", "", ReadAs::Text, nullptr, &R::userName},
    {"Password", "", ReadAs::Text, nullptr, &R::password},
    {"OrderNumber", "1", ReadAs::Number, &R::orderNumber, nullptr},
    {"PartFolfilledColor", "11333545", ReadAs::Number, &R::partFolfilledColor, nullptr},
    {"OutOfStockColor", "15380714", ReadAs::Number, &R::outOfStockColor, nullptr},
    {"UnavailableColor", "13158600", ReadAs::Number, &R::unavailableColor, nullptr},
    {"LastUpdate", "Never!", ReadAs::Text, nullptr, &R::lastUpdate},
    {"HotKey", "76, 2", ReadAs::HotKey, nullptr, nullptr},
    {"CutOffTimes", "1140 ", ReadAs::CutOffs, nullptr, nullptr},
    {"AllowESCClose", "0", ReadAs::Flag, nullptr, nullptr},
    {"UpdateAddress", kDefaultUpdateAddress, ReadAs::Text, nullptr, &R::updateAddress},
    {"SecureConnection", "0", ReadAs::Number, &R::secureConnection, nullptr},
    {"Pin", "", ReadAs::Text, nullptr, &R::pin},
};

// The values in the order they are written; LastUpdate, AllowESCClose and
// UpdateAddress are set from outside the program and never written by it,
// nor is Pin, the installer's.
const WriteStep kWriteSteps[] = {
    {"CnxType", WriteAs::Number, &R::cnxType, nullptr},
    {"Host", WriteAs::Text, nullptr, &R::host},
    {"Port", WriteAs::Number, &R::port, nullptr},
    {"Number", WriteAs::Text, nullptr, &R::number},
    {"Device", WriteAs::Device, nullptr, nullptr},
    {"UserName", WriteAs::Text, nullptr, &R::userName},
    {"Password", WriteAs::Text, nullptr, &R::password},
    {"RasConnection", WriteAs::Number, &R::rasConnection, nullptr},
    {"RasDialPrefix", WriteAs::Text, nullptr, &R::rasDialPrefix},
    {"HotKey", WriteAs::HotKey, nullptr, nullptr},
    {"PadX", WriteAs::WindowLeft, nullptr, nullptr},
    {"PadY", WriteAs::WindowTop, nullptr, nullptr},
    {"OrderNumber", WriteAs::Number, &R::orderNumber, nullptr},
    {"CutOffTimes", WriteAs::CutOffs, nullptr, nullptr},
    {"PartFolfilledColor", WriteAs::Number, &R::partFolfilledColor, nullptr},
    {"OutOfStockColor", WriteAs::Number, &R::outOfStockColor, nullptr},
    {"UnavailableColor", WriteAs::Number, &R::unavailableColor, nullptr},
    {"SecureConnection", WriteAs::Number, &R::secureConnection, nullptr},
};

// Takes one value's text into its field; false when a hot-key text doesn't
// hold both numbers, which leaves the hot key as it was.
bool Assign(CSettingsRecord& record, const ReadStep& step, const std::string& text)
{
    switch (step.kind) {
    case ReadAs::Number:
        record.*step.number = DecimalValue(text.c_str());
        return true;
    case ReadAs::Text:
        record.*step.text = text;
        return true;
    case ReadAs::Device:
        // -1 is "nothing chosen yet": take the first device.
        record.device = DecimalValue(text.c_str());
        if (record.device == -1)
            record.device = 0;
        return true;
    case ReadAs::HotKey:
        return ParseHotKey(text, record.hotKey);
    case ReadAs::CutOffs:
        record.cutOffs.SetText(text);
        return true;
    case ReadAs::Flag:
        record.allowEscClose = DecimalValue(text.c_str()) != 0;
        return true;
    }
    return false;
}

// The stored text of a value, or its default when it is missing, of another
// type or too long.
std::string ReadText(ISettingsStore& store, const ReadStep& step)
{
    const std::optional<std::string> value = store.ReadString(step.name);
    if (!value || value->size() > kMaxSettingText)
        return step.defaultText;
    return *value;
}

std::string StoredText(const CSettingsRecord& record, const ISettingsView& view, const WriteStep& step)
{
    switch (step.kind) {
    case WriteAs::Number:
        return StrFormat("%d", record.*step.number);
    case WriteAs::Text:
        return (record.*step.text).substr(0, kMaxSettingText);
    case WriteAs::Device:
        return StrFormat("%d", view.SelectedDevice());
    case WriteAs::HotKey:
        return HotKeyText(record.hotKey);
    case WriteAs::CutOffs:
        return record.cutOffs.Text();
    case WriteAs::WindowLeft:
        return StrFormat("%d", view.WindowLeft());
    case WriteAs::WindowTop:
        return StrFormat("%d", view.WindowTop());
    }
    return std::string();
}

} // namespace

CSettingsRecord::CSettingsRecord(ISettingsStore& store, ISettingsView& view) : m_store(store), m_view(view)
{
    for (const ReadStep& step : kReadSteps)
        Assign(*this, step, step.defaultText);
}

void CSettingsRecord::LoadSettings()
{
    bool userHiveOnly = false;
    const bool opened = m_store.Open(false, &userHiveOnly);
    // A first start writes every default; a key found only in the user's
    // hive is written again, to the machine's hive when the user may.
    const bool saveAfterwards = !opened || userHiveOnly;
    for (const ReadStep& step : kReadSteps) {
        const bool assigned = Assign(*this, step, opened ? ReadText(m_store, step) : step.defaultText);
        if (step.kind == ReadAs::Device)
            SelectStoredDevice();
        if (step.kind == ReadAs::HotKey && assigned)
            RegisterHotKey();
    }
    if (opened)
        m_store.Close();
    m_view.ApplyConnectionType(cnxType);
    m_view.ShowFields(*this);
    if (saveAfterwards)
        SaveSettings();
}

void CSettingsRecord::SaveSettings()
{
    m_view.TakeFields(*this);
    RegisterHotKey();
    if (!m_store.Open(true, nullptr))
        return;
    for (const WriteStep& step : kWriteSteps)
        m_store.WriteString(step.name, StoredText(*this, m_view, step));
    m_store.Close();
}

void CSettingsRecord::RegisterHotKey()
{
    if (hotKey.keyCode == 0)
        return;
    m_view.RegisterHotKey(hotKey.keyCode, RegistrationModifiers(hotKey.modifiers));
}

void CSettingsRecord::SelectStoredDevice()
{
    const int count = m_view.DeviceCount();
    if (count <= 0)
        return;
    // A position the list doesn't hold leaves its selection alone.
    if (device >= 0 && device < count)
        m_view.SelectDevice(device);
    // Without a selection there is no entry to name: the name stays.
    const int selected = m_view.SelectedDevice();
    if (selected >= 0)
        deviceName = m_view.DeviceText(selected);
}
