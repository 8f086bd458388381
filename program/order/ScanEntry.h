#pragma once
#include <windows.h>

#include "order/DatabaseCtrl.h"

// Enter on the order grid's entry row with a scanned code on it: the pack's
// product joins the order (or its line rises by 1), several products of one
// code are offered in the search dialog, and a code that finds nothing is
// named in a notice. False when the text is words for the word search.
bool TakeScannedCode(HWND owner, CDatabaseCtrl& order, const CItemList& products, const IStatusColours* colours);
