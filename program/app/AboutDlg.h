#pragma once
#include "skin/SkinnedDialog.h"

// The About box: the product line on its skin; the skin's close button ends it.
class CAboutDlg : public CSkinnedDialog {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;
};
