// rasapi32.dll for Wine test and demo prefixes only, where Wine's own is
// stubs: it writes down what the program asked of it in "rasapi32.log" in the
// current folder, one "name=value" or "call ..." line each, and plays a dial's
// progress to the notifier window on the caller's thread, as the real service
// posts it. Loaded with WINEDLLOVERRIDES="rasapi32=n,b"; never shipped.
//
// DWORD values under HKCU\Software\Quillbox Tests\RasStandIn choose failures:
//   EntryError  RasSetEntryPropertiesA returns it
//   StartError  RasDialA returns it (a handle is handed out all the same)
//   DialError   the progress ends with this error after "Port Opened" instead of "Connected"
//   StepMs      milliseconds between notifications (default 150)
#include <windows.h>
#include <ras.h>
#include <raserror.h>

#include <cstddef>
#include <cstdio>
#include <string>

namespace {

constexpr char kLog[] = "rasapi32.log";
constexpr char kKey[] = "Software\\Quillbox Tests\\RasStandIn";
constexpr DWORD kConnected = 0x2000;
constexpr UINT_PTR kStepTimer = 1;
HRASCONN const kHandle = reinterpret_cast<HRASCONN>(static_cast<UINT_PTR>(0x5A1));

DWORD Setting(const char* name, DWORD fallback)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS
               ? value
               : fallback;
}

void Record(const std::string& line)
{
    if (FILE* log = std::fopen(kLog, "ab")) {
        std::fprintf(log, "%s\r\n", line.c_str());
        std::fclose(log);
    }
}

void RecordText(const char* name, const char* field, size_t size)
{
    Record(std::string(name) + "=" + std::string(field, strnlen(field, size)));
}

void RecordNumber(const char* name, DWORD value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s=0x%lx", name, static_cast<unsigned long>(value));
    Record(text);
}

#define RECORD_TEXT(prefix, record, field) RecordText(prefix #field, record.field, sizeof record.field)

// Every byte of the entry outside the fields the program sets must be zero.
bool OthersZero(const RASENTRYA& entry, DWORD size)
{
    struct Range {
        size_t at, length;
    };
    const Range used[] = {
        {offsetof(RASENTRYA, dwSize), 8}, // size and options
        {offsetof(RASENTRYA, szLocalPhoneNumber), sizeof entry.szLocalPhoneNumber},
        {offsetof(RASENTRYA, dwfNetProtocols), 8}, // protocols and framing
        {offsetof(RASENTRYA, szDeviceType), sizeof entry.szDeviceType},
        {offsetof(RASENTRYA, szDeviceName), sizeof entry.szDeviceName},
    };
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&entry);
    for (size_t i = 0; i < size; ++i) {
        bool inField = false;
        for (const Range& r : used)
            inField = inField || (i >= r.at && i < r.at + r.length);
        if (!inField && bytes[i] != 0)
            return false;
    }
    return true;
}

// The progress being played: where it goes and what comes next.
struct Progress {
    HWND notifier = nullptr;
    UINT message = 0;
    DWORD error = 0;
    int step = 0;
    HWND clock = nullptr;
} progress;

const DWORD kStates[] = {0, 1, 2, 3, 4, 5, 14, kConnected};

void StopProgress()
{
    if (progress.clock)
        KillTimer(progress.clock, kStepTimer);
}

// One notification per tick; with an error, the second state is the last.
LRESULT CALLBACK ClockProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_TIMER)
        return DefWindowProcA(window, message, wParam, lParam);
    const int step = progress.step++;
    const bool failing = progress.error != 0 && step == 2;
    PostMessageA(progress.notifier, progress.message, kStates[step], failing ? progress.error : 0);
    if (failing || kStates[step] == kConnected)
        StopProgress();
    return 0;
}

void PlayProgress(HWND notifier, DWORD error)
{
    if (!progress.clock) {
        WNDCLASSA cls = {};
        cls.lpfnWndProc = ClockProc;
        cls.hInstance = GetModuleHandleA("rasapi32.dll");
        cls.lpszClassName = "RasStandInClock";
        RegisterClassA(&cls);
        progress.clock =
            CreateWindowA(cls.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
    }
    progress.notifier = notifier;
    progress.message = RegisterWindowMessageA(RASDIALEVENT);
    progress.error = error;
    progress.step = 0;
    SetTimer(progress.clock, kStepTimer, Setting("StepMs", 150), nullptr);
}

struct KnownError {
    DWORD code;
    const char* text;
};
const KnownError kErrors[] = {
    {633, "The port is already in use or is not configured for Remote Access dial out."},
    {676, "The line is busy."},
    {680, "There was no dial tone."},
};
constexpr DWORD kLongTextError = 699; // its text is longer than any caller's buffer

} // namespace

extern "C" {

DWORD WINAPI RasSetEntryPropertiesA(LPCSTR phoneBook, LPCSTR name, LPRASENTRYA entry, DWORD size, LPBYTE device,
                                    DWORD deviceSize)
{
    Record("call RasSetEntryPropertiesA");
    Record(std::string("phoneBook=") + (phoneBook ? phoneBook : "<null>"));
    Record(std::string("entryName=") + (name ? name : "<null>"));
    RecordNumber("entrySize", size);
    Record(std::string("deviceInfo=") + (device ? "given" : "<null>"));
    RecordNumber("deviceInfoSize", deviceSize);
    RASENTRYA copy = {};
    if (entry && size <= sizeof copy) {
        memcpy(&copy, entry, size);
        RecordNumber("entry.dwSize", copy.dwSize);
        RecordNumber("entry.dwfOptions", copy.dwfOptions);
        RECORD_TEXT("entry.", copy, szLocalPhoneNumber);
        RECORD_TEXT("entry.", copy, szDeviceType);
        RECORD_TEXT("entry.", copy, szDeviceName);
        RecordNumber("entry.dwfNetProtocols", copy.dwfNetProtocols);
        RecordNumber("entry.dwFramingProtocol", copy.dwFramingProtocol);
        Record(std::string("entry.othersZero=") + (OthersZero(copy, size) ? "yes" : "no"));
    }
    return Setting("EntryError", 0);
}

DWORD WINAPI RasDialA(LPRASDIALEXTENSIONS extensions, LPCSTR phoneBook, LPRASDIALPARAMSA params, DWORD notifierType,
                      LPVOID notifier, LPHRASCONN connection)
{
    Record("call RasDialA");
    Record(std::string("extensions=") + (extensions ? "given" : "<null>"));
    Record(std::string("phoneBook=") + (phoneBook ? phoneBook : "<null>"));
    RecordNumber("notifierType", notifierType);
    char title[64] = "<not a window>";
    if (notifier && IsWindow(static_cast<HWND>(notifier)))
        GetWindowTextA(static_cast<HWND>(notifier), title, sizeof title);
    Record(std::string("notifier=") + title);
    if (params) {
        RASDIALPARAMSA copy = {};
        memcpy(&copy, params, params->dwSize <= sizeof copy ? params->dwSize : sizeof copy);
        RecordNumber("params.dwSize", params->dwSize);
        RECORD_TEXT("params.", copy, szEntryName);
        RECORD_TEXT("params.", copy, szPhoneNumber);
        RECORD_TEXT("params.", copy, szCallbackNumber);
        RECORD_TEXT("params.", copy, szUserName);
        RECORD_TEXT("params.", copy, szPassword);
        RECORD_TEXT("params.", copy, szDomain);
    }
    if (connection)
        *connection = kHandle;
    if (DWORD error = Setting("StartError", 0))
        return error;
    PlayProgress(static_cast<HWND>(notifier), Setting("DialError", 0));
    return 0;
}

DWORD WINAPI RasHangUpA(HRASCONN connection)
{
    StopProgress();
    Record(std::string("call RasHangUpA ") + (connection == kHandle ? "handle=dialled" : "handle=other"));
    return 0;
}

DWORD WINAPI RasGetErrorStringA(UINT error, LPSTR text, DWORD size)
{
    if (!text)
        return ERROR_INVALID_PARAMETER;
    if (error == kLongTextError)
        return ERROR_BUFFER_TOO_SMALL;
    for (const KnownError& known : kErrors) {
        if (known.code == error) {
            std::snprintf(text, size, "%s", known.text);
            return 0;
        }
    }
    return ERROR_INVALID_PARAMETER;
}

} // extern "C"
