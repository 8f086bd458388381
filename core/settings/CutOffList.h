#pragma once
#include <string>
#include <vector>

// The day's order cut-off times in minutes after midnight, earliest first,
// each with its "hh:mm" text. The same time may stand twice.
class CCutOffList {
public:
    struct Entry {
        int minutes;
        std::string text;
    };

    void Add(int minutes);
    void Remove(size_t index);
    void Clear() { m_entries.clear(); }
    size_t Count() const { return m_entries.size(); }
    const Entry& At(size_t index) const { return m_entries[index]; }

    // The first time strictly after minuteOfDay; -1 when none is later, -2
    // when the list is empty.
    int Next(int minuteOfDay) const;

    // The stored form, "600 1140 ": each time and one space, at most 255
    // characters. A time that no longer fits is left out whole.
    std::string Text() const;
    // Replaces the list with the times of a stored text.
    void SetText(const std::string& text);

private:
    std::vector<Entry> m_entries;
};
