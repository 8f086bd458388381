#pragma once
#include <climits>
#include <string>

#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "settings/SettingsDlg.h"
#include "skin/DialogSkin.h"

// The order-entry window, the program's one main window. This is its frame:
// skin, icon, system menu, the clock and next cut-off, the skin's commands,
// quit, the global hot key and the hidden settings dialog. The order grid,
// the product database and their commands join it later.
class CQuillboxDlg : public CDialog {
public:
    CQuillboxDlg();

    CSettingsRecord& Settings() { return m_settings.Record(); }
    float Version() const { return m_version; }
    const std::string& SystemTags() const { return m_systemTags; }

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
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    void OnTimer(WPARAM timer);
    void PaintIcon();
    void OnSettings();
    void OnNothing() {}

    void AddAboutToSystemMenu();
    void MoveToStartPosition();
    void ShowAbout();
    void ShowClock();

    static const MessageEntry<CQuillboxDlg> kMessages[];
    static const CommandEntry<CQuillboxDlg> kCommands[];

    float m_version = 0;
    HICON m_icon = nullptr;
    CSettingsDlg m_settings;
    CDialogSkin m_skin;
    std::string m_notes;
    std::string m_systemTags;
    int m_shownMinute = -1;
    int m_shownCutOff = INT_MIN;
};

extern CQuillboxDlg theMainWindow;
