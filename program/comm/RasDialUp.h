#pragma once
#include <windows.h>

#include "comm/PlaceOrderPorts.h"

// The dial-up connection through the remote-access service (RASAPI32, bound
// by name when first needed, so that the program runs where dial-up
// networking isn't installed). Progress is posted to the notifier window as
// the registered "RasDialEvent" message; a connection still held when this
// object goes is hung up.
class CRasDialUp : public IDialUp {
public:
    CRasDialUp() = default;
    CRasDialUp(const CRasDialUp&) = delete;
    CRasDialUp& operator=(const CRasDialUp&) = delete;
    ~CRasDialUp() override;

    void SetNotifier(HWND window) { m_notifier = window; }
    // The message is the dial event, once a dial has registered it.
    bool IsDialEvent(UINT message) const { return m_eventMessage != 0 && message == m_eventMessage; }

    uint32_t WriteEntry(const DialUpEntry& entry) override;
    uint32_t Dial(const DialUpParams& params) override;
    bool Dialled() const override { return m_connection != nullptr; }
    uint32_t HangUp() override;
    std::string ErrorText(uint32_t error) override;

private:
    HWND m_notifier = nullptr;
    UINT m_eventMessage = 0;
    HANDLE m_connection = nullptr; // HRASCONN
};
