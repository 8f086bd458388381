#pragma once
#include <memory>
#include <string>

#include "comm/BiSyncWnd.h"
#include "comm/InternetSocket.h"
#include "comm/OrderMessage.h"
#include "comm/OrderModem.h"
#include "comm/PlaceOrderSession.h"
#include "comm/RasDialUp.h"
#include "comm/TlsSocket.h"
#include "framework/WindowTimers.h"
#include "skin/SkinnedDialog.h"

class CQuillboxDlg;

// The dialog that sends the current order: the status line, the link's trace,
// and the place-order session behind them, which makes the attempts, runs the
// link over the socket and answers the server. When the link ends it applies
// the reply to the order and shows the response; closing that ends this too.
// Cancel (Esc, the skin's close or its button) works at every moment.
class CPlaceOrderDlg : public CSkinnedDialog, private IPlaceOrderHost {
public:
    explicit CPlaceOrderDlg(CQuillboxDlg& main);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // IPlaceOrderHost
    void ShowStatus(const std::string& text) override;
    void LinkEnded() override;

    PlaceOrderSettings SessionSettings() const;
    bool Secure() const;
    void OnLinkSend(WPARAM buffer);
    void OnLinkMessage(WPARAM text);
    void OnModemEvent(WPARAM state, LPARAM detail);
    void OnModemData(WPARAM chunk);
    void OnDestroying();

    CQuillboxDlg& m_main;
    OrderMessageInputs m_order;
    CInternetSocket m_socket;
    CTlsSocket m_tls{m_socket};
    CRasDialUp m_dialUp;
    COrderModem m_modem;
    CBiSyncWnd m_link;
    CWindowTimers m_timers;
    std::unique_ptr<CPlaceOrderSession> m_session;
};
