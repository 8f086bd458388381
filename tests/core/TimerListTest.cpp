#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/TimerList.h"

TEST(TimerList, RepeatingTimersFireInTimeOrderAsOftenAsTheyFallDueOrWhenTheClockJumpsToThem)
{
    std::vector<std::string> log;
    CTimerList timers([&](int id) { log.push_back(std::to_string(id) + "@" + std::to_string(timers.Now())); });
    timers.SetTimer(1, 1000);
    timers.SetTimer(2, 1500);
    timers.Advance(3000);
    // At 3000 both fall due: 2 was rearmed (at 1500) before 1 (at 2000).
    EXPECT_EQ(log, (std::vector<std::string>{"1@1000", "2@1500", "1@2000", "2@3000", "1@3000"}));
    EXPECT_EQ(timers.Now(), 3000u);
    EXPECT_EQ(timers.NextDue(), 4000u);
    EXPECT_TRUE(timers.FireNext());
    EXPECT_EQ(log.back(), "1@4000");
    timers.KillTimer(1);
    timers.KillTimer(2);
    EXPECT_FALSE(timers.FireNext());
    EXPECT_EQ(timers.NextDue(), UINT64_MAX);
}

TEST(TimerList, SettingAgainRestartsAndAHandlerMayKillOrReplaceTimers)
{
    std::vector<int> fired;
    CTimerList timers([&](int id) {
        fired.push_back(id);
        if (id == 8)
            timers.SetTimer(8, 5000); // 200 ms, then every 5 s
        if (id == 9)
            timers.KillTimer(9);
    });
    timers.SetTimer(8, 200);
    timers.SetTimer(9, 100);
    timers.Advance(50);
    timers.SetTimer(9, 100); // restarts from now: due at 150
    timers.Advance(10150);
    EXPECT_EQ(fired, (std::vector<int>{9, 8, 8, 8}));
    EXPECT_FALSE(timers.IsSet(9));
    EXPECT_EQ(timers.Period(8), 5000u);
    EXPECT_EQ(timers.Period(9), 0u);
}
