#!/usr/bin/env python3
"""Sending a 1,000-line order under Wine against a local orderd: seconds from
the pharmacist's Y to the response dialog listing every line (target 0.4 s),
beside the same order through the core's native client (bench_orderd) and
the ratio of the two; then the same order over the secure connection to the
server's TLS port, run for run beside the plain one (target: at most 1.2
times the plain time).

Usage: tests/bench/bench_send.py <win64 build dir> [runs]
Exit code 1 when the target is missed.
"""
import os
import re
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wine"))
import harness  # noqa: E402
from bench_program import bench_session, quit_program, wait  # noqa: E402
from steps import popups, start_order_window  # noqa: E402
from test_secure import make_authority  # noqa: E402
from test_send import Orderd, in_stock  # noqa: E402

LINES = 1000
TARGET = 0.4
TLS_RATIO = 1.2


def response_window():
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Response to Order [0-9]"],
                         capture_output=True, text=True)
    return out.stdout.split()[-1] if out.stdout.split() else None


def send_timed(h, window, answered):
    """F8, then Y: the seconds from Y until answered() returns, and what it returned."""
    before = popups()
    h.keys(window, "F8")
    box = wait(lambda: sorted(popups() - before, key=int), 10)
    if not box:
        raise harness.Failure("the send question did not open")
    subprocess.run(["xdotool", "windowfocus", "--sync", box[-1]], capture_output=True)
    started = time.perf_counter()
    subprocess.run(["xdotool", "key", "y"], capture_output=True)
    result = answered()
    return time.perf_counter() - started, result


def measure(h, server, port, **settings):
    window, _ = start_order_window(h, lines=lambda p: in_stock(server, p, LINES), account="4711",
                                   Host="127.0.0.1", Port=str(port), **settings)
    elapsed, response = send_timed(h, window, lambda: wait(response_window, 60))
    if not response:
        raise harness.Failure("no response dialog")
    code, cells = h.probe("cells", subprocess.run(["xdotool", "getwindowname", response], capture_output=True,
                                                   text=True).stdout.strip(), "1053")
    if code != 0 or len(cells.splitlines()) != LINES:
        raise harness.Failure("the response lists %d lines" % len(cells.splitlines()))
    h.keys(response, "Escape")
    quit_program(h, h.processes[-1])
    return elapsed


def native_ms(build):
    """The native client's median time for the same order, from bench_orderd."""
    binary = os.path.join(os.path.dirname(build), "native", "tests", "bench", "bench_orderd")
    if not os.path.exists(binary):
        return None
    out = subprocess.run([binary, "--benchmark_filter=BM_OrderOf1000Lines"], capture_output=True, text=True)
    found = re.search(r"BM_OrderOf1000Lines\S*\s+([0-9.]+) ms", out.stdout)
    return float(found.group(1)) if found else None


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    with bench_session(build, "send") as h:
        authority, pin = make_authority(h, "bench")
        server = Orderd(h, tls=(authority, "server"))
        times, secure = [], []
        for run in range(runs):
            times.append(measure(h, server, server.port, SecureConnection="0"))
            secure.append(measure(h, server, server.tls_port, SecureConnection="1", Pin=pin))
            print("run %d: %d lines, Y to the response %.0f ms, over TLS %.0f ms"
                  % (run + 1, LINES, times[-1] * 1000, secure[-1] * 1000), flush=True)
        median = statistics.median(times)
        ratio = statistics.median(secure) / median
        native = native_ms(build)
        print()
        print("%d-line order under Wine, Y to the response listing every line: median %.0f ms, worst %.0f ms, "
              "target %.0f ms  %s" % (LINES, median * 1000, max(times) * 1000, TARGET * 1000,
                                      "ok" if max(times) < TARGET else "MISSED"))
        if native:
            print("the same order through the core's native client: %.0f ms; Wine program / native client %.1f"
                  % (native, median * 1000 / native))
        print("over TLS: median %.0f ms; TLS / plain %.2f, target at most %.1f  %s"
              % (statistics.median(secure) * 1000, ratio, TLS_RATIO, "ok" if ratio <= TLS_RATIO else "MISSED"))
        return 0 if max(times) < TARGET and ratio <= TLS_RATIO else 1

if __name__ == "__main__":
    sys.exit(main())
