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


def test_dial_up_shows_its_states_then_the_order_goes_over_tcp_and_the_line_is_hung_up(h):
    server = Orderd(h)
    with ras_standin(h, StepMs=100):
        send(h, dial_up_window(h, server.port, lambda p: in_stock(server, p)))
        response, title = wait_response(h, 60)
        check(title != "Response to Order <failed>", "the order did not go after dialling: %r" % title)
        close_response(h, response)
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
    for name, value in expected.items():
        check(fields.get(name) == value, "%s is %r, not %r" % (name, fields.get(name), value))
    number = fields.get("entry.szLocalPhoneNumber", "")
    check(len(number) == 4 and number.isdigit(), "the entry's placeholder number is %r" % number)
    messages = server.query("SELECT message FROM orders WHERE account = '4711'")
    check(len(messages) == 1 and "*RAS~" in messages[0][0], "the order's header: %r" % messages)


def test_a_failed_dial_or_connection_is_retried_and_hung_up_and_a_dial_that_cannot_start_is_not_retried(h):
    """One start of the program, one send after another: the stand-in reads its failure values at each call."""
    with ras_standin(h):
        window = dial_up_window(h, free_port(), [("A1", "ALPHA", 3, 0)])
        # A failed attempt shows its failure and the next attempt, having hung
        # up the line it dialled once; Esc ends the countdown.
        for failure, logged, values in (
                ("There was no dial tone.", "----- ras dial failed - 'There was no dial tone.'",
                 {"DialError": 680, "StepMs": 100}),
                ("Connection refused", "* closing Ras connection", {"StepMs": 50})):
            failures(h, **values)
            dialog = send(h, window)
            check(wait_for(lambda: "Failed - %s\nAttempt 2, Retrying in " % failure in status(h), 15),
                  "no retry after %r: %r" % (failure, status(h)))
            calls = recorded(h)[0]
            check(calls == ["RasSetEntryPropertiesA", "RasDialA", "RasHangUpA handle=dialled"], "the calls: %r" % calls)
            check(logged in trace_log(h), "%r is not in the log" % logged)
            cancel(h, dialog, "the countdown")

        # Error 5 has no dial-up text: the system's own words stand in. Error 699's
        # text is longer than the buffer, so the stand-in gives none, and the system
        # has none either: the number is shown.
        entry_only, both = ["RasSetEntryPropertiesA"], ["RasSetEntryPropertiesA", "RasDialA"]
        for name, error, expected, expected_calls in (
                ("EntryError", 633, "The port is already in use or is not configured for Remote Access dial out.",
                 entry_only),
                ("StartError", 5, "Access denied.", both),
                ("StartError", 699, "Error 699", both)):
            failures(h, **{name: error})
            dialog = send(h, window)
            check(wait_for(lambda: status(h).strip() == expected, 10),
                  "%s %d: the status is %r" % (name, error, status(h)))
            time.sleep(2)
            check(status(h).strip() == expected, "%s %d: the status moved on to %r" % (name, error, status(h)))
            check(recorded(h)[0] == expected_calls, "%s %d: the calls %r" % (name, error, recorded(h)[0]))
            cancel(h, dialog, "the dialog")
