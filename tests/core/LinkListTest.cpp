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

std::vector<int> Forwards(const CLinkList& list)
{
    std::vector<int> out;
    for (Node* n = list.FirstAs<Node>(); n; n = CLinkList::NextAs(n))
        out.push_back(n->value);
    return out;
}

std::vector<int> Backwards(const CLinkList& list)
{
    std::vector<int> out;
    for (Node* n = list.LastAs<Node>(); n; n = CLinkList::PrevAs(n))
        out.push_back(n->value);
    return out;
}

} // namespace

TEST(LinkList, InsertFrontAndAppendWalkBothWays)
{
    CLinkList list;
    Node a(1), b(2), c(3);
    list.Append(&b);
    list.InsertFront(&a);
    list.Append(&c);
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(Forwards(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Backwards(list), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(b.List(), &list);
    list.UnlinkAll(false);
}

TEST(LinkList, UnlinkFixesHeadTailAndClearsTheNode)
{
    CLinkList list;
    Node a(1), b(2), c(3);
    list.Append(&a);
    list.Append(&b);
    list.Append(&c);
    list.Unlink(&a);
    list.Unlink(&c);
    EXPECT_EQ(Forwards(list), (std::vector<int>{2}));
    EXPECT_EQ(list.First(), &b);
    EXPECT_EQ(list.Last(), &b);
    EXPECT_EQ(a.List(), nullptr);
    EXPECT_EQ(a.Next(), nullptr);
    EXPECT_EQ(c.Prev(), nullptr);
    list.Unlink(&b);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
}

TEST(LinkList, ReleasingTheLastReferenceDeletesAndUnlinks)
{
    int deaths = 0;
    CLinkList list;
    auto* n = new Node(7, &deaths);
    list.Append(n);
    n->AddRef();
    EXPECT_EQ(n->RefCount(), 2);
    n->Release();
    EXPECT_EQ(deaths, 0);
    n->Release();
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(list.Count(), 0u);
}

TEST(LinkList, UnlinkAllDeletesOnlyWhenAsked)
{
    int deaths = 0;
    auto* kept = new Node(1, &deaths);
    {
        CLinkList list;
        list.Append(kept);
        list.Append(new Node(2, &deaths));
        list.UnlinkAll(true);
        EXPECT_EQ(deaths, 2); // kept had only the list's reference
    }
    deaths = 0;
    auto* survivor = new Node(3, &deaths);
    {
        CLinkList list;
        list.Append(survivor);
    } // destroying the list unlinks without deleting
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(survivor->List(), nullptr);
    survivor->Release();
    EXPECT_EQ(deaths, 1);
}
