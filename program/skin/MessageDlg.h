#pragma once
#include <string>

#include "skin/SkinnedDialog.h"

// The skinned message box: a Yes/No question ("[YesNoDialog]", yes is item 2,
// no is item 1) or a notice ("[OkDialog]", its button is item 1). Item 100
// shows the message. DoModal gives IDYES or IDCANCEL.
class CMessageDlg : public CSkinnedDialog {
public:
    // Large: twice as wide and high, for a message that names a file with its
    // path and facts. The skin's coordinates follow the window's size.
    enum class Size { Normal, Large };

    CMessageDlg();

    // Asks the question; true only on Yes.
    static bool Ask(HWND owner, const char* question, Size size = Size::Normal);
    // Shows the notice until its button is pressed.
    static void Tell(HWND owner, const char* notice, Size size = Size::Normal);

    bool m_notice = false;
    Size m_size = Size::Normal;
    std::string m_message;

protected:
    BOOL OnInitDialog() override;
    void Enlarge();
    void OnSkinCommand(WPARAM id) override;
};
