#pragma once
#include <ctime>
#include <string>

// Names of the history files: "History\2008-03-05 14.03.22 (123).dat" for
// order 123 answered on 5 March 2008 at 14:03:22.

// The time and order number a history file's name holds.
struct HistoryName {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::string orderNumber;
};

// The folder of the history files, as the program names them.
constexpr char kHistoryFolder[] = "History\\";

// Longest order number a file name carries.
constexpr size_t kMaxOrderNumberText = 64;

// The server's order number made safe for a file name: separators, "..",
// control characters, parentheses and the characters Windows forbids become
// '_', and it is cut to kMaxOrderNumberText. Ordinary numbers are unchanged.
std::string SanitiseOrderNumber(const std::string& text);

// "2008-03-05 14.03.22 (123).dat": the file's name inside the History folder.
std::string HistoryFileTitle(const std::tm& when, const std::string& orderNumber);
// The same under "History\", the form the program opens.
std::string HistoryFileName(const std::tm& when, const std::string& orderNumber);

// Reads a file name (without folder) as "%d-%d-%d %d.%d.%d (%[^)]" would:
// the fields read before the first that doesn't match are set, the rest are
// left as they were; true when all six numbers were read.
bool ScanHistoryName(const std::string& fileName, HistoryName& name);
// The same, but false (and name unchanged) for a name that doesn't begin with
// a real date and time; the order number may be empty.
bool ParseHistoryName(const std::string& fileName, HistoryName& name);

// The file name rebuilt from an order's tree node: its date and the node's
// text "14:03:22 (123)" with the two colons turned into full stops.
std::string HistoryOrderTitle(int year, int month, int day, const std::string& nodeText);
std::string HistoryOrderPath(int year, int month, int day, const std::string& nodeText);
