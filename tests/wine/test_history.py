"""The history dialog opened with F5 as a person does: the tree of stored orders by date, the walk to today's
latest order, an order's lines and colours, and files that are not what they should be. Each opening
reads the History folder afresh, so one start sees several folders. Trees and lists are read with the probe;
colours and the summary off screenshots."""
import os
import shutil
import time

from harness import check, wait_for
from steps import (OUT_OF_STOCK, PART_FULFILLED, UNAVAILABLE, WHITE, column_colours, main_enabled, opens, pixels,
                   scrambled, start_order_window)

HISTORY_TITLE = "Quillbox History"
IDC_HISTORY_TREE = 1020
IDC_HISTORY_LIST = 1000
TREE_MONTHS = ("January", "Febuary", "March", "April", "May", "June", "July", "August", "September", "October",
               "November", "December")

# (code, description, quantity, status text) of an answered order, one line per outcome.
ANSWERED = [("A1", "ALPHA", 3, "Ok"), ("B2", "BRAVO", 8, "5 Ordered"), ("C3", "CHARLIE", 2, "Out Of Stock"),
            ("D4", "DELTA", 1, "Item Not Found"), ("E5", "ECHO", 4, "Failed")]


def day_text(day):
    return "%d%s" % (day, ("st", "nd", "rd")[day % 10 - 1] if day % 10 in (1, 2, 3) and day // 10 != 1 else "th")


def history_text(lines):
    return "".join("%s\t10\t2.500000\t%d\t0.000000\t%s\t%s\n" % (code, quantity, description, status)
                   for code, description, quantity, status in lines).encode("cp1252")


def history_folder(h, files):
    """The History folder holding just these files: {name: bytes, or order lines to scramble}."""
    folder = os.path.join(h.install_dir, "History")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data if isinstance(data, bytes) else scrambled(history_text(data)))


def open_history(h, window, expected_tree):
    """F5: the dialog, whose tree must read as expected."""
    dialog = opens(h, window, "F5", what="the history dialog")
    check(not main_enabled(h), "the main window stays usable while the history runs")
    check(tree(h) == expected_tree, "the tree reads %r, not %r" % (tree(h), expected_tree))
    return dialog


def tree(h):
    code, out = h.probe("tree", HISTORY_TITLE, str(IDC_HISTORY_TREE))
    check(code == 0, "the history tree could not be read")
    return out.splitlines()


def rows(h):
    """The order list's rows as (description, size, quantity, status)."""
    code, out = h.probe("cells", HISTORY_TITLE, str(IDC_HISTORY_LIST))
    check(code == 0, "the order list could not be read")
    return [tuple(cells[i] for i in (2, 3, 7, 9)) for cells in (line.split("\t") for line in out.splitlines())]


def expect_rows(h, lines, message):
    expected = [(description, "10", str(quantity), status) for _, description, quantity, status in lines]
    check(wait_for(lambda: rows(h) == expected, 5), "%s: the list shows %r, not %r" % (message, rows(h), expected))


def closed(h):
    return wait_for(lambda: main_enabled(h) and h.state(HISTORY_TITLE) is None, 10)


def close(h, dialog):
    h.keys(dialog, "Escape")
    check(closed(h), "Esc did not close the history")


def summary(h, name):
    """The skin's main text of the dialog (item 100: 212, 50 to 14 from the right, 86), as pixels."""
    left, top, right, _ = h.rect(HISTORY_TITLE, 0)
    return pixels(h.screenshot(name), (left + 212, top + 50, right - 14, top + 86))


def test_history_opens_on_the_latest_order_shows_lines_and_colours_and_survives_bad_files(h):
    today = time.localtime()
    stamp = "%d-%02d-%02d" % (today.tm_year, today.tm_mon, today.tm_mday)
    year = today.tm_year
    window, _ = start_order_window(h, lines=[])

    # No folder: an empty tree; the skin's Close button (96 x 30, 104 from the right and 46 from the bottom) ends it.
    dialog = open_history(h, window, [])
    expect_rows(h, [], "no history")
    _, _, right, bottom = h.rect(HISTORY_TITLE, 0)
    h.click(right - 104 + 48, bottom - 46 + 15, dialog)
    check(closed(h), "Close did not end the history")

    # The walk goes to today's latest order.
    history_folder(h, {stamp + " 09.00.00 (100001).dat": ANSWERED[:1], stamp + " 14.30.05 (100002).dat": ANSWERED,
                       "2008-02-29 10.00.00 (77).dat": ANSWERED[1:2]})
    dialog = open_history(h, window, [
        "2008", "  Febuary", "    29th", "      10:00:00 (77)", "%d +" % year, "  %s +" % TREE_MONTHS[today.tm_mon - 1],
        "    %s +" % day_text(today.tm_mday), "      09:00:00 (100001)", "      14:30:05 (100002) *"])
    expect_rows(h, ANSWERED, "today's latest order")
    shot = h.screenshot("history-dialog-today")
    left, top, right, bottom = h.rect(HISTORY_TITLE, IDC_HISTORY_LIST)
    # The empty right part of the Size cells (Qty 43 and Status 100 to their right, 20 spare).
    got = column_colours(shot, right - 1 - 20 - 100 - 43 - 15, top + 24, bottom - 2)[:5]
    check(got == [WHITE, PART_FULFILLED, OUT_OF_STOCK, UNAVAILABLE, WHITE], "the rows' colours: %r" % got)
    ordered = summary(h, "history-order")
    # A year asks for an order and empties the list; the order again shows the same summary.
    h.keys(dialog, "Home")
    expect_rows(h, [], "a year selected")
    check(summary(h, "history-select-order") != ordered, "the summary did not change for a year")
    h.keys(dialog, "End")
    expect_rows(h, ANSWERED, "the latest order again")
    check(summary(h, "history-order-again") == ordered, "the summary differs the second time")
    close(h, dialog)

    # None today: the latest earlier day. A file cut inside its second line shows the first line whole
    # and the second as far as it goes; an empty file, garbage and names that are no dates do no harm.
    history_folder(h, {"%d-01-01 10.00.00 (7).dat" % (year - 1): ANSWERED[:2],
                       "%d-01-01 10.30.00 (8).dat" % (year - 1): scrambled(history_text(ANSWERED[:2]))[:60],
                       "%d-01-01 11.00.00 (9).dat" % (year - 1): b"",
                       "%d-01-01 11.00.00 (10).dat" % (year + 1): bytes(range(256)) * 40,
                       "notes (1).dat": ANSWERED, "%d-13-01 10.00.00 (5).dat" % (year - 1): ANSWERED})
    dialog = open_history(h, window, [
        "%d +" % (year - 1), "  January +", "    1st +", "      10:00:00 (7)", "      10:30:00 (8)",
        "      11:00:00 (9) *", "%d" % (year + 1), "  January", "    1st", "      11:00:00 (10)"])
    expect_rows(h, [], "an empty file")
    h.keys(dialog, "Up")
    expect_rows(h, ANSWERED[:1] + [("B2", "", 8, "")], "a file cut short")
    # Down to the garbage of the later year: whatever it reads as, the dialog goes on.
    h.keys(dialog, "End", *(["Right"] * 6))
    check(tree(h)[-1].endswith("*"), "the garbage order is not selected: %r" % tree(h))
    close(h, dialog)
