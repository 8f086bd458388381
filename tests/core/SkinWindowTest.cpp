#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinTest.h"
#include "skin/SkinButton.h"
#include "skin/SkinItem.h"

namespace {

// The window messages and mouse key flags the skin handles.
constexpr uint32_t kNotify = 0x8000, kPaint = 0x000F;
constexpr uint32_t kKeyUp = 0x0101, kSysKeyUp = 0x0105, kCaptureChanged = 0x0215;
constexpr uint32_t kMouseMove = 0x0200, kLeftDown = 0x0201, kLeftUp = 0x0202, kRightDown = 0x0204, kRightUp = 0x0205;
constexpr uintptr_t kLeft = 1, kRight = 2;

// Button A (ID 1) at 0..40 with OVER and DOWN images, button B (ID 2) at
// 50..90 with none, a title bar (ID 3) that drags the window, and a backdrop
// rectangle declared first, under everything. Control 1054 stays hidden, and
// the regions in front of everything are never hit.
const char* const kScript =
    "[Test]\r\n"
    "RECTANGLE { NORMAL { X 0 Y 0 XE R YE B } }\r\n"
    "BITMAP { ID 1 NORMAL { FILE normal.bmp } OVER { FILE over.bmp } DOWN { FILE down.bmp } }\r\n"
    "BITMAP { ID 2 NORMAL { FILE normal.bmp DEST { X 50 Y 0 } } }\r\n"
    "BITMAP { ID 3 WINMOVE TIP \"Drag me\" NORMAL { FILE bar.bmp DEST { X 0 Y 100 } TEXT { Title } } }\r\n"
    "CONTROL { ID 1000 NORMAL { X 10 Y 200 XE -10R YE -30B } }\r\n"
    "CONTROL { ID 1054 NORMAL { X 1 XE 2 } }\r\n"
    "REGION { RECT { X 0 Y 0 XE R YE B } W 20 H 10% }\r\n"
    "REGION { DIFF ELLIPTIC { X 0 Y 0 XE 10 YE 10 } ID 4 }\r\n"
    "REGION { XOR AND POLY { 0 0 R 0 R B 0 B } }\r\n"
    "END\r\n";

class SkinWindowTest : public SkinTest {
protected:
    void SetUp() override
    {
        SkinTest::SetUp();
        bitmaps.sizes["normal.bmp"] = {40, 20};
        bitmaps.sizes["over.bmp"] = {40, 21};
        bitmaps.sizes["down.bmp"] = {40, 22};
        bitmaps.sizes["bar.bmp"] = {400, 30};
        window.visibleControls = {1000};
    }

    // Attaches the skin, loads the script and paints once: the window calls of all that.
    Calls Build(const std::string& script)
    {
        EXPECT_TRUE(skin.Attach(&window, kNotify));
        EXPECT_TRUE(Load(skin, script));
        skin.WindowProc(kPaint, 0, 0);
        return window.Take();
    }
    // The same, forgetting everything the paint did.
    void Open(const std::string& script = kScript)
    {
        Build(script);
        window.TakeDrawn();
        window.passedOn.clear();
    }
    // The notifications and other window calls of one mouse message.
    Calls Step(uint32_t message, uintptr_t keys, int x, int y)
    {
        skin.WindowProc(message, keys, intptr_t(x) | intptr_t(y) << 16);
        return window.Take();
    }
    static std::string Sent(uint32_t id, SkinEvent event) { return StrFormat("send %#x %u %d", kNotify, id, int(event)); }

    CRecordingWindow window;
    CSkin skin;
};

} // namespace

// A text set with its colour and drawn again is pinned end to end by the
// cut-off text's red (tests/wine/test_order.py).
TEST_F(SkinWindowTest, AttachingOnceAndTheFirstPaintBuildTheBufferPlaceControlsAndShapeTheWindow)
{
    EXPECT_EQ(Build(kScript), (Calls{"subclass", "invalidate all", "begin paint", "make buffer 400x300",
                                     "move 1000 10,200,390,270", "invalidate all erase",
                                     "shape roundrect 0 0,0,400,300 corner 20x30", "shape ellipse 3 0,0,10,10",
                                     "shape poly 1 0,0 400,0 400,300 0,300", "end paint 400x300"}));
    EXPECT_EQ(window.TakeDrawn(),
              (Calls{"rect 0,0,400,300 pen=000000/0/0 brush=ffffff/0/0", "blit 0,0 40x20 -> 0,0 40x20",
                     "blit 0,0 40x20 -> 50,0 40x20", "blit 0,0 400x30 -> 0,100 400x30",
                     "text 'Title' 0,100,400,130 fmt=0 colour=000000"}));
    EXPECT_FALSE(skin.Attach(&window, kNotify)) << "an attached skin stays as it is";
    EXPECT_EQ(CSkin::FindAttached(window.Handle()), &skin);
    skin.WindowProc(kPaint, 0, 0);
    EXPECT_EQ(window.Take(), (Calls{"begin paint", "end paint 400x300"})) << "the buffer is kept";
}

TEST_F(SkinWindowTest, AButtonClicksWhenReleasedOnAndLeavesWhenTheMouseGoes)
{
    Open();
    EXPECT_EQ(Step(kMouseMove, 0, 5, 5), (Calls{Sent(1, SKIN_OVER), "invalidate 0,0,40,21"}));
    EXPECT_EQ(Step(kLeftDown, kLeft, 5, 5), (Calls{Sent(1, SKIN_LDOWN), "invalidate 0,0,40,22"}));
    EXPECT_EQ(Step(kMouseMove, kLeft, 60, 5), (Calls{Sent(1, SKIN_LEAVE), "invalidate 0,0,40,20", Sent(2, SKIN_LDOWN)}));
    EXPECT_EQ(Step(kLeftUp, 0, 60, 5), Calls{Sent(2, SKIN_CLICK)});
    EXPECT_EQ(Step(kMouseMove, 0, 61, 6), Calls{}) << "unchanged item and buttons";
    EXPECT_EQ(Step(kRightDown, kRight, 60, 5), Calls{Sent(2, SKIN_RDOWN)});
    EXPECT_EQ(Step(kRightUp, 0, 60, 5), Calls{Sent(2, SKIN_OVER)}) << "the right button never clicks";
    EXPECT_EQ(Step(kMouseMove, 0, 300, 5), (Calls{Sent(2, SKIN_LEAVE)})) << "over the backdrop rectangle (ID 0)";
    EXPECT_EQ(Step(kMouseMove, 0, 450, 5), (Calls{"release capture"})) << "outside every item";
    EXPECT_EQ(window.passedOn.size(), 9u);
}

TEST_F(SkinWindowTest, AWinMoveButtonDragsTheWindowAndThenClicks)
{
    Open();
    Step(kMouseMove, 0, 10, 110);
    EXPECT_EQ(Step(kLeftDown, kLeft, 10, 110), (Calls{Sent(3, SKIN_LDOWN), "release capture", "send 0xa1 2 0"}));
    EXPECT_EQ(Step(kMouseMove, 0, 12, 112), Calls{Sent(3, SKIN_CLICK)})
        << "the drag left the button pressed";
    EXPECT_EQ(static_cast<CSkinButton*>(skin.FindItem(3))->Tip(), "Drag me");
}

TEST_F(SkinWindowTest, ReleasedKeysSendEveryMatchingBindingAndPassOn)
{
    Open("[Test]\r\nHOTKEY { 16 F6 } HOTKEY { 0 F6 } HOTKEY { 13 F6 } HOTKEY { 11 F4 } HOTKEY { 17 F10 }\r\nEND\r\n");
    EXPECT_EQ(skin.WindowProc(kKeyUp, 0x75, 0), 7);
    EXPECT_EQ(window.Take(), (Calls{Sent(16, SKIN_CLICK), Sent(0, SKIN_CLICK), Sent(13, SKIN_CLICK)}));
    skin.WindowProc(kSysKeyUp, 0x79, 0x00440001);
    EXPECT_EQ(window.Take(), Calls{Sent(17, SKIN_CLICK)}) << "F10 is released as a system key";
    skin.WindowProc(kSysKeyUp, 0x73, 0x203E0001);
    EXPECT_TRUE(window.Take().empty()) << "Alt+F4 is not bound";
    EXPECT_EQ(window.passedOn, (std::vector<uint32_t>{kKeyUp, kSysKeyUp, kSysKeyUp}));
}

TEST_F(SkinWindowTest, LosingTheCaptureLeavesTheCurrentItem)
{
    Open();
    Step(kLeftDown, kLeft, 60, 5);
    skin.WindowProc(kCaptureChanged, 0, reinterpret_cast<intptr_t>(window.Handle()));
    EXPECT_TRUE(window.Take().empty()) << "taken by this window itself";
    skin.WindowProc(kCaptureChanged, 0, 0);
    EXPECT_EQ(window.Take(), (Calls{Sent(2, SKIN_LEAVE), "release capture"}));
    EXPECT_FALSE(skin.FindItem(2)->IsPressed());
}

TEST_F(SkinWindowTest, DetachRemovesTheShapeAndEverythingTheScriptMade)
{
    Open();
    Step(kMouseMove, 0, 5, 5);
    window.Take();
    skin.SetVariable("x", "1");
    skin.Detach();
    EXPECT_EQ(window.Take(), (Calls{"remove shape", "free buffer"}));
    EXPECT_EQ(skin.Items().Count(), 0u);
    EXPECT_EQ(skin.GetVariable("x"), nullptr);
    EXPECT_EQ(CSkin::FindAttached(window.Handle()), nullptr);
    EXPECT_EQ(skin.WindowProc(kPaint, 0, 0), 0) << "a detached skin handles nothing";

    // The hovered button was deleted with the rest: attached again, the skin
    // never sends it a leave.
    Open();
    EXPECT_EQ(Step(kMouseMove, 0, 60, 5), Calls{Sent(2, SKIN_OVER)});
}
