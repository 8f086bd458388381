// The order grid on a real list view: what rebuilding its rows costs in
// notifications, each of which is a message through the host dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "framework/Dialog.h"
#include "order/DatabaseCtrl.h"
#include "res/resource.h"

namespace {

// Hosts the grid as the response dialog does, counting the row-by-row deletion notices.
class CGridHost : public CDialog {
public:
    CGridHost() : CDialog(IDD_RESPONSE) {}
    CDatabaseCtrl grid{nullptr};
    int deleteNotices = 0;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_DELETEITEM)
            ++deleteNotices;
        if (message == WM_NOTIFY && grid.OnParentNotify(lParam, result))
            return true;
        return CDialog::OnMessage(message, wParam, lParam, result);
    }
};

TEST(DatabaseCtrlTest, EmptyingTheGridBringsNoNoticePerRow)
{
    CGridHost host;
    ASSERT_TRUE(host.Create(nullptr));
    ASSERT_TRUE(host.grid.Attach(host.Handle(), IDC_RESPONSE_LIST));
    host.grid.Setup(ListKind::Response);
    host.grid.ChangeMany([](CItemList& lines) {
        for (int i = 0; i < 100; ++i)
            lines.AddRecord(std::make_unique<ItemRecord>(ItemRecord{std::to_string(1000000 + i)}));
    });
    host.grid.ChangeMany([](CItemList& lines) { lines.Clear(); });
    EXPECT_EQ(host.deleteNotices, 0);
    host.Destroy();
}

} // namespace
