#!/usr/bin/env python3
"""The history dialog's performance target, measured under Wine in a private
Xvfb: with 5,000 history files (about ten years of a busy pharmacy) F5 gives
a usable dialog, its tree filled and today's latest order shown, in under 1 s.

Usage: tests/bench/bench_history.py <win64 build dir> [runs]
Prints one line per measurement and a summary; exit code 1 when the target is missed.
"""
import datetime
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wine"))
import harness  # noqa: E402
from bench_program import (bench_session, close_dialog, quit_program, report, start_main_window,  # noqa: E402
                           timed_dialog)
from steps import scrambled  # noqa: E402
from test_history import HISTORY_TITLE, IDC_HISTORY_LIST, history_text  # noqa: E402

FILES = 5000
TARGET = 1.0
LINES = [("C%04d" % i, "PRODUCT %04d" % i, i % 7 + 1, ("Ok", "3 Ordered", "Out Of Stock")[i % 3]) for i in range(12)]


def place(h, name, data):
    """A file in the History folder, written as given."""
    folder = os.path.join(h.install_dir, "History")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def fill_history(h):
    """FILES orders over the ten years up to today, two on most days, the last of them today."""
    data = scrambled(history_text(LINES))
    today = datetime.date.today()
    made = 0
    day = 0
    while made < FILES:
        date = today - datetime.timedelta(days=day)
        for hour in (9, 14)[:FILES - made]:
            place(h, "%s %02d.%02d.00 (%d).dat" % (date.isoformat(), hour, day % 60, 100000 + made), data)
            made += 1
        day += 1 if day % 3 else 2  # a day off now and then
    return day


def rows_shown(h):
    code, out = h.probe("cells", HISTORY_TITLE, str(IDC_HISTORY_LIST))
    return code == 0 and len(out.splitlines()) == len(LINES)


def measure_open(h, window):
    """Seconds from F5 in the main window to the history dialog showing."""
    elapsed, dialog = timed_dialog(h, window, "F5", "the history dialog", 20)
    if not rows_shown(h):
        raise harness.Failure("the history dialog did not show today's latest order")
    close_dialog(h, dialog)
    return elapsed

def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    with bench_session(build, "history") as h:
        days = fill_history(h)
        print("%d history files over %d days" % (FILES, days))
        h.reg_add("HKLM", "UserName", "100234")
        process, window = start_main_window(h)
        opens = []
        for run in range(runs):
            opens.append(measure_open(h, window))
            print("run %d: history dialog %.0f ms" % (run + 1, opens[-1] * 1000), flush=True)
        quit_program(h, process)
        print()
        return 0 if report("F5 to the history dialog, %d files" % FILES, opens, TARGET) else 1

if __name__ == "__main__":
    sys.exit(main())
