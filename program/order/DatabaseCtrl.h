#pragma once
#include <windows.h>
#include <commctrl.h>

#include "data/ItemList.h"
#include "framework/Control.h"
#include "order/EntryGrid.h"
#include "order/ItemEdit.h"
#include "order/RowColours.h"

// A record list shown as the dialog's report list: the order grid, search
// hits, response and history lines. It owns the records, one row each (the
// order adds the blank entry row), draws every row in its line's colour with
// the current row pale, and carries the in-place edit.
class CDatabaseCtrl : public CControl, public IItemListView, public IEntryGridWindow {
public:
    explicit CDatabaseCtrl(const IDataKeySource* keys);

    // Takes over the dialog's list control.
    bool Attach(HWND dialog, int id);
    // Columns, the edit and one row per record already listed.
    void Setup(ListKind kind);
    void SetReadOnly(bool readOnly);
    void SetStatusColours(const IStatusColours* colours) { m_colours = colours; }
    void SetShowPrice(bool show);
    bool ShowPrice() const { return m_showPrice; }
    void LayoutColumns();

    CItemList& List() { return m_list; }
    const CItemList& List() const { return m_list; }
    CEntryGrid& Grid() { return m_grid; }
    // Appends copies of the source's records that match the words, at most limit.
    void Search(const CItemList& source, const char* text, int limit);
    // Orders the lines by class, then description, and puts the edit on the entry row.
    void Sort();
    // A change of many lines at once (a reply): the rows are rebuilt once after
    // it rather than one by one, and the save it made is reported as any other.
    template <class Change>
    void ChangeMany(Change change)
    {
        m_list.SetView(nullptr);
        change(m_list);
        m_list.SetView(this);
        RowsReset();
        Saved(!m_list.Unsaved());
    }
    // Puts text into the edit, all of it selected.
    void SetEditText(const std::string& text);
    // After the order changed under the entry row: the edit back on it with the text.
    void ReturnToEntryRow(const std::string& text);

    // The host dialog hands over every WM_NOTIFY; true when it was this list's.
    bool OnParentNotify(LPARAM lParam, LRESULT& result);

    // IItemListView
    void RowInserted(int index) override;
    void RowDeleted(int index) override;
    void RowChanged(int index) override;
    void RowsReset() override;
    int SelectionMark() const override;
    void SelectRow(int row) override { m_grid.SelectRow(row); }
    void Saved(bool ok) override;
    void FileUnreadable() override;

    // IEntryGridWindow
    void SetRowState(int row) override;
    void ScrollIntoView(int row) override;
    int TopRow() const override;
    int RowsPerPage() const override;
    bool EditVisible() const override { return m_edit.Visible(); }
    std::string EditText() const override { return m_edit.Text(); }
    void ShowEdit(int row, EntryEditKind kind, const std::string& text) override;
    void HideEdit() override;
    void RefreshRow(int row) override { RowChanged(row); }
    void AskAboutQuantity() override;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
    void OnItemChanged(const NMLISTVIEW& change);
    void OnSelectionSettled();
    bool OnKeyUp(WPARAM key, LPARAM flags);
    void OnVScroll(WPARAM code, LPARAM bar, LRESULT& result);
    // Sends a message straight to the list's own procedure (see the .cpp).
    LRESULT ListCall(UINT message, WPARAM wParam, LPARAM lParam) const;
    void InsertColumns();
    void ShowUnsavedMark(bool unsaved);
    void Tell(const char* notice);
    void AskAboutQuantityNow();
    void InsertRow(int index);
    void InsertBlankRow();
    void SetCell(int row, int column, const std::string& text);
    int ItemCount() const;

    WNDPROC m_listProc = nullptr;
    CItemList m_list;
    CEntryGrid m_grid;
    CItemEdit m_edit;
    const IStatusColours* m_colours = nullptr;
    ListKind m_kind = ListKind::Products;
    bool m_showPrice = false;
    bool m_setUp = false;
    // While rows are rebuilt, the list's notifications are its own doing.
    bool m_rebuilding = false;
    bool m_selectionPending = false;
    // The last save of the order failed: the user has been told once, and the
    // Description heading says so until a save succeeds.
    bool m_unsaved = false;
};
