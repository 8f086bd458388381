#include "order/OrderListImport.h"

#include <commdlg.h>

#include "base/StrFormat.h"
#include "framework/AppTitle.h"
#include "order/OrderImport.h"

namespace {

constexpr char kListFilter[] = "Re-order lists (*.csv;*.tsv;*.txt)\0*.csv;*.tsv;*.txt\0All files (*.*)\0*.*\0";
constexpr char kListTitle[] = "Open a re-order list";
// A system box grows with its text, which the skinned notice does not.
constexpr size_t kUnusedRowsShown = 20;

std::string BaseName(const std::string& path)
{
    return path.substr(path.find_last_of("\\/:") + 1);
}

void Tell(HWND owner, const std::string& text)
{
    MessageBoxA(owner, text.c_str(), kAppTitle, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

bool ChooseOrderList(HWND owner, std::string& path)
{
    char file[MAX_PATH] = "";
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = kListFilter;
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lpstrTitle = kListTitle;
    // The program's folder stays the current one: every data file is found through it.
    open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&open))
        return false;
    path = file;
    return true;
}

std::vector<std::string> DroppedFiles(HDROP drop)
{
    std::vector<std::string> files;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char file[MAX_PATH];
        if (DragQueryFileA(drop, i, file, sizeof file))
            files.emplace_back(file);
    }
    DragFinish(drop);
    return files;
}

void TakeOrderList(HWND owner, CDatabaseCtrl& order, const CItemList& products, const std::string& path)
{
    COrderImport import;
    if (!import.ReadFile(path)) {
        Tell(owner, StrFormat("%s\n\n%s\nNothing was added to the order.", BaseName(path).c_str(),
                              import.Error().c_str()));
        return;
    }
    // A quantity being typed is taken first, so the list's rows add to it.
    order.Grid().HideEdit();
    import.Match(products, order.List());
    if (!import.Lines().empty())
        order.ChangeMany([&](CItemList& list) { import.AddTo(list); });
    order.ReturnToEntryRow(std::string());
    const std::string report = import.Report(kUnusedRowsShown);
    if (!report.empty())
        Tell(owner, BaseName(path) + "\n\n" + report);
}
