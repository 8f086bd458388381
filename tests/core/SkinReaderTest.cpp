#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinTest.h"
#include "skin/SkinReader.h"
#include "skin/SkinVariables.h"

namespace {

class SkinReaderTest : public SkinTest {
protected:
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
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(Words(text), words) << text;
}

TEST_F(SkinReaderTest, TheWordAtTheVeryEndOfTheInputIsLost)
{
    EXPECT_EQ(Words("SET a b END"), (W{"SET", "a", "b"}));
    EXPECT_EQ(lastWord, "END");
    EXPECT_EQ(Words("SET a b END\n"), (W{"SET", "a", "b", "END"}));
    EXPECT_EQ(Words("a \"open quote\n"), (W{"a"}));
}

TEST_F(SkinReaderTest, VariablesReadAsTheirValuesAndUnsetOnesAsOneSpace)
{
    variables.Set("Colour", "red");
    EXPECT_EQ(Words("$colour $COLOUR $missing x\n"), (W{"red", "red", " ", "x"}));
}

TEST_F(SkinReaderTest, CatJoinsTheNextTwoWordsWithoutLookingTheResultUp)
{
    variables.Set("a", "left");
    variables.Set("b", "right");
    variables.Set("ab", "never");
    EXPECT_EQ(Words("$cat $a $b $cat a b $cat $cat x y z\n"), (W{"leftright", "ab", "xyz"}));
    EXPECT_EQ(Words("$cat /* c */ p q\n"), (W{"pq"}));
    EXPECT_EQ(Words("$cat $ a\n"), (W{" a"})) << "a lone $ names an unset variable";
}

TEST_F(SkinReaderTest, CatCutShortByTheEndOfTheInputYieldsNothing)
{
    EXPECT_EQ(Words("x $cat y\n"), (W{"x"}));
    std::string deep;
    for (int i = 0; i < 40; ++i)
        deep += "$cat ";
    EXPECT_EQ(Words(deep + "a b c d e f\n"), W{}) << "nested deeper than the reader allows";
}

TEST_F(SkinReaderTest, LinesCountCarriageReturnsOnly)
{
    Words("a\nb\nc\n");
    EXPECT_EQ(line, 0u);
    Words("a\r\nb\r\nc\r\n");
    EXPECT_EQ(line, 3u);
    Words("a\r\"two\r\rlines\"\r");
    EXPECT_EQ(line, 4u);
}

TEST_F(SkinReaderTest, LongWordsAreCutAt1023Characters)
{
    const std::string longWord(3000, 'w');
    const W words = Words(longWord + " next \"" + longWord + "\" x\n");
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[0], std::string(1023, 'w'));
    EXPECT_EQ(words[1], "next");
    EXPECT_EQ(words[2], std::string(1023, 'w'));
    variables.Set("long", std::string(1023, 'v').c_str());
    EXPECT_EQ(Words("$cat $long $long x\n"), (W{std::string(1023, 'v'), "x"}));
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
