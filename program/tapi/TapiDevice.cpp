#include "tapi/TapiDevice.h"

#include <cstddef>

#include "framework/DebugOutput.h"
#include "tapi/TapiFunctions.h"
#include "tapi/TapiLineApp.h"

// The TAPI 3.1 device capabilities and extension id, the same on both builds.
static_assert(sizeof(LINEDEVCAPS) == 292, "LINEDEVCAPS layout");
static_assert(sizeof(LINEEXTENSIONID) == 16, "LINEEXTENSIONID layout");
// TAPI 2.x call parameters end where the TAPI 3 address type begins.
static_assert(offsetof(LINECALLPARAMS, dwAddressType) == 176, "LINECALLPARAMS layout");

namespace {
constexpr DWORD kLowestVersion = 0x00010004;
constexpr DWORD kHighestVersion = 0x00020001;
constexpr size_t kFirstCapsSize = 1276;
constexpr DWORD kCallParamsSize = 176;
constexpr DWORD kMinimumRate = 2400;
constexpr DWORD kMaximumRate = 57600;

void* Pointer(DWORD_PTR value)
{
    return reinterpret_cast<void*>(value);
}
} // namespace

CTapiDevice::~CTapiDevice()
{
    if (m_selected)
        m_app.RemoveDevice(this);
}

bool CTapiDevice::Select(DWORD deviceId)
{
    m_extensionId = {};
    DWORD version = 0;
    m_lastError = TapiFunctions::NegotiateAPIVersion(m_app.Handle(), deviceId, kLowestVersion, kHighestVersion,
                                                     &version, &m_extensionId);
    if (m_lastError != 0)
        return false;
    m_apiVersion = version;
    m_deviceId = deviceId;
    if (!ReadCaps())
        return false;
    ReadName();
    if (!m_selected)
        m_app.AddDevice(this);
    m_selected = true;
    return true;
}

bool CTapiDevice::ReadCaps()
{
    m_caps.assign(kFirstCapsSize, 0);
    auto* caps = reinterpret_cast<LINEDEVCAPS*>(m_caps.data());
    caps->dwTotalSize = kFirstCapsSize;
    m_lastError = TapiFunctions::GetDevCaps(m_app.Handle(), m_deviceId, m_apiVersion, 0, caps);
    if (m_lastError != 0 && m_lastError != static_cast<LONG>(LINEERR_STRUCTURETOOSMALL)) {
        m_caps.clear();
        return false;
    }
    if (caps->dwNeededSize > caps->dwTotalSize) {
        const DWORD needed = caps->dwNeededSize;
        m_caps.assign(needed, 0);
        caps = reinterpret_cast<LINEDEVCAPS*>(m_caps.data());
        caps->dwTotalSize = needed;
        m_lastError = TapiFunctions::GetDevCaps(m_app.Handle(), m_deviceId, m_apiVersion, 0, caps);
    }
    return true;
}

// The name lies inside the block; a size or offset pointing outside it gives no name.
void CTapiDevice::ReadName()
{
    const LINEDEVCAPS* caps = Caps();
    const size_t offset = caps->dwLineNameOffset;
    const size_t size = caps->dwLineNameSize;
    m_name.clear();
    if (offset > m_caps.size() || size > m_caps.size() - offset)
        return;
    const char* text = reinterpret_cast<const char*>(m_caps.data() + offset);
    size_t length = 0;
    while (length < size && text[length] != '\0')
        ++length;
    m_name.assign(text, length);
}

const LINEDEVCAPS* CTapiDevice::Caps() const
{
    return m_caps.size() >= sizeof(LINEDEVCAPS) ? reinterpret_cast<const LINEDEVCAPS*>(m_caps.data()) : nullptr;
}

bool CTapiDevice::CanPlaceDataCalls() const
{
    const LINEDEVCAPS* caps = Caps();
    return caps && (caps->dwBearerModes & LINEBEARERMODE_VOICE) && (caps->dwMediaModes & LINEMEDIAMODE_DATAMODEM) &&
           (caps->dwLineFeatures & LINEFEATURE_MAKECALL);
}

bool CTapiDevice::Open(DWORD privileges)
{
    m_lastError = TapiFunctions::Open(m_app.Handle(), m_deviceId, &m_line, m_apiVersion, 0, 0, privileges,
                                      LINEMEDIAMODE_DATAMODEM, nullptr);
    if (m_lastError != 0)
        m_line = 0;
    return m_lastError == 0;
}

bool CTapiDevice::Dial(const std::string& number)
{
    ReleaseDroppedCall();
    // The TAPI 2.x block: the fields after it are unknown to older layers.
    alignas(LINECALLPARAMS) unsigned char block[sizeof(LINECALLPARAMS)] = {};
    auto* params = reinterpret_cast<LINECALLPARAMS*>(block);
    params->dwTotalSize = kCallParamsSize;
    params->dwBearerMode = 0;
    params->dwMinRate = kMinimumRate;
    params->dwMaxRate = kMaximumRate;
    params->dwMediaMode = LINEMEDIAMODE_DATAMODEM;
    const LONG result = TapiFunctions::MakeCall(m_line, &m_call, number.c_str(), 0, params);
    m_lastError = result < 0 ? result : 0;
    m_dialRequest = result > 0 ? static_cast<DWORD_PTR>(result) : 0;
    return result >= 0;
}

bool CTapiDevice::Hangup()
{
    DebugOutput("Disconnecting %p\r\n", Pointer(m_call));
    m_lastError = 0;
    m_dialRequest = 0; // a dial given up: its late result is no one's
    if (!m_call)
        return true;
    const LONG result = TapiFunctions::Drop(m_call, nullptr, 0);
    if (result == 0) {
        TapiFunctions::DeallocateCall(m_call);
        m_call = 0;
    }
    m_dropPending = result > 0;
    if (result < 0)
        m_lastError = result;
    return result >= 0;
}

// A drop that completes later leaves the handle until the call is idle, or
// until the next call needs the slot.
void CTapiDevice::ReleaseDroppedCall()
{
    if (!m_dropPending)
        return;
    m_dropPending = false;
    TapiFunctions::DeallocateCall(m_call);
    m_call = 0;
}

bool CTapiDevice::Close()
{
    m_lastError = 0;
    if (!m_line)
        return true;
    Hangup();
    m_lastError = TapiFunctions::Close(m_line);
    m_line = 0;
    return m_lastError == 0;
}

bool CTapiDevice::Concerns(DWORD message, DWORD handle, DWORD_PTR param1) const
{
    switch (message) {
    case LINE_ADDRESSSTATE:
    case LINE_CLOSE:
    case LINE_LINEDEVSTATE:
    case LINE_AGENTSPECIFIC:
    case LINE_AGENTSTATUS:
    case LINE_APPNEWCALL:
    case LINE_PROXYREQUEST: return m_line != 0 && handle == m_line;
    case LINE_CALLINFO:
    case LINE_CALLSTATE:
    case LINE_GATHERDIGITS:
    case LINE_GENERATE:
    case LINE_MONITORDIGITS:
    case LINE_MONITORMEDIA:
    case LINE_MONITORTONE: return m_call != 0 && handle == m_call;
    case LINE_DEVSPECIFIC:
    case LINE_DEVSPECIFICFEATURE: return handle != 0 && (handle == m_line || handle == m_call);
    case LINE_CREATE:
    case LINE_REMOVE: return param1 == m_deviceId;
    case LINE_REPLY: return m_dialRequest != 0 && param1 == m_dialRequest;
    default: return false;
    }
}

void CTapiDevice::OnLineMessage(DWORD message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2,
                                DWORD_PTR param3)
{
    DebugOutput("CTapiDevice: %p %p %p %p %p\r\n", Pointer(message), Pointer(instance), Pointer(param1),
                Pointer(param2), Pointer(param3));
    using Handler = bool (CTapiDevice::*)(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR);
    struct Route {
        DWORD message;
        Handler handler;
    };
    static const Route kRoutes[] = {
        {LINE_ADDRESSSTATE, &CTapiDevice::OnAddressState},
        {LINE_AGENTSPECIFIC, &CTapiDevice::OnAgentSpecific},
        {LINE_AGENTSTATUS, &CTapiDevice::OnAgentStatus},
        {LINE_APPNEWCALL, &CTapiDevice::OnAppNewCall},
        {LINE_CALLINFO, &CTapiDevice::OnCallInfo},
        {LINE_CALLSTATE, &CTapiDevice::OnCallState},
        {LINE_CLOSE, &CTapiDevice::OnClose},
        {LINE_CREATE, &CTapiDevice::OnCreate},
        {LINE_DEVSPECIFIC, &CTapiDevice::OnDevSpecific},
        {LINE_DEVSPECIFICFEATURE, &CTapiDevice::OnDevSpecificFeature},
        {LINE_GATHERDIGITS, &CTapiDevice::OnGatherDigits},
        {LINE_GENERATE, &CTapiDevice::OnGenerate},
        {LINE_LINEDEVSTATE, &CTapiDevice::OnLineDevState},
        {LINE_MONITORDIGITS, &CTapiDevice::OnMonitorDigits},
        {LINE_MONITORMEDIA, &CTapiDevice::OnMonitorMedia},
        {LINE_MONITORTONE, &CTapiDevice::OnMonitorTone},
        {LINE_PROXYREQUEST, &CTapiDevice::OnProxyRequest},
        {LINE_REMOVE, &CTapiDevice::OnRemove},
        {LINE_REPLY, &CTapiDevice::OnReply},
    };
    for (const Route& route : kRoutes)
        if (route.message == message)
            (this->*route.handler)(instance, param1, param2, param3);
    if (message == LINE_CALLSTATE && param1 == LINECALLSTATE_IDLE)
        ReleaseDroppedCall();
    if (message == LINE_REPLY)
        m_dialRequest = 0;
}

bool CTapiDevice::OnAppNewCall(DWORD_PTR, DWORD_PTR, DWORD_PTR param2, DWORD_PTR)
{
    DebugOutput("New Call %p\r\n", Pointer(param2));
    m_call = static_cast<HCALL>(param2);
    m_dropPending = false;
    return true;
}

// The notifications the program has no use for.
bool CTapiDevice::OnAddressState(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnAgentSpecific(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnAgentStatus(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnCallInfo(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnCallState(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnClose(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnCreate(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnDevSpecific(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnDevSpecificFeature(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnGatherDigits(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnGenerate(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnLineDevState(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnMonitorDigits(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnMonitorMedia(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnMonitorTone(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnProxyRequest(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnRemove(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
bool CTapiDevice::OnReply(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) { return false; }
