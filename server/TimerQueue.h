#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <utility>

// The event loop's timers for every connection, by key: a connection's
// serial number and a timer id. Repeating timers are re-armed as they fall due.
class CTimerQueue {
public:
    using Key = uint64_t;
    static Key MakeKey(uint64_t owner, int id) { return owner << 8 | static_cast<uint8_t>(id); }
    static uint64_t OwnerOf(Key key) { return key >> 8; }
    static int IdOf(Key key) { return static_cast<int>(key & 0xFF); }

    // Starts a timer afresh; a period of 0 makes it fire once.
    void Set(Key key, int64_t dueMs, unsigned periodMs);
    void Kill(Key key);
    void KillOwner(uint64_t owner);
    // When the next timer falls due; -1 when none runs.
    int64_t NextDue() const;
    // Takes one timer that is due at now, re-arming it when it repeats.
    bool PopDue(int64_t now, Key* key);
    size_t Size() const { return m_byKey.size(); }

private:
    struct Entry {
        int64_t due;
        unsigned period;
    };
    std::map<Key, Entry> m_byKey;
    std::set<std::pair<int64_t, Key>> m_byDue;
};
