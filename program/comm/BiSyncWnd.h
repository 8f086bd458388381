#pragma once
#include <windows.h>

#include "comm/BiSyncEngine.h"
#include "comm/EditCtrl.h"
#include "comm/SeededRandom.h"
#include "framework/WindowTimers.h"

// The link window: the trace control of the place-order dialog, hosting the
// link engine. The engine's timers are this window's timers (its ids never
// meet the dialog's own), and everything the engine tells its owner is posted
// to the dialog: output, messages, state changes and the end of the link.
class CBiSyncWnd : public CEditCtrl, private ILinkOwner {
public:
    CBiSyncWnd();

    bool Attach(HWND dialog, int id);

    CBiSyncEngine& Engine() { return m_engine; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // ILinkOwner: each a message posted to the dialog.
    void OnLinkSend(std::vector<uint8_t> bytes) override;
    void OnLinkDisconnected(bool orderlyEnd) override;
    void OnLinkMessage(const std::string& text) override;
    void OnLinkState(int state) override;

    HWND m_parent = nullptr;
    CWindowTimers m_timers;
    CSeededRandom m_random;
    CBiSyncEngine m_engine;
};
