#include <gtest/gtest.h>

#include "order/ClockTexts.h"
#include "order/RowNavigation.h"

namespace {

std::tm Day(int year, int month, int day, int hour = 12, int minute = 0)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

} // namespace

TEST(ClockTexts, CutOffTextForNoneLaterToday)
{
    CutOffDisplay none = CutOffText(-2, -2);
    EXPECT_EQ(none.text, "Not Configured");
    EXPECT_EQ(none.colour, 0x0000FFu);
    CutOffDisplay tomorrow = CutOffText(-1, 600);
    EXPECT_EQ(tomorrow.text, "Tomorrow 10:00");
    EXPECT_EQ(tomorrow.colour, 0x0000FFu);
    CutOffDisplay today = CutOffText(1140, 600);
    EXPECT_EQ(today.text, "Today: 19:00");
    EXPECT_EQ(today.colour, 0u);
    EXPECT_EQ(CutOffText(5, 5).text, "Today: 00:05");
}

TEST(ClockTexts, DateAndTime)
{
    EXPECT_EQ(DateText(Day(2008, 7, 1, 9, 5)), "01-Jul-2008");
    EXPECT_EQ(TimeText(Day(2008, 7, 1, 9, 5)), "09:05");
    EXPECT_EQ(DateText(Day(2026, 12, 31)), "31-Dec-2026");
}

TEST(ClockTexts, DatabaseAgeWarning)
{
    std::tm may31 = Day(2008, 5, 31);
    EXPECT_TRUE(DatabaseNeedsUpdate(&may31, Day(2008, 6, 10)));
    EXPECT_FALSE(DatabaseNeedsUpdate(&may31, Day(2008, 6, 9)));
    std::tm april = Day(2008, 4, 20);
    EXPECT_TRUE(DatabaseNeedsUpdate(&april, Day(2008, 6, 1)));
    std::tm december = Day(2007, 12, 20);
    EXPECT_FALSE(DatabaseNeedsUpdate(&december, Day(2008, 1, 9)));
    EXPECT_TRUE(DatabaseNeedsUpdate(&december, Day(2008, 1, 10)));
    EXPECT_FALSE(DatabaseNeedsUpdate(&may31, Day(2008, 5, 31)));
    EXPECT_TRUE(DatabaseNeedsUpdate(nullptr, Day(2008, 5, 31)));
}

TEST(RowNavigation, ScrollingKeepsTheCurrentRowOnThePage)
{
    EXPECT_EQ(KeepRowOnPage(2, 10, 20), 10);
    EXPECT_EQ(KeepRowOnPage(35, 10, 20), 29);
    EXPECT_EQ(KeepRowOnPage(30, 10, 20), 29);
    EXPECT_EQ(KeepRowOnPage(15, 10, 20), 15);
}
