#include "order/SearchDlg.h"

#include "res/resource.h"
#include "skin/MessageDlg.h"

namespace {
constexpr int kMaxHits = 200;
constexpr LPARAM kSkinClick = 5;
constexpr WPARAM kSkinCancel = 1;
constexpr WPARAM kSkinConfirm = 2;
constexpr char kNoHits[] = "No Matching Records Found";
} // namespace

// Hits are never loaded or saved: their list needs no data-file key.
CSearchDlg::CSearchDlg(const CItemList& products, const std::string& text, const IStatusColours* colours,
                       bool showPrice)
    : CDialog(IDD_SEARCH), m_products(products), m_text(text), m_showPrice(showPrice), m_hits(nullptr)
{
    m_hits.SetStatusColours(colours);
}

BOOL CSearchDlg::OnInitDialog()
{
    m_skin.Attach(Handle(), "[SearchDialog]");
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
    // The quantity being typed counts.
    m_hits.Grid().HideEdit();
    EndDialog(IDOK);
}

bool CSearchDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_APP) {
        result = OnSkinNotify(wParam, lParam);
        return true;
    }
    if (message == WM_NOTIFY && m_hits.OnParentNotify(lParam, result))
        return true;
    return CDialog::OnMessage(message, wParam, lParam, result);
}

LRESULT CSearchDlg::OnSkinNotify(WPARAM id, LPARAM code)
{
    if (code != kSkinClick)
        return 0;
    if (id == kSkinCancel)
        OnCancel();
    else if (id == kSkinConfirm)
        OnOK();
    return 0;
}
