#include <gtest/gtest.h>

#include "LocalTime.h"
#include "order/ClockTexts.h"

// None configured and none left today show in red, drawn so end to end
// (tests/wine/test_order.py); the next cut-off today in black.
TEST(ClockTexts, CutOffDateAndTime)
{
    EXPECT_EQ(CutOffText(-1, 600).text, "Tomorrow 10:00");
    EXPECT_EQ(CutOffText(-2, 0).text, "Not Configured");
    EXPECT_EQ(CutOffText(-1, 0).colour, CutOffText(-2, 0).colour);
    EXPECT_NE(CutOffText(5, 5).colour, CutOffText(-2, 0).colour);
    EXPECT_EQ(CutOffText(5, 5).text, "Today: 00:05");
    EXPECT_EQ(DateText(LocalTime(2008, 7, 1, 9, 5, 0)), "01-Jul-2008");
    EXPECT_EQ(TimeText(LocalTime(2008, 7, 1, 9, 5, 0)), "09:05");
}

// Due a calendar month later from the 10th, or two months later at once (here across a year).
TEST(ClockTexts, DatabaseAgeWarning)
{
    const struct {
        int fileYear, fileMonth, fileDay, year, month, day;
        bool due;
    } cases[] = {
        {2008, 5, 31, 2008, 6, 10, true}, {2008, 5, 31, 2008, 6, 9, false},
        {2007, 11, 20, 2008, 1, 1, true},
    };
    for (const auto& c : cases) {
        const std::tm file = LocalTime(c.fileYear, c.fileMonth, c.fileDay, 12, 0, 0);
        EXPECT_EQ(DatabaseNeedsUpdate(&file, LocalTime(c.year, c.month, c.day, 12, 0, 0)), c.due)
            << c.year << "-" << c.month << "-" << c.day;
    }
    EXPECT_TRUE(DatabaseNeedsUpdate(nullptr, LocalTime(2008, 5, 31, 12, 0, 0)));
}
