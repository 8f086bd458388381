#pragma once
#include <cstdint>
#include <string>

// What the program asks of the remote-access service before the order goes
// over TCP: its own phone-book entry, written afresh at every attempt, and the
// parameters it dials with. The Windows side copies these into the system's
// structures; every rule about their contents lives here.

constexpr char kDialUpEntryName[] = "Tarn Dialup";
// The dial event's connection states that matter to the program (RASCONNSTATE).
constexpr uint32_t kDialUpConnected = 0x2000;

struct DialUpEntry {
    uint32_t options = 0;
    std::string localPhoneNumber;
    std::string deviceType;
    std::string deviceName;
    uint32_t netProtocols = 0;
    uint32_t framingProtocol = 0;
};

struct DialUpParams {
    std::string entryName;
    std::string phoneNumber;
    std::string callbackNumber;
    std::string userName;
    std::string password;
    std::string domain;
};

// The entry for the modem named in the settings (the text of its list entry).
DialUpEntry MakeDialUpEntry(const std::string& deviceName);
// The parameters with the settings' dial prefix put straight before the
// supplier's access number.
DialUpParams MakeDialUpParams(const std::string& dialPrefix);
