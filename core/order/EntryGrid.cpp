#include "order/EntryGrid.h"

#include "base/FlagScope.h"
#include "base/StrFormat.h"
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
    if (m_edited)
        m_window.ShowEdit(m_current, EntryEditKind::Quantity, StrFormat("%d", m_edited->quantity));
    else
        m_window.ShowEdit(m_current, EntryEditKind::SearchText, std::string());
}

std::string CEntryGrid::Commit(bool removeZeroLine)
{
    if (!m_window.EditVisible())
        return std::string();
    std::string text = m_window.EditText();
    const int index = m_edited ? m_list.IndexOf(m_edited) : -1;
    if (index < 0 || m_readOnly)
        return text;
    CFlagScope busy(m_busy);
    m_edited->quantity = DecimalValue(text.c_str());
    if (removeZeroLine || m_edited->quantity != 0 || m_list.Kind() != ListKind::Order) {
        m_list.UpdateRow(index);
        return text;
    }
    m_window.RefreshRow(index);
    m_list.Save();
    return text;
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
}
