#pragma once
#include <string>

class CSkin;
class CSkinReader;

// Reads the statements of one section of a skin script into a skin:
// END, SET, SECTION (includes), the item statements and HOTKEY.
class CSkinScript {
public:
    CSkinScript(CSkin& skin, CSkinReader& reader) : m_skin(skin), m_reader(reader) {}

    // Finds the section's header (an empty or null name reads from the start)
    // and reads statements up to its END. False when the input ends inside SET
    // or SECTION, or when the script fails; a failure is reported first.
    bool Load(const char* section);

private:
    enum Outcome { kNext, kEnd, kQuiet, kFailed };
    using Handler = Outcome (CSkinScript::*)();

    Outcome Statement(const char* keyword);
    Outcome End();
    Outcome Set();
    Outcome Section();
    Outcome Include(const std::string& name, const std::string& file);
    Outcome HotKey();
    template <class Item>
    Outcome MakeItem();
    bool Fail() const;

    CSkin& m_skin;
    CSkinReader& m_reader;
};
