#pragma once
#include <string>

#include "order/DatabaseCtrl.h"
#include "skin/SkinnedDialog.h"

// The product search: up to 200 products whose description (and size) match
// the words, each with a quantity to type. On OK the caller takes the hits
// that got a quantity; with no hit at all the dialog says so and closes.
class CSearchDlg : public CSkinnedDialog {
public:
    CSearchDlg(const CItemList& products, const std::string& text, const IStatusColours* colours, bool showPrice);

    // Valid after DoModal, until the dialog object goes.
    const CItemList& Hits() const { return m_hits.List(); }
    // Adds a copy of each hit given a quantity to the order, raising the line
    // of a product already in it.
    void AddOrderedTo(CItemList& order) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnSkinCommand(WPARAM id) override;

private:

    const CItemList& m_products;
    std::string m_text;
    bool m_showPrice;
    CDatabaseCtrl m_hits;
};
