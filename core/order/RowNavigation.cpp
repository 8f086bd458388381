#include "order/RowNavigation.h"

int KeepRowOnPage(int current, int topRow, int rowsPerPage)
{
    if (current < topRow)
        return topRow;
    if (current >= topRow + rowsPerPage)
        return topRow + rowsPerPage - 1;
    return current;
}
