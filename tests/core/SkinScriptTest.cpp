#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "SkinTest.h"
#include "skin/SkinItem.h"

namespace {

using Ids = std::vector<uint32_t>;

class SkinScriptTest : public SkinTest {
protected:
    // Loads the script into a fresh skin; the IDs of its items, front (declared last) first.
    Ids Loaded(const std::string& text, const char* section = "[Test]")
    {
        SCOPED_TRACE(text);
        EXPECT_TRUE(Load(skin, text, section));
        EXPECT_TRUE(failures.messages.empty());
        Ids ids;
        for (auto* item = skin.Items().FirstAs<CSkinItem>(); item; item = CLinkList::NextAs(item))
            ids.push_back(item->Id());
        return ids;
    }
    // Loads a script that must fail, and checks the one message it reports
    // (none when message is empty).
    void ExpectFailure(const std::string& text, const std::string& message, const char* section = "[Test]")
    {
        SCOPED_TRACE(text);
        CSkin fresh;
        failures.messages.clear();
        EXPECT_FALSE(Load(fresh, text, section));
        EXPECT_EQ(failures.messages, message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
    }
    static std::string Button(int id) { return StrFormat("BITMAP { ID %d NORMAL { FILE a.bmp } }\r\n", id); }

    CSkin skin;
};

} // namespace

// Includes by name, from another file, and with parameters that stay set afterwards.
TEST_F(SkinScriptTest, ASectionIsReadFromItsHeaderToItsEndEachItemInsertedAtTheFront)
{
    Script("[Shared]\n" + Button(40) + "END\n", "shared.ini");
    EXPECT_EQ(Loaded("[Other]\r\n" + Button(1) + "END\r\n[Piece]\nBITMAP { ID $p1 NORMAL { FILE $p2 } }\nEND\n"
                     "[Test]\r\n" + Button(2) + Button(3) + "SECTION { Shared IN " + PathOf("shared.ini") +
                     " }\nSECTION { Piece ( 11 one.bmp ) Piece ( 12 two.bmp ) }\n"
                     "BITMAP { ID $cat 1 $p1 NORMAL { FILE x.bmp } }\nEND\r\n" + Button(4) + "END\r\n"),
              (Ids{112, 12, 11, 40, 3, 2}));
    EXPECT_STREQ(skin.GetVariable("p2"), "two.bmp");
}

// Failures name the last word read and the count of carriage returns before it
// (line feeds don't count); the end of the input inside SET or SECTION is quiet.
TEST_F(SkinScriptTest, AFailedLoadReportsOnce)
{
    const std::pair<std::string, const char*> cases[] = {
        {"[Piece]\nBOGUS\nEND\n[Test]\nSECTION { Piece }\nEND\n", "Failed at word 'BOGUS' on line 0\n"},
        {"[Test]\nSECTION { Piece IN " + PathOf("absent.ini") + " }\nEND\n", ""},
        {"[Test]\r\nSECTION { Test }\r\nEND\r\n", "Failed at word 'Test' on line 1\n"},  // no endless recursion
        {"[Test]\r\nBITMAP { ID 1 }\r\nEND\r\n", "Failed at word '}' on line 2\n"},  // its separator counts
        {"[Test]\r\n" + Button(1), "Failed at word '}' on line 2\n"},
        {"[Elsewhere]\r\nEND\r\n", "Failed at word 'END' on line 2\n"},
        {"[Test]\nSET name\n", ""},
        {"[Test]\nHOTKEY { 3 NOSUCHKEY }\nEND\n", "Failed at word '}' on line 0\n"},
        {"[Test]\r\nCONTROL { NORMAL { X 1 } }\r\nEND\r\n", "Failed at word '}' on line 2\n"},  // a control needs an ID
    };
    for (const auto& [text, message] : cases)
        ExpectFailure(text, message);
}

TEST_F(SkinScriptTest, OneLoadReadsABoundedNumberOfSections)
{
    // Each level includes the next twice: 2^12 sections unless something stops it.
    std::string text;
    for (int level = 0; level < 12; ++level)
        text += StrFormat("[L%d]\nSECTION { L%d L%d }\nEND\n", level, level + 1, level + 1);
    ExpectFailure(text + "[L12]\nEND\n", "Failed at word 'L12' on line 0\n", "[L0]");
}

TEST_F(SkinScriptTest, TheHotKeyTableKeeps256Bindings)
{
    std::string text = "[Test]\n";
    for (int i = 0; i < 300; ++i)
        text += StrFormat("HOTKEY { %d F5 }\n", i);
    Loaded(text + "END\n");
    ASSERT_EQ(skin.HotKeys().Count(), 256u);
    EXPECT_EQ(skin.HotKeys().At(255).id, 255u);
}
