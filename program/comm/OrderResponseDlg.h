#pragma once
#include <string>

#include "comm/OrderReply.h"

#include "order/DatabaseCtrl.h"
#include "skin/SkinnedDialog.h"

class CQuillboxDlg;

// The answer to one sending: every order line with its outcome, in the
// colours of the order grid. Before it opens, KeepAnswer stores the settings
// (the order counter went up) and keeps the list as a history file named by
// the time and the order number.
class COrderResponseDlg : public CSkinnedDialog {
public:
    explicit COrderResponseDlg(CQuillboxDlg& main);

    // Filled before the dialog runs; not set up, so lines of one code stay apart.
    CItemList& Lines() { return m_lines.List(); }
    // The order number for the title ("<failed>" when the server gave none) and
    // how the exchange ended; a history file only for a number the server gave.
    void SetOutcome(const std::string& orderNumber, const ReplyOutcome& outcome);
    // False when the history file the answer needs could not be written.
    bool KeepAnswer();

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The answer on paper: every line with its outcome, the notes sent and the memo.
    void OnPrint() override;

private:

    CQuillboxDlg& m_main;
    CDatabaseCtrl m_lines;
    std::string m_orderNumber = "<failed>";
    bool m_numberGiven = false;
    ExchangeEnd m_end = ExchangeEnd::Failed;
    std::string m_memo;
};
