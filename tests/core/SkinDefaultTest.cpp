#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "SkinTestRecorder.h"
#include "skin/SkinBitmapCache.h"
#include "skin/SkinButton.h"
#include "skin/SkinControl.h"

// The shipped skin: every section loads, has what its window uses, and lays
// out inside the window at the dialog templates' sizes.

namespace {

struct Section {
    const char* name;
    int templateWidth;   // dialog units
    int templateHeight;
    std::vector<uint32_t> buttons;
    std::vector<uint32_t> texts;
    std::vector<uint32_t> controls;
};

const Section kSections[] = {
    {"[QuillboxDialog]", 406, 335, {1, 2, 3, 10, 11, 12, 13, 14, 15, 16, 17}, {100, 101, 102, 103, 104}, {1000, 1054, 0}},
    {"[HistoryDialog]", 498, 215, {1}, {100}, {1020, 1000}},
    {"[SearchDialog]", 380, 280, {1, 2}, {100}, {1006}},
    {"[SettingsDialog]", 356, 216, {1, 2, 3, 10}, {100, 101, 102, 103}, {}},
    {"[PlaceOrderDialog]", 300, 190, {1}, {100}, {1024}},
    {"[OrderResponseDialog]", 380, 240, {1}, {100}, {1053}},
    {"[AboutDialog]", 220, 96, {1}, {100}, {}},
    {"[OkDialog]", 186, 66, {1}, {100}, {}},
    {"[YesNoDialog]", 186, 66, {1, 2}, {100}, {}},
};

// Dialog units to pixels for the 8-point dialog font: 1.5 across, and 1.5
// (Wine's metrics) or 1.625 (Windows at 96 dpi) down.
const double kVerticalScales[] = {1.5, 1.625};

bool Overlap(const SkinRect& a, const SkinRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const SkinRect& inner, const SkinRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The shipped skin copied as "Skin" into a fresh folder that becomes the
// current directory, as the program finds it beside itself.
class SkinDefaultTest : public SkinTest {
protected:
    void SetUp() override
    {
        SkinTest::SetUp();
        CSkinBitmapCache::Shared().SetLoader(nullptr);  // read the real bitmaps' headers
        std::filesystem::copy(std::filesystem::path(QBX_SOURCE_DIR) / "skin", m_dir / "Skin");
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir);
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_previous);
        SkinTest::TearDown();
    }

    static const CSkinButton* Button(const CSkin& skin, uint32_t id)
    {
        return dynamic_cast<const CSkinButton*>(skin.FindItem(id));
    }
    // Loads every section into a fresh skin and hands it over.
    template <class Check>
    static void ForEachSection(const Check& check)
    {
        for (const Section& section : kSections) {
            SCOPED_TRACE(section.name);
            CSkin skin;
            EXPECT_TRUE(skin.LoadSection("Skin/skin.ini", section.name));
            check(section, skin);
        }
    }

    std::filesystem::path m_previous;
};

} // namespace

TEST_F(SkinDefaultTest, EverySectionLoadsWithTheButtonsAndTextsItsWindowUses)
{
    ForEachSection([](const Section& section, const CSkin& skin) {
        for (uint32_t id : section.buttons) {
            const CSkinButton* button = Button(skin, id);
            ASSERT_NE(button, nullptr) << "button " << id;
            EXPECT_TRUE(button->Image(kSkinOver).IsPresent() && button->Image(kSkinDown).IsPresent())
                << "button " << id << " needs OVER and DOWN images";
        }
        for (uint32_t id : section.texts)
            EXPECT_NE(Button(skin, id), nullptr) << "text " << id << " must take SetText";
    });
    EXPECT_TRUE(failures.messages.empty()) << failures.messages.front();
}

TEST_F(SkinDefaultTest, IncludedPiecesShowTheTextsTheyWereGiven)
{
    CSkin skin;
    ASSERT_TRUE(skin.LoadSection("Skin/skin.ini", "[SearchDialog]"));
    EXPECT_EQ(Button(skin, 100)->Image(kSkinNormal).Caption().Text().rfind("Type a quantity", 0), 0u)
        << "a parameter read after the include's own p1 was set";
    EXPECT_EQ(Button(skin, 2)->Image(kSkinNormal).Caption().Text(), "Add to order");
    EXPECT_EQ(Button(skin, 2)->Image(kSkinDown).Caption().Text(), "Add to order");
}

TEST_F(SkinDefaultTest, EveryImageNamesABitmapThatLoads)
{
    ForEachSection([](const Section&, const CSkin& skin) {
        for (auto* item = skin.Items().FirstAs<CSkinItem>(); item; item = CLinkList::NextAs(item)) {
            const auto* button = dynamic_cast<const CSkinButton*>(item);
            for (int state = 0; button && state < kSkinStateCount; ++state) {
                if (const CSkinBitmapFile* file = button->Image(state).File()) {
                    EXPECT_TRUE(file->IsLoaded()) << file->FileName();
                }
            }
        }
    });
}

TEST_F(SkinDefaultTest, TheMainWindowBindsTheCommandKeys)
{
    CSkin skin;
    ASSERT_TRUE(skin.LoadSection("Skin/skin.ini", "[QuillboxDialog]"));
    std::set<std::pair<uint32_t, uint32_t>> bound;
    for (size_t i = 0; i < skin.HotKeys().Count(); ++i)
        bound.insert({skin.HotKeys().At(i).key, skin.HotKeys().At(i).id});
    const std::set<std::pair<uint32_t, uint32_t>> expected = {
        {0x71, 10}, {0x73, 11}, {0x74, 12}, {0x75, 16}, {0x77, 14}, {0x79, 17}, {0x7B, 15}};
    EXPECT_EQ(bound, expected) << "F2 Settings, F4 Search, F5 History, F6 Sort, F8 Send, F10 Clear, F12 Print";

    CSkin question;
    ASSERT_TRUE(question.LoadSection("Skin/skin.ini", "[YesNoDialog]"));
    ASSERT_EQ(question.HotKeys().Count(), 2u);
    EXPECT_EQ(question.HotKeys().At(0).key, uint32_t('Y'));
    EXPECT_EQ(question.HotKeys().At(0).id, 2u);
    EXPECT_EQ(question.HotKeys().At(1).id, 1u);
}

TEST_F(SkinDefaultTest, EveryWindowIsLaidOutInsideItsTemplateSize)
{
    for (const Section& section : kSections) {
        for (double scale : kVerticalScales) {
            SCOPED_TRACE(StrFormat("%s at %.3f", section.name, scale));
            CRecordingWindow window;
            window.client = SkinRect{0, 0, int32_t(section.templateWidth * 1.5), int32_t(section.templateHeight * scale)};
            window.visibleControls.insert(section.controls.begin(), section.controls.end());
            CSkin skin;
            ASSERT_TRUE(skin.Attach(&window, 0x8000));
            ASSERT_TRUE(skin.LoadSection("Skin/skin.ini", section.name));
            skin.WindowProc(0x000F, 0, 0);

            std::vector<SkinRect> controls;
            for (uint32_t id : section.controls) {
                const CSkinItem* placed = nullptr;
                for (auto* item = skin.Items().FirstAs<CSkinItem>(); item; item = CLinkList::NextAs(item))
                    if (item->Id() == id && dynamic_cast<const CSkinControl*>(item))
                        placed = item;
                ASSERT_NE(placed, nullptr) << "control " << id;
                EXPECT_TRUE(Inside(placed->Rect(), window.client)) << "control " << id;
                controls.push_back(placed->Rect());
            }
            std::vector<SkinRect> buttons;
            for (uint32_t id : section.buttons) {
                const SkinRect& rect = skin.FindItem(id)->Rect();
                EXPECT_TRUE(Inside(rect, window.client)) << "button " << id << " at " << SkinRectText(rect);
                for (const SkinRect& other : buttons)
                    EXPECT_FALSE(Overlap(rect, other)) << "button " << id << " at " << SkinRectText(rect);
                for (const SkinRect& control : controls)
                    EXPECT_FALSE(Overlap(rect, control)) << "button " << id << " at " << SkinRectText(rect);
                buttons.push_back(rect);
            }
            for (uint32_t id : section.texts)
                EXPECT_TRUE(Inside(skin.FindItem(id)->Rect(), window.client)) << "text " << id;
        }
    }
}
