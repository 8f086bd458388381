#pragma once
#include <string>

// Node texts of the history tree and the order summary.

// The month's name in the tree, 1 to 12, "Febuary" spelled so; 0 (which an
// index may hold) reads "December" too. Empty for any other value.
const char* MonthTreeName(int month);
// The month's name in the order summary, correctly spelled; empty outside 1 to 12.
const char* MonthName(int month);
// "1st", "2nd", "3rd", "4th" ... "11th", "12th", "13th" ... "21st" ... "31st".
std::string DayText(int day);
// "14:03:22 (123)" for an order listed from its file name, or from the index.
std::string OrderNodeText(int hour, int minute, int second, const std::string& orderNumber);
std::string OrderNodeText(int hour, int minute, int second, int orderNumber);
