#include "comm/BiSyncWnd.h"

#include <cstdlib>
#include <memory>

#include "framework/AppMessages.h"
#include "framework/PostedData.h"

// The bid jitter comes from the generator start-up seeded with the time.
CBiSyncWnd::CBiSyncWnd()
    : m_random(static_cast<uint32_t>(std::rand())), m_engine(*this, m_timers, m_random, &Log(), LinkStation::Client)
{
}

bool CBiSyncWnd::Attach(HWND dialog, int id)
{
    if (!CEditCtrl::Attach(dialog, id))
        return false;
    m_parent = dialog;
    m_timers.SetWindow(Handle());
    return true;
}

bool CBiSyncWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_TIMER:
        switch (wParam) {
        case kJunkTimer:
        case kBidTimer:
        case kAckTimer:
        case kEotTimer:
        case kBlockTimer: m_engine.OnTimer(static_cast<int>(wParam)); return true;
        default: return CEditCtrl::OnMessage(message, wParam, lParam, result);
        }
    case WM_DESTROY:
        // Bytes still posted to the window are freed; the window's own handling goes on.
        DropPosted<std::vector<uint8_t>>(Handle(), WM_LINK_DATA);
        return false;
    case WM_LINK_RESET: m_engine.Reset(); return true;
    case WM_LINK_CONNECTED: m_engine.Connected(); return true;
    case WM_LINK_DATA: {
        const std::unique_ptr<std::vector<uint8_t>> bytes = TakePosted<std::vector<uint8_t>>(wParam);
        m_engine.ReceiveData(bytes->data(), bytes->size());
        return true;
    }
    default: return CEditCtrl::OnMessage(message, wParam, lParam, result);
    }
}


void CBiSyncWnd::OnLinkSend(std::vector<uint8_t> bytes)
{
    PostOwned(m_parent, WM_LINK_SEND, std::make_unique<std::vector<uint8_t>>(std::move(bytes)));
}

void CBiSyncWnd::OnLinkDisconnected(bool orderlyEnd)
{
    PostMessageA(m_parent, WM_LINK_DISCONNECTED, orderlyEnd ? 1 : 0, 0);
}

void CBiSyncWnd::OnLinkMessage(const std::string& text)
{
    PostOwned(m_parent, WM_LINK_MESSAGE, std::make_unique<std::string>(text), static_cast<LPARAM>(text.size()));
}

void CBiSyncWnd::OnLinkState(int state)
{
    PostMessageA(m_parent, WM_LINK_STATE, static_cast<WPARAM>(state), 0);
}
