"""Dial-up before TCP, as a person sends an order (F8, Y) with the dial-up box
ticked in Settings. Wine's rasapi32.dll is stubs, so the prefix gets the
stand-in of tests/wine/standins: it writes down the entry and the dial
parameters it was given and plays the dial's progress, ending in "Connected"
or in the error a test puts in its registry key."""
import contextlib
import glob
import os
import time

from harness import check, wait_for
from test_order import main_enabled, start_order_window
from test_send import Orderd, close_response, free_port, in_stock, send, status, wait_response

STANDIN_KEY = r"HKCU\Software\Quillbox Tests\RasStandIn"
ACCESS_NUMBER = "08081570419"
STATES = ("Opening Port", "Port Opened", "Dialing Connection", "DeviceConnected", "All Devices Connected",
          "Authenticating", "Authenticated", "Connected")


@contextlib.contextmanager
def ras_standin(h, **failures):
    """The stand-in for the programs started inside, with its failure values set."""
    h.wine("reg", "delete", STANDIN_KEY, "/f", h.reg_view)
    for name, value in failures.items():
        h.wine("reg", "add", STANDIN_KEY, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f", h.reg_view)
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
    logs = glob.glob(os.path.join(h.install_dir, "Logs", "*.log"))
    return open(logs[0], "rb").read().decode("cp1252") if logs else ""


def start_dialling(h, port, **settings):
    window, _ = start_order_window(h, lines=[("A1", "ALPHA", 3, 0)], account="4711", Host="127.0.0.1",
                                   Port=str(port), RasConnection="1", RasDialPrefix="9,", **settings)
    return send(h, window)


def check_failed_attempt_hangs_up(h, failure, logged):
    """A failed attempt shows its failure and the next attempt, having hung up
    the line it dialled once; Esc ends the countdown."""
    dialog = start_dialling(h, free_port())
    check(wait_for(lambda: "Failed - %s\nAttempt 2, Retrying in " % failure in status(h), 15),
          "no retry after %r: %r" % (failure, status(h)))
    calls, _ = recorded(h)
    check(calls == ["RasSetEntryPropertiesA", "RasDialA", "RasHangUpA handle=dialled"], "the calls: %r" % calls)
    check(logged in trace_log(h), "%r is not in the log" % logged)
    h.keys(dialog, "Escape")
    check(wait_for(lambda: main_enabled(h), 10), "Esc did not end the countdown")


def test_dial_up_shows_its_states_then_the_order_goes_over_tcp_and_the_line_is_hung_up(h):
    server = Orderd(h)
    with ras_standin(h, StepMs=100):
        window, _ = start_order_window(h, lines=lambda p: in_stock(server, p), account="4711", Host="127.0.0.1",
                                       Port=str(server.port), RasConnection="1", RasDialPrefix="9,")
        send(h, window)
        response, title = wait_response(h, 60)
        check(title != "Response to Order <failed>", "the order did not go after dialling: %r" % title)
        close_response(h, response)
    log = trace_log(h)
    expected = ("Creating RAS connection", "Dialing RAS Connection") + STATES + ("Connecting to server",
                                                                                  "Transmitting Order")
    at = [log.find("status - '%s" % text) for text in expected]
    check(-1 not in at and at == sorted(at), "the statuses in the log, in order: %r" % list(zip(expected, at)))
    calls, fields = recorded(h)
    check(calls == ["RasSetEntryPropertiesA", "RasDialA", "RasHangUpA handle=dialled"], "the calls: %r" % calls)
    entry = {
        "phoneBook": "<null>", "entryName": "Tarn Dialup", "entrySize": "0x6e8", "deviceInfo": "<null>",
        "deviceInfoSize": "0x0", "entry.dwSize": "0x6e8", "entry.dwfOptions": "0x318",
        "entry.szDeviceType": "modem", "entry.szDeviceName": "", "entry.dwfNetProtocols": "0x4",
        "entry.dwFramingProtocol": "0x1", "entry.othersZero": "yes",
    }
    dial = {
        "extensions": "<null>", "notifierType": "0xffffffff", "notifier": "Sending order",
        "params.dwSize": "0x41c", "params.szEntryName": "Tarn Dialup", "params.szPhoneNumber": "9," + ACCESS_NUMBER,
        "params.szCallbackNumber": "", "params.szUserName": "tarn", "params.szPassword": "quil",
        "params.szDomain": "",
    }
    for name, value in list(entry.items()) + list(dial.items()):
        check(fields.get(name) == value, "%s is %r, not %r" % (name, fields.get(name), value))
    number = fields.get("entry.szLocalPhoneNumber", "")
    check(len(number) == 4 and number.isdigit(), "the entry's placeholder number is %r" % number)
    messages = server.query("SELECT message FROM orders WHERE account = '4711'")
    check(len(messages) == 1 and "*RAS~" in messages[0][0], "the order's header: %r" % messages)


def test_a_dial_error_is_retried_and_hung_up_and_one_that_cannot_start_is_not_retried(h):
    with ras_standin(h, DialError=680, StepMs=100):
        check_failed_attempt_hangs_up(h, "There was no dial tone.", "----- ras dial failed - 'There was no dial tone.'")
    h.stop_all()

    # Error 5 has no dial-up text: the system's own words stand in. Error 699's
    # text is longer than the buffer, so the stand-in gives none, and the system
    # has none either: the number is shown.
    entry_only, both = ["RasSetEntryPropertiesA"], ["RasSetEntryPropertiesA", "RasDialA"]
    for name, error, expected, expected_calls in (
            ("EntryError", 633, "The port is already in use or is not configured for Remote Access dial out.",
             entry_only),
            ("StartError", 5, "Access denied.", both),
            ("StartError", 699, "Error 699", both)):
        h.install("test_a_dial_error-%s-%d" % (name, error))
        with ras_standin(h, **{name: error}):
            dialog = start_dialling(h, free_port())
            check(wait_for(lambda: status(h).strip() == expected, 10),
                  "%s %d: the status is %r" % (name, error, status(h)))
            time.sleep(2)
            check(status(h).strip() == expected, "%s %d: the status moved on to %r" % (name, error, status(h)))
            check(recorded(h)[0] == expected_calls, "%s %d: the calls %r" % (name, error, recorded(h)[0]))
            h.keys(dialog, "Escape")
            check(wait_for(lambda: main_enabled(h), 10), "Esc did not end the dialog")
        h.stop_all()


def test_a_server_that_refuses_after_dialling_fails_the_attempt_and_hangs_up(h):
    with ras_standin(h, StepMs=50):
        check_failed_attempt_hangs_up(h, "Connection refused", "* closing Ras connection")
