"""The product search, opened from the order grid's entry row as a person does."""
from harness import MAIN_TITLE, WM_APP, check, wait_for, xdotool
from steps import answer, import_products, main_enabled, nothing_opens, opens, search, start_order_window, wait_order

ZETA = [("Z%03d" % i, "10", "ZETA TABLETS %03d" % i) for i in range(250)]


def test_a_search_adds_raises_cancels_and_lists_at_most_200(h):
    window, products = start_order_window(h, lines=[])
    first, last = products[0][0], products[199][0]
    # Spaces only list the first 200 products: the first and the last of them get quantities.
    answer(h, search(h, window, "  "), "2", *(["Next"] * 20), "3", "Return")
    wait_order(h, [(first, 2), (last, 3)], "the first and the 200th product")
    para = [p[0] for p in products if p[5].startswith("PARA")][:2]
    search_dialog = search(h, window, "para")
    check(not main_enabled(h), "the main window stays usable while the search runs")
    answer(h, search_dialog, "3", "Down", "2", "Return")
    wait_order(h, [(first, 2), (last, 3), (para[0], 3), (para[1], 2)], "two hits with quantities")
    # The same product again raises its line; no second line is made.
    answer(h, search(h, window, "para"), "4", "Return")
    wait_order(h, [(first, 2), (last, 3), (para[0], 7), (para[1], 2)], "4 more of the same product")
    # Confirming without a quantity, and cancelling after typing quantities, add nothing.
    answer(h, search(h, window, "para"), "Down", "Down", "Return")
    answer(h, search(h, window, "para"), "4", "Down", "5", "Escape")
    # No match says so, and the search closes with the notice.
    h.type_text(window, "qqqq zzzz")
    answer(h, opens(h, window, "Return", what="the notice of no match"), "Return")
    nothing_opens(h, window, "Up", "F4")  # a search on a line does nothing
    wait_order(h, [(first, 2), (last, 3), (para[0], 7), (para[1], 2)], "what added nothing")


def window_box(window):
    values = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", window).split())
    x, y = int(values["X"]), int(values["Y"])
    return x, y, x + int(values["WIDTH"]), y + int(values["HEIGHT"])


def test_250_matching_products_list_the_first_200_in_file_order(h):
    # 250 products whose descriptions start with ZETA, and between them one that only has the word.
    window, _ = start_order_window(h, lines=[("Z000", "ZETA TABLETS 000", 3, 0)], make_products=lambda h:
                                   import_products(h, ZETA[:120] + [("A001", "5", "ALPHA ZETA")] + ZETA[120:]))
    # Down the list to its last hit and order one of it with the skin's "Add to order" button (96 x 30, 216
    # from the right and 46 from the bottom); the setup program's quit request, sent first, waits for it.
    search_dialog = search(h, window, "zeta")
    h.keys(search_dialog, *(["Next"] * 20), "1")
    h.post(MAIN_TITLE, WM_APP + 1, 10)
    left, top, right, bottom = window_box(search_dialog)
    h.click(right - 216 + 48, bottom - 46 + 15, search_dialog)
    check(wait_for(lambda: h.processes[-1].poll() is not None, 15), "Add to order and then the quit did not follow")
    wait_order(h, [("Z000", 3), ("Z199", 1)], "the last of the hits, with the line there was")
