"""The order-entry window as a person uses it: the order grid and its in-place
edit, the commands, and the texts beside the order. The order file is read
back with the data tool; colours are read off screenshots."""
import os
import shutil
import subprocess
import time

from harness import MAIN_TITLE, SETTINGS_KEY, WINE, WM_APP, check, wait_for

DATA_KEY = "e2e-data-key"
IDC_ORDER_GRID = 1000
IDC_NOTES = 1054
WM_QUIT_REQUEST = WM_APP + 1
QUIT_WITHOUT_ASKING = 10

# Order-line colours: the defaults of the settings, and white.
WHITE = (255, 255, 255)
PALE_YELLOW = (255, 255, 182)
PART_FULFILLED = (169, 239, 172)
OUT_OF_STOCK = (234, 176, 234)
UNAVAILABLE = (200, 200, 200)
EDIT_YELLOW = (255, 255, 0)
NEWS_BLUE = (0, 70, 127)  # the heading colour of demo/footer.rtf

_session = {"key stored": False}


# --- data files ---------------------------------------------------------------

def scrambled(data, key=DATA_KEY):
    """The data-file stream: byte i XOR key byte i mod L, rotated left once per pass."""
    state = bytearray(key.encode())
    out = bytearray(data)
    for i in range(len(out)):
        at = i % len(state)
        out[i] ^= state[at]
        state[at] = ((state[at] << 1) | (state[at] >> 7)) & 0xFF
    return bytes(out)


def write_order(h, lines):
    """Current.dat with (code, description, quantity, class) lines."""
    text = "".join("%s\t10\t2.500000\t%d\t0.000000\t%s\t%d\n" % (code, quantity, description, status)
                   for code, description, quantity, status in lines)
    with open(os.path.join(h.install_dir, "Current.dat"), "wb") as f:
        f.write(scrambled(text.encode("cp1252")))


def qbxdata(h, *args):
    return h.wine(os.path.join(h.build, "tools", "qbxdata.exe"), *args, timeout=60)


def data_lines(h, name):
    """A data file's lines, split at TABs, as the data tool prints them."""
    path = os.path.join(h.install_dir, name)
    if not os.path.exists(path):
        return []
    out = qbxdata(h, "cat", h.windows_path(path), "--key", DATA_KEY)
    check(out.returncode == 0, "qbxdata cat %s failed: %s" % (name, out.stderr))
    return [line.split("\t") for line in out.stdout.replace("\r", "").splitlines() if line]


def order(h):
    """The order as saved: (code, quantity) per line."""
    return [(fields[0], int(fields[3])) for fields in data_lines(h, "Current.dat")]


def wait_order(h, expected, message):
    got = wait_for(lambda: order(h) == expected and expected, 5) or order(h)
    check(got == expected, "%s: the order file holds %r, not %r" % (message, got, expected))


def demo_products(h):
    """The demo catalogue in the install folder (made once per run); its lines."""
    cache = os.path.join(h.artefacts, "Database.dat")
    target = os.path.join(h.install_dir, "Database.dat")
    if not os.path.exists(cache):
        out = qbxdata(h, "demo", h.windows_path(target), "--count", "3000", "--key", DATA_KEY)
        check(out.returncode == 0, "qbxdata demo failed: %s" % out.stderr)
        shutil.copy(target, cache)
    else:
        shutil.copy(cache, target)
    return data_lines(h, "Database.dat")


def first_products(products, prefix, count):
    """The codes of the first products whose description starts with the prefix."""
    return [p[0] for p in products if p[5].upper().startswith(prefix.upper())][:count]


# --- the program --------------------------------------------------------------

def store_data_key(h):
    if _session["key stored"]:
        return
    # No pipes: Wine's background processes would hold them open.
    code = subprocess.run([WINE, os.path.join(h.install_dir, "Quillbox.exe"), "/setkey", DATA_KEY],
                          stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          timeout=120).returncode
    check(code == 0, "Quillbox.exe /setkey failed with %s" % code)
    _session["key stored"] = True


def set_setting(h, name, value):
    """A settings value, the empty text included."""
    h.reg_add("HKLM", name, value)


def start_order_window(h, lines=None, footer=True, account="100234", make_products=None, **settings):
    """Starts the program on the demo catalogue (or what make_products makes)
    with an order (lines, or a function of the products giving them); the main
    window's X id and the products."""
    store_data_key(h)
    if make_products:
        make_products(h)
        products = data_lines(h, "Database.dat")
    else:
        products = demo_products(h)
    if callable(lines):
        lines = lines(products)
    if lines is not None:
        write_order(h, lines)
    if footer:
        shutil.copy(os.path.join(os.path.dirname(__file__), "..", "..", "demo", "footer.rtf"), h.install_dir)
    h.reg_add("HKLM", "UserName", account)
    for name, value in settings.items():
        set_setting(h, name, value)
    h.start()
    window = h.window(MAIN_TITLE)
    check(window, "the main window did not open")
    # The in-place edit settles on the last row once start-up is through.
    time.sleep(1.5)
    return window, products


def popups():
    """The visible windows with a title: the program's, not the window manager's frames."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."], capture_output=True, text=True)
    return set(out.stdout.split())


def wait_popup(before, what):
    new = wait_for(lambda: sorted(popups() - before, key=int), 10)
    check(new, "%s did not open" % what)
    return new[-1]


def main_enabled(h):
    state = h.state(MAIN_TITLE)
    return state is not None and state[3] == 1


def question_after(h, window, key, what, shot):
    """The question box the key opens, once a screenshot of it is taken."""
    before = popups()
    h.keys(window, key)
    box = wait_popup(before, what)
    h.screenshot(shot)
    return box


def answer(h, box, key):
    """Answers a skinned question box with its hot key (Y or N)."""
    h.keys(box, key)
    check(wait_for(lambda: main_enabled(h), 10), "the question box did not close")


# --- screenshots --------------------------------------------------------------

def column_colours(shot, x, top, bottom):
    """The colours down one pixel column of a screenshot, as runs of at least 4 pixels."""
    raw = subprocess.run(["convert", shot, "-crop", "1x%d+%d+%d" % (bottom - top, x, top), "-depth", "8", "rgb:-"],
                         capture_output=True, timeout=20).stdout
    runs = []
    for i in range(0, len(raw) - 2, 3):
        colour = tuple(raw[i:i + 3])
        if runs and runs[-1][0] == colour:
            runs[-1][1] += 1
        else:
            runs.append([colour, 1])
    return [colour for colour, length in runs if length >= 4]


def row_colours(h, shot):
    """The row backgrounds of the order grid, top to bottom, read in the empty
    right part of the Size cells."""
    left, top, right, bottom = h.rect(MAIN_TITLE, IDC_ORDER_GRID)
    x = right - 1 - 20 - 43 - 15
    return column_colours(shot, x, top + 24, bottom - 2)


def wait_rows(h, expected, name, message):
    """Screenshots until the grid's first rows show the expected colours."""
    seen = []

    def shown():
        seen[:] = row_colours(h, h.screenshot(name))[:len(expected)]
        return seen == expected
    check(wait_for(shown, 8, 0.5), "%s: %r" % (message, seen))


def pixels(shot, box):
    """The RGB bytes of a box of a screenshot."""
    left, top, right, bottom = box
    return subprocess.run(["convert", shot, "-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top),
                           "-depth", "8", "rgb:-"], capture_output=True, timeout=20).stdout


def colours_in(shot, box):
    raw = pixels(shot, box)
    return {tuple(raw[i:i + 3]) for i in range(0, len(raw) - 2, 3)}


# --- the grid and the in-place edit ---------------------------------------------

def test_search_words_and_a_quantity_add_a_line_and_again_raise_it(h):
    window, products = start_order_window(h, lines=[])
    para = first_products(products, "PARA", 2)
    h.type_text(window, "para")
    before = popups()
    h.keys(window, "Return")
    search = wait_popup(before, "the search dialog")
    check(not main_enabled(h), "the main window stays usable while the search runs")
    h.screenshot("search-dialog-with-hits")
    h.keys(search, "3", "Down", "2", "Return")
    check(wait_for(lambda: main_enabled(h), 10), "confirming did not close the search")
    wait_order(h, [(para[0], 3), (para[1], 2)], "two hits with quantities")

    # The same product again raises its line; no second line is made.
    h.type_text(window, "para")
    before = popups()
    h.keys(window, "Return")
    search = wait_popup(before, "the second search")
    h.keys(search, "4", "Return")
    check(wait_for(lambda: main_enabled(h), 10), "confirming did not close the search")
    wait_order(h, [(para[0], 7), (para[1], 2)], "the same product again")
    h.screenshot("main-window-with-an-order")


def test_every_key_release_rewrites_the_quantity(h):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0), ("B2", "BRAVO", 4, 0)])
    h.keys(window, "Up", "Up")
    h.keys(window, "1")
    wait_order(h, [("A1", 1), ("B2", 4)], "after the first digit")
    h.keys(window, "2")
    wait_order(h, [("A1", 12), ("B2", 4)], "after the second digit")
    # Digits only, at most five of them.
    h.keys(window, "x", "3", "4", "5", "6")
    wait_order(h, [("A1", 12345), ("B2", 4)], "after letters and a sixth digit")
    # Leaving a line with a quantity over 999 asks; No gives it back the one it came with.
    box = question_after(h, window, "Down", "the question about a large quantity", "large-quantity-question")
    answer(h, box, "n")
    wait_order(h, [("A1", 3), ("B2", 4)], "No to a large quantity")


def test_zero_and_down_removes_the_line_and_keeps_the_cursor_on_the_next(h):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0), ("B2", "BRAVO", 4, 0), ("C3", "CHARLIE", 5, 0)])
    h.keys(window, "Up", "Up", "Up", "0")
    wait_order(h, [("A1", 0), ("B2", 4), ("C3", 5)], "a zero keeps the line until the user leaves it")
    h.keys(window, "Down")
    wait_order(h, [("B2", 4), ("C3", 5)], "leaving the zero line")
    # The cursor is on BRAVO, which followed the removed line.
    h.keys(window, "9")
    wait_order(h, [("B2", 9), ("C3", 5)], "the digit typed after the removal")


def test_enter_moves_down_and_space_jumps_to_the_entry_row(h):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0), ("B2", "BRAVO", 4, 0), ("C3", "CHARLIE", 5, 0)])
    h.keys(window, "Up", "Up", "Up", "Return", "8")
    wait_order(h, [("A1", 3), ("B2", 8), ("C3", 5)], "Enter on the first line, then 8")
    # Home, End, Left and Right stay in the edit: the line keeps the cursor.
    h.keys(window, "Home", "7", "End", "Left", "Right")
    wait_order(h, [("A1", 3), ("B2", 78), ("C3", 5)], "caret keys and 7")
    h.keys(window, "space")
    h.type_text(window, "9")
    time.sleep(0.5)
    wait_order(h, [("A1", 3), ("B2", 78), ("C3", 5)], "a digit typed on the entry row")


def test_clear_asks_and_empties_the_order(h):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0), ("B2", "BRAVO", 4, 0)])
    answer(h, question_after(h, window, "F10", "the clear question", "clear-question"), "n")
    wait_order(h, [("A1", 3), ("B2", 4)], "No keeps the order")
    before = popups()
    h.keys(window, "F10")
    box = wait_popup(before, "the clear question again")
    answer(h, box, "y")
    wait_for(lambda: order(h) == [], 5)
    check(order(h) == [], "Yes must empty the order file")
    # The edit is back on the entry row.
    h.type_text(window, "para")
    before = popups()
    h.keys(window, "Return")
    wait_popup(before, "the search after clearing")


def test_a_failed_save_is_told_once_and_tried_again_at_the_next_change(h):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0)])
    # The save is written beside the order first: a folder there makes it fail.
    blocker = os.path.join(h.install_dir, "Current.dat.new")
    os.mkdir(blocker)
    before = popups()
    h.keys(window, "Up")  # leaving the entry row saves the order
    box = wait_popup(before, "the notice of the failed save")
    time.sleep(0.5)
    h.screenshot("order-not-saved")
    # Esc, not Enter: the key's release reaches the grid, where Enter moves down.
    answer(h, box, "Escape")
    before = popups()
    h.keys(window, "1")
    time.sleep(1)
    check(not (popups() - before), "a second failed save was told again")
    check(order(h) == [("A1", 3)], "the order file changed though every save failed")
    os.rmdir(blocker)
    h.keys(window, "2")
    wait_order(h, [("A1", 12)], "the next change after the disk was free again")
    # A quit with the order unsaved saves it once more, else asks; No stays.
    os.mkdir(blocker)
    before = popups()
    h.keys(window, "3")
    answer(h, wait_popup(before, "the notice of the next failed save"), "Escape")
    before = popups()
    h.post(MAIN_TITLE, WM_QUIT_REQUEST, QUIT_WITHOUT_ASKING)
    answer(h, wait_popup(before, "the question on quitting unsaved"), "n")
    check(h.processes[-1].poll() is None and order(h) == [("A1", 12)], "quit with the order unsaved")
    os.rmdir(blocker)
    h.post(MAIN_TITLE, WM_QUIT_REQUEST, QUIT_WITHOUT_ASKING)
    check(wait_for(lambda: h.processes[-1].poll() is not None, 15), "no quit once the order could be saved")
    check(order(h) == [("A1", 123)], "the quit did not save the order: %r" % order(h))


def test_an_order_scrambled_under_a_missing_key_is_told_and_never_saved_over(h):
    store_data_key(h)
    write_order(h, [("A1", "ALPHA", 3, 0), ("B2", "BRAVO", 4, 0)])
    path = os.path.join(h.install_dir, "Current.dat")
    with open(path, "rb") as f:
        kept = f.read()
    h.wine("reg", "delete", r"HKLM\Software\Quarn Pharmaceutical Suppliers\Common", "/f", h.reg_view)
    _session["key stored"] = False
    h.reg_add("HKLM", "UserName", "100234")
    h.start()
    box = h.window("Quillbox", timeout=20)
    check(box, "no notice that the order can't be read")
    h.screenshot("order-unreadable")
    answer(h, box, "Escape")
    # Clearing the empty-looking order would save over the real one.
    window = h.window(MAIN_TITLE)
    h.keys(window, "F10")
    h.keys(wait_for(lambda: h.window("Quillbox", timeout=1), 10), "y")
    time.sleep(1)
    check(h.window("Quillbox", timeout=10), "no notice that the cleared order was not saved")
    with open(path, "rb") as f:
        check(f.read() == kept, "the unreadable order was saved over")


def test_sort_orders_by_class_then_description(h):
    lines = [("B", "B", 1, 0), ("C", "C", 1, 3), ("A", "A", 1, 1), ("D", "A", 1, 3), ("E", "b", 1, 0), ("F", "Z", 1, 0)]
    window, _ = start_order_window(h, lines=lines)
    h.keys(window, "F6")
    wait_order(h, [("D", 1), ("C", 1), ("A", 1), ("B", 1), ("F", 1), ("E", 1)], "after Sort")
    # The edit is on the entry row afterwards.
    h.keys(window, "1")
    wait_order(h, [("D", 1), ("C", 1), ("A", 1), ("B", 1), ("F", 1), ("E", 1)], "a digit after Sort")


def test_rows_show_their_class_colours_and_the_current_row_is_pale(h):
    lines = [("A", "ALPHA", 1, 0), ("B", "BRAVO", 1, 1), ("C", "CHARLIE", 1, 2), ("D", "DELTA", 1, 3)]
    window, _ = start_order_window(h, lines=lines)
    # The edit covers the whole of the current entry row.
    wait_rows(h, [WHITE, PART_FULFILLED, OUT_OF_STOCK, UNAVAILABLE, EDIT_YELLOW], "row-colours-entry-row-current",
              "rows of classes 0 to 3 and the entry row under the edit")
    h.keys(window, "Up", "Up", "Up", "Up")
    wait_rows(h, [PALE_YELLOW, PART_FULFILLED, OUT_OF_STOCK, UNAVAILABLE, WHITE], "row-colours-white-current",
              "a current line without a class is pale yellow")
    h.keys(window, "Down", "Down")
    current = (234, 176, 234 * 5 // 7)
    wait_rows(h, [WHITE, PART_FULFILLED, current, UNAVAILABLE, WHITE], "row-colours-out-of-stock-current",
              "the current out-of-stock row loses blue")


def test_a_dark_line_colour_gets_white_text(h):
    navy = 0x800000  # COLORREF of RGB(0, 0, 128)
    window, _ = start_order_window(h, lines=[("A", "ALPHA", 1, 3), ("B", "BRAVO", 1, 0)],
                                   UnavailableColor=str(navy))
    shot = h.screenshot("row-colours-dark")
    left, top, right, _ = h.rect(MAIN_TITLE, IDC_ORDER_GRID)
    rows = row_colours(h, shot)
    check(rows[0] == (0, 0, 128), "the unavailable row is navy: %r" % rows[:3])
    first_row = (left + 2, top + 24, left + 200, top + 36)
    check((255, 255, 255) in colours_in(shot, first_row), "the navy row's text is not white")


def test_scrolling_keeps_the_current_row_on_the_page(h):
    lines = [("C%02d" % i, "LINE %02d" % i, 1, 0) for i in range(60)]
    window, _ = start_order_window(h, lines=lines)
    left, top, right, bottom = h.rect(MAIN_TITLE, IDC_ORDER_GRID)
    # Wheel up far: the entry row (the last) leaves the page; the current row
    # becomes the lowest line on the page, and a digit goes to that line.
    subprocess.run(["xdotool", "mousemove", "--sync", str((left + right) // 2), str((top + bottom) // 2)])
    for _ in range(8):
        subprocess.run(["xdotool", "click", "4"])
        time.sleep(0.1)
    time.sleep(0.5)
    h.keys(window, "5")
    saved = dict(order(h))
    changed = [code for code, quantity in saved.items() if quantity == 5]
    check(len(changed) == 1, "one line takes the digit after wheeling: %r" % changed)
    row = int(changed[0][1:])
    check(row < 59, "the current row stayed below the page (line %d)" % row)


# --- the window's keys, commands and texts --------------------------------------

def test_esc_quits_only_when_allowed(h):
    window, _ = start_order_window(h, lines=[])
    before = popups()
    h.keys(window, "Escape")
    time.sleep(1)
    check(not (popups() - before), "Esc asked a question although AllowESCClose is not set")
    check(h.state(MAIN_TITLE) is not None, "Esc closed the window")
    h.stop_all()

    h.install("test_esc_quits_only_when_allowed-2")
    window, _ = start_order_window(h, lines=[], AllowESCClose="5")
    process = h.processes[-1]
    before = popups()
    h.keys(window, "Escape")
    box = wait_popup(before, "the quit question")
    answer(h, box, "n")
    check(process.poll() is None, "No ended the program")
    before = popups()
    h.keys(window, "Escape")
    box = wait_popup(before, "the quit question again")
    h.keys(box, "y")
    check(process.wait(timeout=15) == 0, "Yes did not end the program")


def test_quit_message_with_10_closes_without_asking_and_saves_the_settings(h):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0)])
    process = h.processes[-1]
    h.wine("reg", "delete", "HKLM\\Software\\Quarn Pharmaceutical Suppliers\\Quillbox", "/v", "PadX", "/f", h.reg_view)
    check("PadX" not in (h.reg_values("HKLM") or {}), "PadX could not be removed for the test")
    h.post(MAIN_TITLE, WM_QUIT_REQUEST, QUIT_WITHOUT_ASKING)
    check(process.wait(timeout=15) == 0, "the program did not end")
    check("PadX" in (h.reg_values("HKLM") or {}), "quitting did not save the settings")
    check(order(h) == [("A1", 3)], "quitting changed the order file")


def skin_leaving_the_grid_alone(h):
    """The installed skin without its placement of the grid and the footer, so
    only the footer moves the grid."""
    skin = os.path.join(h.install_dir, "Skin", "skin.ini")
    with open(skin, "rb") as f:
        lines = f.read().split(b"\n")
    kept = []
    section = b""
    for line in lines:
        if line.startswith(b"["):
            section = line.strip()
        if section != b"[QuillboxDialog]" or not line.startswith((b"CONTROL { ID 1000 ", b"CONTROL { ID 0 ")):
            kept.append(line)
    check(len(kept) == len(lines) - 2, "the skin no longer places the grid and the footer as expected")
    with open(skin, "wb") as f:
        f.write(b"\n".join(kept))


def test_a_missing_footer_leaves_the_grid_its_full_height(h):
    skin_leaving_the_grid_alone(h)
    start_order_window(h, lines=[], footer=False)
    without = h.rect(MAIN_TITLE, IDC_ORDER_GRID)
    bare = h.screenshot("no-footer")
    h.stop_all()

    h.install("test_a_missing_footer_leaves_the_grid_its_full_height-2")
    skin_leaving_the_grid_alone(h)
    start_order_window(h, lines=[], footer=True)
    shortened = h.rect(MAIN_TITLE, IDC_ORDER_GRID)
    news = h.screenshot("with-footer")
    check((without[3] - without[1]) - (shortened[3] - shortened[1]) == 98,
          "the footer takes 98 pixels of the grid: %r against %r" % (shortened, without))
    # The pane, from 118 to 30 pixels above the grid's old bottom, shows the news heading's blue.
    pane = (without[0], without[3] - 118, without[2] - 3, without[3] - 30)
    check(NEWS_BLUE in colours_in(news, pane), "the news pane does not show footer.rtf")
    check(NEWS_BLUE not in colours_in(bare, pane), "news showed without footer.rtf")


def test_an_old_database_shows_the_update_warning(h):
    warn = (0xC0, 0x39, 0x2B)  # the default skin's warning colour
    start_order_window(h, lines=[])
    fresh = h.screenshot("database-fresh")
    h.stop_all()

    h.install("test_an_old_database_shows_the_update_warning-2")
    demo_products(h)
    old = time.time() - 100 * 86400
    os.utime(os.path.join(h.install_dir, "Database.dat"), (old, old))
    start_order_window_keeping_products(h)
    stale = h.screenshot("database-old-warning")
    strip = warning_strip(h)
    check(warn not in colours_in(fresh, strip), "a fresh database shows the warning")
    check(warn in colours_in(stale, strip), "a database 100 days old does not show the warning")


def start_order_window_keeping_products(h):
    store_data_key(h)
    h.reg_add("HKLM", "UserName", "100234")
    h.start()
    check(h.window(MAIN_TITLE), "the main window did not open")
    time.sleep(1.5)


def warning_strip(h):
    """Where the default skin writes the date, time, warning and cut-off: the
    strip between the title bar and the grid."""
    left, top, right, _ = h.rect(MAIN_TITLE, 0)
    return (left + 14, top + 48, right - 14, top + 66)


def cut_off_box(h):
    left, top, right, _ = h.rect(MAIN_TITLE, 0)
    return (right - 118, top + 48, right - 14, top + 66)


def test_the_cut_off_text_with_none_one_and_two_times(h):
    red = (255, 0, 0)
    minute = time.localtime().tm_hour * 60 + time.localtime().tm_min
    check(minute < 1439, "the test needs a minute before 23:59")
    shots = {}
    for run, times in enumerate(("", "0 ", "0 1439 ")):
        if run:
            h.stop_all()
            h.install("test_the_cut_off_text-%d" % run)
        start_order_window(h, lines=[], CutOffTimes=times)
        time.sleep(1)
        shots[times] = h.screenshot("cut-off-%d-times" % len(times.split()))
    box = cut_off_box(h)
    none, one, two = (colours_in(shots[t], box) for t in ("", "0 ", "0 1439 "))
    check(red in none, "with no cut-off times the text is not red (Not Configured)")
    check(red in one, "with 00:00 only, the next cut-off is tomorrow's, in red")
    check(pixels(shots[""], box) != pixels(shots["0 "], box), "Not Configured and Tomorrow 00:00 look the same")
    check(red not in two and (0, 0, 0) in two, "with 00:00 and 23:59 the next is today's, in black")


def test_send_asks_first_and_the_notes_box_starts_with_its_prompt(h):
    # The question names a line over 999 (the screenshot shows it).
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 1200, 0)])
    code, text = h.probe("text", MAIN_TITLE, str(IDC_NOTES))
    check(code == 0 and text.strip() == "<< enter order notes here, press TAB to select this window >>",
          "the notes box holds %r" % text)
    answer(h, question_after(h, window, "F8", "the send question", "send-question"), "n")
    check(order(h) == [("A1", 1200)], "asking to send changed the order: %r" % order(h))
