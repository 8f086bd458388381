#pragma once
#include <string>

#include "history/HistoryName.h"

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

// The order summary of the history dialog, two lines:
// "Order Number: 123\r\nPlaced On 05 March 2008 at 14:03.22".
std::string OrderSummary(const HistoryName& name);

// The row colour class of a history line, from the status text the server's
// answer gave it, as the order grid colours the same outcome: 1 part
// delivered ("12 Ordered"), 2 out of stock, 3 refused for any other reason;
// 0 for "Ok", for "Failed" (no answer) and for an empty text.
int HistoryLineClass(const std::string& statusText);
