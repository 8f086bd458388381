#include "order/EntryGrid.h"

#include "base/FlagScope.h"
#include "base/StrFormat.h"
#include "order/LargeQuantity.h"
#include "order/RowNavigation.h"
#include "text/NumberScan.h"

void CEntryGrid::Configure(bool blankEntryRow, bool readOnly)
{
    m_blankRow = blankEntryRow;
    m_readOnly = readOnly;
}

void CEntryGrid::SelectRow(int row)
{
    m_current = row;
    m_window.SetRowState(row);
}

void CEntryGrid::PlaceEdit()
{
    if (m_current >= RowCount())
        m_current = LastRow();
    m_window.ScrollIntoView(m_current);
    if (m_readOnly) {
        m_window.HideEdit();
        m_editRow = -1;
        return;
    }
    if (m_current < 0)
        return;
    m_editRow = m_current;
    m_edited = m_current < m_list.Count() ? m_list.At(m_current) : nullptr;
    m_keys.Clear();
    m_before = m_edited ? m_edited->quantity : 0;
    if (m_edited)
        m_window.ShowEdit(m_current, EntryEditKind::Quantity, StrFormat("%d", m_edited->quantity));
    else
        m_window.ShowEdit(m_current, EntryEditKind::SearchText, std::string());
}

std::string CEntryGrid::Commit(bool leaving)
{
    if (!m_window.EditVisible())
        return std::string();
    std::string text = m_window.EditText();
    const int index = m_edited ? m_list.IndexOf(m_edited) : -1;
    if (index < 0 || m_readOnly)
        return text;
    // What may be a scanner's code is no quantity yet: the line keeps the one
    // it had, and is not saved again for every key of the code. Leaving the
    // line takes whatever the cell shows.
    const bool scanned = !leaving && m_keys.Scanning();
    if (scanned && m_edited->quantity == m_before)
        return text;
    CFlagScope busy(m_busy);
    m_edited->quantity = scanned ? m_before : DecimalValue(text.c_str());
    if (leaving)
        AskIfLarge();
    if (leaving || m_edited->quantity != 0 || m_list.Kind() != ListKind::Order) {
        m_list.UpdateRow(index);
        return text;
    }
    m_window.RefreshRow(index);
    m_list.Save();
    return text;
}

// Once per value typed: a line left again at the quantity it came with is
// not asked about again.
void CEntryGrid::AskIfLarge()
{
    if (!m_blankRow || !IsLargeQuantity(m_edited->quantity) || m_edited->quantity == m_before)
        return;
    m_unconfirmed = m_edited;
    m_unconfirmedBefore = m_before;
    m_before = m_edited->quantity;
    m_window.AskAboutQuantity();
}

void CEntryGrid::QuantityConfirmed(bool yes)
{
    ItemRecord* line = m_unconfirmed;
    m_unconfirmed = nullptr;
    const int index = line ? m_list.IndexOf(line) : -1;
    if (yes || index < 0)
        return;
    {
        CFlagScope busy(m_busy);
        line->quantity = m_unconfirmedBefore;
        m_list.UpdateRow(index);
    }
    // The edit still over the line shows the quantity it has again.
    if (line == m_edited && m_window.EditVisible())
        PlaceEdit();
}

void CEntryGrid::KeyTyped(char c, uint32_t time)
{
    if (m_edited)
        m_keys.Typed(c, time);
}

std::string CEntryGrid::TakeScan(uint32_t enterTime)
{
    const int index = m_edited ? m_list.IndexOf(m_edited) : -1;
    if (index < 0 || m_readOnly || !m_window.EditVisible() || !m_keys.ScanEndsAt(enterTime))
        return std::string();
    std::string code = m_keys.Text();
    if (m_edited->quantity != m_before) {
        CFlagScope busy(m_busy);
        m_edited->quantity = m_before;
        m_list.UpdateRow(index);
    }
    // The edit shows the line's quantity again, not the code's first digits.
    PlaceEdit();
    return code;
}

void CEntryGrid::HideEdit()
{
    if (!m_window.EditVisible())
        return;
    CommitEdit();
    m_window.HideEdit();
    m_editRow = -1;
}

void CEntryGrid::OnSelectionChange(int row)
{
    if (m_busy || (row == m_editRow && m_window.EditVisible()))
        return;
    CFlagScope busy(m_busy);
    const int linesBefore = m_list.Count();
    const int editedIndex = m_edited ? m_list.IndexOf(m_edited) : -1;
    CommitEdit();
    // A line left at quantity 0 went; the rows below it moved up by one.
    if (m_list.Count() < linesBefore && editedIndex >= 0 && editedIndex < row)
        --row;
    m_current = row;
    PlaceEdit();
    m_window.SetRowState(m_current);
}

bool CEntryGrid::MoveToLastRow()
{
    if (m_current == LastRow())
        return false;
    SelectRow(LastRow());
    return true;
}

void CEntryGrid::CommitKeyRelease()
{
    Commit(false);
}

void CEntryGrid::KeepCurrentOnPage()
{
    if (RowCount() == 0)
        return;
    m_current = KeepRowOnPage(m_current, m_window.TopRow(), m_window.RowsPerPage());
    m_window.SetRowState(m_current);
    PlaceEdit();
}

void CEntryGrid::RowsRemoved()
{
    if (m_edited && m_list.IndexOf(m_edited) < 0) {
        m_edited = nullptr;
        m_editRow = -1;
    }
    if (m_unconfirmed && m_list.IndexOf(m_unconfirmed) < 0)
        m_unconfirmed = nullptr;
}
