#include "text/TapiTexts.h"

#include "text/CodeText.h"

namespace {

// LINEERR_ result codes.
const CodeText kErrors[] = {
    {0, "Ok"},
    {0x80000001, "Allocated Already"},
    {0x80000002, "Bad Device ID"},
    {0x80000003, "Bearer Mode Unavailable"},
    {0x80000005, "Call Unavailable"},
    {0x80000006, "Completion Overrun"},
    {0x80000007, "Conference Full"},
    {0x80000008, "Dial Billing"},
    {0x80000009, "Dial Dial Tone"},
    {0x8000000A, "Dial Prompt"},
    {0x8000000B, "Dial Quite"},
    {0x8000000C, "Incompatible API Version"},
    {0x8000000D, "Incompatible Ext Version"},
    {0x8000000E, "Ini File Corrupt"},
    {0x8000000F, "In Use"},
    {0x80000010, "Invalid Address"},
    {0x80000011, "Invalid Address ID"},
    {0x80000012, "Invalid Address Mode"},
    {0x80000013, "Invalid Address State"},
    {0x80000014, "Invalid Application Handle"},
    {0x80000015, "Invalid Application Name"},
    {0x80000016, "Invalid Bearer Mode"},
    {0x80000017, "Invalid Call Complete Mode"},
    {0x80000018, "Invalid Call Handle"},
    {0x80000019, "Invalid Call Paramaters"},
    {0x8000001A, "Invalid Call Privilege"},
    {0x8000001B, "Invalid Call Select"},
    {0x8000001C, "Invalid Call State"},
    {0x8000001D, "Invalid Call State List"},
    {0x8000001E, "Invalid Card"},
    {0x8000001F, "Invalid Completion ID"},
    {0x80000020, "Invalid Confrence Call Handle"},
    {0x80000021, "Invalid Consult Call Handle"},
    {0x80000022, "Invalid Country Code"},
    {0x80000023, "Invalid Device Class"},
    {0x80000024, "Invalid Device Handle"},
    {0x80000025, "Invalid Dial Parameters"},
    {0x80000026, "Invalid Digit List"},
    {0x80000027, "Invalid Digit Mode"},
    {0x80000028, "Invalid Digits"},
    {0x80000029, "Invalid Ext Version"},
    {0x8000002A, "Invalid Group ID"},
    {0x8000002B, "Invalid Line Handle"},
    {0x8000002C, "Invalid Line State"},
    {0x8000002D, "Invalid Allocation"},
    {0x8000002E, "Invalid Media List"},
    {0x8000002F, "Invalid Media Mode"},
    {0x80000030, "Invalid Message ID"},
    {0x80000032, "Invalid Parameter"},
    {0x80000033, "Invalid Park ID"},
    {0x80000034, "Invalid Park Mode"},
    {0x80000035, "Invalid Pointer"},
    {0x80000036, "Invalid Privilege Select"},
    {0x80000037, "Invalid Rate"},
    {0x80000038, "Invalid Request Mode"},
    {0x80000039, "Invalid Terminal ID"},
    {0x8000003A, "Invalid Terminal Mode"},
    {0x8000003B, "Invalid Timeout"},
    {0x8000003C, "Invalid Tone"},
    {0x8000003D, "Invalid Tone List"},
    {0x8000003E, "Invalid Tone Mode"},
    {0x8000003F, "Invalid Transfer Mode"},
    {0x80000040, "Line Mapper Failed"},
    {0x80000041, "No Conference"},
    {0x80000042, "No Device"},
    {0x80000043, "No Driver"},
    {0x80000044, "NO Memory"},
    {0x80000045, "No Request"},
    {0x80000046, "Not Owner"},
    {0x80000047, "Not Registered"},
    {0x80000048, "Operation Failed"},
    {0x80000049, "Operation Unavailable"},
    {0x8000004A, "Rate Unavailable"},
    {0x8000004B, "Resource Unavailable"},
    {0x8000004C, "Request To Ver Run"},
    {0x8000004D, "Structure Too Small"},
    {0x8000004E, "Target Not Found"},
    {0x8000004F, "Target Self"},
    {0x80000050, "Uninitialised"},
    {0x80000051, "User User Info Too Big"},
    {0x80000052, "Re Initialse"},
    {0x80000053, "Address Blocked"},
    {0x80000054, "Billing Rejected"},
    {0x80000055, "Invalid Feature"},
    {0x80000056, "No Multiple Instance"},
    {0x80000057, "Invalid Agent ID"},
    {0x80000058, "Invalid Agent Group"},
    {0x80000059, "Invalid Password"},
    {0x8000005A, "Invalid Agent State"},
    {0x8000005B, "Invalid Agent Activity"},
    {0x8000005C, "Dial Voice Detected"},
};

// LINE_ message numbers.
const CodeText kMessages[] = {
    {0, "Address State"},
    {1, "Call Info"},
    {2, "Call State"},
    {3, "Close"},
    {4, "Dev Specific"},
    {5, "Dev Specific Feature"},
    {6, "Gather Digits"},
    {7, "Generate"},
    {8, "Line Dev State"},
    {9, "Monitor Digits"},
    {10, "Monitor Media"},
    {11, "Monitor Tone"},
    {12, "Reply"},
    {13, "Request"},
    {19, "Create"},
    {21, "Agent Specific"},
    {22, "Agent Status"},
    {23, "App New Call"},
    {24, "Proxy Request"},
    {25, "Remove"},
};

// LINECALLSTATE_ values.
const CodeText kCallStates[] = {
    {0x1, "Idle"},
    {0x2, "Offering"},
    {0x4, "Accepted"},
    {0x8, "Dial Tone"},
    {0x10, "Dialing"},
    {0x20, "Ringback"},
    {0x40, "Busy"},
    {0x80, "Special Info"},
    {0x100, "Connected"},
    {0x200, "Proceeding"},
    {0x400, "On Hold"},
    {0x800, "Conferenced"},
    {0x1000, "On Hold Pending Conference"},
    {0x2000, "On Hold Pending Transfer"},
    {0x4000, "Disconnected"},
    {0x8000, "unknown"},
};

constexpr uint32_t kStateOffering = 0x2;
constexpr uint32_t kStateDialTone = 0x8;
constexpr uint32_t kStateBusy = 0x40;
constexpr uint32_t kStateSpecialInfo = 0x80;
constexpr uint32_t kStateConnected = 0x100;
constexpr uint32_t kStateDisconnected = 0x4000;

// The modes reported with a call state; offering and connected share one set.
const CodeText kActiveModes[] = {
    {0x1, "Active"},
    {0x2, "Inactive"},
};

const CodeText kBusyModes[] = {
    {0x1, "Station"},
    {0x2, "Trunk"},
    {0x4, "Unknown"},
    {0x8, "Unavailable"},
};

const CodeText kDialToneModes[] = {
    {0x1, "Normal"},
    {0x2, "Special"},
    {0x4, "Internal"},
    {0x8, "External"},
    {0x10, "Unknown"},
    {0x20, "Unavailable"},
};

const CodeText kSpecialInfoModes[] = {
    {0x1, "No Circuit"},
    {0x2, "Customer Irregularity"},
    {0x4, "Reorder"},
    {0x8, "Unknown"},
    {0x10, "Unavailable"},
};

const CodeText kDisconnectModes[] = {
    {0x1, "Normal"},
    {0x2, "Unknown"},
    {0x4, "Rejected"},
    {0x8, "Pickup"},
    {0x10, "Forwarded"},
    {0x20, "Busy"},
    {0x40, "No Answer"},
    {0x80, "Bad Address"},
    {0x100, "Un Reachable"},
    {0x200, "Congestion"},
    {0x400, "Incompatible"},
    {0x800, "Unavailable"},
    {0x1000, "No Dial Tone"},
};

const CodeText kPrivileges[] = {
    {0, "No Change"},
    {4, "Owner"},
    {0x40, "Busy"},
};

} // namespace

namespace Tapi {

const char* ErrorText(uint32_t code)
{
    return FindCodeText(kErrors, code, "<unknown error>");
}

const char* MessageName(uint32_t message)
{
    return FindCodeText(kMessages, message, "<unknown error>");
}

const char* CallStateName(uint32_t state)
{
    return FindCodeText(kCallStates, state, "");
}

const char* CallStateDetail(uint32_t state, uint32_t detail)
{
    switch (state) {
    case kStateOffering:
    case kStateConnected:
        return FindCodeText(kActiveModes, detail, "");
    case kStateBusy:
        return FindCodeText(kBusyModes, detail, "");
    case kStateDialTone:
        return FindCodeText(kDialToneModes, detail, "");
    case kStateSpecialInfo:
        return FindCodeText(kSpecialInfoModes, detail, "");
    case kStateDisconnected:
        return FindCodeText(kDisconnectModes, detail, "");
    default:
        return "";
    }
}

const char* PrivilegeName(uint32_t privilege)
{
    return FindCodeText(kPrivileges, privilege, "");
}

} // namespace Tapi
