#pragma once
#include <string>

// The order grid's rules for its current row and the in-place edit's text.

// A quantity typed in place: leading digits, 0 for none (atol without overflow).
int QuantityFromText(const std::string& text);

// The row a selection change lands on. Leaving a line whose quantity was
// committed as 0 removes it, so the line that followed now has the old index.
int RowAfterSelectionChange(bool hasBlankEntryRow, int current, int newRow, const std::string& committedText);

// After a scroll or wheel: the current row kept inside the visible page.
int KeepRowOnPage(int current, int topRow, int rowsPerPage);
