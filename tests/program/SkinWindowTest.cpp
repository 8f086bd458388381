// The skin on a real dialog: what it sends the window for mouse input, how it
// paints, places controls and shapes the window. The core's SkinWindowTest
// pins the rules of hovering, pressing, hot keys and the loss of capture.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "framework/Dialog.h"
#include "res/resource.h"
#include "skin/DialogSkin.h"

namespace {

constexpr char kScript[] =
    "[TestDialog]\r\n"
    "BITMAP { ID 13 WINMOVE NORMAL { FILE missing.bmp DEST { X 0 Y 40 XE 200 YE 55 } } }\r\n"
    "RECTANGLE { NORMAL { FILL { COLOR { 255 0 0 } } X 130 Y 10 XE 150 YE 30 } }\r\n"
    "CONTROL { ID 1046 NORMAL { X 10 Y 70 XE 110 YE 90 } }\r\n"
    "REGION { RECT { X 0 Y 0 XE R YE B } W 20 H 20 }\r\n"
    "END\r\n";

using Event = std::tuple<UINT, WPARAM, LPARAM>;

// Records the skin's notifications and the drag request, which it swallows so
// no modal move loop starts. The settings template has an edit (1046) to place.
class CRecordingDialog : public CDialog {
public:
    explicit CRecordingDialog(int templateId = IDD_SETTINGS) : CDialog(templateId) {}
    std::vector<Event> events;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message != WM_APP && message != WM_NCLBUTTONDOWN)
            return CDialog::OnMessage(message, wParam, lParam, result);
        events.emplace_back(message, wParam, lParam);
        result = 0;
        return true;
    }
};

class SkinWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        m_script = std::string(folder) + "qbx-skin-test.ini";
        FILE* file = std::fopen(m_script.c_str(), "wb");
        ASSERT_TRUE(file);
        std::fputs(kScript, file);
        std::fclose(file);

        ASSERT_TRUE(m_dialog.Create(nullptr));
        GetClientRect(Window(), &m_templateClient);
        m_skin.Attach(Window(), "[TestDialog]", m_script.c_str());
        ShowWindow(Window(), SW_SHOWNOACTIVATE);
        UpdateWindow(Window());
        Send(WM_MOUSEMOVE, 0, 300, 300);  // away from every item
        m_dialog.events.clear();
    }

    void TearDown() override
    {
        m_dialog.Destroy();
        std::remove(m_script.c_str());
    }

    HWND Window() const { return m_dialog.Handle(); }

    void Send(UINT message, WPARAM keys, int x, int y)
    {
        SendMessageA(Window(), message, keys, MAKELPARAM(x, y));
    }

    std::string m_script;
    RECT m_templateClient = {};
    CRecordingDialog m_dialog;
    CDialogSkin m_skin;
};

TEST_F(SkinWindowTest, WinMoveButtonDragsTheWindowAndStaysPressed)
{
    Send(WM_MOUSEMOVE, 0, 100, 47);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 47);
    EXPECT_EQ(m_dialog.events,
              (std::vector<Event>{{WM_APP, 13, 1}, {WM_APP, 13, 2}, {WM_NCLBUTTONDOWN, HTCAPTION, 0}}));
    m_dialog.events.clear();
    // After the drag, the first message over it with no button held is a click.
    Send(WM_MOUSEMOVE, 0, 101, 47);
    EXPECT_EQ(m_dialog.events, (std::vector<Event>{{WM_APP, 13, 5}}));
}

TEST(SkinAttachTest, AttachTakesTheCaptionAwayAndKeepsTheClientSize)
{
    CRecordingDialog dialog(IDD_QUILLBOX);
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

TEST_F(SkinWindowTest, PaintCopiesTheBufferToTheWindow)
{
    HDC dc = GetDC(Window());
    EXPECT_EQ(GetPixel(dc, 140, 20), RGB(255, 0, 0));
    ReleaseDC(Window(), dc);
}

TEST_F(SkinWindowTest, ControlPlacementMovesTheControlWhenTheBufferIsBuilt)
{
    RECT rect;
    GetWindowRect(GetDlgItem(Window(), IDC_USERNAME), &rect);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(std::make_tuple(rect.left, rect.top, rect.right, rect.bottom), std::make_tuple(10L, 70L, 110L, 90L));
}

TEST_F(SkinWindowTest, RegionRoundsTheCornersUntilTheSkinIsDetached)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Window(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 1, 1));
    EXPECT_TRUE(PtInRegion(region, m_templateClient.right / 2, m_templateClient.bottom / 2));
    m_skin.Skin().Detach();
    EXPECT_EQ(GetWindowRgn(Window(), region), ERROR);
    DeleteObject(region);
}

} // namespace
