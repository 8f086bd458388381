"""Start-up: one copy only, the program's folder, the crash guard."""
import glob
import os
import re
import shutil
import tempfile

from harness import MAIN_TITLE, check, wait_for

DUMP_NAME = re.compile(r"^QuillboxTest\.exe \[\d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d\] - "
                       r"\(v1\.6, Jun  6 2008 @ 15\.29\.01\)\.dmp$")


def test_second_start_brings_the_first_to_front_and_exits_1(h):
    first = h.start()
    check(h.window(MAIN_TITLE), "the main window did not open")
    h.post(MAIN_TITLE, 0x0112, 0xF020)  # the user minimises the first copy
    check(wait_for(lambda: h.state(MAIN_TITLE)[1] == 1, 5), "the first copy did not minimise")
    code = h.start().wait(timeout=30)
    check(code == 1, "the second copy ended with %s, not 1" % code)
    check(h.state(MAIN_TITLE)[:2] == (1, 0), "the first copy was not brought back (visible, iconic, ...: %r)"
          % (h.state(MAIN_TITLE),))
    check(first.poll() is None, "the first copy ended too")


def test_start_from_another_folder_finds_the_skin_beside_the_program(h):
    # A skin that fails on its first word: only a program that reads the skin
    # beside it (not in the folder it was started from) reports it.
    skin = os.path.join(h.install_dir, "Skin", "skin.ini")
    with open(skin, "wb") as f:
        f.write(b"[QuillboxDialog]\r\nNOSUCHWORD\r\nEND\r\n")
    elsewhere = tempfile.mkdtemp(prefix="qbx-cwd-")
    try:
        process = h.start(cwd=elsewhere)
        check(h.window("Skin"), "the skin error box did not appear")
        h.screenshot("skin-error-box")
        h.keys(h.window("Skin"), "Return")
        code = process.wait(timeout=15)
        check(code == 1, "the program ended with %s after the skin error, not 1" % code)
    finally:
        shutil.rmtree(elsewhere, ignore_errors=True)


def test_fault_on_the_ui_thread_writes_one_dump_and_shows_the_box(h):
    process = h.start("QuillboxTest.exe", ["/fault"])
    box = h.window("QuillboxTest.exe", timeout=20)
    check(box, "the crash box did not appear")
    h.screenshot("crash-box")
    dumps = [os.path.basename(p) for p in glob.glob(os.path.join(h.install_dir, "*.dmp"))]
    check(len(dumps) == 1, "expected one dump file, found %r" % dumps)
    # Its content is not waited for: Wine's dump writer takes minutes over the
    # program's unwind tables and goes on while the box shows.
    check(DUMP_NAME.match(dumps[0]), "dump name %r is not as specified" % dumps[0])
    h.keys(box, "Return")
    process.wait(timeout=15)
    check(len(glob.glob(os.path.join(h.install_dir, "*.dmp"))) == 1, "more dumps appeared")
