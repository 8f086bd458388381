#pragma once
#include <cstddef>
#include <deque>
#include <memory>
#include <string>

// The texts a station has yet to send, in order. Blocks are taken from the
// front without moving what follows, so a long message costs time in
// proportion to its length; a text added as shared (the server's program
// update) is read where it lies and never copied, whatever links send it.
class CSendQueue {
public:
    void Add(std::shared_ptr<const std::string> text);
    bool Empty() const { return m_pieces.empty(); }
    void Clear() { m_pieces.clear(); }
    // The first count bytes, or all when fewer wait.
    std::string Front(size_t count) const;
    void Drop(size_t count);
    std::string Text() const { return Front(std::string::npos); }

private:
    struct Piece {
        std::shared_ptr<const std::string> text;
        size_t at = 0; // bytes of it sent already
    };
    std::deque<Piece> m_pieces;
};
