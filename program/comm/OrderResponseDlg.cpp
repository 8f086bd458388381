#include "comm/OrderResponseDlg.h"

#include <ctime>

#include "app/QuillboxDlg.h"
#include "base/StrFormat.h"
#include "history/HistoryName.h"
#include "print/PrintJob.h"
#include "res/resource.h"
#include "settings/DataFileKey.h"

namespace {
constexpr uint32_t kTitleText = 100;
} // namespace

// History files are scrambled like every data file.
COrderResponseDlg::COrderResponseDlg(CQuillboxDlg& main)
    : CSkinnedDialog(IDD_RESPONSE), m_main(main), m_lines(&theDataFileKey)
{
}

void COrderResponseDlg::SetOutcome(const std::string& orderNumber, const ReplyOutcome& outcome)
{
    m_orderNumber = orderNumber;
    m_numberGiven = outcome.orderNumber.has_value();
    m_end = outcome.end;
    m_memo = outcome.memoInFull;
}

BOOL COrderResponseDlg::OnInitDialog()
{
    AttachSkin("[OrderResponseDialog]");
    const std::string title = StrFormat("Response to Order %s", m_orderNumber.c_str());
    SetWindowTextA(Handle(), title.c_str());
    // A reply that stands without its closing exchange, or no reply by the
    // deadline, says so under the title: the order may well have arrived.
    std::string heading = title;
    if (m_end == ExchangeEnd::Unconfirmed)
        heading += std::string("\r\n") + kUnconfirmedText;
    else if (m_end == ExchangeEnd::NoAnswer)
        heading += std::string("\r\n") + kNoAnswerText;
    m_skin.SetText(kTitleText, heading.c_str());
    m_lines.Attach(Handle(), IDC_RESPONSE_LIST);
    m_lines.SetStatusColours(&m_main);
    m_lines.SetShowPrice(m_main.OrderGrid().ShowPrice());
    m_lines.Setup(ListKind::Response);
    m_lines.SetReadOnly(true);
    m_lines.HideEdit();
    return TRUE;
}

// A failed exchange is no order: without a number from the server nothing is
// kept (and "<failed>" could not name a file on Windows); the order itself
// still holds every line.
bool COrderResponseDlg::KeepAnswer()
{
    m_main.Settings().SaveSettings();
    if (!m_numberGiven)
        return true;
    CreateDirectoryA(kHistoryFolder, nullptr);
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    // The lines are written in the response's own line format.
    m_lines.List().Setup(ListKind::Response);
    return local && m_lines.List().Save(HistoryFileName(*local, m_orderNumber).c_str());
}

bool COrderResponseDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_NOTIFY && m_lines.OnParentNotify(lParam, result))
        return true;
    return CSkinnedDialog::OnMessage(message, wParam, lParam, result);
}

void COrderResponseDlg::OnPrint()
{
    PrintDocument document;
    document.title = StrFormat("Response to Order %s", m_orderNumber.c_str());
    document.account = m_main.Settings().userName;
    document.when = PrintTimeNow();
    if (m_numberGiven)
        document.orderNumber = m_orderNumber;
    document.answered = true;
    document.lines = &m_lines.List();
    document.notes = m_main.Notes() == kNotesPlaceholder ? "" : m_main.Notes();
    document.memo = m_memo;
    CPrintJob(Handle(), document).Run();
}
