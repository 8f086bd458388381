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
        return words;
    }

    using W = std::vector<std::string>;
    CSkinVariables variables;
};

} // namespace

TEST_F(SkinReaderTest, WordsAsTheReaderDeliversThem)
{
    const std::string longWord(3000, 'w'), cut(1023, 'w');
    std::string deepCat;
    for (int i = 0; i < 40; ++i)
        deepCat += "$cat ";
    const std::pair<std::string, W> cases[] = {
        // Separators split words and parentheses stand alone; braces do not.
        {"X=10,Y\t20 name(a b)\r\n", {"X", "10", "Y", "20", "name", "(", "a", "b", ")"}},
        {"COLOR {255,0,0}\n", {"COLOR", "{255", "0", "0}"}},
        // Quoted parts keep separators anywhere in a word.
        {"\"Send order\" ab\"c d\"e \"x=1,y\"\n", {"Send order", "abc de", "x=1,y"}},
        // Only the exact word "/*" opens a comment; comments in a row are all skipped.
        {"a /* skipped * / still */ /* two */ END\n", {"a", "END"}},
        {"/*x */ b\n", {"/*x", "*/", "b"}},
        // A NUL reads as nothing where a word should start.
        {std::string("a \0b c\n", 8), {"a"}},
        // The word at the very end of the input is lost.
        {"SET a b END", {"SET", "a", "b"}},
        // Variables read as their values whatever the case of their names; unset ones as one space.
        {"$colour $COLOUR $missing x\n", {"red", "red", " ", "x"}},
        // $cat joins the next two words without looking the result up.
        {"$cat $a $b $cat a b $cat $cat x y z\n", {"leftright", "ab", "xyz"}},
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
