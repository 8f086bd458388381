#include "comm/OrderModem.h"

#include "framework/PostedData.h"
#include "settings/SettingsDlg.h"

namespace {
constexpr DWORD kOwnerAndMonitor = LINECALLPRIVILEGE_OWNER | LINECALLPRIVILEGE_MONITOR;
}

void COrderModem::SetNotifier(HWND window, UINT message)
{
    m_window = window;
    m_message = message;
}

bool COrderModem::OpenLine()
{
    DWORD device = 0;
    return m_settings.SelectedDeviceId(device) && Select(device) && Open(kOwnerAndMonitor);
}

uint32_t COrderModem::Dial(const std::string& number)
{
    return CTapiDevice::Dial(number) ? 0 : static_cast<uint32_t>(LastError());
}

bool COrderModem::Hangup()
{
    const bool dropped = CTapiDataDevice::Hangup();
    if (m_window)
        DropPosted<std::vector<uint8_t>>(m_window, m_message + 1);
    return dropped;
}

bool COrderModem::OnCallState(DWORD_PTR, DWORD_PTR state, DWORD_PTR detail, DWORD_PTR)
{
    PostMessageA(m_window, m_message, state, static_cast<LPARAM>(detail));
    return true;
}

// A dial refused after it was taken brings no call state: only its reply tells.
bool COrderModem::OnReply(DWORD_PTR, DWORD_PTR, DWORD_PTR result, DWORD_PTR)
{
    if (static_cast<uint32_t>(result) != 0)
        PostMessageA(m_window, m_message + 2, static_cast<WPARAM>(static_cast<uint32_t>(result)), 0);
    return true;
}

// On the reading thread: the chunk goes to the window by posting only.
void COrderModem::OnData(std::unique_ptr<std::vector<uint8_t>> chunk)
{
    const LPARAM count = static_cast<LPARAM>(chunk->size());
    PostOwned(m_window, m_message + 1, std::move(chunk), count);
}

// A modem that takes no bytes ends the call as a lost carrier does: the
// dialog gets the call's disconnect, and the link's own end follows.
void COrderModem::OnWriteStalled()
{
    PostMessageA(m_window, m_message, LINECALLSTATE_DISCONNECTED, LINEDISCONNECTMODE_UNAVAIL);
}
