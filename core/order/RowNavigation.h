#pragma once
#include <string>

// The order grid's rules for its current row and the in-place edit's text.

// A quantity typed in place: leading digits, 0 for none (atol without overflow).
int QuantityFromText(const std::string& text);

// After a scroll or wheel: the current row kept inside the visible page.
int KeepRowOnPage(int current, int topRow, int rowsPerPage);
