#!/usr/bin/env python3
"""A 100-line order over the emulated modem line at 33,600 bit/s: seconds from
the pharmacist's Y to the response dialog, beside the time the bytes alone
need at that speed plus the call's set-up (target: within twice that).

Usage: tests/bench/bench_modem.py <win64 or win32 build dir> [runs] [--close-as-protocol]
With --close-as-protocol orderd sends its further closing EOT only after the
program's EOT, as the link procedure has it, rather than with its first.
Exit code 1 when the target is missed.
"""
import os
import re
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wine"))
import harness  # noqa: E402
from bench_program import bench_session, quit_program, wait  # noqa: E402
from bench_send import send_timed  # noqa: E402
from test_dialup import trace_log  # noqa: E402
from test_modem import NUMBER, modem_line, stamp  # noqa: E402
from steps import start_order_window  # noqa: E402
from test_send import Orderd, close_response, in_stock, wait_response  # noqa: E402

LINES = 100
BAUD = 33600


def measure(h, server):
    """(Y to the response, bytes carried, call set-up) in seconds and bytes."""
    with modem_line(h, server, "--baud", str(BAUD)) as modem:
        window, _ = start_order_window(h, lines=lambda p: in_stock(server, p, LINES), account="4711",
                                       CnxType="1", Number=NUMBER, Device="0")
        elapsed, (response, _) = send_timed(h, window, lambda: wait_response(h, 120))
        close_response(h, response)
        carried = wait(lambda: re.search(r"HANGUP .* after (\d+) bytes", modem.events()), 20)
        if not carried:
            raise harness.Failure("the emulator told no byte count: %r" % modem.events())
        log = trace_log(h)
        set_up = stamp(log, "-- status - 'Connected...") - stamp(log, "-- status - 'Dialing")
        quit_program(h, h.processes[-1])
        return elapsed, int(carried.group(1)), set_up


def main():
    args = [a for a in sys.argv[1:] if a != "--close-as-protocol"]
    closing = [a for a in sys.argv[1:] if a == "--close-as-protocol"]
    build = os.path.abspath(args[0])
    runs = int(args[1]) if len(args) > 1 else 3
    with bench_session(build, "modem") as h:
        server = Orderd(h, *closing)
        ratios = []
        for run in range(runs):
            elapsed, carried, set_up = measure(h, server)
            own = carried / (BAUD / 10.0)
            ratios.append(elapsed / (own + set_up))
            print("run %d: Y to the response %.2f s; %d bytes need %.2f s at %d bit/s; call set-up %.2f s; "
                  "ratio %.2f" % (run + 1, elapsed, carried, own, BAUD, set_up, ratios[-1]), flush=True)
        print()
        print("%d-line order over the modem, orderd closing %s: median ratio %.2f, worst %.2f, target under 2  %s"
              % (LINES, "as the protocol has it" if closing else "with both EOTs at once", statistics.median(ratios),
                 max(ratios), "ok" if max(ratios) < 2 else "MISSED"))
        return 0 if max(ratios) < 2 else 1


if __name__ == "__main__":
    sys.exit(main())
