#pragma once
#include <climits>
#include <ctime>
#include <optional>
#include <string>

#include "framework/MessageMap.h"
#include "comm/OrderMessage.h"
#include "order/DatabaseCtrl.h"
#include "order/FooterPane.h"
#include "order/RowColours.h"
#include "settings/SettingsDlg.h"
#include "skin/SkinnedDialog.h"

// The order-entry window, the program's one main window: the product
// database, the order grid with the order in progress, the notes box, the
// supplier's news, the clock and next cut-off, the skin's commands, quit, the
// global hot key and the hidden settings dialog.
class CQuillboxDlg : public CSkinnedDialog, public IStatusColours {
public:
    CQuillboxDlg();

    CSettingsRecord& Settings() { return m_settings.Record(); }
    const CSettingsDlg& SettingsDialog() const { return m_settings; }
    float Version() const { return m_version; }
    const std::string& SystemTags() const { return m_systemTags; }
    CDatabaseCtrl& OrderGrid() { return m_order; }
    // The order notes as last taken from the notes box (by the skin's Send).
    const std::string& Notes() const { return m_notes; }
    // What the order message is made of: version, times, tags, settings, notes and the order.
    OrderMessageInputs OrderInputs();

    // The grid's line colours, as the settings dialog's swatches hold them.
    uint32_t StatusColour(int statusClass) const override;

    // Quits, asking first unless told not to; the settings are saved. An order
    // whose last save failed is saved again, and if that fails the pharmacist
    // decides whether to quit and lose it.
    void Quit(bool ask);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ExchangeData(CDataExchange& exchange) override;
    void OnSkinCommand(WPARAM id) override;

private:
    LRESULT OnQuitRequest(WPARAM how, LPARAM);
    void RunPendingQuit();
    bool OrderKept();
    LRESULT OnHotKey(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM command, LPARAM);
    LRESULT OnHelp(WPARAM, LPARAM) { return 0; }
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnDropFiles(WPARAM drop, LPARAM);
    bool OnShortcutKey(const MSG& msg) override;
    void OnOpenList();
    void OnTimer(WPARAM timer);
    void PaintIcon();
    void OnSettings();
    void OnSearch();
    void OnSend() { Send(false); }
    void OnSendWithNotes() { Send(true); }
    void OnHistory();
    void OnPrint() override;
    void OnClear();
    void OnSort();
    void OnQuit() { Quit(true); }
    void OnMinimise();
    void OnNothing() {}
    void Send(bool takeNotes);
    void RunPlaceOrder();

    void LoadProducts();
    void CreateFooter();
    void AddAboutToSystemMenu();
    void ShowDatabaseAge();
    void LoadOrder();
    void MoveToStartPosition();
    void ShowAbout();
    void ShowClock();

    static const MessageEntry<CQuillboxDlg> kMessages[];
    static const CommandEntry<CQuillboxDlg> kCommands[];
    static const CommandEntry<CQuillboxDlg> kSkinCommands[];

    float m_version = 0;
    std::time_t m_databaseTime = 0;
    std::time_t m_startTime = 0;
    CItemList m_products;
    CDatabaseCtrl m_order;
    HICON m_icon = nullptr;
    CSettingsDlg m_settings;
    std::string m_notes;
    CFooterPane m_footer;
    std::string m_systemTags;
    int m_shownMinute = -1;
    int m_shownCutOff = INT_MIN;
    // A quit request that came while a dialog or box of this window ran, and
    // whether it asks first; carried out when the window is enabled again.
    std::optional<bool> m_pendingQuit;
    bool m_quitting = false;
};

extern CQuillboxDlg theMainWindow;
