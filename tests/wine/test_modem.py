"""Sending over a telephone modem, as a person does (F8, Y) with "modem" chosen in Settings. Wine's tapi32.dll is
stubs, so the prefix gets the stand-in of tests/wine/standins/tapi32 on COM7, and COM7 is the pty of
tools/modem-emulator, which bridges the wholesaler's number to a real orderd on loopback."""
import contextlib
import os
import re
import subprocess
import sys
import time

from harness import SETTINGS_TITLE, check, wait_for
from steps import open_settings, order, start_order_window
from test_dialup import check_statuses, trace_log
from test_send import Orderd, cancel, close_response, history_files, in_stock, send, status, wait_response

STANDIN_KEY = r"HKCU\Software\Quillbox Tests\TapiStandIn"
LINE_NAME = "Quillbox Test Modem"
IDC_DEVICE = 1034
NUMBER = "01632 960410"
NO_ANSWER = "No answer from the server: the order may have arrived"
EMULATOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "modem-emulator")


class Emulator:
    """The modem on COM7; its events ("DIAL ...", "HANGUP ...") in a file."""

    def __init__(self, h, server, *options):
        self.path = os.path.join(h.artefacts, "modem-%d.log" % time.monotonic_ns())
        link = os.path.join(h.prefix, "dosdevices", "com7")
        # The carrier detect line the stand-in watches, where Wine can read it.
        self.carrier = os.path.join(h.prefix, "drive_c", "modem-carrier")
        h.processes.append(subprocess.Popen(
            [sys.executable, EMULATOR, "--link", link, "--ring-ms", "500", "--carrier-file", self.carrier,
             "--phonebook", "%s=127.0.0.1:%d" % (NUMBER, server.port), *options],
            stdout=open(self.path, "w"), stderr=subprocess.STDOUT, start_new_session=True))
        check(wait_for(lambda: "READY" in self.events(), 10), "the modem emulator did not start")

    def events(self):
        return open(self.path).read()


@contextlib.contextmanager
def modem_line(h, server, *options, fail_dials=0):
    """The stand-in chosen over Wine's tapi32 for the programs started inside,
    its port the emulator's; its first fail_dials dials fail through LINE_REPLY."""
    h.wine("reg", "add", STANDIN_KEY, "/v", "Port", "/t", "REG_SZ", "/d", "COM7", "/f")
    h.wine("reg", "add", STANDIN_KEY, "/v", "FailDials", "/t", "REG_SZ", "/d", str(fail_dials), "/f")
    emulator = Emulator(h, server, *options)
    h.wine("reg", "add", STANDIN_KEY, "/v", "CarrierFile", "/t", "REG_SZ", "/d", h.windows_path(emulator.carrier),
           "/f")
    with h.standin_dll(os.path.join(h.build, "tests", "wine", "standins", "tapi32", "tapi32.dll")):
        yield emulator


def stamp(log, text):
    """Seconds into the trace at which a line began with text."""
    found = re.search(r"<(\d+):(\d+\.\d+) : [\d.]+> %s" % re.escape(text), log)
    check(found, "no %r in the trace" % text)
    return int(found.group(1)) * 60 + float(found.group(2))


def start_modem_order(h, server, device="0"):
    window, _ = start_order_window(h, lines=lambda p: in_stock(server, p), account="4711", CnxType="1",
                                   Number=NUMBER, Device=device)
    return window


def test_an_order_goes_over_the_modem_call_and_the_line_is_hung_up(h):
    # orderd's further EOT comes only after ours: the program, having hung up, does not wait for it.
    server = Orderd(h, "--close-as-protocol")
    with modem_line(h, server) as modem:
        window = start_modem_order(h, server)
        started = time.monotonic()
        send(h, window)
        response, title = wait_response(h, 60)
        took = time.monotonic() - started
        check(title != "Response to Order <failed>", "no order number over the modem: %r" % title)
        close_response(h, response)
        check(order(h) == [] and len(history_files(h)) == 1, "after the modem order: Current.dat %r, history %r"
              % (order(h), history_files(h)))
        check(wait_for(lambda: "HANGUP" in modem.events(), 10), "the modem was not hung up: %r" % modem.events())
    check_statuses(h, "Dialing '%s'" % NUMBER, "Connected...", "Transmitting Order", "Receiving response.")
    # Hung up after our EOT, the link ends then, not at its EOT timer's 2 and 4 s.
    log = trace_log(h)
    closing = stamp(log, "1. Disconnected") - stamp(log, "B. Disconnecting")
    check(closing < 2, "the link ended %.2f s after our closing EOT" % closing)
    check("DIAL %s" % NUMBER in modem.events(), "the number dialled: %r" % modem.events())
    check(len(server.query("SELECT message FROM orders WHERE account = '4711'")) == 1, "orderd has no order")
    print("  modem order from Y to the response: %.1f s" % took)


def test_a_failed_dial_and_a_busy_line_are_retried_and_the_next_call_succeeds(h):
    server = Orderd(h)
    # The first dial is taken, then failed by its LINE_REPLY: no call state follows.
    with modem_line(h, server, "--outcomes", "BUSY,CONNECT", fail_dials=1) as modem:
        send(h, start_modem_order(h, server))
        check(wait_for(lambda: "Failed - Operation Failed\nAttempt 2, Retrying in " in status(h), 10),
              "no retry after the failed dial: %r" % status(h))
        check(wait_for(lambda: "Failed - Busy\nAttempt 3, Retrying in " in status(h), 30),
              "no retry after the busy line: %r" % status(h))
        response, title = wait_response(h, 60)
        check(title != "Response to Order <failed>", "the second call did not carry the order: %r" % title)
        close_response(h, response)
        check(modem.events().count("DIAL ") == 2, "the dials: %r" % modem.events())


def test_cancel_while_dialling_hangs_up_and_the_settings_list_the_line_and_keep_the_choice(h):
    server = Orderd(h)
    # The wholesaler's modem takes long to answer.
    with modem_line(h, server, "--ring-ms", "8000") as modem:
        dialog = send(h, start_modem_order(h, server))
        check(wait_for(lambda: "Dialing '" in status(h), 10), "not dialling: %r" % status(h))
        check(wait_for(lambda: "DIAL " in modem.events(), 10), "the modem was not dialled")
        cancel(h, dialog, "the dialog")
        check(wait_for(lambda: "HANGUP" in modem.events() or "RESULT" in modem.events(), 30),
              "the emulator did not see the hang-up: %r" % modem.events())
        check(not server.query("SELECT message FROM orders"), "an order went after the cancel")
        settings = open_settings(h)
        code, shown = h.probe("text", SETTINGS_TITLE, str(IDC_DEVICE))
        check(code == 0 and shown.strip() == LINE_NAME, "the device list shows %r" % shown)
        h.keys(settings, "Return")
        check(wait_for(lambda: (h.reg_values("HKLM") or {}).get("Device") == "0", 5),
              "the choice was not kept: %r" % h.reg_values("HKLM"))


def test_a_device_that_is_gone_aborts_without_dialling(h):
    server = Orderd(h)
    with modem_line(h, server) as modem:
        # The settings name the eighth line; the machine has one now.
        dialog = send(h, start_modem_order(h, server, device="7"))
        # The status's blank line reads as one line break here.
        expected = "Invalid modem device configuration in settings.\nAborted."
        check(wait_for(lambda: status(h).strip() == expected, 10),
              "the status is %r" % status(h))
        check("DIAL" not in modem.events(), "a gone device was dialled: %r" % modem.events())
        cancel(h, dialog, "the dialog")


def test_a_carrier_lost_or_a_modem_taking_nothing_mid_order_ends_at_once_and_keeps_the_order(h):
    # Once 40 bytes have crossed the carrier goes, or the modem holds its
    # clear-to-send low and the program's next write waits: either ends the
    # call as a lost line, and the sending at once, and in the second the
    # program hangs up before the wholesaler gives up. The lost carrier comes
    # after the order's one block went: the server may hold it, and the
    # status says so.
    for trouble, event in ((["--drop-after", "40"], "HANGUP line dropped"),
                           (["--hold-after", "40"], "HOLD\nHANGUP dtr")):
        server = Orderd(h)
        with modem_line(h, server, *trouble) as modem:
            window = start_modem_order(h, server)
            before = order(h)
            send(h, window)
            response, _ = wait_response(h, 20)
            check(event != "HANGUP line dropped" or status(h).strip() == NO_ANSWER,
                  "%s: the status is %r" % (event, status(h)))
            check(wait_for(lambda: event in modem.events(), 15), "no %r: %r" % (event, modem.events()))
            close_response(h, response)
            check("status - 'Disconnected... Unavailable'" in trace_log(h), "%s: the lost call was not told" % event)
            check(order(h) == before and not server.query("SELECT message FROM orders"),
                  "%s: a lost call changed the order or placed it" % event)
        h.stop_all()
