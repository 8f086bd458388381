#pragma once
#include <string>

#include "data/ItemList.h"
#include "order/ScannerKeys.h"

// What the in-place edit shows: a line's quantity (digits only, right-aligned,
// 5 characters) or, on the blank entry row, search text (256 characters).
enum class EntryEditKind { Quantity, SearchText };

// The list window an entry grid runs in.
class IEntryGridWindow {
public:
    virtual ~IEntryGridWindow() = default;
    // Gives the row the selected and focused states; the list reports the
    // change back through CEntryGrid::OnSelectionChange.
    virtual void SetRowState(int row) = 0;
    virtual void ScrollIntoView(int row) = 0;
    virtual int TopRow() const = 0;
    virtual int RowsPerPage() const = 0;
    virtual bool EditVisible() const = 0;
    virtual std::string EditText() const = 0;
    // Shows the edit over the row with the text, and gives it the focus with
    // all of the text selected.
    virtual void ShowEdit(int row, EntryEditKind kind, const std::string& text) = 0;
    // Hides the edit and gives the focus to the list.
    virtual void HideEdit() = 0;
    // A row's record changed behind the list's back.
    virtual void RefreshRow(int row) = 0;
    // A line was left with a large quantity: once the change is through, ask
    // the user about UnconfirmedLine and answer with QuantityConfirmed.
    virtual void AskAboutQuantity() = 0;
};

// The current row of a shown record list and the edit floating over it:
// quantities typed in place are taken into the line at every key release, a
// line left at quantity 0 leaves the order, and in the order the blank entry
// row after the last line takes the search text.
// A scanner's code typed into a quantity is not taken as one (the line keeps
// the quantity it had), and a large quantity left in an order line is asked
// about once.
class CEntryGrid {
public:
    CEntryGrid(CItemList& list, IEntryGridWindow& window) : m_list(list), m_window(window) {}

    void Configure(bool blankEntryRow, bool readOnly);
    bool HasBlankEntryRow() const { return m_blankRow; }
    bool ReadOnly() const { return m_readOnly; }

    int RowCount() const { return m_list.Count() + (m_blankRow ? 1 : 0); }
    int LastRow() const { return RowCount() - 1; }
    int CurrentRow() const { return m_current; }

    // Makes the row current and gives it the selected and focused states.
    void SelectRow(int row);
    // Puts the edit over the current row (brought inside the rows first).
    void PlaceEdit();
    // Takes the edit's text into the edited line's quantity; the text, or ""
    // when the edit is hidden.
    std::string CommitEdit() { return Commit(true); }
    // Commits and hides the edit, when it shows.
    void HideEdit();

    // The list's selection moved to the row. A move to the row the edit
    // already sits on changes nothing.
    void OnSelectionChange(int row);
    // Space released: true when it moved the current row to the last row.
    bool MoveToLastRow();
    // Any other key released: the quantity is taken, but a 0 keeps the line
    // until the user leaves it.
    void CommitKeyRelease();
    // After scrolling: the current row is kept on the page and the edit put back.
    void KeepCurrentOnPage();
    // A character typed into the edit, at the time its key went down.
    void KeyTyped(char c, uint32_t time);
    // Enter pressed at the time: when a scanner typed into a line's quantity,
    // the line keeps its quantity, the edit shows it again and the code is
    // returned (the order takes it on the entry row); "" for anything else.
    std::string TakeScan(uint32_t enterTime);
    // The line whose large quantity awaits the user's word; none when there
    // is no question (any more).
    const ItemRecord* UnconfirmedLine() const { return m_unconfirmed; }
    // The answer: on No the line gets back the quantity it had.
    void QuantityConfirmed(bool yes);
    // Rows went from the list: an edited line among them is forgotten.
    void RowsRemoved();

private:
    std::string Commit(bool leaving);
    void AskIfLarge();

    CItemList& m_list;
    IEntryGridWindow& m_window;
    ItemRecord* m_edited = nullptr;  // the line under the edit; none over the blank entry row
    int32_t m_before = 0;            // the edited line's quantity when the edit was put over it
    CScannerKeys m_keys;             // typed into the edited line's quantity
    ItemRecord* m_unconfirmed = nullptr;  // left with a large quantity, not yet answered
    int32_t m_unconfirmedBefore = 0;
    int m_current = -1;
    int m_editRow = -1;  // the row the edit shows over; -1 while hidden
    bool m_blankRow = false;
    bool m_readOnly = false;
    // Set while the grid changes rows itself: the selection changes that
    // echo back from the list are its own and are not acted on again.
    bool m_busy = false;
};
