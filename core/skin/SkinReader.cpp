#include "skin/SkinReader.h"

#include <cstring>

#include "skin/SkinVariables.h"

namespace {

bool IsSeparator(int c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == '=' || c == ',';
}

bool IsParen(int c)
{
    return c == '(' || c == ')';
}

} // namespace

CSkinReader::CSkinReader(const CSkinVariables& variables, const char* path)
    : m_variables(variables), m_path(path ? path : ""), m_file(path ? std::fopen(path, "rb") : nullptr)
{
}

CSkinReader::~CSkinReader()
{
    if (m_file)
        std::fclose(m_file);
}

const char* CSkinReader::NextWord()
{
    return ReadWord(0) ? m_word : nullptr;
}

const char* CSkinReader::NextOperand()
{
    const char* word = NextWord();
    return (word && std::strcmp(word, "}") != 0) ? word : nullptr;
}

bool CSkinReader::ReadWord(int catDepth)
{
    if (!m_file)
        return false;
    if (!ReadRaw())
        return false;
    while (std::strcmp(m_word, "/*") == 0) {
        SkipComment();
        if (!ReadRaw())
            return false;
    }
    if (std::strcmp(m_word, "$cat") == 0)
        return JoinNextTwo(catDepth);
    if (m_word[0] == '$')
        Substitute();
    return m_length > 0 && !m_atEnd;
}

// Steps over separators and collects one word as written; false when there is
// none (end of input, a NUL, or a word that is only an empty quoted part).
bool CSkinReader::ReadRaw()
{
    int c = EOF;
    while (!m_atEnd) {
        c = Get();
        if (!IsSeparator(c))
            break;
    }
    if (c == EOF || c == 0)
        return false;
    m_length = 0;
    m_word[0] = 0;
    if (IsParen(c))
        Append(static_cast<char>(c));
    else
        Collect(c);
    return m_length > 0;
}

void CSkinReader::Collect(int c)
{
    for (;;) {
        if (c == '"') {
            while ((c = Get()) != EOF && c != '"')
                Append(static_cast<char>(c));
        } else {
            Append(static_cast<char>(c));
        }
        if (m_atEnd)
            return;
        c = Get();
        if (c == EOF || c == 0 || IsSeparator(c))
            return;
        if (IsParen(c)) {
            m_pushedBack = c;  // the next word
            return;
        }
    }
}

void CSkinReader::SkipComment()
{
    int previous = 0;
    for (int c = Get(); c != EOF; c = Get()) {
        if (previous == '*' && c == '/')
            return;
        previous = c;
    }
}

// "$cat": the next two words, each read in full, joined. The result is not
// looked up as a variable. Nested too deep, or cut short by the end of the
// input, it yields nothing.
bool CSkinReader::JoinNextTwo(int catDepth)
{
    if (catDepth >= kMaxCatDepth || !ReadWord(catDepth + 1))
        return false;
    const std::string first(m_word, m_length);
    if (!ReadWord(catDepth + 1))
        return false;
    const std::string second(m_word, m_length);
    SetWord(first.data(), first.size());
    for (char c : second)
        Append(c);
    return !m_atEnd;
}

void CSkinReader::Substitute()
{
    const std::string name(m_word + 1);
    const char* value = m_variables.Get(name.c_str());
    if (!value)
        value = " ";
    SetWord(value, std::strlen(value));
}

void CSkinReader::SetWord(const char* text, size_t length)
{
    m_length = 0;
    m_word[0] = 0;
    for (size_t i = 0; i < length; ++i)
        Append(text[i]);
}

// Characters past the 1023rd of a word are dropped: the word is cut, not split.
void CSkinReader::Append(char c)
{
    if (m_length + 1 >= kWordSize)
        return;
    m_word[m_length++] = c;
    m_word[m_length] = 0;
}

int CSkinReader::Get()
{
    if (m_pushedBack >= 0) {
        const int c = m_pushedBack;
        m_pushedBack = -1;
        return c;
    }
    const int c = std::getc(m_file);
    if (c == EOF)
        m_atEnd = true;
    else if (c == '\r')
        ++m_line;
    return c;
}
