#include "comm/PlaceOrderDlg.h"

#include "app/QuillboxDlg.h"
#include "comm/OrderResponseDlg.h"
#include "framework/AppMessages.h"
#include "framework/AppTitle.h"
#include "framework/DebugOutput.h"
#include "framework/PostedData.h"
#include "res/resource.h"
#include "skin/MessageDlg.h"
#include "tapi/TapiLineApp.h"
#include "text/FormatControls.h"
#include "text/TapiTexts.h"

namespace {
constexpr uint32_t kStatusText = 100;
constexpr char kTitle[] = "Sending order";
constexpr char kUpdateFile[] = "one";
constexpr char kHistoryNotKept[] = "The answer could not be kept\r\nin History: the disk may be full.\r\nIt is shown now.";
} // namespace

CPlaceOrderDlg::CPlaceOrderDlg(CQuillboxDlg& main)
    : CSkinnedDialog(IDD_PLACEORDER), m_main(main), m_modem(theLineApp, main.SettingsDialog())
{
    m_order = main.OrderInputs();
}

PlaceOrderSettings CPlaceOrderDlg::SessionSettings() const
{
    const CSettingsRecord& settings = m_main.Settings();
    return PlaceOrderSettings{settings.host,   settings.port,       settings.cnxType,      settings.rasConnection,
                              settings.number, settings.deviceName, settings.rasDialPrefix, Secure()};
}

// The secure choice counts on the Internet connection only; a pin that can't
// be read proves nobody, so such a server is refused rather than trusted.
bool CPlaceOrderDlg::Secure() const
{
    const CSettingsRecord& settings = m_main.Settings();
    return settings.cnxType != 1 && settings.secureConnection != 0;
}

BOOL CPlaceOrderDlg::OnInitDialog()
{
    SetWindowTextA(Handle(), kTitle);
    m_link.Attach(Handle(), IDC_LINK_TRACE);
    m_link.Log().SetLineNumber(1);
    m_link.Log().SetLogName(m_main.Settings().userName);
    AttachSkin("[PlaceOrderDialog]");
    m_timers.SetWindow(Handle());
    m_socket.SetOwner(Handle());
    CCertificatePin pin;
    pin.Parse(m_main.Settings().pin);
    m_tls.SetPin(pin);
    m_dialUp.SetNotifier(Handle());
    if (m_main.Settings().cnxType != 0)
        m_modem.SetNotifier(Handle(), WM_MODEM_EVENT);
    IOrderSocket& socket = Secure() ? static_cast<IOrderSocket&>(m_tls) : m_socket;
    const CPlaceOrderSession::Ports ports{*this,    socket, &m_modem, &m_dialUp, m_timers, m_link.Engine(),
                                          &m_link.Log()};
    m_session = std::make_unique<CPlaceOrderSession>(ports, SessionSettings(), m_order);
    m_session->SetUpdatePath(kUpdateFile);
    m_session->Start();
    return TRUE;
}

void CPlaceOrderDlg::ShowStatus(const std::string& text)
{
    SetDlgItemTextA(Handle(), IDC_STATUS_LINE, text.c_str());
    m_skin.SetText(kStatusText, text.c_str());
    DebugOutput("Order Status '%s'\r\n", text.c_str());
}

bool CPlaceOrderDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The dial event's number is only known at run time: it is looked for first.
    if (m_dialUp.IsDialEvent(message)) {
        m_session->OnRasDialEvent(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        result = 1;
        return true;
    }
    result = 0;
    if (CInternetSocket::IsSocketMessage(message)) {
        const CInternetSocket::EventSink sink = [this](int code, int error) { m_session->OnSocketEvent(code, error); };
        if (Secure())
            m_tls.OnMessage(message, wParam, lParam, sink);
        else
            m_socket.OnMessage(message, wParam, lParam, sink);
        return true;
    }
    switch (message) {
    case WM_TIMER: m_session->OnTimer(static_cast<int>(wParam)); break;
    case WM_MODEM_EVENT: OnModemEvent(wParam, lParam); return true;
    case WM_MODEM_DATA: OnModemData(wParam); return true;
    case WM_MODEM_DIAL_FAILED: m_session->OnModemDialFailed(static_cast<uint32_t>(wParam)); return true;
    case WM_LINK_SEND: OnLinkSend(wParam); return true;
    case WM_LINK_DISCONNECTED: return true;
    case WM_LINK_MESSAGE: OnLinkMessage(wParam); return true;
    case WM_LINK_STATE: m_session->OnLinkState(static_cast<int>(wParam)); break;
    case WM_DESTROY: OnDestroying(); break;
    default: break;
    }
    return CSkinnedDialog::OnMessage(message, wParam, lParam, result);
}

void CPlaceOrderDlg::OnLinkSend(WPARAM buffer)
{
    const std::unique_ptr<std::vector<uint8_t>> bytes = TakePosted<std::vector<uint8_t>>(buffer);
    DebugOutput("Sending '%s'\r\n", FormatControls(bytes->data(), bytes->size()).c_str());
    m_session->OnLinkSend(*bytes);
}

void CPlaceOrderDlg::OnModemEvent(WPARAM state, LPARAM detail)
{
    const uint32_t callState = static_cast<uint32_t>(state);
    const char* detailText = Tapi::CallStateDetail(callState, static_cast<uint32_t>(detail));
    DebugOutput("Modem State: '%s', '%s', '%s'\r\n", Tapi::CallStateName(callState), detailText,
                m_modem.Name().c_str());
    if (callState == LINECALLSTATE_CONNECTED)
        m_session->OnModemConnected();
    else if (callState == LINECALLSTATE_DISCONNECTED)
        m_session->OnModemDisconnected(detailText);
}

void CPlaceOrderDlg::OnModemData(WPARAM chunk)
{
    const std::unique_ptr<std::vector<uint8_t>> bytes = TakePosted<std::vector<uint8_t>>(chunk);
    DebugOutput("Received '%s'\r\n", FormatControls(bytes->data(), bytes->size()).c_str());
    m_session->DataReceived(bytes->data(), bytes->size());
}

void CPlaceOrderDlg::OnLinkMessage(WPARAM text)
{
    const std::unique_ptr<std::string> message = TakePosted<std::string>(text);
    m_session->OnLinkMessage(*message);
}

// Whatever the link still posted is freed with the dialog; the socket closes.
void CPlaceOrderDlg::OnDestroying()
{
    DropPosted<std::vector<uint8_t>>(Handle(), WM_LINK_SEND);
    DropPosted<std::string>(Handle(), WM_LINK_MESSAGE);
    m_tls.Close();
    m_modem.Close();
}

void CPlaceOrderDlg::OnCancel()
{
    m_session->Cancel();
    EndDialog(IDCANCEL);
}

// The reply goes into the order and the response. The order, the order
// counter and the history file are on disk before anything waits for the
// pharmacist, so a crash or a power cut during a memo or the response keeps
// the order number; then the memos in one box, then the response, and
// closing it ends the sending.
void CPlaceOrderDlg::LinkEnded()
{
    m_link.StopShowing();
    COrderResponseDlg response(m_main);
    CDatabaseCtrl& grid = m_main.OrderGrid();
    grid.Grid().HideEdit();
    ReplyOutcome outcome;
    grid.ChangeMany([&](CItemList& order) {
        outcome = m_session->ApplyReply(order, response.Lines(), m_main.Settings().orderNumber);
    });
    if (outcome.showPrice)
        grid.SetShowPrice(*outcome.showPrice);
    response.SetOutcome(m_session->OrderNumberText(), outcome);
    if (!response.KeepAnswer())
        CMessageDlg::Tell(Handle(), kHistoryNotKept);
    if (!outcome.memo.empty())
        MessageBoxA(Handle(), outcome.memo.c_str(), kAppTitle, MB_OK);
    response.DoModal(Handle());
    grid.Grid().PlaceEdit();
    EndDialog(IDCANCEL);
}
