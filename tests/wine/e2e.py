"""Runs every Wine end-to-end test of the program; prints "N passed, N failed".

Usage: e2e.py <build dir> <artefacts dir> [test or module name ...]
"""
import importlib
import sys
import time
import traceback

import harness

MODULES = [importlib.import_module(name) for name in (
    "test_startup", "test_settings", "test_order", "test_search", "test_scan", "test_send", "test_history",
    "test_installer", "test_dialup", "test_update", "test_modem", "test_print", "test_secure")]


def tests(selected):
    """The tests named, or all those of a module named, or every test."""
    for module in MODULES:
        whole = not selected or module.__name__ in selected
        for name in sorted(vars(module)):
            if name.startswith("test_") and callable(getattr(module, name)) and (whole or name in selected):
                yield name, getattr(module, name)


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
    passed = failed = 0
    for name, test in tests(selected):
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
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 and passed > 0 else 1

if __name__ == "__main__":
    sys.exit(main())
