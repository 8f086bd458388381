#pragma once
#include <string>

#include "settings/CutOffList.h"
#include "settings/HotKey.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsView.h"

// The one record of user settings: how to reach the supplier, the account,
// the order number, the grid's status colours, the cut-off times and the
// global hot key. Loaded from the store with fixed defaults, written back at
// every save; the settings dialog shows it and owns it.
class CSettingsRecord {
public:
    // Both must outlive the record. Until LoadSettings the fields hold their
    // defaults.
    CSettingsRecord(ISettingsStore& store, ISettingsView& view);

    // Reads every value, shows the fields, and saves at once when the key
    // couldn't be opened or stood only in the user's hive.
    void LoadSettings();
    // Takes the controls' contents, registers the hot key again and writes
    // every value; nothing when the key can't be opened.
    void SaveSettings();
    // Registers the hot key of the record, unless it has no key code.
    void RegisterHotKey();

    void AddCutOff(int minutes) { cutOffs.Add(minutes); }
    int NextCutOff(int minuteOfDay) const { return cutOffs.Next(minuteOfDay); }

    int cnxType = 0;            // 0 Internet, 1 modem
    std::string host;
    int port = 0;
    std::string number;         // the telephone number the modem dials
    int device = 0;             // position in the sorted device list
    std::string deviceName;     // the text of that list entry
    int rasConnection = 0;      // dial up before the Internet connection
    std::string rasDialPrefix;
    std::string userName;       // the account number
    std::string password;
    HotKey hotKey;
    int orderNumber = 0;
    CCutOffList cutOffs;
    int partFolfilledColor = 0; // COLORREF values
    int outOfStockColor = 0;
    int unavailableColor = 0;
    std::string lastUpdate;     // never written by the program
    bool allowEscClose = false; // never written by the program
    std::string updateAddress;  // where Update online fetches the update program; never written
    int secureConnection = 0;   // the Internet connection in TLS; absent: in clear
    std::string pin;            // SHA-256 of Quarn's pinned key (CCertificatePin); set by the installer, never written

private:
    void SelectStoredDevice();

    ISettingsStore& m_store;
    ISettingsView& m_view;
};

// The defaults of the supplier's own addresses.
constexpr const char* kDefaultHost = "127.0.0.1";
constexpr const char* kDefaultModemNumber = "01632960419";
constexpr const char* kDefaultUpdateAddress = "https://update.quarn.example/quillbox/TarnUpdate.exe";
