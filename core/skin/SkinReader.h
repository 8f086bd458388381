#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class CSkinVariables;

// Reads the words of one skin script file, one reader per section being read.
//
// Separators are tab, line feed, carriage return, space, "=" and ",". "(" and
// ")" are words of their own. A double quote opens a quoted part anywhere in a
// word; it keeps separators. The word "/*" opens a comment up to "*/". "$name"
// reads as the variable's value (a single space when unset), and "$cat a b"
// as a and b joined. A word that runs into the end of the file is lost.
class CSkinReader {
public:
    static constexpr size_t kWordSize = 1024;  // a word keeps at most 1023 characters
    static constexpr int kMaxCatDepth = 32;    // "$cat" nested deeper ends the input

    CSkinReader(const CSkinVariables& variables, const char* path);
    ~CSkinReader();
    CSkinReader(const CSkinReader&) = delete;
    CSkinReader& operator=(const CSkinReader&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    bool AtEnd() const { return m_atEnd; }
    const std::string& Path() const { return m_path; }
    // Carriage returns read so far; line feeds don't count.
    uint32_t Line() const { return m_line; }

    // The next word, or null at the end of the input. Valid until the next call.
    const char* NextWord();
    // The operand of a keyword: null when the input ends or the word is "}".
    const char* NextOperand();
    // The last word read, for failure messages; at the end of the input the
    // word that was lost there, if any.
    const char* LastWord() const { return m_word; }

private:
    bool ReadWord(int catDepth);
    bool ReadRaw();
    void Collect(int c);
    void SkipComment();
    bool JoinNextTwo(int catDepth);
    void Substitute();
    void SetWord(const char* text, size_t length);
    void Append(char c);
    int Get();

    const CSkinVariables& m_variables;
    std::string m_path;
    FILE* m_file = nullptr;
    uint32_t m_line = 0;
    bool m_atEnd = false;
    int m_pushedBack = -1;
    char m_word[kWordSize] = {};
    size_t m_length = 0;
};
