#pragma once
#include <cstdint>

// A generic intrusive doubly linked list. The skin engine keeps its items,
// variables, polygon points, the bitmap cache and the attached skins in it.
//
// A node is reference counted: it starts with one reference and deletes
// itself when the last one is released. Destroying a node unlinks it;
// destroying a list unlinks its nodes without deleting them.

class CLinkList;

class CLinkNode {
public:
    CLinkNode() = default;
    CLinkNode(const CLinkNode&) = delete;
    CLinkNode& operator=(const CLinkNode&) = delete;
    virtual ~CLinkNode();

    void AddRef() { ++m_refs; }
    // Drops one reference; the node deletes itself when none is left.
    void Release();
    int RefCount() const { return m_refs; }

    CLinkNode* Next() const { return m_next; }
    CLinkNode* Prev() const { return m_prev; }
    CLinkList* List() const { return m_list; }

private:
    friend class CLinkList;
    int m_refs = 1;
    CLinkNode* m_next = nullptr;
    CLinkNode* m_prev = nullptr;
    CLinkList* m_list = nullptr;
};

class CLinkList {
public:
    CLinkList() = default;
    CLinkList(const CLinkList&) = delete;
    CLinkList& operator=(const CLinkList&) = delete;
    virtual ~CLinkList();

    void InsertFront(CLinkNode* node);
    void Append(CLinkNode* node);
    void Unlink(CLinkNode* node);
    // Unlinks every node; with deleteNodes each one loses the list's reference.
    void UnlinkAll(bool deleteNodes);

    CLinkNode* First() const { return m_head; }
    CLinkNode* Last() const { return m_tail; }
    uint32_t Count() const { return m_count; }

    // Walk with a typed cursor: for (T* n = list.FirstAs<T>(); n; n = CLinkList::NextAs(n)).
    template <class T> T* FirstAs() const { return static_cast<T*>(m_head); }
    template <class T> T* LastAs() const { return static_cast<T*>(m_tail); }
    template <class T> static T* NextAs(T* node) { return static_cast<T*>(node->Next()); }
    template <class T> static T* PrevAs(T* node) { return static_cast<T*>(node->Prev()); }

private:
    CLinkNode* m_head = nullptr;
    CLinkNode* m_tail = nullptr;
    uint32_t m_count = 0;
};
