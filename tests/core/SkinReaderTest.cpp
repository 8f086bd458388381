#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinTestRecorder.h"
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

TEST_F(SkinReaderTest, SeparatorsSplitWordsAndParenthesesStandAlone)
{
    EXPECT_EQ(Words("X=10,Y\t20\r\n"), (W{"X", "10", "Y", "20"}));
    EXPECT_EQ(Words("name(a b)\n"), (W{"name", "(", "a", "b", ")"}));
    EXPECT_EQ(Words("COLOR {255,0,0}\n"), (W{"COLOR", "{255", "0", "0}"}));
    EXPECT_EQ(Words("((x)) \n"), (W{"(", "(", "x", ")", ")"}));
}

TEST_F(SkinReaderTest, QuotedPartsKeepSeparatorsAnywhereInAWord)
{
    EXPECT_EQ(Words("\"Send order\" ab\"c d\"e \"x=1,y\"\n"), (W{"Send order", "abc de", "x=1,y"}));
    // A word of nothing but an empty quoted part reads as nothing, like the end.
    EXPECT_EQ(Words("a \"\" b\n"), (W{"a"}));
}

TEST_F(SkinReaderTest, TheWordAtTheVeryEndOfTheInputIsLost)
{
    EXPECT_EQ(Words("SET a b END"), (W{"SET", "a", "b"}));
    EXPECT_EQ(lastWord, "END");
    EXPECT_EQ(Words("SET a b END\n"), (W{"SET", "a", "b", "END"}));
    EXPECT_EQ(Words("a \"open quote\n"), (W{"a"}));
}

TEST_F(SkinReaderTest, OnlyTheExactWordSlashStarOpensAComment)
{
    EXPECT_EQ(Words("a /* skipped * / still */ END\n"), (W{"a", "END"}));
    EXPECT_EQ(Words("/*x */ b\n"), (W{"/*x", "*/", "b"}));
    EXPECT_EQ(Words("/* one */ /* two */ c\n"), (W{"c"}));
    EXPECT_EQ(Words("a /* never closed\n"), (W{"a"}));
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

TEST_F(SkinReaderTest, ANulCharacterEndsAWordAndReadsAsNothingWhereOneShouldStart)
{
    EXPECT_EQ(Words(std::string("a b\0c d\n", 8)), (W{"a", "b", "c", "d"}));
    EXPECT_EQ(Words(std::string("a \0b c\n", 8)), (W{"a"}));
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
