#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "SkinTest.h"
#include "skin/SkinBitmapCache.h"
#include "skin/SkinButton.h"
#include "skin/SkinControl.h"

// The shipped skin: every section the program uses loads, has what its window
// uses, and lays out inside the window at the dialog templates' sizes. The
// Wine end-to-end tests press its hot keys and click its buttons.

namespace {

struct Section {
    const char* name;
    int templateWidth;   // dialog units
    int templateHeight;
    std::vector<uint32_t> buttons;
    std::vector<uint32_t> texts;
};

const Section kSections[] = {
    {"[QuillboxDialog]", 406, 335, {1, 2, 3, 10, 11, 12, 13, 14, 15, 16, 17}, {100, 101, 102, 103, 104}},
    {"[HistoryDialog]", 498, 215, {1}, {100}},
    {"[SearchDialog]", 380, 280, {1, 2}, {100}},
    {"[SettingsDialog]", 356, 216, {1, 2, 3, 10}, {100, 101, 102, 103}},
    {"[PlaceOrderDialog]", 300, 190, {1}, {100}},
    {"[OrderResponseDialog]", 380, 240, {1}, {100}},
    {"[AboutDialog]", 220, 96, {1}, {100}},
    {"[OkDialog]", 186, 66, {1}, {100}},
    {"[YesNoDialog]", 186, 66, {1, 2}, {100}},
};

bool Inside(const SkinRect& inner, const SkinRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Dialog units become pixels at 1.5 across, and 1.5 (Wine's metrics) or
// 1.625 (Windows at 96 dpi) down: the layout must fit both. Controls and
// buttons never overlap, and they and the texts lie inside the window.
void ExpectLaidOutInside(CSkin& skin, CRecordingWindow& window, const Section& section, double scale)
{
    SCOPED_TRACE(StrFormat("at %.3f", scale));
    window.FreeBuffer();
    window.client = SkinRect{0, 0, int32_t(section.templateWidth * 1.5), int32_t(section.templateHeight * scale)};
    skin.WindowProc(0x000F, 0, 0);
    std::vector<SkinRect> placed;  // the controls', then the buttons'
    for (auto* item = skin.Items().FirstAs<CSkinItem>(); item; item = CLinkList::NextAs(item))
        if (dynamic_cast<const CSkinControl*>(item))
            placed.push_back(item->Rect());
    for (uint32_t id : section.buttons) {
        const SkinRect& rect = skin.FindItem(id)->Rect();
        for (const SkinRect& other : placed)
            EXPECT_FALSE(rect.left < other.right && other.left < rect.right && rect.top < other.bottom &&
                         other.top < rect.bottom) << "button " << id << " overlaps " << SkinRectText(other);
        placed.push_back(rect);
    }
    for (const SkinRect& rect : placed)
        EXPECT_TRUE(Inside(rect, window.client)) << SkinRectText(rect);
    for (uint32_t id : section.texts)
        EXPECT_TRUE(Inside(skin.FindItem(id)->Rect(), window.client)) << "text " << id;
}

// The shipped skin copied as "Skin" into a fresh folder that becomes the
// current directory, as the program finds it beside itself.
class SkinDefaultTest : public SkinTest {
protected:
    void SetUp() override
    {
        SkinTest::SetUp();
        CSkinBitmapCache::Shared().SetLoader(nullptr);  // read the real bitmaps' headers
        std::filesystem::copy(std::filesystem::path(QBX_SOURCE_DIR) / "skin", PathOf("Skin"));
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Folder());
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_previous);
        SkinTest::TearDown();
    }

    std::filesystem::path m_previous;
};

} // namespace

TEST_F(SkinDefaultTest, EverySectionLoadsWhatItsWindowUsesAndFitsTheTemplateSize)
{
    std::vector<uint32_t> bound(256, 0);  // the main window's hot keys
    for (const Section& section : kSections) {
        SCOPED_TRACE(section.name);
        CRecordingWindow window;
        CSkin skin;
        ASSERT_TRUE(skin.Attach(&window, 0x8000));
        EXPECT_TRUE(skin.LoadSection("Skin/skin.ini", section.name));
        for (const std::vector<uint32_t>* ids : {&section.buttons, &section.texts})
            for (uint32_t id : *ids)
                ASSERT_NE(dynamic_cast<const CSkinButton*>(skin.FindItem(id)), nullptr) << "no button " << id;
        for (auto* item = skin.Items().FirstAs<CSkinItem>(); item; item = CLinkList::NextAs(item)) {
            if (dynamic_cast<const CSkinControl*>(item))
                window.visibleControls.insert(item->Id());
            const auto* button = dynamic_cast<const CSkinButton*>(item);
            for (int state = 0; button && state < kSkinStateCount; ++state) {
                if (const CSkinBitmapFile* file = button->Image(state).File()) {
                    EXPECT_TRUE(file->IsLoaded()) << file->FileName();
                }
            }
        }
        for (double scale : {1.5, 1.625})
            ExpectLaidOutInside(skin, window, section, scale);
        // F2 (Settings) is the binding no end-to-end test presses.
        for (size_t i = 0; section.name == kSections[0].name && i < skin.HotKeys().Count(); ++i)
            bound[skin.HotKeys().At(i).key] = skin.HotKeys().At(i).id;
    }
    EXPECT_EQ(bound[0x71], 10u);
    EXPECT_TRUE(failures.messages.empty()) << failures.messages.front();
}

