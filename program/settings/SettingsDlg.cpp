#include "settings/SettingsDlg.h"

#include <commctrl.h>

#include "framework/AppTitle.h"
#include "framework/DataExchange.h"
#include "res/resource.h"
#include "settings/UpdateDisk.h"
#include "skin/MessageDlg.h"
#include "tapi/TapiDevice.h"
#include "tapi/TapiLineApp.h"
#include "text/FieldText.h"
#include "text/TapiTexts.h"

namespace {
constexpr int kHotKeyId = 12345;
constexpr char kAccountMissing[] = "The Account Number is invalid.\r\n\r\nYou need to enter an Account Number";
// Sent in the order as it stands: a "~" would add fields, a control byte break the link.
constexpr char kAccountRefused[] =
    "The Account Number is invalid.\r\n\r\nIt can't hold '~' or control codes";

enum SkinId : uint32_t {
    kSkinUpdateFromDisk = 2,
    kSkinUpdateOnline = 3,
    kSkinOk = 10,
    kTextHostOrNumber = 100,
    kTextPortOrDevice = 101,
    kTextLastUpdate = 102,
    kTextVersion = 103,
};

constexpr int kInternetControls[] = {IDC_HOST, IDC_PORT, IDC_PORT_SPIN, IDC_RAS, IDC_SECURE, IDC_PIN_LABEL, IDC_PIN};
constexpr int kModemControls[] = {IDC_NUMBER, IDC_DEVICE};

void ExchangeColour(const CDataExchange& exchange, CColorPickCtrl& swatch, int& field)
{
    if (exchange.Taking())
        field = static_cast<int>(swatch.Colour());
    else
        swatch.SetColour(static_cast<COLORREF>(field));
}

void ShowControl(HWND dialog, int id, bool show)
{
    ShowWindow(GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
}
} // namespace

const CommandEntry<CSettingsDlg> CSettingsDlg::kCommands[] = {
    {IDC_CNX_INTERNET, &CSettingsDlg::OnInternet},
    {IDC_CNX_MODEM, &CSettingsDlg::OnModem},
    {IDC_RAS, &CSettingsDlg::OnRasDialup},
    {IDC_CUTOFF_ADD, &CSettingsDlg::OnAddCutOff},
    {IDC_CUTOFF_DEL, &CSettingsDlg::OnDeleteCutOffs},
};

CSettingsDlg::CSettingsDlg() : CSkinnedDialog(IDD_SETTINGS), m_record(m_store, *this) {}

BOOL CSettingsDlg::OnInitDialog()
{
    m_mainWindow = GetWindow(Handle(), GW_OWNER);
    SetWindowTextA(Handle(), "Quillbox Settings");
    if (!theLineApp.Initialize(GetModuleHandleA(nullptr))) {
        MessageBoxA(Handle(), Tapi::ErrorText(static_cast<uint32_t>(theLineApp.LastResult())), kAppTitle,
                    MB_OK | MB_ICONHAND);
        ExitProcess(1);
    }
    SendDlgItemMessageA(Handle(), IDC_CUTOFF_TIME, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("HH:mm"));
    SendDlgItemMessageA(Handle(), IDC_PORT_SPIN, UDM_SETRANGE32, 0, 65535);
    m_partFulfilled.Subclass(Handle(), IDC_COLOR_PARTFULFILLED);
    m_outOfStock.Subclass(Handle(), IDC_COLOR_OUTOFSTOCK);
    m_unavailable.Subclass(Handle(), IDC_COLOR_UNAVAILABLE);
    m_spare.Subclass(Handle(), IDC_COLOR_SPARE);
    AttachSkin("[SettingsDialog]");
    FillDeviceList();
    m_record.LoadSettings();
    m_skin.SetText(kTextVersion, "v1.6");
    return TRUE;
}

// Lines that can place data calls on a voice line; each entry carries its device id.
void CSettingsDlg::FillDeviceList()
{
    HWND list = Item(IDC_DEVICE);
    for (DWORD id = 0; id < theLineApp.DeviceCount(); ++id) {
        CTapiDevice device(theLineApp);
        if (!device.Select(id) || !device.CanPlaceDataCalls())
            continue;
        const LRESULT entry = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(device.Name().c_str()));
        if (entry >= 0)
            SendMessageA(list, CB_SETITEMDATA, entry, id);
    }
}

bool CSettingsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return DispatchCommandMap(this, kCommands, message, wParam) ||
           CSkinnedDialog::OnMessage(message, wParam, lParam, result);
}

void CSettingsDlg::OnSkinCommand(WPARAM id)
{
    if (id == kSkinOk)
        OnOK();
    else if (id == kSkinUpdateFromDisk)
        CUpdateDisk::RunFromDisk(Handle());
    else if (id == kSkinUpdateOnline)
        CUpdateDisk::OpenAddress(Handle(), m_record.updateAddress);
    else
        CSkinnedDialog::OnSkinCommand(id);
}

bool CSettingsDlg::AccountNumberGiven()
{
    TakeFields(m_record);
    if (!m_record.userName.empty() && IsFieldText(m_record.userName))
        return true;
    CMessageDlg::Tell(Handle(), m_record.userName.empty() ? kAccountMissing : kAccountRefused);
    SetFocus(Item(IDC_USERNAME));
    return false;
}

void CSettingsDlg::OnOK()
{
    if (!AccountNumberGiven())
        return;
    m_record.SaveSettings();
    EndDialog(IDOK);
    InvalidateRect(m_mainWindow, nullptr, TRUE);
}

void CSettingsDlg::OnCancel()
{
    if (!AccountNumberGiven())
        return;
    m_record.LoadSettings();
    EndDialog(IDCANCEL);
}

COLORREF CSettingsDlg::StatusColour(int statusClass) const
{
    const CColorPickCtrl* swatches[] = {&m_partFulfilled, &m_outOfStock, &m_unavailable};
    return statusClass >= 1 && statusClass <= 3 ? swatches[statusClass - 1]->Colour() : RGB(255, 255, 255);
}

void CSettingsDlg::SetConnectionType(int type)
{
    m_record.cnxType = type;
    ApplyConnectionType(type);
}

void CSettingsDlg::ApplyConnectionType(int type)
{
    m_skin.SetText(kTextHostOrNumber, type == 0 ? "Host:" : "Number:");
    m_skin.SetText(kTextPortOrDevice, type == 0 ? "Port:" : "Device:");
    for (int id : kInternetControls)
        ShowControl(Handle(), id, type == 0);
    for (int id : kModemControls)
        ShowControl(Handle(), id, type == 1);
    ShowRasPrefix();
}

void CSettingsDlg::ShowRasPrefix()
{
    const bool show = m_record.cnxType == 0 && m_record.rasConnection;
    ShowControl(Handle(), IDC_RAS_PREFIX_LABEL, show);
    ShowControl(Handle(), IDC_RAS_PREFIX, show);
}

void CSettingsDlg::OnRasDialup()
{
    TakeFields(m_record);
    ShowRasPrefix();
}

void CSettingsDlg::OnAddCutOff()
{
    SYSTEMTIME time = {};
    if (SendDlgItemMessageA(Handle(), IDC_CUTOFF_TIME, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) !=
        GDT_VALID)
        return;
    m_record.AddCutOff(time.wHour * 60 + time.wMinute);
    ShowCutOffs();
}

// Both lists run from the earliest time, so list positions are record positions.
void CSettingsDlg::OnDeleteCutOffs()
{
    HWND list = Item(IDC_CUTOFFS);
    for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0);) {
        if (SendMessageA(list, LB_GETSEL, i, 0) > 0) {
            SendMessageA(list, LB_DELETESTRING, i, 0);
            m_record.cutOffs.Remove(static_cast<size_t>(i));
        } else {
            ++i;
        }
    }
}

void CSettingsDlg::ShowCutOffs()
{
    HWND list = Item(IDC_CUTOFFS);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < m_record.cutOffs.Count(); ++i) {
        const CCutOffList::Entry& entry = m_record.cutOffs.At(i);
        const LRESULT added = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
        if (added >= 0)
            SendMessageA(list, LB_SETITEMDATA, added, entry.minutes);
    }
}

int CSettingsDlg::DeviceCount() const
{
    return static_cast<int>(SendDlgItemMessageA(Handle(), IDC_DEVICE, CB_GETCOUNT, 0, 0));
}

void CSettingsDlg::SelectDevice(int position)
{
    SendDlgItemMessageA(Handle(), IDC_DEVICE, CB_SETCURSEL, position, 0);
}

int CSettingsDlg::SelectedDevice() const
{
    const LRESULT selected = SendDlgItemMessageA(Handle(), IDC_DEVICE, CB_GETCURSEL, 0, 0);
    return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

bool CSettingsDlg::SelectedDeviceId(DWORD& id) const
{
    const int selected = SelectedDevice();
    if (selected < 0)
        return false;
    const LRESULT data = SendDlgItemMessageA(Handle(), IDC_DEVICE, CB_GETITEMDATA, selected, 0);
    if (data == CB_ERR)
        return false;
    id = static_cast<DWORD>(data);
    return true;
}

std::string CSettingsDlg::DeviceText(int position) const
{
    char text[256] = "";
    if (SendDlgItemMessageA(Handle(), IDC_DEVICE, CB_GETLBTEXTLEN, position, 0) < static_cast<LRESULT>(sizeof text))
        SendDlgItemMessageA(Handle(), IDC_DEVICE, CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(text));
    return text;
}

void CSettingsDlg::RegisterHotKey(int keyCode, int modifiers)
{
    UnregisterHotKey(m_mainWindow, kHotKeyId);
    if (!::RegisterHotKey(m_mainWindow, kHotKeyId, static_cast<UINT>(modifiers), static_cast<UINT>(keyCode)))
        CMessageDlg::Tell(Handle(), "Invalid Hotkey");
}

// The record shown and taken is always this dialog's own.
void CSettingsDlg::ShowFields(const CSettingsRecord&)
{
    UpdateData(false);
    m_skin.SetText(kTextLastUpdate, m_record.lastUpdate.c_str());
}

void CSettingsDlg::TakeFields(CSettingsRecord&)
{
    UpdateData(true);
}

void CSettingsDlg::ExchangeData(CDataExchange& exchange)
{
    exchange.Radio(IDC_CNX_INTERNET, 2, m_record.cnxType);
    exchange.Text(IDC_HOST, m_record.host);
    exchange.Number(IDC_PORT, m_record.port);
    exchange.Text(IDC_NUMBER, m_record.number);
    exchange.Check(IDC_RAS, m_record.rasConnection);
    exchange.Check(IDC_SECURE, m_record.secureConnection);
    // Shown only: the installer sets the pinned key, the pharmacist can't.
    if (!exchange.Taking())
        exchange.Text(IDC_PIN, m_record.pin);
    exchange.Text(IDC_RAS_PREFIX, m_record.rasDialPrefix);
    exchange.Text(IDC_USERNAME, m_record.userName);
    exchange.HotKey(IDC_HOTKEY, m_record.hotKey.keyCode, m_record.hotKey.modifiers);
    ExchangeColour(exchange, m_partFulfilled, m_record.partFolfilledColor);
    ExchangeColour(exchange, m_outOfStock, m_record.outOfStockColor);
    ExchangeColour(exchange, m_unavailable, m_record.unavailableColor);
    if (!exchange.Taking())
        ShowCutOffs();
}

int CSettingsDlg::WindowLeft() const
{
    RECT rect = {};
    GetWindowRect(m_mainWindow, &rect);
    return rect.left;
}

int CSettingsDlg::WindowTop() const
{
    RECT rect = {};
    GetWindowRect(m_mainWindow, &rect);
    return rect.top;
}
