#include <gtest/gtest.h>

#include <vector>

#include "base/LinkList.h"

namespace {

struct Node : CLinkNode {
    explicit Node(int v, int* counter = nullptr) : value(v), deaths(counter) {}
    ~Node() override
    {
        if (deaths)
            ++*deaths;
    }
    int value;
    int* deaths;
};

// The values from the head forwards, then from the tail backwards.
std::vector<int> Walk(const CLinkList& list)
{
    std::vector<int> out;
    for (Node* n = list.FirstAs<Node>(); n; n = CLinkList::NextAs(n))
        out.push_back(n->value);
    for (Node* n = list.LastAs<Node>(); n; n = CLinkList::PrevAs(n))
        out.push_back(n->value);
    return out;
}

} // namespace

TEST(LinkList, InsertAppendAndUnlinkKeepBothDirectionsAndUnlinkClearsTheNode)
{
    CLinkList list;
    Node a(1), b(2), c(3);
    list.Append(&b);
    list.InsertFront(&a);
    list.Append(&c);
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(Walk(list), (std::vector<int>{1, 2, 3, 3, 2, 1}));
    EXPECT_EQ(b.List(), &list);
    list.Unlink(&a);
    list.Unlink(&c);
    EXPECT_EQ(Walk(list), (std::vector<int>{2, 2}));
    EXPECT_EQ(a.List(), nullptr);
    EXPECT_EQ(a.Next(), nullptr);
    EXPECT_EQ(c.Prev(), nullptr);
    list.Unlink(&b);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
}

TEST(LinkList, TheLastReleaseDeletesAndUnlinksAndAListDeletesItsNodesOnlyWhenAsked)
{
    int deaths = 0;
    CLinkList list;
    auto* shared = new Node(7, &deaths);
    list.Append(shared);
    shared->AddRef();
    EXPECT_EQ(shared->RefCount(), 2);
    shared->Release();
    EXPECT_EQ(deaths, 0);
    shared->Release();
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(list.Count(), 0u);

    list.Append(new Node(1, &deaths));
    list.Append(new Node(2, &deaths));
    list.UnlinkAll(true); // the nodes had only the list's reference
    EXPECT_EQ(deaths, 3);

    auto* survivor = new Node(3, &deaths);
    {
        CLinkList gone;
        gone.Append(survivor);
    } // destroying the list unlinks without deleting
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(survivor->List(), nullptr);
    survivor->Release();
    EXPECT_EQ(deaths, 4);
}
