"""The order-entry window as a person uses it: the order grid and its in-place
edit, the commands, and the texts beside the order. The order file is read
back with the data tool; colours are read off screenshots."""
import os
import time

from harness import MAIN_TITLE, WM_APP, check, wait_for
from steps import (IDC_ORDER_GRID, OUT_OF_STOCK, PART_FULFILLED, WHITE, _session, answer, colours_in,
                   column_colours, nothing_opens, opens, order, pixels, popups, search,
                   start_order_window, store_data_key, wait_order, wait_popup, write_order)

IDC_NOTES = 1054
PALE_YELLOW = (255, 255, 182)
EDIT_YELLOW = (255, 255, 0)
NAVY = (0, 0, 128)
NEWS_BLUE = (0, 70, 127)  # the heading colour of demo/footer.rtf


def wait_rows(h, expected, name, message):
    """Screenshots until the order grid's first rows show the expected colours,
    read in the empty right part of the Size cells."""
    left, top, right, bottom = h.rect(MAIN_TITLE, IDC_ORDER_GRID)
    seen = []

    def shown():
        seen[:] = column_colours(h.screenshot(name), right - 1 - 20 - 43 - 15, top + 24, bottom - 2)[:len(expected)]
        return seen == expected
    check(wait_for(shown, 8, 0.5), "%s: %r" % (message, seen))


def test_keys_rewrite_the_quantity_a_zero_line_goes_enter_and_space_move_and_a_failed_save_is_told_once(h):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0), ("B2", "BRAVO", 4, 0), ("C3", "CHARLIE", 5, 0)])
    # Every key release rewrites the line: digits only, at most five of them.
    h.keys(window, "Up", "Up", "Up", "1")
    wait_order(h, [("A1", 1), ("B2", 4), ("C3", 5)], "after the first digit")
    h.keys(window, "2", "x", "3", "4", "5", "6")
    wait_order(h, [("A1", 12345), ("B2", 4), ("C3", 5)], "after letters and a sixth digit")
    # Leaving a line with a quantity over 999 asks; No gives it back the one it came with.
    answer(h, opens(h, window, "Down", what="the question about a large quantity", shot="large-quantity-question"), "n")
    wait_order(h, [("A1", 3), ("B2", 4), ("C3", 5)], "No to a large quantity")
    h.keys(window, "space", "Up", "Up", "Up", "0")
    wait_order(h, [("A1", 0), ("B2", 4), ("C3", 5)], "a zero keeps the line until the user leaves it")
    h.keys(window, "Down")
    wait_order(h, [("B2", 4), ("C3", 5)], "leaving the zero line")
    # The cursor is on BRAVO, which followed the removed line; Enter moves on to CHARLIE.
    h.keys(window, "9", "Return", "8")
    wait_order(h, [("B2", 9), ("C3", 8)], "a digit after the removal, Enter and a digit")
    # Home, End, Left and Right stay in the edit: the line keeps the cursor.
    h.keys(window, "Home", "7", "End", "Left", "Right")
    wait_order(h, [("B2", 9), ("C3", 78)], "caret keys and 7")
    h.keys(window, "space")
    h.type_text(window, "9")
    time.sleep(0.5)
    wait_order(h, [("B2", 9), ("C3", 78)], "a digit typed on the entry row")
    # The save is written beside the order first: a folder there makes it fail. Leaving the entry row
    # saves; Esc, not Enter, closes the notice: the key's release reaches the grid, where Enter moves down.
    blocker = os.path.join(h.install_dir, "Current.dat.new")
    os.mkdir(blocker)
    answer(h, opens(h, window, "BackSpace", "Up", what="the notice of the failed save"), "Escape")
    nothing_opens(h, window, "1")
    wait_order(h, [("B2", 9), ("C3", 78)], "though every save failed")
    os.rmdir(blocker)
    h.keys(window, "2")
    wait_order(h, [("B2", 9), ("C3", 12)], "the next change after the disk was free again")
    # A quit with the order unsaved saves it once more, else asks; No stays.
    os.mkdir(blocker)
    answer(h, opens(h, window, "3", what="the notice of the next failed save"), "Escape")
    before = popups()
    h.post(MAIN_TITLE, WM_APP + 1, 10)
    answer(h, wait_popup(before, "the question on quitting unsaved"), "n")
    check(h.processes[-1].poll() is None and order(h) == [("B2", 9), ("C3", 12)], "quit with the order unsaved")
    os.rmdir(blocker)
    check(h.quit_program(h.processes[-1]) == 0, "no quit once the order could be saved")
    check(order(h) == [("B2", 9), ("C3", 123)], "the quit did not save the order: %r" % order(h))


def test_sort_send_and_clear_ask_or_act_and_the_notes_box_shows_its_prompt(h):
    window, _ = start_order_window(h, lines=[("B", "B", 1, 0), ("C", "C", 1, 3), ("A", "A", 1, 1), ("D", "A", 1, 3),
                                             ("E", "b", 1, 0), ("F", "Z", 1200, 0)])
    text = h.probe("text", MAIN_TITLE, str(IDC_NOTES))[1]
    check(text.strip() == "<< enter order notes here, press TAB to select this window >>", "the notes box: %r" % text)
    # Sort orders by class, then description, and leaves the edit on the entry row.
    h.keys(window, "F6", "1")
    sorted_order = [("D", 1), ("C", 1), ("A", 1), ("B", 1), ("F", 1200), ("E", 1)]
    wait_order(h, sorted_order, "after Sort and a digit")
    # The send question names a line over 999 (the screenshot shows it).
    answer(h, opens(h, window, "F8", what="the send question", shot="send-question"), "n")
    answer(h, opens(h, window, "F10", what="the clear question", shot="clear-question"), "n")
    wait_order(h, sorted_order, "No to sending and to clearing")
    answer(h, opens(h, window, "F10", what="the clear question again"), "y")
    wait_order(h, [], "Yes to clearing")
    answer(h, search(h, window, "para"), "Escape")  # the edit is back on the entry row


def test_an_order_scrambled_under_a_missing_key_is_told_and_never_saved_over(h):
    store_data_key(h)
    write_order(h, [("A1", "ALPHA", 3, 0)])
    path = os.path.join(h.install_dir, "Current.dat")
    with open(path, "rb") as f:
        kept = f.read()
    h.wine("reg", "delete", r"HKLM\Software\Quarn Pharmaceutical Suppliers\Common", "/f", h.reg_view)
    _session["key stored"] = False
    h.reg_add("HKLM", "UserName", "100234")
    h.start()
    box = h.window("Quillbox", timeout=20)
    check(box, "no notice that the order can't be read")
    answer(h, box, "Escape")
    # Clearing the empty-looking order would save over the real one.
    h.keys(opens(h, h.window(MAIN_TITLE), "F10", what="the clear question"), "y")
    time.sleep(1)
    check(h.window("Quillbox", timeout=10), "no notice that the cleared order was not saved")
    with open(path, "rb") as f:
        check(f.read() == kept, "the unreadable order was saved over")


def test_rows_show_their_class_colours_the_current_row_is_pale_and_dark_rows_white_text(h):
    window, _ = start_order_window(h, lines=[("D", "DELTA", 1, 3), ("B", "BRAVO", 1, 1), ("C", "CHARLIE", 1, 2),
                                             ("A", "ALPHA", 1, 0)], UnavailableColor=str(0x800000))
    # The edit covers the whole of the current entry row.
    wait_rows(h, [NAVY, PART_FULFILLED, OUT_OF_STOCK, WHITE, EDIT_YELLOW], "row-colours-entry-row-current",
              "rows of classes 3 (unavailable, in navy) to 0 and the entry row under the edit")
    left, top, _, _ = h.rect(MAIN_TITLE, IDC_ORDER_GRID)
    check(WHITE in colours_in(h.screenshot("row-colours"), (left + 2, top + 24, left + 200, top + 36)),
          "the navy row's text is not white")
    h.keys(window, "Up")
    wait_rows(h, [NAVY, PART_FULFILLED, OUT_OF_STOCK, PALE_YELLOW, WHITE], "row-colours-white-current",
              "a current line without a class is pale yellow")
    h.keys(window, "Up")
    wait_rows(h, [NAVY, PART_FULFILLED, (234, 176, 234 * 5 // 7), WHITE, WHITE], "row-colours-out-of-stock-current",
              "the current out-of-stock row loses blue")


def test_esc_quits_only_when_allowed_and_the_quit_message_with_10_does_without_asking(h):
    window, _ = start_order_window(h, lines=[])
    nothing_opens(h, window, "Escape")
    h.wine("reg", "delete", "HKLM\\Software\\Quarn Pharmaceutical Suppliers\\Quillbox", "/v", "PadX", "/f", h.reg_view)
    check("PadX" not in (h.reg_values("HKLM") or {}), "PadX could not be removed for the test")
    check(h.quit_program(h.processes[-1]) == 0, "the quit message with 10 did not end the program")
    check("PadX" in (h.reg_values("HKLM") or {}), "quitting did not save the settings")

    window, _ = start_order_window(h, lines=[], AllowESCClose="5")
    process = h.processes[-1]
    answer(h, opens(h, window, "Escape", what="the quit question"), "n")
    check(process.poll() is None, "No ended the program")
    h.keys(opens(h, window, "Escape", what="the quit question again"), "y")
    check(process.wait(timeout=15) == 0, "Yes did not end the program")


def skin_leaving_the_grid_alone(h):
    """The installed skin without its placement of the grid and the footer, so only the footer moves the grid."""
    skin = os.path.join(h.install_dir, "Skin", "skin.ini")
    with open(skin, "rb") as f:
        lines = f.read().split(b"\n")
    section, kept = b"", []
    for line in lines:
        section = line.strip() if line.startswith(b"[") else section
        if section != b"[QuillboxDialog]" or not line.startswith((b"CONTROL { ID 1000 ", b"CONTROL { ID 0 ")):
            kept.append(line)
    check(len(kept) == len(lines) - 2, "the skin no longer places the grid and the footer as expected")
    with open(skin, "wb") as f:
        f.write(b"\n".join(kept))


def test_the_footer_the_old_database_warning_and_the_cut_off_text(h):
    # Two starts: no footer, a fresh database and no cut-off times; the footer, a database 100 days old
    # and a cut-off at 00:00 only. The cut-off texts' colours are the core's; here that they are drawn.
    warn, red = (0xC0, 0x39, 0x2B), (255, 0, 0)  # the default skin's warning colour; the cut-off's
    skin_leaving_the_grid_alone(h)
    shots, grids = [], []
    for run, (footer, age, times) in enumerate(((False, 0, ""), (True, 100, "0 "))):
        h.stop_all()
        start_order_window(h, lines=[], footer=footer, age_days=age, CutOffTimes=times)
        time.sleep(1)
        grids.append(h.rect(MAIN_TITLE, IDC_ORDER_GRID))
        shots.append(h.screenshot("texts-%d" % run))
    without, shortened = grids[0], grids[1]
    check((without[3] - without[1]) - (shortened[3] - shortened[1]) == 98,
          "the footer takes 98 pixels of the grid: %r against %r" % (shortened, without))
    # The pane, from 118 to 30 pixels above the grid's old bottom, shows the news heading's blue.
    pane = (without[0], without[3] - 118, without[2] - 3, without[3] - 30)
    check(NEWS_BLUE not in colours_in(shots[0], pane), "news showed without footer.rtf")
    check(NEWS_BLUE in colours_in(shots[1], pane), "the news pane does not show footer.rtf")
    # The strip between the title bar and the grid: date, time and warning, then the cut-off.
    left, top, right, _ = h.rect(MAIN_TITLE, 0)
    strip, cut_off = (left + 14, top + 48, right - 120, top + 66), (right - 118, top + 48, right - 14, top + 66)
    check(warn not in colours_in(shots[0], strip), "a fresh database shows the warning")
    check(warn in colours_in(shots[1], strip), "a database 100 days old does not show the warning")
    check(all(red in colours_in(shot, cut_off) for shot in shots), "Not Configured or Tomorrow 00:00 is not red")
    check(pixels(shots[0], cut_off) != pixels(shots[1], cut_off), "Not Configured and Tomorrow 00:00 look the same")
