#include "order/DatabaseCtrl.h"

#include "base/FlagScope.h"
#include "base/StrFormat.h"
#include "order/GridColumns.h"
#include "order/LargeQuantity.h"
#include "skin/MessageDlg.h"
#include "text/SupportTelephone.h"

namespace {
constexpr DWORD kExtendedStyle = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;  // 0x25
constexpr LONG_PTR kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_ALIGNLEFT;  // 0x80D
constexpr UINT kRowStates = LVIS_SELECTED | LVIS_FOCUSED;
// Queued to the list itself: its selection has settled; a key release for the edit.
constexpr UINT kSelectionSettled = WM_APP + 0x100;
constexpr UINT kEditKeyUp = WM_APP + 0x101;
// Queued too: a notice for the user, shown once the change that caused it is
// done; the question about a large quantity, likewise.
constexpr UINT kNotice = WM_APP + 0x102;
constexpr UINT kAskQuantity = WM_APP + 0x103;

// The notice box shows short lines, unwrapped.
const char kNotSavedNotice[] =
    "The order could not be saved.\r\nIt stays on the screen and is saved\r\nagain at the next change.";
const char kUnreadableNotice[] =
    "The order file can't be read: this\r\ncomputer has no data-file key.\r\nPlease call Quarn on %s.";
const char kNotSavedHeading[] = "Description - NOT SAVED";
} // namespace

CDatabaseCtrl::CDatabaseCtrl(const IDataKeySource* keys) : m_list(keys), m_grid(m_list, *this)
{
    m_list.SetView(this);
}

bool CDatabaseCtrl::Attach(HWND dialog, int id)
{
    if (!Subclass(dialog, id))
        return false;
    m_listProc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(Handle(), GCLP_WNDPROC));
    return true;
}

// Filling and reading the list goes straight to the list's own procedure:
// through the subclass chain every message costs a property look-up in the
// Wine server, which made 200 search hits take a fifth of a second to list.
LRESULT CDatabaseCtrl::ListCall(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!Handle() || !m_listProc)
        return 0;
    return CallWindowProcA(m_listProc, Handle(), message, wParam, lParam);
}

void CDatabaseCtrl::Setup(ListKind kind)
{
    m_kind = kind;
    m_list.Setup(kind);
    m_grid.Configure(kind == ListKind::Order, m_grid.ReadOnly());
    m_setUp = true;
    if (kind == ListKind::Products || !Handle())
        return;
    ListCall(LVM_SETEXTENDEDLISTVIEWSTYLE, kExtendedStyle, kExtendedStyle);
    SetWindowLongPtrA(Handle(), GWL_STYLE, GetWindowLongPtrA(Handle(), GWL_STYLE) | kListStyle);
    m_edit.Create(Handle(), m_grid);
    InsertColumns();
    LayoutColumns();
    RowsReset();
}

void CDatabaseCtrl::SetReadOnly(bool readOnly)
{
    m_grid.Configure(m_grid.HasBlankEntryRow(), readOnly);
}

void CDatabaseCtrl::InsertColumns()
{
    for (int i = 0; i < GridColumnCount(m_kind); ++i) {
        const GridColumnInfo& info = GridColumnAt(i);
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = info.rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.pszText = const_cast<char*>(info.heading);
        column.iSubItem = i;
        ListCall(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void CDatabaseCtrl::LayoutColumns()
{
    if (!Handle() || m_kind == ListKind::Products)
        return;
    RECT client;
    GetClientRect(Handle(), &client);
    const std::vector<int> widths = GridColumnWidths(m_kind, client.right, m_showPrice);
    for (size_t i = 0; i < widths.size(); ++i)
        ListCall(LVM_SETCOLUMNWIDTH, i, MAKELPARAM(widths[i], 0));
}

void CDatabaseCtrl::SetShowPrice(bool show)
{
    m_showPrice = show;
    LayoutColumns();
}

// The rows are drawn once, when every hit is in, not anew for each of them.
void CDatabaseCtrl::Search(const CItemList& source, const char* text, int limit)
{
    ListCall(WM_SETREDRAW, FALSE, 0);
    m_list.Search(source, text, limit);
    ListCall(WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void CDatabaseCtrl::Sort()
{
    if (m_list.Count() == 0)
        return;
    m_grid.HideEdit();
    m_list.Sort();
    m_grid.PlaceEdit();
    m_grid.SelectRow(m_grid.LastRow());
    ScrollIntoView(m_grid.LastRow());
}

void CDatabaseCtrl::SetEditText(const std::string& text)
{
    if (!m_edit.Visible())
        return;
    SetWindowTextA(m_edit.Handle(), text.c_str());
    m_edit.Focus();
}

void CDatabaseCtrl::ReturnToEntryRow(const std::string& text)
{
    m_grid.HideEdit();
    // The first line, then the last: the move always reaches the list as a change.
    m_grid.SelectRow(0);
    m_grid.SelectRow(m_grid.LastRow());
    m_grid.PlaceEdit();
    SetEditText(text);
}

int CDatabaseCtrl::ItemCount() const
{
    return static_cast<int>(ListCall(LVM_GETITEMCOUNT, 0, 0));
}

void CDatabaseCtrl::SetCell(int row, int column, const std::string& text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    ListCall(LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void CDatabaseCtrl::InsertRow(int index)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>("");
    ListCall(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void CDatabaseCtrl::InsertBlankRow()
{
    InsertRow(m_list.Count());
}

// IItemListView: rows follow the records.

void CDatabaseCtrl::RowInserted(int index)
{
    if (!Handle() || m_kind == ListKind::Products)
        return;
    CFlagScope rebuilding(m_rebuilding);
    InsertRow(index);
}

void CDatabaseCtrl::RowDeleted(int index)
{
    if (Handle() && m_kind != ListKind::Products) {
        CFlagScope rebuilding(m_rebuilding);
        ListCall(LVM_DELETEITEM, index, 0);
        const int count = ItemCount();
        if (count > 0 && TopRow() + RowsPerPage() > count)
            ListCall(LVM_ENSUREVISIBLE, count - 1, FALSE);
    }
    m_grid.RowsRemoved();
}

void CDatabaseCtrl::RowChanged(int index)
{
    if (!Handle() || m_kind == ListKind::Products || index < 0 || index >= m_list.Count())
        return;
    const ItemRecord& record = *m_list.At(index);
    for (int column = kColumnNumber; column < GridColumnCount(m_kind); ++column)
        SetCell(index, column, GridCellText(record, column, index));
}

void CDatabaseCtrl::RowsReset()
{
    if (Handle() && m_setUp && m_kind != ListKind::Products) {
        CFlagScope rebuilding(m_rebuilding);
        ListCall(WM_SETREDRAW, FALSE, 0);
        ListCall(LVM_DELETEALLITEMS, 0, 0);
        for (int i = 0; i < m_list.Count(); ++i) {
            InsertRow(i);
            RowChanged(i);
        }
        if (m_grid.HasBlankEntryRow())
            InsertBlankRow();
        ListCall(WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Handle(), nullptr, TRUE);
    }
    m_grid.RowsRemoved();
}

// A failed save is told once and marked until a save succeeds; every change
// of a line tries again.
void CDatabaseCtrl::Saved(bool ok)
{
    if (ok == !m_unsaved)
        return;
    m_unsaved = !ok;
    ShowUnsavedMark(m_unsaved);
    if (m_unsaved)
        Tell(kNotSavedNotice);
}

void CDatabaseCtrl::FileUnreadable()
{
    static const std::string notice = StrFormat(kUnreadableNotice, kSupportTelephone);
    Tell(notice.c_str());
}

void CDatabaseCtrl::ShowUnsavedMark(bool unsaved)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>(unsaved ? kNotSavedHeading : GridColumnAt(kColumnDescription).heading);
    ListCall(LVM_SETCOLUMNA, kColumnDescription, reinterpret_cast<LPARAM>(&column));
}

// Saves happen inside edits and list notifications: a modal box there would
// run messages in the middle of them, so it waits for the queue.
void CDatabaseCtrl::Tell(const char* notice)
{
    if (Handle())
        PostMessageA(Handle(), kNotice, 0, reinterpret_cast<LPARAM>(notice));
}

void CDatabaseCtrl::AskAboutQuantity()
{
    if (Handle())
        PostMessageA(Handle(), kAskQuantity, 0, 0);
}

void CDatabaseCtrl::AskAboutQuantityNow()
{
    if (const ItemRecord* line = m_grid.UnconfirmedLine())
        m_grid.QuantityConfirmed(CMessageDlg::Ask(GetParent(Handle()), LargeQuantityQuestion(*line).c_str()));
}

int CDatabaseCtrl::SelectionMark() const
{
    return static_cast<int>(ListCall(LVM_GETSELECTIONMARK, 0, 0));
}

// IEntryGridWindow

void CDatabaseCtrl::SetRowState(int row)
{
    LVITEMA item = {};
    item.state = kRowStates;
    item.stateMask = kRowStates;
    ListCall(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void CDatabaseCtrl::ScrollIntoView(int row)
{
    if (row >= 0)
        ListCall(LVM_ENSUREVISIBLE, row, FALSE);
}

int CDatabaseCtrl::TopRow() const
{
    return static_cast<int>(ListCall(LVM_GETTOPINDEX, 0, 0));
}

int CDatabaseCtrl::RowsPerPage() const
{
    return static_cast<int>(ListCall(LVM_GETCOUNTPERPAGE, 0, 0));
}

void CDatabaseCtrl::ShowEdit(int row, EntryEditKind kind, const std::string& text)
{
    RECT rect = {};
    if (kind == EntryEditKind::Quantity) {
        rect.top = kColumnQuantity;
        rect.left = LVIR_BOUNDS;
        ListCall(LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    } else {
        rect.left = LVIR_BOUNDS;
        ListCall(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    }
    m_edit.Show(rect, kind, text, reinterpret_cast<HFONT>(ListCall(WM_GETFONT, 0, 0)));
    m_edit.Focus();
    // The row under the edit is the current row: its colour changes.
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CDatabaseCtrl::HideEdit()
{
    m_edit.Hide();
    SetFocus(Handle());
}

// Messages

bool CDatabaseCtrl::OnParentNotify(LPARAM lParam, LRESULT& result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!Handle() || header->hwndFrom != Handle())
        return false;
    if (header->code == NM_CUSTOMDRAW) {
        result = OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return true;
    }
    if (header->code == LVN_DELETEALLITEMS) {
        // No LVN_DELETEITEM for each row: the rows hold nothing to free, and a
        // reply that delivers 1,000 lines would otherwise bring 1,000 notices.
        result = TRUE;
        return true;
    }
    if (header->code == LVN_ITEMCHANGED) {
        OnItemChanged(*reinterpret_cast<NMLISTVIEW*>(lParam));
        result = 0;
        return true;
    }
    return false;
}

LRESULT CDatabaseCtrl::OnCustomDraw(NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        draw.clrText = RGB(0, 0, 0);
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int row = static_cast<int>(draw.nmcd.dwItemSpec);
        const int statusClass = row < m_list.Count() ? m_list.At(row)->statusClass : 0;
        const CellColours colours = RowCellColours(RowBackground(statusClass, m_colours), row == m_grid.CurrentRow());
        draw.clrTextBk = colours.background;
        draw.clrText = colours.text;
        // The current row shows only by its colour, never by the list's highlight.
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

// A change of selection is acted on once the list has finished moving it:
// taking the quantity may remove a line, and the list must not lose rows
// while it is still busy with them.
void CDatabaseCtrl::OnItemChanged(const NMLISTVIEW& change)
{
    const UINT changed = change.uNewState ^ change.uOldState;
    if (m_rebuilding || !(change.uChanged & LVIF_STATE) || !(changed & kRowStates) ||
        !(change.uNewState & kRowStates) || change.iItem < 0 || m_selectionPending)
        return;
    m_selectionPending = PostMessageA(Handle(), kSelectionSettled, 0, 0) != FALSE;
}

void CDatabaseCtrl::OnSelectionSettled()
{
    m_selectionPending = false;
    const int row = static_cast<int>(ListCall(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (row >= 0)
        m_grid.OnSelectionChange(row);
}

bool CDatabaseCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case kSelectionSettled:
        OnSelectionSettled();
        result = 0;
        return true;
    case kEditKeyUp:
        PostMessageA(m_edit.Handle(), WM_KEYUP, wParam, lParam);
        result = 0;
        return true;
    case kNotice:
        CMessageDlg::Tell(GetParent(Handle()), reinterpret_cast<const char*>(lParam));
        result = 0;
        return true;
    case kAskQuantity:
        AskAboutQuantityNow();
        result = 0;
        return true;
    case WM_KEYUP:
        if (!OnKeyUp(wParam, lParam))
            return false;
        result = 0;
        return true;
    case WM_VSCROLL:
        OnVScroll(wParam, lParam, result);
        return true;
    case WM_MOUSEWHEEL:
        m_grid.HideEdit();
        result = Default(message, wParam, lParam);
        m_grid.KeepCurrentOnPage();
        return true;
    case WM_SETFOCUS:
        result = Default(message, wParam, lParam);
        if (m_edit.Visible())
            m_edit.Focus();
        return true;
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) != m_edit.Handle())
            return false;
        result = reinterpret_cast<LRESULT>(m_edit.Colour(reinterpret_cast<HDC>(wParam)));
        return true;
    default:
        return false;
    }
}

// Space anywhere starts a new product on the entry row; every other key
// release takes the quantity typed and goes on to the dialog, whose skin
// turns function keys into commands. True when the key went no further.
bool CDatabaseCtrl::OnKeyUp(WPARAM key, LPARAM flags)
{
    if (key == VK_SPACE && m_grid.MoveToLastRow()) {
        // The edit may be made anew for the entry row: the key goes to it once it is there.
        PostMessageA(Handle(), kEditKeyUp, key, flags);
        return true;
    }
    if (m_edit.Visible())
        m_grid.CommitKeyRelease();
    SendMessageA(GetParent(Handle()), WM_KEYUP, key, flags);
    return false;
}

void CDatabaseCtrl::OnVScroll(WPARAM code, LPARAM bar, LRESULT& result)
{
    m_grid.HideEdit();
    if (LOWORD(code) == SB_ENDSCROLL)
        m_grid.KeepCurrentOnPage();
    result = Default(WM_VSCROLL, code, bar);
}
