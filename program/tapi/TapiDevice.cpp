#include "tapi/TapiDevice.h"

#include "tapi/TapiFunctions.h"
#include "tapi/TapiLineApp.h"

namespace {
constexpr DWORD kLowestVersion = 0x00010004;
constexpr DWORD kHighestVersion = 0x00020001;
constexpr size_t kFirstCapsSize = 1276;
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
