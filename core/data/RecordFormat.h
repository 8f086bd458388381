#pragma once
#include <string>

#include "data/ItemRecord.h"

// Splits a line at delimiter bytes without skipping runs of them: two TABs in
// a row give one empty field. Once the text is used up every call gives "".
class CFieldSplitter {
public:
    // With a text, starts there; with none, goes on after the last delimiter.
    char* NextField(char* text, const char* delimiters);

private:
    char* m_rest = nullptr;
};

// One data-file line (without its line end) into a record, fields in the
// order of the list's kind. Missing fields are empty; text that is no number reads 0.
ItemRecord ParseRecordLine(ListKind kind, char* line);

// The record as one data-file line, newline included.
std::string FormatRecordLine(ListKind kind, const ItemRecord& record);
