#pragma once
#include <string>
#include <vector>

// Rows of CSV or TSV text, as spreadsheets, suppliers' lists and pharmacies'
// stock systems write them. CSV fields may be quoted: "" inside quotes is one
// quote, and a quoted field may hold commas and line ends. TSV fields are
// taken as they stand.
enum class TextFormat { Csv, Tsv };

// Splits the row that starts at pos into its fields; pos moves past the row's
// line end. False for a quoted field the text ends inside.
bool SplitDelimitedRow(const std::string& text, size_t& pos, TextFormat format, std::vector<std::string>& fields);

// A field without the spaces around it and a CR left by a CR LF line end.
std::string TrimField(const std::string& field);
