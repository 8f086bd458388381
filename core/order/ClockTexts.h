#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// The texts the order-entry window shows beside the order: today's date, the
// time, the next order cut-off, and the warning that the product database is old.

struct CutOffDisplay {
    std::string text;
    uint32_t colour; // 0x00BBGGRR
};

// next: the settings' next cut-off after now (-2 none configured, -1 none left
// today, else minutes after midnight); firstOfDay: the first cut-off of the day.
CutOffDisplay CutOffText(int next, int firstOfDay);

std::string DateText(const std::tm& local); // 01-Jul-2008
std::string TimeText(const std::tm& local); // 09:15

// True when the database file was last written a calendar month or more ago
// and today is the 10th or later, or two months or more ago; always true
// when the file is missing.
bool DatabaseNeedsUpdate(const std::tm* fileLocal, const std::tm& nowLocal);

constexpr const char* kDatabaseUpdateWarning = "* PLEASE UPDATE (press F2) *";
