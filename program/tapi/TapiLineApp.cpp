#include "tapi/TapiLineApp.h"

#include <algorithm>

#include "framework/DebugOutput.h"
#include "tapi/TapiDevice.h"
#include "tapi/TapiFunctions.h"
#include "text/TapiTexts.h"

// tapi.h packs its structures to single bytes on both builds; tapi32 reads them so.
static_assert(sizeof(LINEINITIALIZEEXPARAMS) == (sizeof(void*) == 4 ? 24 : 28), "LINEINITIALIZEEXPARAMS layout");

namespace {
constexpr DWORD kRequestedVersion = 0x00020001;
}

CTapiLineApp theLineApp;

bool CTapiLineApp::Initialize(HINSTANCE instance)
{
    if (m_initialized)
        return true;
    m_instance = instance;
    ResetParams(sizeof(LINEINITIALIZEEXPARAMS));
    m_lastResult = CallInitialize();
    if (m_lastResult != 0)
        return false;
    auto* params = reinterpret_cast<LINEINITIALIZEEXPARAMS*>(m_params.data());
    if (params->dwNeededSize > params->dwUsedSize && params->dwNeededSize > m_params.size()) {
        ResetParams(params->dwNeededSize);
        m_lastResult = CallInitialize();
        if (m_lastResult != 0)
            return false;
    }
    m_initialized = true;
    return true;
}

LONG CTapiLineApp::CallInitialize()
{
    // Some telephony layers (Wine's) report success without writing these.
    m_app = 0;
    m_deviceCount = 0;
    m_apiVersion = kRequestedVersion;
    return TapiFunctions::InitializeEx(&m_app, m_instance, Callback, nullptr, &m_deviceCount, &m_apiVersion,
                                       reinterpret_cast<LINEINITIALIZEEXPARAMS*>(m_params.data()));
}

void CTapiLineApp::ResetParams(size_t size)
{
    m_params.assign(std::max(size, sizeof(LINEINITIALIZEEXPARAMS)), 0);
    auto* params = reinterpret_cast<LINEINITIALIZEEXPARAMS*>(m_params.data());
    params->dwTotalSize = static_cast<DWORD>(m_params.size());
    params->dwOptions = 0;
}

void CTapiLineApp::AddDevice(CTapiDevice* device)
{
    m_devices.push_back(device);
}

void CTapiLineApp::RemoveDevice(CTapiDevice* device)
{
    m_devices.erase(std::remove(m_devices.begin(), m_devices.end(), device), m_devices.end());
}

void CALLBACK CTapiLineApp::Callback(DWORD device, DWORD message, DWORD_PTR instance, DWORD_PTR param1,
                                     DWORD_PTR param2, DWORD_PTR param3)
{
    DebugOutput("TapiCallBac: %p %p %p %p %p %p %s\r\n", reinterpret_cast<void*>(DWORD_PTR{message}),
                reinterpret_cast<void*>(instance), reinterpret_cast<void*>(param1), reinterpret_cast<void*>(param2),
                reinterpret_cast<void*>(param3), reinterpret_cast<void*>(DWORD_PTR{device}),
                Tapi::MessageName(message));
    theLineApp.Route(device, message, instance, param1, param2, param3);
}

// A handler may close or forget its device: the list is walked as it stood.
void CTapiLineApp::Route(DWORD device, DWORD message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2,
                         DWORD_PTR param3)
{
    const std::vector<CTapiDevice*> devices = m_devices;
    for (CTapiDevice* each : devices)
        if (std::find(m_devices.begin(), m_devices.end(), each) != m_devices.end() &&
            each->Concerns(message, device, param1))
            each->OnLineMessage(message, instance, param1, param2, param3);
}
