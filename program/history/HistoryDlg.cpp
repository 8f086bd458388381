#include "history/HistoryDlg.h"

#include <ctime>

#include "history/HistoryTexts.h"
#include "print/PrintJob.h"
#include "res/resource.h"

namespace {
constexpr uint32_t kSummaryText = 100;
constexpr char kSelectOrder[] = "Select Order";
constexpr char kHistoryListing[] = "history";
// The skin's window colour, for the dialog's own colour requests.
constexpr COLORREF kDialogColour = RGB(0xF3, 0xF5, 0xF8);
} // namespace

CHistoryDlg::CHistoryDlg(const IDataKeySource* keys, const IStatusColours* colours, const std::string& account)
    : CSkinnedDialog(IDD_HISTORY), m_orders(keys), m_account(account)
{
    m_orders.SetStatusColours(colours);
}

CHistoryDlg::~CHistoryDlg()
{
    if (m_brush)
        DeleteObject(m_brush);
}

BOOL CHistoryDlg::OnInitDialog()
{
    SetWindowTextA(Handle(), "Quillbox History");
    m_brush = CreateSolidBrush(kDialogColour);
    AttachSkin("[HistoryDialog]");
    m_orders.Attach(Handle(), IDC_HISTORY_LIST);
    m_orders.Setup(ListKind::HistoryView);
    m_orders.SetReadOnly(true);
    m_orders.HideEdit();
    m_tree = Item(IDC_HISTORY_TREE);
    LoadTree();
    SetFocus(m_tree);
    return FALSE;
}

// The tree is not subclassed: its messages go straight to it.
LRESULT CHistoryDlg::TreeCall(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageA(m_tree, message, wParam, lParam);
}

void CHistoryDlg::LoadTree()
{
    // The index, when there is one, says what the tree holds and where it opens: nowhere.
    const bool fromIndex = m_history.Load(kHistoryListing);
    if (!fromIndex) {
        const std::time_t now = std::time(nullptr);
        const std::tm* today = std::localtime(&now);
        if (today)
            m_opening = m_history.OpeningFor(today->tm_year + 1900, today->tm_mon + 1, today->tm_mday);
    }
    // Thousands of nodes are drawn once, when all are in.
    TreeCall(WM_SETREDRAW, FALSE, 0);
    InsertChildren(m_history.Root(), TVI_ROOT);
    TreeCall(WM_SETREDRAW, TRUE, 0);
    OpenOnToday();
}

// Each item carries its node, from which a selection finds the order's file.
void CHistoryDlg::InsertChildren(const CHistoryNode& node, HTREEITEM item)
{
    for (const auto& child : node.children) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = item;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(child->text.c_str());
        insert.item.lParam = reinterpret_cast<LPARAM>(child.get());
        auto made = reinterpret_cast<HTREEITEM>(TreeCall(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        if (!made)
            continue;
        if (child.get() == m_opening.expanded)
            m_expandedItem = made;
        if (child.get() == m_opening.selected)
            m_selectedItem = made;
        InsertChildren(*child, made);
    }
}

// Today's node or the latest before it, expanded, with its last child selected:
// on a day with orders that shows the latest of them.
void CHistoryDlg::OpenOnToday()
{
    if (!m_expandedItem)
        return;
    TreeCall(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(m_expandedItem));
    TreeCall(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(m_expandedItem));
    if (m_selectedItem)
        TreeCall(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(m_selectedItem));
}

// An order shows its lines, coloured by their outcome; any other node asks
// for an order. A file that can't be read leaves the list empty, and the
// summary still comes from the name.
void CHistoryDlg::ShowNode(const CHistoryNode* node)
{
    CItemList& lines = m_orders.List();
    lines.Clear();
    m_shown = node && node->IsOrder() ? node : nullptr;
    if (!m_shown) {
        m_skin.SetText(kSummaryText, kSelectOrder);
        return;
    }
    lines.Load(CHistoryTree::OrderPath(*node).c_str());
    for (int i = 0; i < lines.Count(); ++i)
        lines.At(i)->statusClass = HistoryLineClass(lines.At(i)->statusText);
    InvalidateRect(m_orders.Handle(), nullptr, TRUE);
    m_skin.SetText(kSummaryText, OrderSummary(CHistoryTree::OrderName(*node)).c_str());
}

bool CHistoryDlg::OnTreeNotify(LPARAM lParam)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != m_tree || (header->code != TVN_SELCHANGEDA && header->code != TVN_SELCHANGEDW))
        return false;
    // The new item's data sits at the same place in the ANSI and wide forms.
    const auto* change = reinterpret_cast<const NMTREEVIEWA*>(lParam);
    ShowNode(reinterpret_cast<const CHistoryNode*>(change->itemNew.lParam));
    return true;
}

bool CHistoryDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_NOTIFY:
        if (m_orders.OnParentNotify(lParam, result))
            return true;
        if (!OnTreeNotify(lParam))
            break;
        result = 0;
        return true;
    case WM_CTLCOLORDLG:
        result = reinterpret_cast<LRESULT>(m_brush);
        return true;
    default:
        break;
    }
    return CSkinnedDialog::OnMessage(message, wParam, lParam, result);
}

// The tree is not subclassed: its key releases reach the skin, which turns
// F12 into Print, from here; the tree still gets them.
bool CHistoryDlg::OnShortcutKey(const MSG& msg)
{
    if (msg.message == WM_KEYUP && msg.hwnd == m_tree)
        SendMessageA(Handle(), WM_KEYUP, msg.wParam, msg.lParam);
    return false;
}

// The order shown, as it was answered: its number and the time it was placed
// come from its file's name. With no order shown there is nothing to print.
void CHistoryDlg::OnPrint()
{
    if (!m_shown)
        return;
    const HistoryName name = CHistoryTree::OrderName(*m_shown);
    std::tm placed = {};
    placed.tm_year = name.year - 1900;
    placed.tm_mon = name.month - 1;
    placed.tm_mday = name.day;
    placed.tm_hour = name.hour;
    placed.tm_min = name.minute;
    PrintDocument document;
    document.title = "Response to Order " + name.orderNumber;
    document.account = m_account;
    document.when = PrintDateTime(placed);
    document.orderNumber = name.orderNumber;
    document.answered = true;
    document.lines = &m_orders.List();
    CPrintJob(Handle(), document).Run();
}
