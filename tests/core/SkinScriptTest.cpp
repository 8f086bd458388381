#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinTestRecorder.h"
#include "skin/SkinButton.h"
#include "skin/SkinItem.h"

namespace {

class SkinScriptTest : public SkinTest {
protected:
    // The IDs of the skin's items, front (declared last) first.
    static std::vector<uint32_t> Ids(const CSkin& skin)
    {
        std::vector<uint32_t> ids;
        for (auto* item = skin.Items().FirstAs<CSkinItem>(); item; item = CLinkList::NextAs(item))
            ids.push_back(item->Id());
        return ids;
    }
    // Loads a script that must fail, and checks the one message it reports.
    void ExpectFailure(const std::string& text, const std::string& message, const char* section = "[Test]")
    {
        SCOPED_TRACE(text);
        CSkin skin;
        failures.messages.clear();
        EXPECT_FALSE(Load(skin, text, section));
        EXPECT_EQ(failures.messages, std::vector<std::string>{message});
    }
    void ExpectQuietFalse(const std::string& text)
    {
        SCOPED_TRACE(text);
        CSkin skin;
        failures.messages.clear();
        EXPECT_FALSE(Load(skin, text));
        EXPECT_TRUE(failures.messages.empty());
    }

    static constexpr const char* kButton = "BITMAP { ID %d NORMAL { FILE a.bmp } }\r\n";
    static std::string Button(int id) { return StrFormat(kButton, id); }
};

} // namespace

TEST_F(SkinScriptTest, ASectionRunsFromItsHeaderToItsEnd)
{
    CSkin skin;
    const std::string text = "[Other]\r\n" + Button(1) + "END\r\n[Test]\r\n" + Button(2) + Button(3) +
                             "END\r\n" + Button(4) + "END\r\n";
    EXPECT_TRUE(Load(skin, text));
    EXPECT_EQ(Ids(skin), (std::vector<uint32_t>{3, 2})) << "inserted at the front";
    EXPECT_TRUE(failures.messages.empty());
}

TEST_F(SkinScriptTest, SectionNamesMatchWithoutRegardToCaseWhereverTheyStand)
{
    CSkin skin;
    EXPECT_TRUE(Load(skin, "SET x [TEST] " + Button(5) + "END\n"));
    EXPECT_EQ(Ids(skin), std::vector<uint32_t>{5});
}

TEST_F(SkinScriptTest, FindItemTakesTheItemDeclaredLast)
{
    CSkin skin;
    ASSERT_TRUE(Load(skin, "[Test]\n" + Button(7) + Button(8) + Button(7) + "END\n"));
    EXPECT_EQ(skin.FindItem(7), skin.Items().First());
    EXPECT_EQ(skin.FindItem(9), nullptr);
}

TEST_F(SkinScriptTest, LoadingAgainAddsToTheSameSkin)
{
    CSkin skin;
    const std::string path = Script("[A]\n" + Button(1) + "SET shared yes\nEND\n[B]\n" + Button(2) + "END\n");
    EXPECT_TRUE(skin.LoadSection(path.c_str(), "[A]"));
    EXPECT_TRUE(skin.LoadSection(path.c_str(), "[B]"));
    EXPECT_EQ(Ids(skin), (std::vector<uint32_t>{2, 1}));
    EXPECT_STREQ(skin.GetVariable("SHARED"), "yes");
}

TEST_F(SkinScriptTest, SetReplacesAVariableAndMovesItToTheEnd)
{
    CSkin skin;
    ASSERT_TRUE(Load(skin, "[Test]\nSET a 1 SET b 2 SET A 3 SET c $a\nEND\n"));
    EXPECT_STREQ(skin.GetVariable("a"), "3");
    EXPECT_STREQ(skin.GetVariable("c"), "3");
    EXPECT_EQ(skin.GetVariable("d"), nullptr);
}

TEST_F(SkinScriptTest, IncludesPassParametersThatStaySetAfterwards)
{
    CSkin skin;
    const std::string text = "[Piece]\nBITMAP { ID $p1 NORMAL { FILE $p2 } }\nEND\n"
                             "[Test]\nSECTION { Piece ( 11 one.bmp ) Piece ( 12 two.bmp ) }\n"
                             "BITMAP { ID $cat 1 $p1 NORMAL { FILE x.bmp } }\nEND\n";
    ASSERT_TRUE(Load(skin, text));
    EXPECT_EQ(Ids(skin), (std::vector<uint32_t>{112, 12, 11}));
    EXPECT_STREQ(skin.GetVariable("p2"), "two.bmp");
}

TEST_F(SkinScriptTest, IncludesReadOtherFilesWithIn)
{
    Script("[Shared]\n" + Button(40) + "END\n", "shared.ini");
    CSkin skin;
    ASSERT_TRUE(Load(skin, "[Test]\nSECTION { Shared IN " + PathOf("shared.ini") + " }\nEND\n"));
    EXPECT_EQ(Ids(skin), std::vector<uint32_t>{40});
}

TEST_F(SkinScriptTest, ASectionWordWithoutABraceIsDropped)
{
    CSkin skin;
    EXPECT_TRUE(Load(skin, "[Test]\nSECTION Piece " + Button(3) + "END\n"));
    EXPECT_EQ(Ids(skin), std::vector<uint32_t>{3});
}

TEST_F(SkinScriptTest, AFailedIncludeFailsTheIncludingLoadOnce)
{
    ExpectFailure("[Piece]\nBOGUS\nEND\n[Test]\nSECTION { Piece }\nEND\n", "Failed at word 'BOGUS' on line 0\n");
    ExpectQuietFalse("[Test]\nSECTION { Piece IN " + PathOf("absent.ini") + " }\nEND\n");
}

TEST_F(SkinScriptTest, ASectionThatIncludesItselfFailsInsteadOfRecursing)
{
    ExpectFailure("[Test]\r\nSECTION { Test }\r\nEND\r\n", "Failed at word 'Test' on line 1\n");
}

TEST_F(SkinScriptTest, OneLoadReadsABoundedNumberOfSections)
{
    // Each level includes the next twice: 2^12 sections unless something stops it.
    std::string text;
    for (int level = 0; level < 12; ++level)
        text += StrFormat("[L%d]\nSECTION { L%d L%d }\nEND\n", level, level + 1, level + 1);
    text += "[L12]\nEND\n";
    ExpectFailure(text, "Failed at word 'L12' on line 0\n", "[L0]");
}

TEST_F(SkinScriptTest, TheEndOfTheInputInsideSetOrSectionIsQuiet)
{
    ExpectQuietFalse("[Test]\nSET name\n");
    ExpectQuietFalse("[Test]\nSET\n");
    ExpectQuietFalse("[Test]\nSECTION\n");
    ExpectQuietFalse("[Test]\nSECTION { Piece ( a b\n");
    ExpectQuietFalse("[Test]\nSECTION { Piece IN\n");
    ExpectQuietFalse("[Test]\nSECTION { Piece\n");
}

TEST_F(SkinScriptTest, FailuresNameTheLastWordAndTheCarriageReturnCount)
{
    ExpectFailure("[Test]\r\nWHAT\r\nEND\r\n", "Failed at word 'WHAT' on line 2\n");
    ExpectFailure("[Test] WHAT x\r\n", "Failed at word 'WHAT' on line 0\n");
    ExpectFailure("[Test]\nWHAT\nEND\n", "Failed at word 'WHAT' on line 0\n");  // line feeds don't count
    ExpectFailure("[Test]\r\nBITMAP { ID 1 }\r\nEND\r\n", "Failed at word '}' on line 2\n");  // its separator counts
}

TEST_F(SkinScriptTest, TheEndOfTheInputWhereAStatementShouldBeginFails)
{
    ExpectFailure("[Test]\r\n" + Button(1) + "END", "Failed at word 'END' on line 2\n");
    ExpectFailure("[Test]\r\n" + Button(1), "Failed at word '}' on line 2\n");
    ExpectFailure("[Elsewhere]\r\nEND\r\n", "Failed at word 'END' on line 2\n");
}

TEST_F(SkinScriptTest, AMissingFileIsAQuietFalseThatAddsNothing)
{
    CSkin skin;
    EXPECT_FALSE(skin.LoadSection(PathOf("absent.ini").c_str(), "[Test]"));
    EXPECT_EQ(skin.Items().Count(), 0u);
    EXPECT_TRUE(failures.messages.empty());
}

TEST_F(SkinScriptTest, ACommentBeforeEndStillEnds)
{
    CSkin skin;
    EXPECT_TRUE(Load(skin, "[Test]\n/* notes * and / things */ END\n"));
}

TEST_F(SkinScriptTest, HotKeysBindKeysToIdsInScriptOrder)
{
    CSkin skin;
    ASSERT_TRUE(Load(skin, "[Test]\nHOTKEY { 10 F2 } HOTKEY { 0 ctrl shift RETURN alt } HOTKEY { 12 x EXT }\nEND\n"));
    const CSkinHotKeys& keys = skin.HotKeys();
    ASSERT_EQ(keys.Count(), 3u);
    EXPECT_EQ(keys.At(0).key, 0x71u);
    EXPECT_EQ(keys.At(0).id, 10u);
    EXPECT_EQ(keys.At(1).key, 0x0Du);
    EXPECT_EQ(keys.At(1).id, 0u);
    EXPECT_EQ(keys.At(2).key, 0x58u);
}

TEST_F(SkinScriptTest, ARejectedHotKeyStopsWhereItStopped)
{
    CSkin skin;
    EXPECT_TRUE(Load(skin, "[Test]\nHOTKEY { 2 } HOTKEY F2 END\n")) << "both rejections end on a consumed word";
    EXPECT_EQ(skin.HotKeys().Count(), 0u);
    ExpectFailure("[Test]\nHOTKEY { 1 F2 F3 }\nEND\n", "Failed at word '}' on line 0\n");
    ExpectFailure("[Test]\nHOTKEY { 3 NOSUCHKEY }\nEND\n", "Failed at word '}' on line 0\n");
}

TEST_F(SkinScriptTest, TheHotKeyTableKeeps256Bindings)
{
    std::string text = "[Test]\n";
    for (int i = 0; i < 300; ++i)
        text += StrFormat("HOTKEY { %d F5 }\n", i);
    CSkin skin;
    EXPECT_TRUE(Load(skin, text + "END\n"));
    ASSERT_EQ(skin.HotKeys().Count(), 256u);
    EXPECT_EQ(skin.HotKeys().At(255).id, 255u);
}

TEST(SkinKeyNames, Hold123NamesWithTheirVirtualKeyCodes)
{
    EXPECT_EQ(CSkinHotKeys::KeyNameCount(), 123u);
    EXPECT_EQ(CSkinHotKeys::KeyCode("back"), 0x08u);
    EXPECT_EQ(CSkinHotKeys::KeyCode("KANJI"), 0x19u);
    EXPECT_EQ(CSkinHotKeys::KeyCode("7"), 0x37u);
    EXPECT_EQ(CSkinHotKeys::KeyCode("z"), 0x5Au);
    EXPECT_EQ(CSkinHotKeys::KeyCode("SLEEP"), 0x5Fu);
    EXPECT_EQ(CSkinHotKeys::KeyCode("F24"), 0x87u);
    EXPECT_EQ(CSkinHotKeys::KeyCode("RMENU"), 0xA5u);
    EXPECT_EQ(CSkinHotKeys::KeyCode("F25"), 0u);
    EXPECT_EQ(CSkinHotKeys::KeyCode("ENTER"), 0u);
}
