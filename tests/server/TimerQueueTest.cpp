#include <gtest/gtest.h>

#include "TimerQueue.h"

namespace {

// Firing in time order and finding a key's connection are pinned by every
// exchange the server tests run. Without KillOwner a closed connection's
// repeating link timers would live on for ever.
TEST(TimerQueue, RearmsRepeatingTimersRestartsOnSetAndKillsByOwner)
{
    CTimerQueue q;
    const auto repeating = CTimerQueue::MakeKey(20, 8);
    q.Set(repeating, 200, 200);
    q.Set(CTimerQueue::MakeKey(20, 255), 100, 0);
    q.Set(CTimerQueue::MakeKey(20, 255), 900, 0);
    q.Set(CTimerQueue::MakeKey(21, 1), 500, 0);
    CTimerQueue::Key key = 0;
    ASSERT_TRUE(q.PopDue(250, &key));
    EXPECT_EQ(repeating, key);
    EXPECT_EQ(450, q.NextDue()) << "re-armed a period after it fired; the other restarted";
    q.KillOwner(20);
    EXPECT_EQ(1u, q.Size());
    EXPECT_EQ(500, q.NextDue());
}

} // namespace
