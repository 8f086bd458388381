#pragma once
#include <windows.h>
#include <tapi.h>

#include <string>
#include <vector>

class CTapiLineApp;

// One telephony line device. Selecting it negotiates the API version and reads
// its capabilities and name; a selected device receives the line application's
// notifications until it is destroyed. It opens its line for data-modem calls,
// dials, hangs up and closes; call progress arrives through the handlers, which
// a subclass overrides.
class CTapiDevice {
public:
    explicit CTapiDevice(CTapiLineApp& app) : m_app(app) {}
    CTapiDevice(const CTapiDevice&) = delete;
    CTapiDevice& operator=(const CTapiDevice&) = delete;
    virtual ~CTapiDevice();

    bool Select(DWORD deviceId);
    bool Open(DWORD privileges);
    // True once the telephony layer took the request; the call's progress
    // follows as call states, and the request's own result as OnReply.
    bool Dial(const std::string& number);
    virtual bool Hangup();
    // Hangs up and closes the line; true at once when it was never opened.
    bool Close();

    LONG LastError() const { return m_lastError; }
    DWORD DeviceId() const { return m_deviceId; }
    const std::string& Name() const { return m_name; }
    bool LineOpen() const { return m_line != 0; }
    HCALL CallHandle() const { return m_call; }
    // The capabilities read by Select, or null before.
    const LINEDEVCAPS* Caps() const;
    // Voice bearer, data-modem media and the ability to make calls: a line the
    // program can dial the supplier's modem on.
    bool CanPlaceDataCalls() const;

    // Whether a notification for this handle (or, for a new or removed device,
    // this device id in the first parameter) is this device's.
    bool Concerns(DWORD message, DWORD handle, DWORD_PTR param1) const;
    virtual void OnLineMessage(DWORD message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2,
                               DWORD_PTR param3);

    // One handler per notification; each does nothing and returns false unless
    // overridden (a new call is taken as the device's call).
    virtual bool OnAddressState(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnAgentSpecific(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnAgentStatus(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnAppNewCall(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnCallInfo(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnCallState(DWORD_PTR instance, DWORD_PTR state, DWORD_PTR detail, DWORD_PTR privilege);
    virtual bool OnClose(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnCreate(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnDevSpecific(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnDevSpecificFeature(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnGatherDigits(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnGenerate(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnLineDevState(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnMonitorDigits(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnMonitorMedia(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnMonitorTone(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnProxyRequest(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    virtual bool OnRemove(DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2, DWORD_PTR param3);
    // LINE_REPLY to this device's dial: the request id and its result (0, or a LINEERR code).
    virtual bool OnReply(DWORD_PTR instance, DWORD_PTR request, DWORD_PTR result, DWORD_PTR param3);

protected:
    void SetLastError(LONG error) { m_lastError = error; }

private:
    bool ReadCaps();
    void ReadName();
    void ReleaseDroppedCall();

    CTapiLineApp& m_app;
    bool m_selected = false;
    LONG m_lastError = 0;
    DWORD m_deviceId = 0;
    std::string m_name = "<unknown>";
    std::vector<unsigned char> m_caps;  // a LINEDEVCAPS block of its own total size
    LINEEXTENSIONID m_extensionId = {};
    DWORD m_apiVersion = 0;
    HLINE m_line = 0;
    HCALL m_call = 0;
    // The dial request whose LINE_REPLY is still to come; 0 for none.
    DWORD_PTR m_dialRequest = 0;
    // The drop was accepted to complete later: the handle goes when the call is idle.
    bool m_dropPending = false;
};
