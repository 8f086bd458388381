#pragma once
#include <string>

#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "settings/ColorPickCtrl.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsView.h"
#include "skin/SkinnedDialog.h"

// The settings dialog: created once, modeless and hidden, owned by the main window,
// and shown when the user asks for it. It owns the settings record and shows
// it in its controls: the connection, the account number, the global hot key,
// the cut-off times and the status colours.
class CSettingsDlg : public CSkinnedDialog, public ISettingsView {
public:
    CSettingsDlg();

    CSettingsRecord& Record() { return m_record; }
    // The colour of order lines of a status class (1 part fulfilled, 2 out of
    // stock, 3 unavailable) as its swatch holds it now; white for others.
    COLORREF StatusColour(int statusClass) const;
    void SetConnectionType(int type);
    // The telephony device id of the modem list's selected entry; false with none.
    bool SelectedDeviceId(DWORD& id) const;

    // ISettingsView
    int DeviceCount() const override;
    void SelectDevice(int position) override;
    int SelectedDevice() const override;
    std::string DeviceText(int position) const override;
    void RegisterHotKey(int keyCode, int modifiers) override;
    void ApplyConnectionType(int type) override;
    void ShowFields(const CSettingsRecord& record) override;
    void TakeFields(CSettingsRecord& record) override;
    int WindowLeft() const override;
    int WindowTop() const override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ExchangeData(CDataExchange& exchange) override;

private:
    void FillDeviceList();
    void ShowCutOffs();
    bool AccountNumberGiven();
    void ShowRasPrefix();
    void OnInternet() { SetConnectionType(0); }
    void OnModem() { SetConnectionType(1); }
    void OnRasDialup();
    void OnAddCutOff();
    void OnDeleteCutOffs();
    void OnSkinCommand(WPARAM id) override;

    static const CommandEntry<CSettingsDlg> kCommands[];

    HWND m_mainWindow = nullptr;  // the owner: hot key and redraws go to it
    CRegistrySettingsStore m_store;
    CSettingsRecord m_record;
    CColorPickCtrl m_partFulfilled;
    CColorPickCtrl m_outOfStock;
    CColorPickCtrl m_unavailable;
    CColorPickCtrl m_spare;
};
