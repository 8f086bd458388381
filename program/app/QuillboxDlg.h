#pragma once
#include "framework/Dialog.h"
#include "framework/MessageMap.h"

// The order-entry window, the program's one main window. This is its frame:
// icon, system menu, skin commands, quit, the global hot key and the hidden
// settings dialog; the order grid and its commands join it later.
class CQuillboxDlg : public CDialog {
public:
    CQuillboxDlg();

    // Quits, asking first unless told not to; the settings are saved.
    void Quit(bool ask);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnSkinNotify(WPARAM id, LPARAM code);
    LRESULT OnQuitRequest(WPARAM how, LPARAM);
    LRESULT OnHotKey(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM command, LPARAM);
    LRESULT OnHelp(WPARAM, LPARAM) { return 0; }
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);

    void AddAboutToSystemMenu();
    void ShowAbout();

    static const MessageEntry<CQuillboxDlg> kMessages[];

    HICON m_icon = nullptr;
};

extern CQuillboxDlg theMainWindow;
