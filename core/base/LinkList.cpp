#include "base/LinkList.h"

#include <cassert>

CLinkNode::~CLinkNode()
{
    if (m_list)
        m_list->Unlink(this);
}

void CLinkNode::Release()
{
    assert(m_refs > 0);
    if (--m_refs == 0)
        delete this;
}

CLinkList::~CLinkList()
{
    UnlinkAll(false);
}

void CLinkList::InsertFront(CLinkNode* node)
{
    assert(node && !node->m_list);
    node->m_list = this;
    node->m_prev = nullptr;
    node->m_next = m_head;
    if (m_head)
        m_head->m_prev = node;
    else
        m_tail = node;
    m_head = node;
    ++m_count;
}

void CLinkList::Append(CLinkNode* node)
{
    assert(node && !node->m_list);
    node->m_list = this;
    node->m_next = nullptr;
    node->m_prev = m_tail;
    if (m_tail)
        m_tail->m_next = node;
    else
        m_head = node;
    m_tail = node;
    ++m_count;
}

void CLinkList::Unlink(CLinkNode* node)
{
    assert(node && node->m_list == this);
    if (node->m_prev)
        node->m_prev->m_next = node->m_next;
    else
        m_head = node->m_next;
    if (node->m_next)
        node->m_next->m_prev = node->m_prev;
    else
        m_tail = node->m_prev;
    node->m_next = node->m_prev = nullptr;
    node->m_list = nullptr;
    --m_count;
}

void CLinkList::UnlinkAll(bool deleteNodes)
{
    while (CLinkNode* node = m_head) {
        Unlink(node);
        if (deleteNodes)
            node->Release();
    }
}
