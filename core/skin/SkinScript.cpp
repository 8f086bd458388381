#include "skin/SkinScript.h"

#include <cstring>

#include "base/StrFormat.h"
#include "skin/Skin.h"
#include "skin/SkinButton.h"
#include "skin/SkinControl.h"
#include "skin/SkinEllipse.h"
#include "skin/SkinPolygonItem.h"
#include "skin/SkinReader.h"
#include "skin/SkinRectangle.h"
#include "skin/SkinRegion.h"
#include "skin/SkinWords.h"

namespace {

bool Is(const char* word, const char* punctuation)
{
    return std::strcmp(word, punctuation) == 0;
}

} // namespace

bool CSkinScript::Load(const char* section)
{
    if (section && *section) {
        const char* word;
        while ((word = m_reader.NextWord()) && !SkinWordIs(word, section)) {
        }
    }
    for (;;) {
        const char* keyword = m_reader.NextWord();
        const Outcome outcome = keyword ? Statement(keyword) : kFailed;
        switch (outcome) {
        case kNext: break;
        case kEnd: return true;
        case kQuiet: return false;
        case kFailed: return Fail();
        }
    }
}

CSkinScript::Outcome CSkinScript::Statement(const char* keyword)
{
    struct Entry {
        const char* keyword;
        Handler handler;
    };
    static const Entry kStatements[] = {
        {"END", &CSkinScript::End},
        {"SET", &CSkinScript::Set},
        {"SECTION", &CSkinScript::Section},
        {"BITMAP", &CSkinScript::MakeItem<CSkinButton>},
        {"RECTANGLE", &CSkinScript::MakeItem<CSkinRectangle>},
        {"ELLIPSE", &CSkinScript::MakeItem<CSkinEllipse>},
        {"POLYGON", &CSkinScript::MakeItem<CSkinPolygonItem>},
        {"CONTROL", &CSkinScript::MakeItem<CSkinControl>},
        {"REGION", &CSkinScript::MakeItem<CSkinRegion>},
        {"HOTKEY", &CSkinScript::HotKey},
    };
    for (const Entry& entry : kStatements)
        if (SkinWordIs(keyword, entry.keyword))
            return (this->*entry.handler)();
    return kFailed;
}

CSkinScript::Outcome CSkinScript::End()
{
    return kEnd;
}

CSkinScript::Outcome CSkinScript::Set()
{
    const char* word = m_reader.NextWord();
    if (!word)
        return kQuiet;
    const std::string name = word;
    const char* value = m_reader.NextWord();
    if (!value)
        return kQuiet;
    m_skin.SetVariable(name.c_str(), value);
    return kNext;
}

// SECTION { name [( p1 p2 ... )] [IN file] ... }. A word other than "{" after
// SECTION is dropped. Each include's name is looked ahead of before the
// include is read, as is the word after it.
CSkinScript::Outcome CSkinScript::Section()
{
    const char* word = m_reader.NextWord();
    if (!word)
        return kQuiet;
    if (!Is(word, "{"))
        return kNext;
    word = m_reader.NextWord();
    for (;;) {
        if (!word)
            return kQuiet;
        if (Is(word, "}"))
            return kNext;
        if (!m_skin.CanInclude())
            return kFailed;
        const std::string name = word;
        std::string file = m_reader.Path();
        word = m_reader.NextWord();
        if (word && Is(word, "(")) {
            int count = 0;
            while ((word = m_reader.NextWord()) && !Is(word, ")"))
                m_skin.SetVariable(StrFormat("p%d", ++count).c_str(), word);
            word = word ? m_reader.NextWord() : nullptr;
        }
        if (word && Is(word, "IN")) {
            word = m_reader.NextWord();
            if (!word)
                return kQuiet;
            file = word;
            word = m_reader.NextWord();
        }
        if (!word)
            return kQuiet;
        const Outcome outcome = Include(name, file);
        if (outcome != kNext)
            return outcome;
    }
}

// The included section's own failures are reported by its load.
CSkinScript::Outcome CSkinScript::Include(const std::string& name, const std::string& file)
{
    const std::string section = "[" + name + "]";
    return m_skin.LoadSection(file.c_str(), section.c_str()) ? kNext : kQuiet;
}

// A rejected binding simply stops where it stopped.
CSkinScript::Outcome CSkinScript::HotKey()
{
    m_skin.HotKeys().ReadBinding(m_reader);
    return kNext;
}

template <class Item>
CSkinScript::Outcome CSkinScript::MakeItem()
{
    Item* item = new Item;
    item->SetOwner(&m_skin);
    if (!item->Parse(m_reader)) {
        item->Release();
        return kFailed;
    }
    m_skin.AddItem(item);
    return kNext;
}

bool CSkinScript::Fail() const
{
    const std::string message =
        StrFormat("Failed at word '%s' on line %d\n", m_reader.LastWord(), static_cast<int>(m_reader.Line()));
    CSkin::ReportFailure(message.c_str());
    return false;
}
