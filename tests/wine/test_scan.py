"""A handheld scanner on the order grid's entry row: it types a pack's code at
2 ms a key and presses Enter, as a keyboard would."""
import os
import time

from harness import check, wait_for, xdotool
from steps import answer, import_products, order, popups, search, start_order_window, wait_order, wait_popup

SCANNER_DELAY_MS = "2"
MESSAGE_BOX_TEXT = 0xFFFF  # the text of a system message box


def scan(h, window, *parts):
    """A scan: the code typed at scanner speed, then Enter."""
    h.bring_forward(window)
    type_code(*parts)
    xdotool("key", "Return")
    time.sleep(0.3)


def type_code(*parts):
    """Types the parts at scanner speed with Ctrl+] (the group separator) between them."""
    for i, part in enumerate(parts):
        if i:
            xdotool("key", "ctrl+bracketright")
        xdotool("type", "--delay", SCANNER_DELAY_MS, part)


def gs1(ean13, batch="AB12c", serial="X9"):
    """The text of a medicine pack's 2D code: batch, a separator, GTIN, expiry and serial. Without
    the separator the batch would run on over the GTIN."""
    return "]d210" + batch, "01" + "0" + ean13 + "17" + "271231" + "21" + serial


def test_scanned_packs_join_the_order_a_wrong_check_digit_adds_nothing_and_words_still_search(h):
    window, products = start_order_window(h, lines=[])
    first, second, third = products[10], products[20], products[5]
    scan(h, window, first[1])
    # The same pack again, then another, typed without a pause; then the 2D code of a pack in the order.
    xdotool("type", "--delay", SCANNER_DELAY_MS, first[1])
    xdotool("key", "Return")
    scan(h, window, second[1])
    scan(h, window, *gs1(second[1]))
    wait_order(h, [(first[0], 2), (second[0], 2)], "scans in a row")
    wrong = third[1][:-1] + str((int(third[1][-1]) + 1) % 10)
    before = popups()
    scan(h, window, *gs1(wrong))
    notice = wait_popup(before, "the notice of a wrong check digit")
    h.screenshot("scan-wrong-check-digit")
    time.sleep(1)
    check(order(h) == [(first[0], 2), (second[0], 2)], "a wrong check digit changed the order: %r" % order(h))
    answer(h, notice, "Return")
    # The code stays on the entry row, selected: the next scan types over it. Then into a line's quantity (it
    # once became the code's first five digits): the line keeps its 1.
    scan(h, window, third[1])
    h.keys(window, "Up")
    scan(h, window, products[30][1])
    wait_order(h, [(first[0], 2), (second[0], 2), (third[0], 1), (products[30][0], 1)], "scans after the notice")
    answer(h, search(h, window, "para"), "Escape")


def test_a_code_of_several_products_offers_just_those(h):
    shared = "5012345678900"
    rows = [("X1", "10", "XRAY FILM"), ("A1", "28", "ALPHA TABLETS", shared), ("Y1", "5", "YARROW TEA"),
            ("B1", "56", "ALPHA TABLETS", "0" + shared)]
    window, _ = start_order_window(h, lines=[], make_products=lambda h: import_products(h, rows))
    before = popups()
    scan(h, window, shared)
    # The first hit gets 1, the second 2: had other products been listed, others would be ordered.
    answer(h, wait_popup(before, "the search with the products of the code"), "1", "Down", "2", "Return")
    wait_order(h, [("A1", 1), ("B1", 2)], "the two products of one code")


def test_a_re_order_list_opened_with_ctrl_o_joins_the_order(h):
    """A stock system's list of 200 rows, item codes and pack barcodes, chosen in the open dialog: the
    usable rows join the order at once, and the three that can't be used are named by line in one box."""
    window, products = start_order_window(h, lines=lambda products: [(products[0][0], "KEPT", 5, 0)])
    good = products[:197]
    rows = ["Item,Qty"] + ["%s,%d" % (p[1] if i % 2 else p[0], 1 + i % 3) for i, p in enumerate(good)]
    rows += ["NO-SUCH,1", "%s,1000" % good[1][0], "%s,x" % good[2][0]]
    path = os.path.join(h.install_dir, "reorder.csv")
    with open(path, "w") as f:
        f.write("\r\n".join(rows) + "\r\n")
    before = popups()
    h.keys(window, "ctrl+o")
    dialog = wait_popup(before, "the open dialog")
    h.type_text(dialog, h.windows_path(path))
    h.keys(dialog, "Return")
    check(wait_for(lambda: dialog not in popups(), 10), "the open dialog did not close")
    box = wait_popup(before, "the box of the rows not taken")
    h.screenshot("order-list-not-taken")
    code, text = h.probe("text", "Quillbox", str(MESSAGE_BOX_TEXT))
    check(code == 0 and "197 rows" in text and "Line 200: The quantity 1000 is over 999" in text,
          "the box says: %r" % text)
    h.keys(box, "Return")
    expected = [(good[0][0], 6)] + [(p[0], 1 + i % 3) for i, p in enumerate(good)][1:]
    wait_order(h, expected, "the list's rows")
