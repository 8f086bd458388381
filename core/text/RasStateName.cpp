#include "text/RasStateName.h"

#include "text/CodeText.h"

namespace {

const CodeText kRasStates[] = {
    {0, "Opening Port"},
    {1, "Port Opened"},
    {2, "Dialing Connection"},
    {3, "DeviceConnected"},
    {4, "All Devices Connected"},
    {5, "Authenticating"},
    {6, "Authenticate Notify"},
    {7, "Authenticate Retry"},
    {8, "Authenticate Callback"},
    {9, "Authenticate Change Password"},
    {10, "Authenticate Project"},
    {11, "Authenticating Link Speed"},
    {12, "Authenticate Acknolledge"},
    {13, "Retrying Authentication"},
    {14, "Authenticated"},
    {15, "Preparing for Callback"},
    {16, "Wating for Modem Reset"},
    {17, "Wating for Callback"},
    {18, "Projected"},
    {0x1000, "Interactive"},
    {0x1001, "Retry Authentication"},
    {0x1002, "Callback Set By Caller"},
    {0x1003, "Password Expired"},
    {0x2000, "Connected"},
    {0x2001, "Disconnected"},
};

} // namespace

const char* RasStateName(uint32_t state)
{
    return FindCodeText(kRasStates, state, "<unknown state>");
}
