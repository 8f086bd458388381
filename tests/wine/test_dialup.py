"""Dial-up before TCP, as a person sends an order (F8, Y) with the dial-up box ticked in Settings. Wine's
rasapi32.dll is stubs, so the prefix gets the stand-in of tests/wine/standins: it writes down the entry and the
dial parameters it was given and plays the dial's progress, ending in "Connected" or in the error a test puts in
its registry key."""
import contextlib
import glob
import os
import time

from harness import check, wait_for
from test_send import Orderd, cancel, close_response, free_port, in_stock, order_window, send, status, wait_response

STANDIN_KEY = r"HKCU\Software\Quillbox Tests\RasStandIn"
ACCESS_NUMBER = "08081570419"
STATES = ("Opening Port", "Port Opened", "Dialing Connection", "DeviceConnected", "All Devices Connected",
          "Authenticating", "Authenticated", "Connected")


def failures(h, **values):
    """The stand-in's failure values, read at each call; its record starts afresh."""
    h.wine("reg", "delete", STANDIN_KEY, "/f", h.reg_view)
    for name, value in values.items():
        h.wine("reg", "add", STANDIN_KEY, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f", h.reg_view)
    if os.path.exists(os.path.join(h.install_dir, "rasapi32.log")):
        os.remove(os.path.join(h.install_dir, "rasapi32.log"))


@contextlib.contextmanager
def ras_standin(h, **values):
    """The stand-in for the programs started inside, with its failure values set."""
    failures(h, **values)
    with h.standin_dll(os.path.join(h.build, "tests", "wine", "standins", "rasapi32.dll")):
        yield


def recorded(h):
    """The stand-in's record: (the calls in order, the last value of each field)."""
    path = os.path.join(h.install_dir, "rasapi32.log")
    lines = open(path).read().splitlines() if os.path.exists(path) else []
    calls = [line[5:] for line in lines if line.startswith("call ")]
    fields = dict(line.split("=", 1) for line in lines if "=" in line and not line.startswith("call "))
    return calls, fields


def trace_log(h):
    """The trace logs of the program's sendings, one after another."""
    return "".join(open(path, "rb").read().decode("cp1252")
                   for path in sorted(glob.glob(os.path.join(h.install_dir, "Logs", "*.log"))))


def check_statuses(h, *expected):
    """The statuses are in the trace log, in this order."""
    at = [trace_log(h).find("status - '%s" % text) for text in expected]
    check(-1 not in at and at == sorted(at), "the statuses in the log, in order: %r" % list(zip(expected, at)))


def dial_up_window(h, port, lines):
    return order_window(h, port, lines, RasConnection="1", RasDialPrefix="9,")


def test_dial_up_shows_its_states_then_the_order_and_an_update_go_over_tcp_and_the_line_is_hung_up(h):
    update = os.path.join(h.artefacts, "update.bin")
    with open(update, "wb") as f:
        f.write(bytes(range(255)) * 40)  # whole groups of three: the format carries no length
    server = Orderd(h, "--update-file", update, "--update-version", "9.9")
    with ras_standin(h, StepMs=100):
        send(h, dial_up_window(h, server.port, lambda p: in_stock(server, p)))
        response, title = wait_response(h, 60)
        check(title != "Response to Order <failed>", "the order did not go after dialling: %r" % title)
        close_response(h, response)
    with open(os.path.join(h.install_dir, "one"), "rb") as one, open(update, "rb") as sent:
        check(one.read() == sent.read(), "the update was not written to \"one\"")
    check_statuses(h, "Creating RAS connection", "Dialing RAS Connection", *STATES, "Connecting to server",
                   "Transmitting Order")
    calls, fields = recorded(h)
    check(calls == ["RasSetEntryPropertiesA", "RasDialA", "RasHangUpA handle=dialled"], "the calls: %r" % calls)
    # The entry and the dial parameters as the service was given them.
    expected = {
        "phoneBook": "<null>", "entryName": "Tarn Dialup", "entrySize": "0x6e8", "deviceInfo": "<null>",
        "deviceInfoSize": "0x0", "entry.dwSize": "0x6e8", "entry.dwfOptions": "0x318", "entry.szDeviceType": "modem",
        "entry.szDeviceName": "", "entry.dwfNetProtocols": "0x4", "entry.dwFramingProtocol": "0x1",
        "entry.othersZero": "yes", "extensions": "<null>", "notifierType": "0xffffffff", "notifier": "Sending order",
        "params.dwSize": "0x41c", "params.szEntryName": "Tarn Dialup", "params.szPhoneNumber": "9," + ACCESS_NUMBER,
        "params.szCallbackNumber": "", "params.szUserName": "tarn", "params.szPassword": "quil", "params.szDomain": ""}
    wrong = {name: fields.get(name) for name, value in expected.items() if fields.get(name) != value}
    check(not wrong, "fields not as given: %r" % wrong)
    number = fields.get("entry.szLocalPhoneNumber", "")
    check(len(number) == 4 and number.isdigit(), "the entry's placeholder number is %r" % number)
    messages = server.query("SELECT message FROM orders WHERE account = '4711'")
    check(len(messages) == 1 and "*RAS~" in messages[0][0], "the order's header: %r" % messages)


def test_a_failed_dial_or_connection_is_retried_and_hung_up_and_a_dial_that_cannot_start_is_not_retried(h):
    """One start of the program, one send after another: the stand-in reads its failure values at each call. A
    failed attempt shows its failure and the counted-down next attempt, having hung up the line it dialled once;
    Esc ends the countdown. A dial that cannot start stays on its error. Error 5 has no dial-up text: the system's
    own words stand in. Error 699's text is longer than the buffer, so the stand-in gives none, and the system has
    none either: the number is shown."""
    dialled = ["RasSetEntryPropertiesA", "RasDialA", "RasHangUpA handle=dialled"]
    retried = "Failed - %s\nAttempt 2, Retrying in "
    with ras_standin(h):
        window = dial_up_window(h, free_port(), [("A1", "ALPHA", 3, 0)])
        for values, expected, calls, logged in (
                ({"DialError": 680, "StepMs": 100}, retried % "There was no dial tone.", dialled,
                 "----- ras dial failed - 'There was no dial tone.'"),
                ({"StepMs": 50}, retried % "Connection refused", dialled, "* closing Ras connection"),
                ({"EntryError": 633}, "The port is already in use or is not configured for Remote Access dial out.",
                 dialled[:1], None),
                ({"StartError": 5}, "Access denied.", dialled[:2], None),
                ({"StartError": 699}, "Error 699", dialled[:2], None)):
            failures(h, **values)
            dialog = send(h, window)
            shown = (lambda: expected in status(h)) if logged else (lambda: status(h).strip() == expected)
            check(wait_for(shown, 15), "%r: the status is %r" % (values, status(h)))
            first = status(h)
            time.sleep(2)  # the countdown counts; an error without a retry stays
            check(shown() and (status(h) != first) == bool(logged) and recorded(h)[0] == calls
                  and (logged or "") in trace_log(h),
                  "%r: the status %r, the calls %r, or %r not in the log" % (values, status(h), recorded(h)[0], logged))
            cancel(h, dialog, "the dialog")
