#include "comm/RasDialUp.h"

#include <ras.h>

#include <cstddef>
#include <cstdio>

#include "base/StrFormat.h"
#include "framework/SystemLibrary.h"

namespace {

// The structures in the layout of the first remote-access service with
// phone-book entries (WINVER 0x400). Newer headers, mingw's among them, add
// fields at the end; the service takes each layout by its size, so the
// program keeps the one it was built for. Only bytes and DWORDs: the same
// sizes on 32- and 64-bit Windows.
struct RasIpAddress {
    BYTE a, b, c, d;
};

struct RasEntry400 {
    DWORD size;
    DWORD options;
    DWORD countryId;
    DWORD countryCode;
    char areaCode[RAS_MaxAreaCode + 1];
    char localPhoneNumber[RAS_MaxPhoneNumber + 1];
    DWORD alternateOffset;
    RasIpAddress ipAddress, dns, dnsAlternate, wins, winsAlternate;
    DWORD frameSize;
    DWORD netProtocols;
    DWORD framingProtocol;
    char script[MAX_PATH];
    char autodialDll[MAX_PATH];
    char autodialFunction[MAX_PATH];
    char deviceType[RAS_MaxDeviceType + 1];
    char deviceName[RAS_MaxDeviceName + 1];
    char x25PadType[RAS_MaxPadType + 1];
    char x25Address[RAS_MaxX25Address + 1];
    char x25Facilities[RAS_MaxFacilities + 1];
    char x25UserData[RAS_MaxUserData + 1];
    DWORD channels;
    DWORD reserved1;
    DWORD reserved2;
};
static_assert(sizeof(RasEntry400) == 1768, "the entry layout the program writes");
static_assert(offsetof(RasEntry400, localPhoneNumber) == offsetof(RASENTRYA, szLocalPhoneNumber));
static_assert(offsetof(RasEntry400, netProtocols) == offsetof(RASENTRYA, dwfNetProtocols));
static_assert(offsetof(RasEntry400, framingProtocol) == offsetof(RASENTRYA, dwFramingProtocol));
static_assert(offsetof(RasEntry400, deviceType) == offsetof(RASENTRYA, szDeviceType));
static_assert(offsetof(RasEntry400, deviceName) == offsetof(RASENTRYA, szDeviceName));
static_assert(offsetof(RasEntry400, reserved2) == offsetof(RASENTRYA, dwReserved2));

struct RasDialParams400 {
    DWORD size;
    char entryName[RAS_MaxEntryName + 1];
    char phoneNumber[RAS_MaxPhoneNumber + 1];
    char callbackNumber[RAS_MaxCallbackNumber + 1];
    char userName[UNLEN + 1];
    char password[PWLEN + 1];
    char domain[DNLEN + 1];
};
static_assert(sizeof(RasDialParams400) == 1052, "the dial parameters' layout the program passes");
static_assert(offsetof(RasDialParams400, phoneNumber) == offsetof(RASDIALPARAMSA, szPhoneNumber));
static_assert(offsetof(RasDialParams400, domain) == offsetof(RASDIALPARAMSA, szDomain));

using SetEntryPropertiesCall = DWORD(WINAPI*)(LPCSTR, LPCSTR, RasEntry400*, DWORD, LPBYTE, DWORD);
using DialCall = DWORD(WINAPI*)(void*, LPCSTR, RasDialParams400*, DWORD, void*, HANDLE*);
using HangUpCall = DWORD(WINAPI*)(HANDLE);
using GetErrorStringCall = DWORD(WINAPI*)(UINT, LPSTR, DWORD);

struct RasFunctions {
    HMODULE library;
    SetEntryPropertiesCall setEntryProperties;
    DialCall dial;
    HangUpCall hangUp;
    GetErrorStringCall getErrorString;
};

const RasFunctions& Ras()
{
    static const RasFunctions functions = [] {
        HMODULE library = LoadSystemLibrary("rasapi32.dll");
        return RasFunctions{library, LibraryFunction<SetEntryPropertiesCall>(library, "RasSetEntryPropertiesA"),
                            LibraryFunction<DialCall>(library, "RasDialA"),
                            LibraryFunction<HangUpCall>(library, "RasHangUpA"),
                            LibraryFunction<GetErrorStringCall>(library, "RasGetErrorStringA")};
    }();
    return functions;
}

// Without the service the attempt stops with the system's own words for it.
uint32_t Unavailable()
{
    return Ras().library ? ERROR_PROC_NOT_FOUND : ERROR_MOD_NOT_FOUND;
}

// Cut to the field, always terminated.
template <size_t N>
void CopyText(char (&field)[N], const std::string& text)
{
    std::snprintf(field, N, "%s", text.c_str());
}

constexpr DWORD kNotifyWindow = 0xFFFFFFFF;
constexpr size_t kErrorTextSize = 1024;

std::string TrimLineEnd(const char* text)
{
    std::string trimmed = text;
    while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == '\n' || trimmed.back() == ' '))
        trimmed.pop_back();
    return trimmed;
}

} // namespace

CRasDialUp::~CRasDialUp()
{
    HangUp();
}

uint32_t CRasDialUp::WriteEntry(const DialUpEntry& entry)
{
    if (!Ras().setEntryProperties)
        return Unavailable();
    RasEntry400 record = {};
    record.size = sizeof record;
    record.options = entry.options;
    CopyText(record.localPhoneNumber, entry.localPhoneNumber);
    CopyText(record.deviceType, entry.deviceType);
    CopyText(record.deviceName, entry.deviceName);
    record.netProtocols = entry.netProtocols;
    record.framingProtocol = entry.framingProtocol;
    return Ras().setEntryProperties(nullptr, kDialUpEntryName, &record, sizeof record, nullptr, 0);
}

uint32_t CRasDialUp::Dial(const DialUpParams& params)
{
    if (!Ras().dial)
        return Unavailable();
    RasDialParams400 record = {};
    record.size = sizeof record;
    CopyText(record.entryName, params.entryName);
    CopyText(record.phoneNumber, params.phoneNumber);
    CopyText(record.callbackNumber, params.callbackNumber);
    CopyText(record.userName, params.userName);
    CopyText(record.password, params.password);
    CopyText(record.domain, params.domain);
    m_eventMessage = RegisterWindowMessageA(RASDIALEVENT);
    if (m_eventMessage == 0)
        m_eventMessage = WM_RASDIALEVENT;
    HANDLE connection = nullptr;
    const DWORD error = Ras().dial(nullptr, nullptr, &record, kNotifyWindow, m_notifier, &connection);
    // A dial that fails to start may still hand out a handle, which must be hung up.
    m_connection = connection;
    return error;
}

uint32_t CRasDialUp::HangUp()
{
    if (!m_connection)
        return 0;
    const HANDLE connection = m_connection;
    m_connection = nullptr;
    return Ras().hangUp ? Ras().hangUp(connection) : Unavailable();
}

std::string CRasDialUp::ErrorText(uint32_t error)
{
    char text[kErrorTextSize] = "";
    if (Ras().getErrorString)
        Ras().getErrorString(error, text, sizeof text);
    text[sizeof text - 1] = '\0';
    if (text[0] == '\0')
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    text[sizeof text - 1] = '\0';
    const std::string trimmed = TrimLineEnd(text);
    return trimmed.empty() ? StrFormat("Error %u", error) : trimmed;
}
