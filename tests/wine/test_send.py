"""Sending the order as a person does (F8, Y) to a real orderd on loopback: the
place-order dialog, the memo, the response, what stays in the order, the
history file, the order counter and the log; the server's faults; a refused
port and a silent server, each cancelled."""
import glob
import os
import re
import socket
import sqlite3
import subprocess
import time

from harness import MAIN_TITLE, WM_APP, check, wait_for
from test_order import data_lines, main_enabled, order, popups, start_order_window, wait_popup

PLACE_ORDER_TITLE = "Sending order"
IDC_STATUS_LINE = 1050
IDC_RESPONSE_LIST = 1053
UNKNOWN_CODE = "ZZ0000"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Orderd:
    """orderd on a free loopback port with a database of its own."""

    def __init__(self, h, *options):
        self.port = free_port()
        self.db = os.path.join(h.artefacts, "orderd-%d.db" % self.port)
        binary = os.path.join(os.path.dirname(h.build), "native", "server", "orderd")
        self.log = open(os.path.join(h.artefacts, "orderd-%d.log" % self.port), "w")
        self.process = subprocess.Popen([binary, "--port", str(self.port), "--db", self.db, *options],
                                        stdout=self.log, stderr=subprocess.STDOUT, start_new_session=True)
        check(wait_for(self.listening, 20), "orderd did not start")
        h.processes.append(self.process)

    def listening(self):
        try:
            socket.create_connection(("127.0.0.1", self.port), 0.2).close()
            return True
        except OSError:
            return False

    def query(self, sql, *args):
        with sqlite3.connect(self.db) as db:
            return db.execute(sql, args).fetchall()


def pick_lines(server, products):
    """Order lines the server will answer in every way: in stock, too few left,
    out of stock, discontinued, and a code it does not know. (code, quantity)."""
    stock = dict(((code, (level, gone)) for code, level, gone in
                  server.query("SELECT code, stock, discontinued FROM products")))
    codes = [p[0] for p in products]
    plenty = [c for c in codes if stock.get(c, (0, 1)) [0] >= 20 and not stock[c][1]]
    few = [c for c in codes if 1 <= stock.get(c, (0, 1))[0] <= 4 and not stock[c][1]]
    none = [c for c in codes if stock.get(c, (1, 1))[0] == 0 and not stock[c][1]]
    gone = [c for c in codes if stock.get(c, (0, 0))[1]]
    check(plenty and few and none and gone, "the demo catalogue lacks a kind of stock")
    return [(plenty[0], 3), (few[0], stock[few[0]][0] + 5), (none[0], 2), (gone[0], 1), (UNKNOWN_CODE, 4)], stock


def in_stock(server, products, count=1):
    """Lines of one each of count products the server holds plenty of (20 or more)."""
    levels = dict(server.query("SELECT code, stock FROM products WHERE discontinued = 0"))
    chosen = [p for p in products if levels.get(p[0], 0) >= 20][:count]
    check(len(chosen) == count, "not enough products in stock for %d lines" % count)
    return [(p[0], p[5], 1, 0) for p in chosen]


def send(h, window):
    """F8 and Y: the place-order dialog's X id."""
    before = popups()
    h.keys(window, "F8")
    box = wait_popup(before, "the send question")
    h.keys(box, "y")
    dialog = h.window(PLACE_ORDER_TITLE)
    check(dialog, "the place-order dialog did not open")
    return dialog


def status(h):
    code, text = h.probe("text", PLACE_ORDER_TITLE, str(IDC_STATUS_LINE))
    return re.sub(r"[\r\n]+", "\n", text) if code == 0 else ""


def wait_response(h, timeout=40):
    """The response dialog's title, once it shows."""
    titles = [""]

    def shown():
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Response to Order "],
                             capture_output=True, text=True)
        ids = out.stdout.split()
        if not ids:
            return None
        name = subprocess.run(["xdotool", "getwindowname", ids[-1]], capture_output=True, text=True)
        titles[0] = name.stdout.strip()
        return ids[-1]
    window = wait_for(shown, timeout, 0.3)
    check(window, "no response dialog; status %r" % status(h))
    return window, titles[0]


def close_response(h, window):
    h.keys(window, "Escape")
    check(wait_for(lambda: main_enabled(h), 10), "the main window stayed disabled after the response")
    check(wait_for(lambda: h.state(MAIN_TITLE)[2] == 1, 5), "the main window did not get the keys back")


def order_counter(h):
    return int((h.reg_values("HKLM") or {}).get("OrderNumber", "0") or 0)


def history_files(h):
    return sorted(glob.glob(os.path.join(h.install_dir, "History", "*.dat")))


def test_an_order_is_sent_answered_kept_in_history_and_the_undelivered_stay(h):
    """The setup program's quit request comes while the server answers: the
    sending ends first, the program after it, and nothing of the order is lost."""
    server = Orderd(h, "--fault-delay-answer", "1500")
    lines = []

    def make_lines(products):
        picked, stock = pick_lines(server, products)
        lines.extend(picked)
        names = dict((p[0], p[5]) for p in products)
        return [(code, names.get(code, "UNKNOWN"), quantity, 0) for code, quantity in picked]
    window, _ = start_order_window(h, lines=make_lines, account="1001", Host="127.0.0.1", Port=str(server.port),
                                   OrderNumber="41")
    counter = order_counter(h)
    send(h, window)
    check(wait_for(lambda: "Transmitting Order" in status(h) or "Receiving" in status(h), 15),
          "the status never showed the exchange: %r" % status(h))
    h.screenshot("send-place-order-dialog")
    program = h.processes[-1]
    h.post(MAIN_TITLE, WM_APP + 1, 10)
    memo = h.window("Quillbox", 30)
    check(memo, "the account's memo was not shown")
    h.screenshot("send-memo")
    # Answered and stored before the memo waits for the pharmacist.
    check(len(history_files(h)) == 1 and order_counter(h) == counter + 1, "the answer was not kept before the memo")
    h.keys(memo, "Return")
    response, title = wait_response(h)
    h.screenshot("send-response-dialog")
    number = server.query("SELECT max(number) FROM orders WHERE account = '1001'")[0][0]
    check(number and title == "Response to Order %d" % number, "response title %r, order %r" % (title, number))
    code, cells = h.probe("cells", title, str(IDC_RESPONSE_LIST))
    shown = [row.split("\t") for row in cells.splitlines() if row]
    check(code == 0 and len(shown) == len(lines), "the response lists %r" % shown)
    answers = dict((c, (q, s, supplied)) for c, q, s, supplied in server.query(
        "SELECT code, quantity, status, supplied FROM order_lines WHERE number = ?", number))
    expected = []
    for code, quantity in lines:
        _, status_code, supplied = answers[code]
        if status_code == 3:
            expected.append((code, quantity - supplied))
        elif status_code != 0:
            expected.append((code, quantity))
    check([a[1] for a in answers.values()].count(0) >= 1 and 3 in [a[1] for a in answers.values()],
          "the server did not deliver and part-deliver: %r" % answers)
    check(program.poll() is None, "the program quit before the response was closed")
    h.keys(response, "Escape")
    check(wait_for(lambda: program.poll() is not None, 15), "the quit request was not carried out after the sending")
    check(order(h) == expected, "the order holds %r, not %r" % (order(h), expected))
    history = history_files(h)
    check(len(history) == 1 and history[0].endswith("(%d).dat" % number), "history files %r" % history)
    kept = data_lines(h, os.path.join("History", os.path.basename(history[0])))
    texts = dict((f[0], f[6]) for f in kept)
    check(texts.get(lines[0][0]) == "Ok" and texts.get(lines[2][0]) == "Out Of Stock"
          and texts.get(UNKNOWN_CODE) == "Item Not Found", "the history file holds %r" % kept)
    check(order_counter(h) == counter + 1, "OrderNumber is %d, was %d" % (order_counter(h), counter))
    logs = glob.glob(os.path.join(h.install_dir, "Logs", "1001 *.log"))
    check(logs and "Transmitting Order" in open(logs[0], "rb").read().decode("cp1252"), "no trace log %r" % logs)


def test_faults_on_the_line_are_overcome_by_the_link(h):
    """With the first, a file where History belongs: the answer can't be kept, and that is told. The last
    server is named, not numbered: its name is looked up first."""
    for fault, host in ((["--fault-nak-every", "2"], "127.0.0.1"), (["--fault-corrupt-every", "2"], "127.0.0.1"),
                        (["--fault-garbage", "3"], "localhost")):
        server = Orderd(h, *fault)
        window, _ = start_order_window(h, lines=lambda p: in_stock(server, p), account="4711",
                                       Host=host, Port=str(server.port))
        blocker = os.path.join(h.install_dir, "History")
        if fault[0] == "--fault-nak-every":
            open(blocker, "w").close()
        send(h, window)
        if os.path.isfile(blocker):
            notice = h.window("Quillbox", 60)
            check(notice, "no notice that the answer was not kept in History")
            h.keys(notice, "Escape")
            os.remove(blocker)
        response, title = wait_response(h, 60)
        check(title != "Response to Order <failed>", "%s: the exchange failed" % fault)
        close_response(h, response)
        check(order(h) == [], "%s: the delivered line stayed: %r" % (fault, order(h)))
        h.stop_all()


def test_an_exchange_dropped_after_the_order_went_is_no_answer_and_keeps_the_whole_order(h):
    server = Orderd(h, "--fault-drop-after", "1")
    window, _ = start_order_window(h, lines=lambda p: [(p[40][0], p[40][5], 2, 0), (p[41][0], p[41][5], 1, 0)],
                                   account="4711", Host="127.0.0.1", Port=str(server.port), OrderNumber="7")
    before = order(h)
    counter = order_counter(h)
    send(h, window)
    response, title = wait_response(h, 60)
    code, cells = h.probe("cells", title, str(IDC_RESPONSE_LIST))
    # The order's one block had gone: the server may hold it, so no line reads "Failed".
    check(title == "Response to Order <failed>" and cells.count("No answer") == 2, "%r: %r" % (title, cells))
    close_response(h, response)
    check(order(h) == before and not history_files(h), "an exchange without a reply changed the order or the history")
    check(order_counter(h) == counter + 1, "the order counter did not move on")


def test_a_refused_port_counts_down_and_a_silent_server_can_be_cancelled(h):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0)], account="4711",
                                   Host="127.0.0.1", Port=str(free_port()))
    dialog = send(h, window)
    check(wait_for(lambda: "Failed - Connection refused\nAttempt 2, Retrying in " in status(h), 15),
          "no countdown after a refused connection: %r" % status(h))
    first = status(h)
    check(wait_for(lambda: status(h) != first, 5), "the countdown does not count")
    h.keys(dialog, "Escape")
    check(wait_for(lambda: main_enabled(h), 10), "Esc did not end the countdown")
    check(order(h) == [("A1", 3)], "cancelling changed the order")
    h.stop_all()

    server = Orderd(h, "--fault-silent")
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0)], account="4711",
                                   Host="127.0.0.1", Port=str(server.port))
    dialog = send(h, window)
    check(wait_for(lambda: "Transmitting Order" in status(h), 15), "never transmitting: %r" % status(h))
    time.sleep(1)
    h.keys(dialog, "Escape")
    check(wait_for(lambda: main_enabled(h), 10), "Esc did not end a silent exchange")
    check(order(h) == [("A1", 3)] and not history_files(h), "cancelling changed the order or the history")


def test_an_unknown_account_refuses_every_line_and_an_update_is_stored(h):
    update = os.path.join(h.artefacts, "update.bin")
    with open(update, "wb") as f:
        f.write(bytes(range(255)) * 40)  # whole groups of three: the format carries no length
    server = Orderd(h, "--update-file", update, "--update-version", "9.9")
    window, _ = start_order_window(h, lines=lambda p: [(p[40][0], p[40][5], 2, 0)], account="NOSUCH",
                                   Host="127.0.0.1", Port=str(server.port))
    before = order(h)
    send(h, window)
    response, title = wait_response(h, 60)
    code, cells = h.probe("cells", title, str(IDC_RESPONSE_LIST))
    check("Unknown Account" in cells, "the response shows %r" % cells)
    close_response(h, response)
    check(order(h) == before, "an unknown account's refusal changed the order")
    h.stop_all()

    server = Orderd(h, "--update-file", update, "--update-version", "9.9")
    window, _ = start_order_window(h, lines=lambda p: [(p[40][0], p[40][5], 1, 0)], account="4711",
                                   Host="127.0.0.1", Port=str(server.port))
    send(h, window)
    response, _ = wait_response(h, 60)
    close_response(h, response)
    one = os.path.join(h.install_dir, "one")
    check(os.path.exists(one) and open(one, "rb").read() == open(update, "rb").read(),
          "the update was not written to \"one\"")
