#pragma once
#include <windows.h>
#include <tapi.h>

#include <vector>

class CTapiDevice;

// The program's one telephony line application: initialised once, then used
// to list, open and dial the line devices.
class CTapiLineApp {
public:
    // True when initialised (now or before); LastResult holds TAPI's code.
    bool Initialize(HINSTANCE instance);

    LONG LastResult() const { return m_lastResult; }
    DWORD DeviceCount() const { return m_deviceCount; }
    HLINEAPP Handle() const { return m_app; }

    // The devices selected for use; telephony notifications go to them.
    void AddDevice(CTapiDevice* device);
    void RemoveDevice(CTapiDevice* device);

private:
    static void CALLBACK Callback(DWORD device, DWORD message, DWORD_PTR instance, DWORD_PTR param1,
                                  DWORD_PTR param2, DWORD_PTR param3);
    void Route(DWORD device, DWORD message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2,
               DWORD_PTR param3);
    LONG CallInitialize();
    void ResetParams(size_t size);

    LONG m_lastResult = 0;
    HINSTANCE m_instance = nullptr;
    std::vector<unsigned char> m_params;  // a LINEINITIALIZEEXPARAMS block of its own total size
    DWORD m_apiVersion = 0;
    HLINEAPP m_app = 0;
    DWORD m_deviceCount = 0;
    bool m_initialized = false;
    std::vector<CTapiDevice*> m_devices;
};

extern CTapiLineApp theLineApp;
