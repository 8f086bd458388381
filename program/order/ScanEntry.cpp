#include "order/ScanEntry.h"

#include <memory>

#include "order/ScanCode.h"
#include "order/SearchDlg.h"
#include "skin/MessageDlg.h"

namespace {

// Spaces alone match every product: the search dialog lists all it is given.
constexpr char kEveryProduct[] = " ";

void OfferProducts(HWND owner, CDatabaseCtrl& order, const std::vector<ItemRecord*>& products,
                   const IStatusColours* colours)
{
    CItemList offered;
    for (const ItemRecord* product : products)
        offered.AddRecord(std::make_unique<ItemRecord>(*product));
    CSearchDlg search(offered, kEveryProduct, colours, order.ShowPrice());
    if (search.DoModal(owner) == IDOK)
        search.AddOrderedTo(order.List());
}

} // namespace

bool TakeScannedCode(HWND owner, CDatabaseCtrl& order, const CItemList& products, const IStatusColours* colours)
{
    const std::string text = order.EditText();
    const ScanLookup lookup = LookUpScan(products, text);
    switch (lookup.outcome) {
    case ScanOutcome::Words:
        return false;
    case ScanOutcome::One: {
        auto line = std::make_unique<ItemRecord>(*lookup.products.front());
        line->quantity = 1;
        order.List().AddRecord(std::move(line));
        break;
    }
    case ScanOutcome::Several:
        OfferProducts(owner, order, lookup.products, colours);
        break;
    case ScanOutcome::Refused:
        CMessageDlg::Tell(owner, lookup.message.c_str());
        // The code stays, selected, so the next scan types over it.
        order.ReturnToEntryRow(text);
        return true;
    }
    order.ReturnToEntryRow(std::string());
    return true;
}
