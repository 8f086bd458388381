#!/usr/bin/env python3
"""The print target, measured under Wine in a private Xvfb with a private CUPS and its PDF printer: a 150-line
answer goes from F12 to the spooler in under 2 s. The answer is a history entry (the response window prints
the same document the same way). The time is F12 to the print dialog showing plus Enter on it to the job
handed whole to the spooler; the person's time between is not the program's. The PDF's arrival is shown too
(cups-pdf runs Ghostscript after the spooler has the job).

Usage: tests/bench/bench_print.py <win64 build dir> [runs]
Prints one line per measurement and a summary; exit code 1 when the target is missed.
"""
import datetime
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wine"))
from bench_program import (bench_session, close_dialog, quit_program, report, start_main_window, timed_dialog,
                           wait)  # noqa: E402
from test_history import history_folder  # noqa: E402
from test_print import pdf_pages, pdf_printer  # noqa: E402

TARGET = 2.0
LINES = [("C%04d" % i, "PRODUCT %04d" % i, i % 7 + 1, ("Ok", "3 Ordered", "Out Of Stock")[i % 3]) for i in range(150)]


def documents(log):
    """The documents the spooler has taken whole: Wine creates the job, then sends it in one request."""
    with open(log) as f:
        return f.read().count("Send-Document successful-ok")


def measure_print(h, history, folder):
    """(F12 to the print dialog, Enter to the spooler, Enter to the PDF) in seconds."""
    log = os.path.join(os.path.dirname(folder), "log", "access_log")
    before_documents, before_pdfs = documents(log), set(os.listdir(folder))
    to_dialog, dialog = timed_dialog(h, history, "F12", "the print dialog")
    subprocess.run(["xdotool", "windowfocus", "--sync", dialog], capture_output=True)
    started = time.perf_counter()
    subprocess.run(["xdotool", "key", "Return"], capture_output=True)
    wait(lambda: documents(log) > before_documents, 30)
    spooled = time.perf_counter() - started
    wait(lambda: [f for f in set(os.listdir(folder)) - before_pdfs if pdf_pages(os.path.join(folder, f))], 60)
    return to_dialog, spooled, time.perf_counter() - started


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    with bench_session(build, "print") as h, pdf_printer(h) as folder:
        history_folder(h, {datetime.datetime.now().strftime("%Y-%m-%d %H.%M.%S (4242).dat"): LINES})
        h.reg_add("HKLM", "UserName", "100234")
        process, window = start_main_window(h)
        _, history = timed_dialog(h, window, "F5", "the history dialog", 20)
        spooled = []
        for run in range(runs):
            to_dialog, to_spooler, to_pdf = measure_print(h, history, folder)
            spooled.append(to_dialog + to_spooler)
            print("run %d: F12 to the dialog %.0f ms + Enter to the spooler %.0f ms; Enter to the PDF %.0f ms"
                  % (run + 1, to_dialog * 1000, to_spooler * 1000, to_pdf * 1000), flush=True)
        close_dialog(h, history)
        quit_program(h, process)
        print()
        return 0 if report("F12 to the spooler, a 150-line answer", spooled, TARGET) else 1

if __name__ == "__main__":
    sys.exit(main())
