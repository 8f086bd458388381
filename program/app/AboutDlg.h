#pragma once
#include "framework/Dialog.h"
#include "skin/DialogSkin.h"

// The About box: the product line on its skin; the skin's close button ends it.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CDialogSkin m_skin;
};
