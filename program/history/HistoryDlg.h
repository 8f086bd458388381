#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "history/HistoryTree.h"
#include "order/DatabaseCtrl.h"
#include "skin/SkinnedDialog.h"

// The stored orders by year, month and day: the tree opens on today's latest
// order (or the latest earlier one); selecting an order shows its lines, read
// only, and a summary of its number and time in the skin's main text. F12 (or
// the skin's Print) prints the order shown, under the pharmacy's account.
class CHistoryDlg : public CSkinnedDialog {
public:
    CHistoryDlg(const IDataKeySource* keys, const IStatusColours* colours, const std::string& account);
    ~CHistoryDlg() override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnPrint() override;
    bool OnShortcutKey(const MSG& msg) override;

private:
    bool OnTreeNotify(LPARAM lParam);
    void LoadTree();
    void InsertChildren(const CHistoryNode& node, HTREEITEM item);
    void OpenOnToday();
    void ShowNode(const CHistoryNode* node);
    LRESULT TreeCall(UINT message, WPARAM wParam, LPARAM lParam) const;

    HBRUSH m_brush = nullptr;
    CHistoryTree m_history;
    CDatabaseCtrl m_orders;
    HWND m_tree = nullptr;
    // Where the tree opens, and the items made for those nodes.
    HistoryOpening m_opening;
    HTREEITEM m_expandedItem = nullptr;
    HTREEITEM m_selectedItem = nullptr;
    std::string m_account;
    // The order whose lines the list shows, if any.
    const CHistoryNode* m_shown = nullptr;
};
