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
        // Separators split words and parentheses stand alone.
        {"X=10,Y\t20 name(a b)\r\n", {"X", "10", "Y", "20", "name", "(", "a", "b", ")"}},
        // Quoted parts keep separators anywhere in a word.
        {"\"Send order\" ab\"c d\"e \"x=1,y\"\n", {"Send order", "abc de", "x=1,y"}},
        // Only the exact word "/*" opens a comment; comments in a row are all skipped.
        {"a /* skipped * / still */ /* two */ END\n", {"a", "END"}},
        // A NUL reads as nothing where a word should start.
        {std::string("a \0b c\n", 8), {"a"}},
        // Variables read as their values whatever the case of their names; unset ones as one space.
        {"$colour $COLOUR $missing x\n", {"red", "red", " ", "x"}},
        // $cat joins the next two words without looking the result up.
        {"$cat $a $b $cat a b $cat $cat x y z\n", {"leftright", "ab", "xyz"}},
        // $cat cut short by the end of the input, or nested deeper than the reader allows, yields nothing.
        {"x $cat y\n", {"x"}},
        {deepCat + "a b c d e f\n", {}},
        // Words and quoted parts are cut at 1,023 characters.
        {longWord + " next \"" + longWord + "\" x\n", {cut, "next", cut, "x"}},
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(Words(text), words) << text.substr(0, 80);
}
