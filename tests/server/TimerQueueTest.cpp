#include <gtest/gtest.h>

#include "TimerQueue.h"

namespace {

TEST(TimerQueue, FiresInTimeOrderRearmsRepeatingTimersAndKillsByOwner)
{
    CTimerQueue q;
    const auto a = CTimerQueue::MakeKey(20, 8), b = CTimerQueue::MakeKey(21, 100);
    q.Set(a, 200, 200);
    q.Set(b, 150, 0);
    EXPECT_EQ(150, q.NextDue());
    CTimerQueue::Key key = 0;
    EXPECT_FALSE(q.PopDue(149, &key));
    ASSERT_TRUE(q.PopDue(250, &key));
    EXPECT_EQ(b, key);
    ASSERT_TRUE(q.PopDue(250, &key));
    EXPECT_EQ(a, key);
    EXPECT_EQ(20u, CTimerQueue::OwnerOf(key));
    EXPECT_EQ(8, CTimerQueue::IdOf(key));
    EXPECT_EQ(450, q.NextDue()) << "re-armed a period after it fired";
    EXPECT_FALSE(q.PopDue(250, &key));

    // Setting a timer again restarts it; killing an owner leaves the others.
    q.Set(CTimerQueue::MakeKey(20, 1), 100, 0);
    q.Set(CTimerQueue::MakeKey(20, 1), 900, 0);
    q.Set(CTimerQueue::MakeKey(20, 255), 300, 0);
    q.Set(CTimerQueue::MakeKey(21, 1), 500, 0);
    EXPECT_EQ(4u, q.Size());
    EXPECT_EQ(300, q.NextDue());
    q.KillOwner(20);
    EXPECT_EQ(1u, q.Size());
    EXPECT_EQ(500, q.NextDue());
}

} // namespace
