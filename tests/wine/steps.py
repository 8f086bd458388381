"""The steps every Wine scenario is made of: data files written and read back with the data tool, the program
started on an order, a dialog or question box opened with a key and answered, colours read off a screenshot."""
import os
import shutil
import subprocess
import time

from harness import MAIN_TITLE, SETTINGS_TITLE, WINE, check, wait_for, xdotool

DATA_KEY = "e2e-data-key"
IDC_ORDER_GRID = 1000
WM_COMMAND = 0x0111
IDC_CMD_SETTINGS = 1048
# Order-line colours: the defaults of the settings, and white.
WHITE = (255, 255, 255)
PART_FULFILLED = (169, 239, 172)
OUT_OF_STOCK = (234, 176, 234)
UNAVAILABLE = (200, 200, 200)

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
    out = h.wine(os.path.join(h.build, "tools", "qbxdata.exe"), *args, "--key", DATA_KEY, timeout=60)
    check(out.returncode == 0, "qbxdata %s failed: %s %s" % (args[0], out.stdout, out.stderr))
    return out.stdout


def data_lines(h, name):
    """A data file's lines, split at TABs, as the data tool prints them."""
    path = os.path.join(h.install_dir, name)
    if not os.path.exists(path):
        return []
    return [line.split("\t") for line in qbxdata(h, "cat", h.windows_path(path)).replace("\r", "").splitlines()
            if line]


def order(h):
    """The order as saved: (code, quantity) per line."""
    return [(fields[0], int(fields[3])) for fields in data_lines(h, "Current.dat")]


def wait_order(h, expected, message):
    got = []
    check(wait_for(lambda: got.clear() or got.extend(order(h)) or got == expected, 5),
          "%s: the order file holds %r, not %r" % (message, got, expected))


def demo_products(h):
    """The demo catalogue in the install folder (made once per run); its lines."""
    cache = os.path.join(h.artefacts, "Database.dat")
    target = os.path.join(h.install_dir, "Database.dat")
    if not os.path.exists(cache):
        qbxdata(h, "demo", h.windows_path(target), "--count", "3000")
        shutil.copy(target, cache)
    else:
        shutil.copy(cache, target)
    return data_lines(h, "Database.dat")


def import_products(h, rows):
    """Database.dat made by the data tool from (code, size, description[, second code]) rows."""
    source = os.path.join(h.install_dir, "products.tsv")
    with open(source, "w", encoding="cp1252", newline="") as f:
        for code, size, description, *second in rows:
            f.write("%s\t%s\t%s\t1.25\t0\t%s\r\n" % (code, second[0] if second else "0", size, description))
    qbxdata(h, "import", h.windows_path(source), h.windows_path(os.path.join(h.install_dir, "Database.dat")))


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


def start(h, account="100234", **settings):
    """Starts the program with an account number (so Settings stay hidden) and these settings; the main window."""
    for name, value in dict(settings, UserName=account).items():
        h.reg_add("HKLM", name, value)
    h.start()
    window = h.window(MAIN_TITLE)
    check(window, "the main window did not open")
    return window


def start_order_window(h, lines=None, footer=True, account="100234", make_products=None, age_days=0, **settings):
    """Starts the program on the demo catalogue (or what make_products makes) with an order (lines, or a function
    of the products giving them); the main window's X id and the products."""
    store_data_key(h)
    if make_products:
        make_products(h)
        products = data_lines(h, "Database.dat")
    else:
        products = demo_products(h)
    made = time.time() - age_days * 86400
    os.utime(os.path.join(h.install_dir, "Database.dat"), (made, made))
    if lines is not None:
        write_order(h, lines(products) if callable(lines) else lines)
    if footer:
        shutil.copy(os.path.join(os.path.dirname(__file__), "..", "..", "demo", "footer.rtf"), h.install_dir)
    window = start(h, account, **settings)
    # The in-place edit settles on the last row once start-up is through.
    time.sleep(1.5)
    return window, products


def open_settings(h):
    # The hidden "Settings (F2)" command button of the main window.
    h.post(MAIN_TITLE, WM_COMMAND, IDC_CMD_SETTINGS)
    window = h.window(SETTINGS_TITLE)
    check(window, "the settings dialog did not open")
    return window


# --- dialogs and question boxes ------------------------------------------------

def popups():
    """The visible windows with a title: the program's, not the window manager's frames."""
    return set(xdotool("search", "--onlyvisible", "--name", ".").split())


def wait_popup(before, what):
    new = wait_for(lambda: sorted(popups() - before, key=int), 10)
    check(new, "%s did not open" % what)
    return new[-1]


def opens(h, window, *keys, what, shot=None):
    """The X id of the window the keys open, once a screenshot of it is taken when it is named."""
    before = popups()
    h.keys(window, *keys)
    box = wait_popup(before, what)
    if shot:
        h.screenshot(shot)
    return box


def search(h, window, words):
    """The search dialog for the words typed on the entry row."""
    h.type_text(window, words)
    return opens(h, window, "Return", what="the search for %r" % words)


def main_enabled(h):
    state = h.state(MAIN_TITLE)
    return state is not None and state[3] == 1


def answer(h, box, *keys):
    """Closes a dialog or skinned question box with keys (a hot key: Y, N)."""
    h.keys(box, *keys)
    check(wait_for(lambda: main_enabled(h), 10), "%s did not close the dialog" % (keys,))


def nothing_opens(h, window, *keys):
    before = popups()
    h.keys(window, *keys)
    time.sleep(1)
    check(not (popups() - before) and main_enabled(h), "%s opened a window" % (keys,))


# --- screenshots --------------------------------------------------------------

def pixels(shot, box):
    """The RGB bytes of a box of a screenshot."""
    left, top, right, bottom = box
    return subprocess.run(["convert", shot, "-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top),
                           "-depth", "8", "rgb:-"], capture_output=True, timeout=20).stdout


def colours_in(shot, box):
    raw = pixels(shot, box)
    return {tuple(raw[i:i + 3]) for i in range(0, len(raw) - 2, 3)}


def column_colours(shot, x, top, bottom):
    """The colours down one pixel column of a screenshot, as runs of at least 4 pixels."""
    raw = pixels(shot, (x, top, x + 1, bottom))
    runs = []
    for i in range(0, len(raw) - 2, 3):
        colour = tuple(raw[i:i + 3])
        if runs and runs[-1][0] == colour:
            runs[-1][1] += 1
        else:
            runs.append([colour, 1])
    return [colour for colour, length in runs if length >= 4]
