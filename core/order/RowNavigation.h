#pragma once

// After a scroll or wheel: the current row kept inside the visible page.
int KeepRowOnPage(int current, int topRow, int rowsPerPage);
