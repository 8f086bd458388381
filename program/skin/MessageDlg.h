#pragma once
#include <string>

#include "skin/SkinnedDialog.h"

// The skinned message box: a Yes/No question ("[YesNoDialog]", yes is item 2,
// no is item 1) or a notice ("[OkDialog]", its button is item 1). Item 100
// shows the message. DoModal gives IDYES or IDCANCEL.
class CMessageDlg : public CSkinnedDialog {
public:
    CMessageDlg();

    // Asks the question; true only on Yes.
    static bool Ask(HWND owner, const char* question);
    // Shows the notice until its button is pressed.
    static void Tell(HWND owner, const char* notice);

    bool m_notice = false;
    std::string m_message;

protected:
    BOOL OnInitDialog() override;
    void OnSkinCommand(WPARAM id) override;
};
