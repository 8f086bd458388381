// tapi32.dll for Wine test and demo prefixes only, where Wine's own is stubs:
// one line device on a serial port with a Hayes modem (or tools/modem-emulator)
// behind it. lineMakeCallA opens the port and dials on a thread of its own;
// the call states reach the application's callback on the thread that called
// lineInitializeExA, through a hidden window there, as TAPI delivers them.
// lineGetIDA "comm/datamodem" hands out a copy of the port's handle; lineDrop
// leaves data mode with "+++" and hangs up with ATH, then closes the port.
// Each lineMakeCallA request is answered with LINE_REPLY, as TAPI does.
// Loaded with WINEDLLOVERRIDES="tapi32=n,b"; never shipped.
//
// Values under HKCU\Software\Quillbox Tests\TapiStandIn:
//   Port  (text) the serial port, e.g. "COM5"; without it there is no device
//   Name  (text) the line's name (default "Quillbox Test Modem")
//   CarrierFile (text) the file where the modem emulator keeps its carrier (1 or 0)
//   FailDials (text) how many of the first dials a LINE_REPLY fails with
//               LINEERR_OPERATIONFAILED after lineMakeCallA took them (default 0)
#include <windows.h>
#include <tapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kKey[] = "Software\\Quillbox Tests\\TapiStandIn";
constexpr char kDataModemClass[] = "comm/datamodem";
constexpr HLINE kLine = 0x4C1;
constexpr HCALL kCall = 0xCA1;
constexpr UINT kCallStateMessage = WM_APP + 7;
constexpr UINT kReplyMessage = WM_APP + 8;
constexpr DWORD kHighestVersion = 0x00020001;
constexpr DWORD kCommandMs = 3000;
constexpr DWORD kDialMs = 90000;
// ATS12=10: a guard time of 200 ms around "+++", so a hang-up is quick.
constexpr char kSetUp[] = "ATE0V1X4S12=10\r";
constexpr DWORD kGuardMs = 300;

struct Call {
    HANDLE port = INVALID_HANDLE_VALUE;
    HANDLE thread = nullptr;
    HANDLE abort = nullptr;
    bool connected = false;
    DWORD generation = 0;  // call states of an earlier call are not delivered
};

LINECALLBACK g_callback = nullptr;
HWND g_window = nullptr;
bool g_lineOpen = false;
DWORD_PTR g_instance = 0;
std::string g_number;
Call g_call;
LONG g_requests = 0; // request ids handed out
int g_dials = 0;

std::string Setting(const char* name, const char* fallback)
{
    char text[256] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return fallback;
    return text;
}

DWORD DeviceCount()
{
    return Setting("Port", "").empty() ? 0 : 1;
}

LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kReplyMessage) {
        if (g_callback)
            g_callback(0, LINE_REPLY, g_instance, wParam, static_cast<DWORD_PTR>(lParam), 0);
        return 0;
    }
    if (message != kCallStateMessage)
        return DefWindowProcA(window, message, wParam, lParam);
    const DWORD generation = static_cast<DWORD>(lParam) >> 16;
    if (g_callback && g_lineOpen && generation == g_call.generation)
        g_callback(kCall, LINE_CALLSTATE, g_instance, wParam, static_cast<DWORD>(lParam) & 0xFFFF, 0);
    return 0;
}

HWND MakeNotifyWindow(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = NotifyProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TapiStandInNotify";
    RegisterClassA(&windowClass);
    return CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

void PostState(DWORD generation, DWORD state, DWORD detail)
{
    PostMessageA(g_window, kCallStateMessage, state, static_cast<LPARAM>((generation << 16) | detail));
}

// A blocking write and a read of what came within a short while, both giving
// up when the call is aborted.
bool WritePort(HANDLE port, const std::string& text)
{
    OVERLAPPED block = {};
    block.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD written = 0;
    bool done = WriteFile(port, text.data(), static_cast<DWORD>(text.size()), &written, &block);
    if (!done && GetLastError() == ERROR_IO_PENDING) {
        // A modem that takes nothing (clear-to-send held low) holds no hang-up for good.
        if (WaitForSingleObject(block.hEvent, kCommandMs) != WAIT_OBJECT_0)
            CancelIo(port);
        done = GetOverlappedResult(port, &block, &written, TRUE);
    }
    CloseHandle(block.hEvent);
    return done;
}

bool ReadSome(HANDLE port, HANDLE abort, std::string& into)
{
    char buffer[128];
    OVERLAPPED block = {};
    block.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD count = 0;
    bool done = ReadFile(port, buffer, sizeof buffer, &count, &block);
    if (!done && GetLastError() == ERROR_IO_PENDING) {
        const HANDLE events[] = {block.hEvent, abort};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) {
            CancelIo(port);
            GetOverlappedResult(port, &block, &count, TRUE);
            CloseHandle(block.hEvent);
            return false;
        }
        done = GetOverlappedResult(port, &block, &count, TRUE);
    }
    CloseHandle(block.hEvent);
    into.append(buffer, done ? count : 0);
    return done;
}

// The first complete result line among the known ones; noise lines are passed over.
const char* const kResults[] = {"OK", "CONNECT", "BUSY", "NO ANSWER", "NO DIALTONE", "NO CARRIER", "ERROR"};

std::string TakeResult(std::string& text)
{
    for (size_t end; (end = text.find('\r')) != std::string::npos;) {
        std::string line = text.substr(0, end);
        text.erase(0, end + 1);
        line.erase(0, line.find_first_not_of("\r\n"));
        for (const char* result : kResults)
            if (line.compare(0, std::strlen(result), result) == 0)
                return line;
    }
    return "";
}

std::string Command(HANDLE port, HANDLE abort, const std::string& command, DWORD limitMs)
{
    if (!WritePort(port, command))
        return "";
    std::string text;
    const DWORD started = GetTickCount();
    while (GetTickCount() - started < limitMs) {
        // A read that timed out empty may report failure: only an abort ends the wait.
        if (!ReadSome(port, abort, text) && WaitForSingleObject(abort, 0) == WAIT_OBJECT_0)
            return "";
        std::string result = TakeResult(text);
        if (!result.empty())
            return result;
    }
    return "";
}

DWORD DisconnectMode(const std::string& result)
{
    if (result.compare(0, 4, "BUSY") == 0)
        return LINEDISCONNECTMODE_BUSY;
    if (result.compare(0, 9, "NO ANSWER") == 0)
        return LINEDISCONNECTMODE_NOANSWER;
    if (result.compare(0, 11, "NO DIALTONE") == 0)
        return LINEDISCONNECTMODE_NODIALTONE;
    if (result.compare(0, 5, "ERROR") == 0)
        return LINEDISCONNECTMODE_BADADDRESS;
    return LINEDISCONNECTMODE_UNAVAIL;
}

// Wine reads no carrier detect from a pty: the modem emulator keeps it in the
// file the key's CarrierFile names. A carrier lost while the call stands ends
// it, as a modem's dropped DCD would; a hang-up of ours stops the watch first.
void WatchCarrier(DWORD generation, HANDLE abort)
{
    const std::string path = Setting("CarrierFile", "");
    if (path.empty())
        return;
    while (WaitForSingleObject(abort, 200) == WAIT_TIMEOUT) {
        char state = '1';
        if (FILE* file = std::fopen(path.c_str(), "rb")) {
            state = static_cast<char>(std::fgetc(file));
            std::fclose(file);
        }
        if (state == '0') {
            PostState(generation, LINECALLSTATE_DISCONNECTED, LINEDISCONNECTMODE_UNAVAIL);
            PostState(generation, LINECALLSTATE_IDLE, 0);
            return;
        }
    }
}

DWORD WINAPI DialThread(void*)
{
    const DWORD generation = g_call.generation;
    HANDLE port = g_call.port;
    HANDLE abort = g_call.abort;
    PostState(generation, LINECALLSTATE_DIALTONE, LINEDIALTONEMODE_NORMAL);
    // A port just opened may still echo or drop the first bytes: the modem is
    // reset until it answers, as modem drivers do.
    std::string result;
    for (int tries = 0; tries < 3 && result != "OK" && WaitForSingleObject(abort, 0) != WAIT_OBJECT_0; ++tries)
        result = Command(port, abort, "ATZ\r", kCommandMs);
    if (result == "OK")
        result = Command(port, abort, kSetUp, kCommandMs);
    if (result == "OK") {
        PostState(generation, LINECALLSTATE_DIALING, 0);
        const std::string dial = "ATD" + Setting("Dial", "T") + g_number + "\r";
        PostState(generation, LINECALLSTATE_PROCEEDING, 0);
        result = Command(port, abort, dial, kDialMs);
    }
    if (WaitForSingleObject(abort, 0) == WAIT_OBJECT_0)
        return 0;
    if (result.compare(0, 7, "CONNECT") == 0) {
        g_call.connected = true;
        PostState(generation, LINECALLSTATE_CONNECTED, LINECONNECTEDMODE_ACTIVE);
        WatchCarrier(generation, abort);
        return 0;
    }
    PostState(generation, LINECALLSTATE_DISCONNECTED, DisconnectMode(result));
    PostState(generation, LINECALLSTATE_IDLE, 0);
    return 0;
}

bool OpenPort()
{
    const std::string name = "\\\\.\\" + Setting("Port", "COM1");
    g_call.port = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (g_call.port == INVALID_HANDLE_VALUE)
        return false;
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    GetCommState(g_call.port, &dcb);
    dcb.BaudRate = CBR_115200;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    SetCommState(g_call.port, &dcb);
    COMMTIMEOUTS timeouts = {50, 0, 500, 0, 0};
    SetCommTimeouts(g_call.port, &timeouts);
    return true;
}

// Ends the call: the dialling thread stops, a connected modem leaves data mode
// and hangs up, and the port closes.
void EndCall()
{
    if (g_call.thread) {
        SetEvent(g_call.abort);
        WaitForSingleObject(g_call.thread, INFINITE);
        CloseHandle(g_call.thread);
    }
    if (g_call.port != INVALID_HANDLE_VALUE) {
        ResetEvent(g_call.abort);
        if (g_call.connected) {
            Sleep(kGuardMs);
            WritePort(g_call.port, "+++");
            Sleep(kGuardMs);
            Command(g_call.port, g_call.abort, "ATH\r", kCommandMs);
        } else {
            WritePort(g_call.port, "ATH\r");
        }
        CloseHandle(g_call.port);
    }
    if (g_call.abort)
        CloseHandle(g_call.abort);
    const DWORD generation = g_call.generation + 1;
    g_call = Call{};
    g_call.generation = generation;
}

} // namespace

extern "C" {

LONG WINAPI lineInitializeExA(HLINEAPP* app, HINSTANCE instance, LINECALLBACK callback, LPCSTR, DWORD* deviceCount,
                              DWORD* apiVersion, LINEINITIALIZEEXPARAMS* params)
{
    if (!app || !deviceCount || !apiVersion || !params || params->dwTotalSize < sizeof(LINEINITIALIZEEXPARAMS))
        return LINEERR_INVALPOINTER;
    g_callback = callback;
    if (!g_window)
        g_window = MakeNotifyWindow(instance);
    *app = 1;
    *deviceCount = DeviceCount();
    *apiVersion = kHighestVersion;
    params->dwNeededSize = params->dwUsedSize = sizeof(LINEINITIALIZEEXPARAMS);
    return 0;
}

LONG WINAPI lineNegotiateAPIVersion(HLINEAPP, DWORD device, DWORD low, DWORD high, DWORD* version,
                                    LINEEXTENSIONID* extension)
{
    if (device >= DeviceCount())
        return LINEERR_BADDEVICEID;
    if (high < 0x00010004 || low > kHighestVersion)
        return LINEERR_INCOMPATIBLEAPIVERSION;
    *version = high < kHighestVersion ? high : kHighestVersion;
    *extension = LINEEXTENSIONID{};
    return 0;
}

LONG WINAPI lineGetDevCapsA(HLINEAPP, DWORD device, DWORD, DWORD, LINEDEVCAPS* caps)
{
    if (device >= DeviceCount())
        return LINEERR_BADDEVICEID;
    if (caps->dwTotalSize < sizeof(LINEDEVCAPS))
        return LINEERR_STRUCTURETOOSMALL;
    const std::string name = Setting("Name", "Quillbox Test Modem");
    const DWORD total = caps->dwTotalSize;
    std::memset(caps, 0, sizeof(LINEDEVCAPS));
    caps->dwTotalSize = total;
    caps->dwNeededSize = static_cast<DWORD>(sizeof(LINEDEVCAPS) + name.size() + 1);
    caps->dwUsedSize = sizeof(LINEDEVCAPS);
    caps->dwStringFormat = STRINGFORMAT_ASCII;
    caps->dwBearerModes = LINEBEARERMODE_VOICE;
    caps->dwMediaModes = LINEMEDIAMODE_DATAMODEM;
    caps->dwLineFeatures = LINEFEATURE_MAKECALL;
    caps->dwMaxRate = 57600;
    caps->dwNumAddresses = 1;
    if (caps->dwNeededSize <= total) {
        std::memcpy(reinterpret_cast<char*>(caps) + sizeof(LINEDEVCAPS), name.c_str(), name.size() + 1);
        caps->dwLineNameOffset = sizeof(LINEDEVCAPS);
        caps->dwLineNameSize = static_cast<DWORD>(name.size() + 1);
        caps->dwUsedSize = caps->dwNeededSize;
    }
    return 0;
}

LONG WINAPI lineOpenA(HLINEAPP, DWORD device, HLINE* line, DWORD, DWORD, DWORD_PTR instance, DWORD, DWORD,
                      LINECALLPARAMS* const)
{
    if (device >= DeviceCount())
        return LINEERR_BADDEVICEID;
    if (g_lineOpen)
        return LINEERR_ALLOCATED;
    g_lineOpen = true;
    g_instance = instance;
    *line = kLine;
    return 0;
}

LONG WINAPI lineMakeCallA(HLINE line, HCALL* call, LPCSTR number, DWORD, LINECALLPARAMS* const)
{
    if (line != kLine || !g_lineOpen)
        return LINEERR_INVALLINEHANDLE;
    if (g_call.port != INVALID_HANDLE_VALUE)
        return LINEERR_INUSE;
    // The modem took no dial: the request fails later, with no call state.
    const LONG request = ++g_requests;
    if (g_dials++ < std::atoi(Setting("FailDials", "0").c_str())) {
        PostMessageA(g_window, kReplyMessage, request, static_cast<LPARAM>(LINEERR_OPERATIONFAILED));
        *call = kCall;
        return request;
    }
    if (!OpenPort())
        return LINEERR_RESOURCEUNAVAIL;
    g_number = number ? number : "";
    g_call.abort = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_call.thread = CreateThread(nullptr, 0, DialThread, nullptr, 0, nullptr);
    *call = kCall;
    PostMessageA(g_window, kReplyMessage, request, 0);
    return request;  // the call's progress follows as call states
}

LONG WINAPI lineDrop(HCALL call, LPCSTR, DWORD)
{
    if (call != kCall)
        return LINEERR_INVALCALLHANDLE;
    EndCall();
    return 0;
}

LONG WINAPI lineDeallocateCall(HCALL call)
{
    return call == kCall ? 0 : LINEERR_INVALCALLHANDLE;
}

LONG WINAPI lineClose(HLINE line)
{
    if (line != kLine || !g_lineOpen)
        return LINEERR_INVALLINEHANDLE;
    EndCall();
    g_lineOpen = false;
    return 0;
}

LONG WINAPI lineGetIDA(HLINE, DWORD, HCALL call, DWORD, VARSTRING* id, LPCSTR deviceClass)
{
    if (!deviceClass || std::strcmp(deviceClass, kDataModemClass) != 0)
        return LINEERR_INVALDEVICECLASS;
    if (call != kCall || !g_call.connected)
        return LINEERR_INVALCALLHANDLE;
    if (!id || id->dwTotalSize < sizeof(VARSTRING))
        return LINEERR_STRUCTURETOOSMALL;
    const std::string name = Setting("Port", "COM1");
    const DWORD needed = static_cast<DWORD>(sizeof(VARSTRING) + sizeof(HANDLE) + name.size() + 1);
    id->dwNeededSize = needed;
    id->dwUsedSize = sizeof(VARSTRING);
    if (id->dwTotalSize < needed)
        return 0;
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), g_call.port, GetCurrentProcess(), &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        return LINEERR_OPERATIONFAILED;
    char* part = reinterpret_cast<char*>(id) + sizeof(VARSTRING);
    std::memcpy(part, &copy, sizeof copy);
    std::memcpy(part + sizeof copy, name.c_str(), name.size() + 1);
    id->dwStringFormat = STRINGFORMAT_BINARY;
    id->dwStringOffset = sizeof(VARSTRING);
    id->dwStringSize = needed - sizeof(VARSTRING);
    id->dwUsedSize = needed;
    return 0;
}

} // extern "C"
