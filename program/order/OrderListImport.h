#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "order/DatabaseCtrl.h"

// A re-order list from the pharmacy's stock system, chosen with Ctrl+O or
// dropped on the main window. The whole file is read and checked first; its
// usable rows then join the order in one go, with one save of the order file,
// and the rows not taken are listed, by line, in one box.

// The standard open-file dialog; false when the pharmacist cancels.
bool ChooseOrderList(HWND owner, std::string& path);
// The files of a drop, which is finished with.
std::vector<std::string> DroppedFiles(HDROP drop);
void TakeOrderList(HWND owner, CDatabaseCtrl& order, const CItemList& products, const std::string& path);
