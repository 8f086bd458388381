#include "comm/DialUpEntry.h"

namespace {

// RASEO_SwCompression | RASEO_RemoteDefaultGateway | RASEO_IpHeaderCompression | RASEO_ModemLights
constexpr uint32_t kEntryOptions = 0x318;
constexpr uint32_t kNetProtocolIp = 4; // RASNP_Ip
constexpr uint32_t kFramingPpp = 1;    // RASFP_Ppp

// The supplier's dial-up access number, the account it answers to, and the
// entry's own number: never dialled, since the parameters carry the number,
// but the phone book wants one.
constexpr char kAccessNumber[] = "08081570419";
constexpr char kDialUpUser[] = "tarn";
constexpr char kDialUpPassword[] = "quil";
constexpr char kPlaceholderNumber[] = "0000";

} // namespace

DialUpEntry MakeDialUpEntry(const std::string& deviceName)
{
    DialUpEntry entry;
    entry.options = kEntryOptions;
    entry.localPhoneNumber = kPlaceholderNumber;
    entry.deviceType = "modem";
    entry.deviceName = deviceName;
    entry.netProtocols = kNetProtocolIp;
    entry.framingProtocol = kFramingPpp;
    return entry;
}

DialUpParams MakeDialUpParams(const std::string& dialPrefix)
{
    DialUpParams params;
    params.entryName = kDialUpEntryName;
    params.phoneNumber = dialPrefix + kAccessNumber;
    params.userName = kDialUpUser;
    params.password = kDialUpPassword;
    return params;
}
