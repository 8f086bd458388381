#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinTest.h"
#include "skin/SkinReader.h"
#include "skin/SkinVariables.h"

namespace {

class SkinReaderTest : public SkinTest {
protected:
    void SetUp() override
    {
        SkinTest::SetUp();
        variables.Set("Colour", "red");
        variables.Set("a", "left");
        variables.Set("b", "right");
        variables.Set("ab", "never");
        variables.Set("long", std::string(1023, 'v').c_str());
    }

    // Every word the reader delivers, up to the first "nothing".
    std::vector<std::string> Words(const std::string& text)
    {
        CSkinReader reader(variables, Script(text).c_str());
        std::vector<std::string> words;
        while (const char* word = reader.NextWord())
            words.push_back(word);
        lastWord = reader.LastWord();
        line = reader.Line();
        return words;
    }

    using W = std::vector<std::string>;
    CSkinVariables variables;
    std::string lastWord;
    uint32_t line = 0;
};

} // namespace

TEST_F(SkinReaderTest, WordsAsTheReaderDeliversThem)
{
    const std::string longWord(3000, 'w'), cut(1023, 'w');
    std::string deepCat;
    for (int i = 0; i < 40; ++i)
        deepCat += "$cat ";
    const std::pair<std::string, W> cases[] = {
        // Separators split words and parentheses stand alone.
        {"X=10,Y\t20\r\n", {"X", "10", "Y", "20"}},
        {"name(a b)\n", {"name", "(", "a", "b", ")"}},
        {"COLOR {255,0,0}\n", {"COLOR", "{255", "0", "0}"}},
        {"((x)) \n", {"(", "(", "x", ")", ")"}},
        // Quoted parts keep separators anywhere in a word; a word of nothing but
        // an empty quoted part reads as nothing, like the end.
        {"\"Send order\" ab\"c d\"e \"x=1,y\"\n", {"Send order", "abc de", "x=1,y"}},
        {"a \"\" b\n", {"a"}},
        // Only the exact word "/*" opens a comment.
        {"a /* skipped * / still */ END\n", {"a", "END"}},
        {"/*x */ b\n", {"/*x", "*/", "b"}},
        {"/* one */ /* two */ c\n", {"c"}},
        {"a /* never closed\n", {"a"}},
        // A NUL ends a word, and reads as nothing where one should start.
        {std::string("a b\0c d\n", 8), {"a", "b", "c", "d"}},
        {std::string("a \0b c\n", 8), {"a"}},
        // The word at the very end of the input is lost, and so is an open quote.
        {"SET a b END", {"SET", "a", "b"}},
        {"a \"open quote\n", {"a"}},
        // Variables read as their values whatever the case of their names; unset ones as one space.
        {"$colour $COLOUR $missing x\n", {"red", "red", " ", "x"}},
        // $cat joins the next two words without looking the result up; a lone $ names an unset variable.
        {"$cat $a $b $cat a b $cat $cat x y z\n", {"leftright", "ab", "xyz"}},
        {"$cat /* c */ p q\n", {"pq"}},
        {"$cat $ a\n", {" a"}},
        // $cat cut short by the end of the input, or nested deeper than the reader allows, yields nothing.
        {"x $cat y\n", {"x"}},
        {deepCat + "a b c d e f\n", {}},
        // Words, quoted parts and $cat results are cut at 1,023 characters.
        {longWord + " next \"" + longWord + "\" x\n", {cut, "next", cut, "x"}},
        {"$cat $long $long x\n", {std::string(1023, 'v'), "x"}},
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(Words(text), words) << text.substr(0, 80);
}

TEST_F(SkinReaderTest, TheLastWordAndItsLineAreKeptForTheFailureMessage)
{
    Words("SET a b END");
    EXPECT_EQ(lastWord, "END");
    Words("a\nb\nc\n");
    EXPECT_EQ(line, 0u) << "line feeds don't count";
    Words("a\r\nb\r\nc\r\n");
    EXPECT_EQ(line, 3u);
    Words("a\r\"two\r\rlines\"\r");
    EXPECT_EQ(line, 4u);
}

TEST_F(SkinReaderTest, AMissingFileIsNotOpenAndReadsNothing)
{
    CSkinReader reader(variables, PathOf("absent.ini").c_str());
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.NextWord(), nullptr);
}

TEST_F(SkinReaderTest, OperandsStopAtTheClosingBrace)
{
    CSkinReader reader(variables, Script("a } b\n").c_str());
    EXPECT_STREQ(reader.NextOperand(), "a");
    EXPECT_EQ(reader.NextOperand(), nullptr);
    EXPECT_STREQ(reader.NextOperand(), "b");
    EXPECT_EQ(reader.NextOperand(), nullptr);
    EXPECT_TRUE(reader.AtEnd());
}
