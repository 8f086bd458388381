// The skin on a real dialog: how it paints, places controls and shapes the
// window. The core's SkinWindowTest pins the rules of hovering and pressing;
// the Wine end-to-end tests click its buttons and press its hot keys.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <tuple>

#include "TempFolder.h"
#include "framework/Dialog.h"
#include "res/resource.h"
#include "skin/DialogSkin.h"
#include "skin/Skin.h"

namespace {

constexpr char kScript[] =
    "[TestDialog]\r\n"
    "RECTANGLE { NORMAL { FILL { COLOR { 255 0 0 } } X 130 Y 10 XE 150 YE 30 } }\r\n"
    "CONTROL { ID 1046 NORMAL { X 10 Y 70 XE 110 YE 90 } }\r\n"
    "REGION { RECT { X 0 Y 0 XE R YE B } W 20 H 20 }\r\n"
    "END\r\n";

class SkinWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_script = m_dir.Path("skin.ini");
        ASSERT_TRUE(WriteBytes(m_script, kScript));

        ASSERT_TRUE(m_dialog.Create(nullptr));
        GetClientRect(Window(), &m_templateClient);
        m_skin.Attach(Window(), "[TestDialog]", m_script.c_str());
        ShowWindow(Window(), SW_SHOWNOACTIVATE);
        UpdateWindow(Window());
    }

    void TearDown() override { m_dialog.Destroy(); }

    HWND Window() const { return m_dialog.Handle(); }

    CTempFolder m_dir;
    std::string m_script;
    RECT m_templateClient = {};
    CDialog m_dialog{IDD_SETTINGS};  // its edit 1046 is the control to place
    CDialogSkin m_skin;
};

TEST(SkinAttachTest, AttachTakesTheCaptionAwayAndKeepsTheClientSize)
{
    CDialog dialog(IDD_QUILLBOX);
    ASSERT_TRUE(dialog.Create(nullptr));
    ASSERT_NE(GetWindowLongA(dialog.Handle(), GWL_STYLE) & WS_CAPTION, 0);
    RECT before;
    GetClientRect(dialog.Handle(), &before);
    CDialogSkin skin;
    skin.Attach(dialog.Handle(), "[NoSuchSection]", "no-such-skin.ini");
    EXPECT_EQ(GetWindowLongA(dialog.Handle(), GWL_STYLE) & 0xc40000, 0);
    RECT after;
    GetClientRect(dialog.Handle(), &after);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    dialog.Destroy();
}

// The buffer is copied to the window, the control moved when it was built,
// and the corners rounded until the skin is detached.
TEST_F(SkinWindowTest, PaintPlacesTheControlAndTheRegionRoundsTheCornersUntilDetached)
{
    HDC dc = GetDC(Window());
    EXPECT_EQ(GetPixel(dc, 140, 20), RGB(255, 0, 0));
    ReleaseDC(Window(), dc);
    RECT rect;
    GetWindowRect(GetDlgItem(Window(), IDC_USERNAME), &rect);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(std::make_tuple(rect.left, rect.top, rect.right, rect.bottom), std::make_tuple(10L, 70L, 110L, 90L));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Window(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 1, 1));
    EXPECT_TRUE(PtInRegion(region, m_templateClient.right / 2, m_templateClient.bottom / 2));
    m_skin.Skin().Detach();
    EXPECT_EQ(GetWindowRgn(Window(), region), ERROR);
    DeleteObject(region);
}

TEST_F(SkinWindowTest, ADestroyedWindowIsLetGo)
{
    const HWND window = Window();
    ASSERT_EQ(CSkin::FindAttached(window), &m_skin.Skin());
    m_dialog.Destroy();
    EXPECT_EQ(CSkin::FindAttached(window), nullptr) << "a later window with this handle must not find it";
}

} // namespace
