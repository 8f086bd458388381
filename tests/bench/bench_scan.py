#!/usr/bin/env python3
"""The scanning target, measured under Wine in a private Xvfb: with 100,000
products, a pack scanned onto the order's entry row is a line saved in
Current.dat in under 50 ms from the scanner's Enter.

Usage: tests/bench/bench_scan.py <win64 build dir> [runs]
Each run scans the EAN-13 of a new product, then the 2D code (a GS1 element
string) of the same product, which raises its line. Prints one line per run
and a summary; exit code 1 when the target is missed or the order is wrong.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wine"))
import harness  # noqa: E402
from bench_program import bench_session, make_products, quit_program, report, start_main_window  # noqa: E402
from steps import data_lines, order  # noqa: E402
from test_scan import gs1, type_code, xdotool  # noqa: E402

PRODUCTS = 100000
TARGET = 0.050


def file_state(path):
    """What changes when the order file is replaced: its identity, time and size."""
    try:
        s = os.stat(path)
        return s.st_ino, s.st_mtime_ns, s.st_size
    except FileNotFoundError:
        return None


def measure_scan(h, window, *parts):
    """Seconds from the scanner's Enter to Current.dat written anew."""
    current = os.path.join(h.install_dir, "Current.dat")
    h.bring_forward(window)
    type_code(*parts)
    time.sleep(0.3)  # the keys are in the edit; only Enter is timed
    before = file_state(current)
    started = time.perf_counter()
    xdotool("key", "Return")
    # Polled every millisecond: the target is only fifty of them.
    while file_state(current) == before and time.perf_counter() - started < 10:
        time.sleep(0.001)
    elapsed = time.perf_counter() - started
    if file_state(current) == before:
        raise harness.Failure("the scan of %r was not saved" % (parts,))
    time.sleep(0.3)
    return elapsed


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    with bench_session(build, "scan") as h:
        make_products(h, PRODUCTS)
        products = data_lines(h, "Database.dat")
        h.reg_add("HKLM", "UserName", "100234")
        process, window = start_main_window(h)
        # Products spread over the whole list, each with a second code no other product has.
        counts = {}
        for p in products:
            counts[p[1]] = counts.get(p[1], 0) + 1
        chosen = [p for p in products[::PRODUCTS // (runs * 4)] if counts[p[1]] == 1][:runs]
        scans = []
        for run, product in enumerate(chosen):
            new_line = measure_scan(h, window, product[1])
            raised = measure_scan(h, window, *gs1(product[1]))
            scans += [new_line, raised]
            print("run %d: EAN-13 to a new line %.0f ms, 2D code raising it %.0f ms"
                  % (run + 1, new_line * 1000, raised * 1000), flush=True)
        expected = [(p[0], 2) for p in chosen]
        if order(h) != expected:
            raise harness.Failure("the order holds %r, not %r" % (order(h), expected))
        quit_program(h, process)
        print()
        return 0 if report("scan to the line saved, %d products" % PRODUCTS, scans, TARGET) else 1

if __name__ == "__main__":
    sys.exit(main())
