"""Runs every Wine end-to-end test of the program; prints "N passed, N failed, N skipped".

Usage: e2e.py <build dir> <artefacts dir> [test or module name ...]
"""
import os
import sys
import time
import traceback

import harness
import test_dialup
import test_history
import test_installer
import test_modem
import test_order
import test_scan
import test_search
import test_send
import test_settings
import test_skin
import test_startup
import test_update

MODULES = (test_startup, test_settings, test_skin, test_order, test_search, test_scan, test_send, test_history,
           test_installer, test_dialup, test_update, test_modem)


def tests(selected):
    """The tests named, or all those of a module named, or every test, each with
    why it can't run here (None when it can)."""
    only_64 = os.environ.get("QBX_WINE_64_ONLY") == "1"
    for module in MODULES:
        whole = not selected or module.__name__ in selected
        skip = getattr(module, "NEEDS_32BIT", None) if only_64 else None
        for name in sorted(vars(module)):
            if name.startswith("test_") and callable(getattr(module, name)) and (whole or name in selected):
                yield name, getattr(module, name), skip


def run_once(h, name, test):
    """None when the test passed, else what failed; a screenshot is kept of a failure."""
    h.reg_clear()
    h.install(name)
    try:
        test(h)
        return None
    except Exception as error:  # a failed check or a broken harness both fail the test
        h.screenshot("FAILED-" + name)
        return str(error) if isinstance(error, harness.Failure) else traceback.format_exc()
    finally:
        h.stop_all()


def main():
    build, artefacts, selected = sys.argv[1], sys.argv[2], set(sys.argv[3:])
    h = harness.Harness(build, artefacts)
    passed = failed = skipped = 0
    for name, test, skip in tests(selected):
        if skip:
            skipped += 1
            print("SKIP %s: %s, and Wine here starts only 64-bit programs" % (name, skip), flush=True)
            continue
        started = time.time()
        failure = run_once(h, name, test)
        # Wine in Xvfb loses a window's focus or a key now and then: a failed test
        # runs once more from scratch, and the first failure stays in the log.
        if failure:
            print("RETRY %s: %s" % (name, failure), flush=True)
            failure = run_once(h, name, test)
        if failure:
            failed += 1
            print("FAIL %s: %s" % (name, failure), flush=True)
        else:
            passed += 1
            print("PASS %s (%.1f s)" % (name, time.time() - started), flush=True)
    h.close()
    print("%d passed, %d failed, %d skipped" % (passed, failed, skipped))
    return 0 if failed == 0 and passed > 0 else 1

if __name__ == "__main__":
    sys.exit(main())
