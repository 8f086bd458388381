#pragma once
#include "comm/PlaceOrderPorts.h"
#include "tapi/TapiDataDevice.h"

class CSettingsDlg;

// The place-order dialog's telephone modem: the device chosen in the settings,
// dialled for data calls. Call states, received chunks and a dial failed
// later reach the dialog only as posted messages: WM_MODEM_EVENT (state,
// detail), WM_MODEM_DATA (a posted chunk, its size) and WM_MODEM_DIAL_FAILED
// (the error), the notification message and the two after it.
class COrderModem : public CTapiDataDevice, public IOrderModem {
public:
    COrderModem(CTapiLineApp& app, const CSettingsDlg& settings) : CTapiDataDevice(app), m_settings(settings) {}

    void SetNotifier(HWND window, UINT message);

    // IOrderModem
    bool OpenLine() override;
    uint32_t Dial(const std::string& number) override;
    void OpenDataChannel() override { CTapiDataDevice::OpenDataChannel(); }
    bool CallInProgress() const override { return LineOpen(); }
    // Chunks the reading thread posted before it stopped are dropped with it.
    bool Hangup() override;
    void CloseLine() override { Close(); }
    bool Write(const uint8_t* bytes, size_t count) override { return CTapiDataDevice::Write(bytes, count); }

    bool OnCallState(DWORD_PTR instance, DWORD_PTR state, DWORD_PTR detail, DWORD_PTR privilege) override;
    bool OnReply(DWORD_PTR instance, DWORD_PTR request, DWORD_PTR result, DWORD_PTR param3) override;
    void OnData(std::unique_ptr<std::vector<uint8_t>> chunk) override;
    void OnWriteStalled() override;

private:
    const CSettingsDlg& m_settings;
    HWND m_window = nullptr;
    UINT m_message = 0;
};
