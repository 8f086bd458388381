#pragma once
#include <cstddef>
#include <string>

// The bytes a connection has for its socket and the socket hasn't taken yet,
// at most limit of them. What the socket took is let go as it goes, not when
// the buffer next runs dry: a client that reads steadily but never catches up
// holds a bounded amount of memory however long it keeps on.
class COutputBuffer {
public:
    explicit COutputBuffer(size_t limit) : m_limit(limit) {}

    // False, and nothing added, when the bytes would pass the limit.
    bool Append(const std::string& bytes);
    const char* Data() const { return m_bytes.data() + m_taken; }
    size_t Size() const { return m_bytes.size() - m_taken; }
    bool Empty() const { return Size() == 0; }
    // The socket took count bytes from the front.
    void Take(size_t count);
    // Memory held, taken bytes included.
    size_t Held() const { return m_bytes.capacity(); }

private:
    std::string m_bytes;
    size_t m_taken = 0;
    size_t m_limit;
};
