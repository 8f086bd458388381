#include <gtest/gtest.h>

#include "base/LinkList.h"

namespace {

struct Node : CLinkNode {
    explicit Node(int* counter) : deaths(counter) {}
    ~Node() override { ++*deaths; }
    int* deaths;
};

} // namespace

// The order of the list is pinned by the skin's tests, which draw and find
// items through it; who deletes a node is seen only here.
TEST(LinkList, TheLastReleaseDeletesAndUnlinksAndAListDeletesItsNodesOnlyWhenAsked)
{
    int deaths = 0;
    CLinkList list;
    auto* shared = new Node(&deaths);
    list.Append(shared);
    shared->AddRef();
    shared->Release();
    EXPECT_EQ(deaths, 0);
    shared->Release();
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(list.Count(), 0u);

    list.Append(new Node(&deaths));
    list.InsertFront(new Node(&deaths));
    list.UnlinkAll(true); // the nodes had only the list's reference
    EXPECT_EQ(deaths, 3);

    auto* survivor = new Node(&deaths);
    {
        CLinkList gone;
        gone.Append(survivor);
    } // destroying the list unlinks without deleting
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(survivor->List(), nullptr);
    survivor->Release();
    EXPECT_EQ(deaths, 4);
}
