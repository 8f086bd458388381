#include "comm/SendQueue.h"

#include <algorithm>

void CSendQueue::Add(std::shared_ptr<const std::string> text)
{
    if (text && !text->empty())
        m_pieces.push_back(Piece{std::move(text), 0});
}

std::string CSendQueue::Front(size_t count) const
{
    std::string front;
    for (auto piece = m_pieces.begin(); piece != m_pieces.end() && front.size() < count; ++piece) {
        const size_t take = std::min(count - front.size(), piece->text->size() - piece->at);
        front.append(*piece->text, piece->at, take);
    }
    return front;
}

void CSendQueue::Drop(size_t count)
{
    while (count > 0 && !m_pieces.empty()) {
        Piece& piece = m_pieces.front();
        const size_t take = std::min(count, piece.text->size() - piece.at);
        piece.at += take;
        count -= take;
        if (piece.at == piece.text->size())
            m_pieces.pop_front();
    }
}
