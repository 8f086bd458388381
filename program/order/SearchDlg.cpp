#include "order/SearchDlg.h"

#include <memory>

#include "res/resource.h"
#include "skin/MessageDlg.h"

namespace {
constexpr int kMaxHits = 200;
constexpr WPARAM kSkinConfirm = 2;
constexpr char kNoHits[] = "No Matching Records Found";
} // namespace

// Hits are never loaded or saved: their list needs no data-file key.
CSearchDlg::CSearchDlg(const CItemList& products, const std::string& text, const IStatusColours* colours,
                       bool showPrice)
    : CSkinnedDialog(IDD_SEARCH), m_products(products), m_text(text), m_showPrice(showPrice), m_hits(nullptr)
{
    m_hits.SetStatusColours(colours);
}

BOOL CSearchDlg::OnInitDialog()
{
    SetWindowTextA(Handle(), "Quillbox Search");
    AttachSkin("[SearchDialog]");
    m_hits.Attach(Handle(), IDC_SEARCH_HITS);
    m_hits.SetShowPrice(m_showPrice);
    m_hits.Setup(ListKind::SearchResults);
    m_hits.Search(m_products, m_text.c_str(), kMaxHits);
    if (m_hits.List().Count() > 0) {
        m_hits.Grid().SelectRow(0);
        return FALSE;  // the quantity edit has the focus
    }
    CMessageDlg::Tell(Handle(), kNoHits);
    EndDialog(IDCANCEL);
    return TRUE;
}

void CSearchDlg::OnOK()
{
    // A code scanned into a hit's quantity answers nothing here: the hit
    // keeps its quantity and the search stays open.
    if (!m_hits.Grid().TakeScan(static_cast<uint32_t>(GetMessageTime())).empty())
        return;
    // The quantity being typed counts.
    m_hits.Grid().HideEdit();
    EndDialog(IDOK);
}

void CSearchDlg::AddOrderedTo(CItemList& order) const
{
    const CItemList& hits = Hits();
    for (int i = 0; i < hits.Count(); ++i)
        if (hits.At(i)->quantity != 0)
            order.AddRecord(std::make_unique<ItemRecord>(*hits.At(i)));
}

bool CSearchDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_NOTIFY && m_hits.OnParentNotify(lParam, result))
        return true;
    return CSkinnedDialog::OnMessage(message, wParam, lParam, result);
}

void CSearchDlg::OnSkinCommand(WPARAM id)
{
    if (id == kSkinConfirm)
        OnOK();
    else
        CSkinnedDialog::OnSkinCommand(id);
}
