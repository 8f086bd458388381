#pragma once
#include "framework/Dialog.h"
#include "skin/DialogSkin.h"

// A dialog drawn by its skin. The skin's clicks and released hot keys
// (WM_SKIN_NOTIFY with event 5) arrive as OnSkinCommand with the item ID; its
// other notifications are consumed here. Item 1 is by custom the close
// control, which cancels unless a dialog says otherwise; item 15 is Print
// (F12), for the dialogs that have something to print.
class CSkinnedDialog : public CDialog {
public:
    explicit CSkinnedDialog(int templateId) : CDialog(templateId) {}

protected:
    // Attaches the skin and loads the dialog's section (e.g. "[SearchDialog]").
    void AttachSkin(const char* section) { m_skin.Attach(Handle(), section); }
    virtual void OnSkinCommand(WPARAM id);
    virtual void OnPrint() {}

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    CDialogSkin m_skin;
};
