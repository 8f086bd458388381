"""The product search, opened from the order grid's entry row as a person does."""
import os
import subprocess
import time

from harness import MAIN_TITLE, WM_APP, check, wait_for
from test_order import (DATA_KEY, first_products, main_enabled, order, popups, qbxdata, start_order_window,
                        wait_order, wait_popup)

ZETA = [("Z%03d" % i, "10", "ZETA TABLETS %03d" % i) for i in range(250)]


def open_search(h, window, words):
    h.type_text(window, words)
    before = popups()
    h.keys(window, "Return")
    return wait_popup(before, "the search dialog for %r" % words)


def close_search(h, search, *keys):
    h.keys(search, *keys)
    check(wait_for(lambda: main_enabled(h), 10), "the search dialog did not close")


def zeta_products(h):
    """250 products whose descriptions start with ZETA, and between them one that only has the word."""
    import_products(h, ZETA[:120] + [("A001", "5", "ALPHA ZETA")] + ZETA[120:])


def import_products(h, rows):
    """Database.dat made by the data tool from (code, size, description[, second code]) rows."""
    source = os.path.join(h.install_dir, "products.tsv")
    with open(source, "w", encoding="cp1252", newline="") as f:
        for code, size, description, *second in rows:
            f.write("%s\t%s\t%s\t1.25\t0\t%s\r\n" % (code, second[0] if second else "0", size, description))
    target = os.path.join(h.install_dir, "Database.dat")
    out = qbxdata(h, "import", h.windows_path(source), h.windows_path(target), "--key", DATA_KEY)
    check(out.returncode == 0, "qbxdata import failed: %s %s" % (out.stdout, out.stderr))


def window_box(window):
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], capture_output=True, text=True)
    values = dict(line.split("=", 1) for line in out.stdout.split())
    x, y = int(values["X"]), int(values["Y"])
    return x, y, x + int(values["WIDTH"]), y + int(values["HEIGHT"])


def test_250_matching_products_list_the_first_200_in_file_order(h):
    window, _ = start_order_window(h, lines=[], make_products=zeta_products)
    search = open_search(h, window, "zeta")
    # Down the list to its last hit and order one of it.
    h.keys(search, *(["Next"] * 20))
    h.keys(search, "1")
    close_search(h, search, "Return")
    wait_order(h, [("Z199", 1)], "the last of the hits")


def test_spaces_only_list_the_first_200_products(h):
    window, products = start_order_window(h, lines=[])
    search = open_search(h, window, "  ")
    h.keys(search, "2", *(["Next"] * 20))
    h.keys(search, "3")
    close_search(h, search, "Return")
    wait_order(h, [(products[0][0], 2), (products[199][0], 3)], "the first and the 200th product")


def test_confirming_without_a_quantity_adds_nothing(h):
    window, _ = start_order_window(h, lines=[])
    search = open_search(h, window, "para")
    close_search(h, search, "Down", "Down", "Return")
    wait_for(lambda: False, 1)
    check(order(h) == [], "confirming without quantities added %r" % order(h))


def test_cancelling_after_typing_quantities_adds_nothing(h):
    window, _ = start_order_window(h, lines=[])
    search = open_search(h, window, "para")
    close_search(h, search, "4", "Down", "5", "Escape")
    wait_for(lambda: False, 1)
    check(order(h) == [], "cancelling added %r" % order(h))


def test_two_more_of_a_product_in_the_order_raise_its_line(h):
    window, products = start_order_window(h, lines=lambda products: [(first_products(products, "PARA", 1)[0],
                                                                       "PARA", 3, 0)])
    para = first_products(products, "PARA", 1)[0]
    search = open_search(h, window, "para")
    h.keys(search, "2")
    # The setup program's quit request waits for the search to end.
    h.post(MAIN_TITLE, WM_APP + 1, 10)
    # The skin's "Add to order" button: 96 x 30, 216 from the right and 46 from the bottom.
    left, top, right, bottom = window_box(search)
    h.click(right - 216 + 48, bottom - 46 + 15, search)
    check(wait_for(lambda: h.processes[-1].poll() is not None, 15), "Add to order and then the quit did not follow")
    wait_order(h, [(para, 5)], "3 and 2 more of the same product")


def test_no_match_says_so_and_closes_the_search(h):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0)])
    before = popups()
    h.type_text(window, "qqqq zzzz")
    h.keys(window, "Return")
    notice = wait_popup(before, "the notice")
    h.screenshot("no-matching-records")
    h.keys(notice, "Return")
    check(wait_for(lambda: main_enabled(h) and not (popups() - before), 10),
          "the search did not close after the notice")
    check(order(h) == [("A1", 3)], "the order changed: %r" % order(h))


def test_search_on_a_line_does_nothing(h):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0)])
    h.keys(window, "Up")
    before = popups()
    h.keys(window, "F4")
    time.sleep(1.5)
    check(not (popups() - before) and main_enabled(h), "F4 on an order line opened something")
