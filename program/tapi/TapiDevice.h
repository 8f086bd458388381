#pragma once
#include <windows.h>
#include <tapi.h>

#include <string>
#include <vector>

class CTapiLineApp;

// One telephony line device. Selecting it negotiates the API version and reads
// its capabilities and name; a selected device receives the line application's
// notifications until it is destroyed.
class CTapiDevice {
public:
    explicit CTapiDevice(CTapiLineApp& app) : m_app(app) {}
    CTapiDevice(const CTapiDevice&) = delete;
    CTapiDevice& operator=(const CTapiDevice&) = delete;
    virtual ~CTapiDevice();

    bool Select(DWORD deviceId);

    LONG LastError() const { return m_lastError; }
    DWORD DeviceId() const { return m_deviceId; }
    const std::string& Name() const { return m_name; }
    // The capabilities read by Select, or null before.
    const LINEDEVCAPS* Caps() const;
    // Voice bearer, data-modem media and the ability to make calls: a line the
    // program can dial the supplier's modem on.
    bool CanPlaceDataCalls() const;

private:
    bool ReadCaps();
    void ReadName();

    CTapiLineApp& m_app;
    bool m_selected = false;
    LONG m_lastError = 0;
    DWORD m_deviceId = 0;
    std::string m_name = "<unknown>";
    std::vector<unsigned char> m_caps;  // a LINEDEVCAPS block of its own total size
    LINEEXTENSIONID m_extensionId = {};
    DWORD m_apiVersion = 0;
};
