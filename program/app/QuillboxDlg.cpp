#include "app/QuillboxDlg.h"

#include <cstdlib>
#include <ctime>

#include "app/AboutDlg.h"
#include "app/WindowsVersion.h"
#include "base/FlagScope.h"
#include "comm/PlaceOrderDlg.h"
#include "framework/AppMessages.h"
#include "framework/DataExchange.h"
#include "framework/ResourceString.h"
#include "history/HistoryDlg.h"
#include "order/ClockTexts.h"
#include "order/LargeQuantity.h"
#include "order/OrderListImport.h"
#include "order/ScanEntry.h"
#include "order/SearchDlg.h"
#include "print/PrintJob.h"
#include "res/resource.h"
#include "settings/DataFileKey.h"
#include "skin/MessageDlg.h"
#include "tapi/TapiLineApp.h"

namespace {
constexpr WPARAM kQuitWithoutAsking = 10;
constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kFirstTickTimer = 3;
constexpr char kProductFile[] = "Database.dat";
constexpr char kOrderFile[] = "Current.dat";
constexpr char kAskClear[] = "Do you want to CLEAR this order?";
constexpr char kAskQuitUnsaved[] = "The order could not be saved.\r\nQuit anyway and lose\r\nthe changes?";

enum SkinId : WPARAM {
    kSkinQuit = 1,
    kSkinMinimise = 2,
    kSkinAbout = 3,
    kSkinSettings = 10,
    kSkinSearch = 11,
    kSkinHistory = 12,
    kSkinSpecials = 13,
    kSkinSend = 14,
    kSkinPrint = 15,
    kSkinSort = 16,
    kSkinClear = 17,
    kTextCutOff = 101,
    kTextDate = 102,
    kTextTime = 103,
    kTextDatabaseWarning = 104,
};

// FILETIME counts 100 ns steps from 1601; time_t seconds from 1970.
std::time_t TimeFromFileTime(const FILETIME& file)
{
    constexpr unsigned long long kStepsTo1970 = 116444736000000000ULL;
    constexpr unsigned long long kStepsPerSecond = 10000000ULL;
    const unsigned long long steps = (static_cast<unsigned long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return steps < kStepsTo1970 ? 0 : static_cast<std::time_t>((steps - kStepsTo1970) / kStepsPerSecond);
}
} // namespace

CQuillboxDlg theMainWindow;

const MessageEntry<CQuillboxDlg> CQuillboxDlg::kMessages[] = {
    {WM_QUIT_REQUEST, &CQuillboxDlg::OnQuitRequest},
    {WM_HOTKEY, &CQuillboxDlg::OnHotKey},
    {WM_SYSCOMMAND, &CQuillboxDlg::OnSysCommand},
    {WM_HELP, &CQuillboxDlg::OnHelp},
    {WM_QUERYDRAGICON, &CQuillboxDlg::OnQueryDragIcon},
    {WM_DROPFILES, &CQuillboxDlg::OnDropFiles},
};

const CommandEntry<CQuillboxDlg> CQuillboxDlg::kCommands[] = {
    {IDC_CMD_SETTINGS, &CQuillboxDlg::OnSettings}, {IDC_CMD_SEARCH, &CQuillboxDlg::OnSearch},
    {IDC_CMD_HISTORY, &CQuillboxDlg::OnHistory},   {IDC_CMD_SPECIALS, &CQuillboxDlg::OnNothing},
    {IDC_CMD_SEND, &CQuillboxDlg::OnSend},         {IDC_CMD_PRINT, &CQuillboxDlg::OnPrint},
    {IDC_CMD_CLEAR, &CQuillboxDlg::OnClear},       {IDC_CMD_SORT, &CQuillboxDlg::OnSort},
};

const CommandEntry<CQuillboxDlg> CQuillboxDlg::kSkinCommands[] = {
    {kSkinQuit, &CQuillboxDlg::OnQuit},         {kSkinMinimise, &CQuillboxDlg::OnMinimise},
    {kSkinAbout, &CQuillboxDlg::ShowAbout},     {kSkinSettings, &CQuillboxDlg::OnSettings},
    {kSkinSearch, &CQuillboxDlg::OnSearch},     {kSkinHistory, &CQuillboxDlg::OnHistory},
    {kSkinSpecials, &CQuillboxDlg::OnNothing},  {kSkinSend, &CQuillboxDlg::OnSendWithNotes},
    {kSkinPrint, &CQuillboxDlg::OnPrint},     {kSkinSort, &CQuillboxDlg::OnSort},
    {kSkinClear, &CQuillboxDlg::OnClear},
};

CQuillboxDlg::CQuillboxDlg() : CSkinnedDialog(IDD_QUILLBOX), m_products(&theDataFileKey), m_order(&theDataFileKey) {}

BOOL CQuillboxDlg::OnInitDialog()
{
    m_startTime = std::time(nullptr);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    m_icon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    LoadProducts();
    AttachSkin("[QuillboxDialog]");
    theLineApp.Initialize(instance);
    m_settings.Create(Handle());
    Settings().LoadSettings();
    m_systemTags += "*Win" + OsVersionName();
    CreateFooter();
    AddAboutToSystemMenu();
    m_version = static_cast<float>(std::atof("1.6"));
    ShowDatabaseAge();
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    SetTimer(Handle(), kClockTimer, 1000, nullptr);
    UpdateData(false);
    LoadOrder();
    DragAcceptFiles(Handle(), TRUE);
    if (m_notes.empty()) {
        m_notes = kNotesPlaceholder;
        UpdateData(false);
    }
    MoveToStartPosition();
    SetTimer(Handle(), kFirstTickTimer, 100, nullptr);
    // Without an account number nothing can be ordered: the settings open at
    // once, in front of the window that has just come to the top.
    if (Settings().userName.empty())
        OnSettings();
    return TRUE;
}

void CQuillboxDlg::LoadProducts()
{
    m_products.Setup(ListKind::Products);
    m_products.Load(kProductFile);
}

// Without the news the grid keeps its height and the order says "*NF".
void CQuillboxDlg::CreateFooter()
{
    if (!m_footer.Create(Handle(), Item(IDC_ORDER_GRID)))
        m_systemTags += "*NF";
}

// An old product database (or none) asks for an update, when the skin has the place for it.
void CQuillboxDlg::ShowDatabaseAge()
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA("database.dat", &found);
    m_databaseTime = 0;
    if (find != INVALID_HANDLE_VALUE) {
        m_databaseTime = TimeFromFileTime(found.ftLastWriteTime);
        FindClose(find);
    }
    if (!m_skin.HasItem(kTextDatabaseWarning))
        return;
    // localtime's result is shared: each date is copied before the next call.
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    const std::tm nowLocal = local ? *local : std::tm{};
    local = std::localtime(&m_databaseTime);
    const std::tm fileLocal = local ? *local : std::tm{};
    if (DatabaseNeedsUpdate(local ? &fileLocal : nullptr, nowLocal))
        m_skin.SetText(kTextDatabaseWarning, kDatabaseUpdateWarning);
}

void CQuillboxDlg::LoadOrder()
{
    m_order.Attach(Handle(), IDC_ORDER_GRID);
    m_order.SetStatusColours(this);
    m_order.Setup(ListKind::Order);
    m_order.List().Load(kOrderFile);
    m_order.Grid().SelectRow(m_order.Grid().LastRow());
}

void CQuillboxDlg::ExchangeData(CDataExchange& exchange)
{
    exchange.Text(IDC_NOTES, m_notes);
}

uint32_t CQuillboxDlg::StatusColour(int statusClass) const
{
    return m_settings.StatusColour(statusClass);
}

bool CQuillboxDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_PAINT && IsIconic(Handle())) {
        PaintIcon();
        return true;
    }
    // Timer messages go on to the default handling as well, and so does WM_ENABLE.
    if (message == WM_TIMER)
        OnTimer(wParam);
    if (message == WM_ENABLE && wParam)
        RunPendingQuit();
    if (message == WM_NOTIFY && m_order.OnParentNotify(lParam, result))
        return true;
    return DispatchMessageMap(this, kMessages, message, wParam, lParam, result) ||
           DispatchCommandMap(this, kCommands, message, wParam) ||
           CSkinnedDialog::OnMessage(message, wParam, lParam, result);
}

// Centred on the desktop, then minimised and shown again so it opens in front.
void CQuillboxDlg::MoveToStartPosition()
{
    RECT desktop;
    RECT window;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(Handle(), &window);
    const int x = (desktop.right - window.right) / 2;
    const int y = (desktop.bottom - window.bottom) / 2;
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(Handle(), SW_MINIMIZE);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    BringWindowToTop(Handle());
}

void CQuillboxDlg::AddAboutToSystemMenu()
{
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    const std::string about = LoadResourceString(IDS_ABOUTBOX);
    if (!menu || about.empty())
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
}

void CQuillboxDlg::OnSkinCommand(WPARAM id)
{
    for (const CommandEntry<CQuillboxDlg>& entry : kSkinCommands) {
        if (entry.id == id) {
            (this->*entry.handler)();
            return;
        }
    }
}

void CQuillboxDlg::OnMinimise()
{
    ShowWindow(Handle(), SW_MINIMIZE);
}

// Enter: the next line, or on the entry row a scanned code, else the search.
// A code scanned into a line's quantity is taken as if scanned on the entry row.
void CQuillboxDlg::OnOK()
{
    CEntryGrid& grid = m_order.Grid();
    const std::string scanned = grid.TakeScan(static_cast<uint32_t>(GetMessageTime()));
    if (!scanned.empty())
        m_order.ReturnToEntryRow(scanned);
    if (grid.CurrentRow() != grid.LastRow())
        grid.SelectRow(grid.CurrentRow() + 1);
    else if (!TakeScannedCode(Handle(), m_order, m_products, this))
        OnSearch();
}

// The words typed on the entry row find products; the hits given a quantity
// join the order, raising the quantity of a line of the same item.
void CQuillboxDlg::OnSearch()
{
    CEntryGrid& grid = m_order.Grid();
    if (grid.CurrentRow() != grid.LastRow())
        return;
    const std::string seed = m_order.EditText();
    {
        CSearchDlg search(m_products, seed, this, m_order.ShowPrice());
        if (search.DoModal(Handle()) == IDOK)
            search.AddOrderedTo(m_order.List());
    }
    // The words stay on the entry row, selected, to be refined or typed over.
    m_order.ReturnToEntryRow(seed);
}

void CQuillboxDlg::Send(bool takeNotes)
{
    if (takeNotes)
        UpdateData(true);
    if (!CMessageDlg::Ask(Handle(), SendQuestion(m_order.List()).c_str()))
        return;
    EnableWindow(Handle(), FALSE);
    RunPlaceOrder();
    EnableWindow(Handle(), TRUE);
    // The dialogs that closed handed the activation to no one while this
    // window was disabled: it takes it back, so the keys reach it again.
    SetActiveWindow(Handle());
}

void CQuillboxDlg::RunPlaceOrder()
{
    CPlaceOrderDlg placeOrder(*this);
    placeOrder.DoModal(Handle());
}

OrderMessageInputs CQuillboxDlg::OrderInputs()
{
    OrderMessageInputs inputs;
    inputs.version = m_version;
    inputs.databaseTime = m_databaseTime;
    inputs.startTime = m_startTime;
    inputs.systemTags = m_systemTags;
    inputs.cnxType = Settings().cnxType;
    inputs.rasConnection = Settings().rasConnection;
    inputs.account = Settings().userName;
    inputs.notes = m_notes;
    inputs.order = &m_order.List();
    return inputs;
}

// The order in progress on paper, with the notes as the box holds them now.
// The notes are read, not taken: printing changes nothing of the order.
void CQuillboxDlg::OnPrint()
{
    PrintDocument document;
    document.title = "Order in progress";
    document.account = Settings().userName;
    document.when = PrintTimeNow();
    document.lines = &m_order.List();
    CDataExchange(Handle(), true).Text(IDC_NOTES, document.notes);
    if (document.notes == kNotesPlaceholder)
        document.notes.clear();
    m_order.Grid().HideEdit();
    CPrintJob(Handle(), document).Run();
    m_order.Grid().PlaceEdit();
}

// The orders answered so far, by date.
void CQuillboxDlg::OnHistory()
{
    CHistoryDlg history(&theDataFileKey, this, Settings().userName);
    history.DoModal(Handle());
}

void CQuillboxDlg::OnClear()
{
    if (!CMessageDlg::Ask(Handle(), kAskClear))
        return;
    CEntryGrid& grid = m_order.Grid();
    grid.HideEdit();
    m_order.List().Clear();
    m_order.List().Save();
    grid.PlaceEdit();
}

void CQuillboxDlg::OnSort()
{
    m_order.Sort();
}

void CQuillboxDlg::OnSettings()
{
    ShowWindow(m_settings.Handle(), SW_SHOWNORMAL);
}

// The setup and update programs ask to quit whatever the window is doing.
// While a dialog or box of this window runs (it is disabled then; the sending
// above all) the request waits for it to end: quitting under it let the
// dialog go on with an order that was being emptied. A request while the
// quit's own questions are up is that same quit.
LRESULT CQuillboxDlg::OnQuitRequest(WPARAM how, LPARAM)
{
    const bool ask = how != kQuitWithoutAsking;
    if (m_quitting)
        return 0;
    if (IsWindowEnabled(Handle()))
        Quit(ask);
    else
        m_pendingQuit = ask && m_pendingQuit.value_or(true);
    return 0;
}

// Posted, so the command that ran the dialog finishes before the quit.
void CQuillboxDlg::RunPendingQuit()
{
    if (!m_pendingQuit)
        return;
    PostMessageA(Handle(), WM_QUIT_REQUEST, *m_pendingQuit ? 0 : kQuitWithoutAsking, 0);
    m_pendingQuit.reset();
}

void CQuillboxDlg::OnCancel()
{
    if (Settings().allowEscClose)
        Quit(true);
}

// The lists are left as they are: "Current.dat" holds the order as the grid
// last saved it, and the lines go with the window at the end of the program.
void CQuillboxDlg::Quit(bool ask)
{
    CFlagScope quitting(m_quitting);
    if (ask && !CMessageDlg::Ask(Handle(), "Are you sure you want to quit?"))
        return;
    if (!OrderKept())
        return;
    Settings().SaveSettings();
    EndDialog(IDCANCEL);
}

bool CQuillboxDlg::OrderKept()
{
    CItemList& order = m_order.List();
    if (!order.Unsaved() || order.Save())
        return true;
    return CMessageDlg::Ask(Handle(), kAskQuitUnsaved);
}

LRESULT CQuillboxDlg::OnHotKey(WPARAM, LPARAM)
{
    HWND hwnd = Handle();
    const bool inFront = !IsIconic(hwnd) && GetForegroundWindow() == hwnd;
    ShowWindow(hwnd, SW_MINIMIZE);
    if (inFront)
        return 0;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    BringWindowToTop(hwnd);
    return 0;
}

LRESULT CQuillboxDlg::OnSysCommand(WPARAM command, LPARAM lParam)
{
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        ShowAbout();
        return 0;
    }
    if ((command & 0xFFF0) == SC_HOTKEY)
        return 0;
    return DefWindowProcA(Handle(), WM_SYSCOMMAND, command, lParam);
}

void CQuillboxDlg::ShowAbout()
{
    CAboutDlg about;
    about.DoModal(Handle());
}

void CQuillboxDlg::OnTimer(WPARAM timer)
{
    if (timer == kClockTimer) {
        ShowClock();
    } else if (timer == kFirstTickTimer) {
        // The clock shows at once rather than a second after start-up.
        PostMessageA(Handle(), WM_TIMER, kClockTimer, 0);
        KillTimer(Handle(), kFirstTickTimer);
    }
}

// The texts are rewritten only when they change.
void CQuillboxDlg::ShowClock()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local)
        return;
    if (local->tm_min != m_shownMinute) {
        m_shownMinute = local->tm_min;
        m_skin.SetText(kTextDate, DateText(*local).c_str());
        m_skin.SetText(kTextTime, TimeText(*local).c_str());
    }
    const int next = Settings().NextCutOff(local->tm_hour * 60 + local->tm_min);
    if (next == m_shownCutOff)
        return;
    m_shownCutOff = next;
    if (!m_skin.HasItem(kTextCutOff))
        return;
    // The first cut-off of the day is the first one after minute -1: asked
    // after minute 0, a cut-off at 00:00 would be missed and "Tomorrow" would
    // show no time at all.
    const CutOffDisplay display = CutOffText(next, Settings().NextCutOff(-1));
    m_skin.SetColour(kTextCutOff, GetRValue(display.colour), GetGValue(display.colour), GetBValue(display.colour));
    m_skin.SetText(kTextCutOff, display.text.c_str());
}

void CQuillboxDlg::PaintIcon()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Handle(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_icon);
    EndPaint(Handle(), &paint);
}

LRESULT CQuillboxDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_icon);
}

// Ctrl+O, wherever the focus is in this window.
bool CQuillboxDlg::OnShortcutKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || msg.wParam != 'O' || GetKeyState(VK_CONTROL) >= 0)
        return false;
    OnOpenList();
    return true;
}

// A re-order list from the stock system joins the order.
void CQuillboxDlg::OnOpenList()
{
    std::string path;
    if (ChooseOrderList(Handle(), path))
        TakeOrderList(Handle(), m_order, m_products, path);
}

// Re-order lists dropped on the window, each taken in turn.
LRESULT CQuillboxDlg::OnDropFiles(WPARAM drop, LPARAM)
{
    for (const std::string& path : DroppedFiles(reinterpret_cast<HDROP>(drop)))
        TakeOrderList(Handle(), m_order, m_products, path);
    return 0;
}
