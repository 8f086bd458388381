"""Sending the order as a person does (F8, Y) to a real orderd on loopback: the place-order dialog, the memo, the
response, what stays in the order, the history file, the order counter and the log; the server's faults; a
refused port and a silent server, each cancelled."""
import contextlib
import glob
import os
import re
import socket
import sqlite3
import subprocess
import time

from harness import MAIN_TITLE, WM_APP, check, wait_for, xdotool
from steps import answer, data_lines, main_enabled, opens, order, start_order_window

PLACE_ORDER_TITLE = "Sending order"
IDC_STATUS_LINE = 1050
IDC_RESPONSE_LIST = 1053
UNKNOWN_CODE = "ZZ0000"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Orderd:
    """orderd on a free loopback port with a database of its own; with tls, a (folder, name) that
    tools/make-test-ca filled, a TLS port beside it too."""

    def __init__(self, h, *options, tls=None):
        self.port = free_port()
        if tls:
            self.tls_port = free_port()
            chain, key = (os.path.join(tls[0], tls[1] + ext) for ext in (".pem", ".key"))
            options += ("--tls-port", str(self.tls_port), "--cert", chain, "--key", key)
        self.db = os.path.join(h.artefacts, "orderd-%d.db" % self.port)
        log = open(os.path.join(h.artefacts, "orderd-%d.log" % self.port), "w")
        h.processes.append(subprocess.Popen(
            [os.path.join(os.path.dirname(h.build), "native", "server", "orderd"), "--port", str(self.port),
             "--db", self.db, *options], stdout=log, stderr=subprocess.STDOUT, start_new_session=True))
        check(wait_for(self.listening, 20), "orderd did not start")

    def listening(self):
        with contextlib.suppress(OSError), socket.create_connection(("127.0.0.1", self.port), 0.2):
            return True

    def query(self, sql, *args):
        with sqlite3.connect(self.db) as db:
            return db.execute(sql, args).fetchall()


def pick_lines(server, products):
    """(code, quantity) lines the server will answer in every way: in stock, too few left, out of stock,
    discontinued, and a code it does not know."""
    stock = {code: (level, out) for code, level, out in server.query("SELECT code, stock, discontinued FROM products")}
    known = [(p[0], *stock[p[0]]) for p in products if p[0] in stock]
    plenty, few, none, gone = ([c for c, level, out in known if kind(level, out)] for kind in (
        lambda level, out: level >= 20 and not out, lambda level, out: 1 <= level <= 4 and not out,
        lambda level, out: level == 0 and not out, lambda level, out: out))
    check(plenty and few and none and gone, "the demo catalogue lacks a kind of stock")
    return [(plenty[0], 3), (few[0], stock[few[0]][0] + 5), (none[0], 2), (gone[0], 1), (UNKNOWN_CODE, 4)]


def in_stock(server, products, count=1):
    """Lines of one each of count products the server holds plenty of (20 or more)."""
    levels = dict(server.query("SELECT code, stock FROM products WHERE discontinued = 0"))
    chosen = [p for p in products if levels.get(p[0], 0) >= 20][:count]
    check(len(chosen) == count, "not enough products in stock for %d lines" % count)
    return [(p[0], p[5], 1, 0) for p in chosen]


def order_window(h, port, lines, account="4711", **settings):
    """The order window on these lines, set to send to orderd on this loopback port."""
    settings = {"Host": "127.0.0.1", "Port": str(port), **settings}
    return start_order_window(h, lines=lines, account=account, **settings)[0]


def send(h, window):
    """F8 and Y: the place-order dialog's X id."""
    h.keys(opens(h, window, "F8", what="the send question"), "y")
    dialog = h.window(PLACE_ORDER_TITLE)
    check(dialog, "the place-order dialog did not open")
    return dialog


def status(h):
    code, text = h.probe("text", PLACE_ORDER_TITLE, str(IDC_STATUS_LINE))
    return re.sub(r"[\r\n]+", "\n", text) if code == 0 else ""


def wait_response(h, timeout=40):
    """The response dialog's X id and title, once it shows."""
    window = h.window("Response to Order .*", timeout)
    check(window, "no response dialog; status %r" % status(h))
    return window, xdotool("getwindowname", window).strip()


def response_cells(h, title):
    code, cells = h.probe("cells", title, str(IDC_RESPONSE_LIST))
    check(code == 0, "the response list could not be read")
    return [row.split("\t") for row in cells.splitlines() if row]


def close_response(h, window):
    answer(h, window, "Escape")
    check(wait_for(lambda: h.state(MAIN_TITLE)[2] == 1, 5), "the main window did not get the keys back")


def cancel(h, dialog, message):
    h.keys(dialog, "Escape")
    check(wait_for(lambda: main_enabled(h), 10), "Esc did not end %s" % message)


def order_counter(h):
    return int((h.reg_values("HKLM") or {}).get("OrderNumber", "0") or 0)


def history_files(h):
    return sorted(glob.glob(os.path.join(h.install_dir, "History", "*.dat")))


def test_an_order_is_sent_answered_kept_in_history_and_the_undelivered_stay(h):
    """The setup program's quit request comes while the server answers: the sending ends first, the program
    after it, and nothing of the order is lost."""
    server = Orderd(h, "--fault-delay-answer", "1500")
    lines = []

    def make_lines(products):
        lines.extend(pick_lines(server, products))
        names = dict((p[0], p[5]) for p in products)
        return [(code, names.get(code, "UNKNOWN"), quantity, 0) for code, quantity in lines]
    send(h, order_window(h, server.port, make_lines, account="1001", OrderNumber="41"))
    check(wait_for(lambda: "Transmitting Order" in status(h) or "Receiving" in status(h), 15),
          "the status never showed the exchange: %r" % status(h))
    h.screenshot("send-place-order-dialog")
    program = h.processes[-1]
    h.post(MAIN_TITLE, WM_APP + 1, 10)
    memo = h.window("Quillbox", 30)
    check(memo, "the account's memo was not shown")
    # Answered and stored before the memo waits for the pharmacist.
    check(len(history_files(h)) == 1 and order_counter(h) == 42, "the answer was not kept before the memo")
    h.keys(memo, "Return")
    response, title = wait_response(h)
    number = server.query("SELECT max(number) FROM orders WHERE account = '1001'")[0][0]
    check(number and title == "Response to Order %d" % number, "response title %r, order %r" % (title, number))
    check(len(response_cells(h, title)) == len(lines), "the response lists %r" % response_cells(h, title))
    answers = dict((c, (s, supplied)) for c, s, supplied in server.query(
        "SELECT code, status, supplied FROM order_lines WHERE number = ?", number))
    # Delivered lines go, a part delivery leaves what was not supplied, the refused stay.
    expected = [(code, quantity - (answers[code][1] if answers[code][0] == 3 else 0))
                for code, quantity in lines if answers[code][0] != 0]
    check(program.poll() is None, "the program quit before the response was closed")
    h.keys(response, "Escape")
    check(wait_for(lambda: program.poll() is not None, 15), "the quit request was not carried out after the sending")
    check(order(h) == expected, "the order holds %r, not %r" % (order(h), expected))
    history = history_files(h)
    check(len(history) == 1 and history[0].endswith("(%d).dat" % number), "history files %r" % history)
    texts = dict((f[0], f[6]) for f in data_lines(h, os.path.join("History", os.path.basename(history[0]))))
    check(texts.get(lines[0][0]) == "Ok" and texts.get(lines[2][0]) == "Out Of Stock"
          and texts.get(UNKNOWN_CODE) == "Item Not Found", "the history file holds %r" % texts)


def test_faults_on_the_line_are_overcome_by_the_link_and_an_unknown_account_is_refused_line_by_line(h):
    """With the first, a file where History belongs: the answer can't be kept, and that is told. The last
    server is named, not numbered: its name is looked up first; its account is unknown, so the order stays."""
    for fault, host, account in ((["--fault-nak-every", "2"], "127.0.0.1", "4711"),
                                 (["--fault-corrupt-every", "2"], "127.0.0.1", "4711"),
                                 (["--fault-garbage", "3"], "localhost", "NOSUCH")):
        server = Orderd(h, *fault)
        window = order_window(h, server.port, lambda p: in_stock(server, p), account, Host=host)
        before, blocker = order(h), os.path.join(h.install_dir, "History")
        if fault[0] == "--fault-nak-every":
            open(blocker, "w").close()
        send(h, window)
        if os.path.isfile(blocker):
            notice = h.window("Quillbox", 60)
            check(notice, "no notice that the answer was not kept in History")
            h.keys(notice, "Escape")
            os.remove(blocker)
        response, title = wait_response(h, 60)
        refused = account == "NOSUCH" and "Unknown Account" in str(response_cells(h, title))
        check(refused or title != "Response to Order <failed>", "%s: the exchange failed" % fault)
        close_response(h, response)
        check(order(h) == (before if refused else []), "%s: the order holds %r" % (fault, order(h)))
        h.stop_all()


def test_an_exchange_dropped_after_the_order_went_is_no_answer_and_a_silent_one_is_cancelled_keeping_the_order(h):
    """Dropped after the order's one block had gone, the server may hold it: no line reads "Failed", and the
    order counter moves on."""
    for fault in (["--fault-drop-after", "1"], ["--fault-silent"]):
        server = Orderd(h, *fault)
        window = order_window(h, server.port, lambda p: [(p[40][0], p[40][5], 2, 0), (p[41][0], p[41][5], 1, 0)],
                              OrderNumber="7")
        before = order(h)
        dialog = send(h, window)
        if fault == ["--fault-silent"]:
            check(wait_for(lambda: "Transmitting Order" in status(h), 15), "never transmitting: %r" % status(h))
            time.sleep(1)
            cancel(h, dialog, "a silent exchange")
        else:
            response, title = wait_response(h, 60)
            cells = str(response_cells(h, title))
            check(title.endswith("<failed>") and cells.count("No answer") == 2, "%r: %r" % (title, cells))
            close_response(h, response)
            check(order_counter(h) == 8, "the order counter did not move on")
        check(order(h) == before and not history_files(h), "%s changed the order or the history" % fault)
        h.stop_all()
