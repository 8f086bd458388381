"""Update from disk and update online, from the Settings dialog's buttons. The
update program and the browser command are copies of RunRecorder.exe, which
writes its command line beside itself ("<name>.ran"). Wine reports a file's
modification time as its creation time, so the tests date the copies with it."""
import contextlib
import os
import shutil
import subprocess
import time

from harness import SETTINGS_TITLE, WINE, check, wait_for
from test_order import main_enabled
from test_settings import open_settings, start_with_account

RECORDER = os.path.join("tests", "wine", "standins", "RunRecorder.exe")
DEFAULT_ADDRESS = "https://update.quarn.example/quillbox/TarnUpdate.exe"
BOX_TITLE = "Quillbox"


LETTERS = ("A", "D", "F")  # removable, CD-ROM and fixed
_wine = {"drives known": False}


def drive_folder(h, letter):
    return os.path.join(h.artefacts, "drive-" + letter)


def restart_wine(h):
    """Wine's mount manager learns drive letters and their kinds only when it
    starts: the server is started again, without our pipes."""
    h.close()
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-k"], timeout=30, **quiet)
    subprocess.run(["wineserver", "-w"], timeout=30, **quiet)
    subprocess.run(["wineserver", "-p"], timeout=30, **quiet)
    subprocess.run([WINE, "cmd", "/c", "exit"], timeout=60, **quiet)


@contextlib.contextmanager
def drives(h):
    """A: (removable, as Wine takes A: and B:), D: (a CD-ROM, by Wine's drive
    settings) and F: (fixed) on empty folders of their own: {letter: folder}."""
    links = [os.path.join(h.prefix, "dosdevices", letter.lower() + ":") for letter in LETTERS]
    try:
        for letter, link in zip(LETTERS, links):
            shutil.rmtree(drive_folder(h, letter), ignore_errors=True)
            os.makedirs(drive_folder(h, letter))
            os.symlink(drive_folder(h, letter), link)
        if not _wine["drives known"]:
            h.wine("reg", "add", r"HKLM\Software\Wine\Drives", "/v", "d:", "/t", "REG_SZ", "/d", "cdrom", "/f",
                   "/reg:64")
            restart_wine(h)
            _wine["drives known"] = True
        yield dict((letter, drive_folder(h, letter)) for letter in LETTERS)
    finally:
        for link in links:
            if os.path.islink(link):
                os.remove(link)


def place(h, folder, name, created):
    path = os.path.join(folder, name)
    shutil.copy(os.path.join(h.build, RECORDER), path)
    os.utime(path, (created, created))
    return path


def ran(path):
    return open(path + ".ran").read().strip() if os.path.exists(path + ".ran") else None


def skin_button(h, settings, from_left):
    """Clicks a 108 x 30 button of the settings' skin, 46 from the bottom."""
    left, _, _, bottom = h.rect(SETTINGS_TITLE, 0)
    h.click(left + from_left + 54, bottom - 46 + 15, settings)


def update_from_disk(h, settings):
    skin_button(h, settings, 14)


def answer_question(h, key):
    """Answers the skinned Yes/No question about the copy found: "y" or "n"."""
    box = h.window(BOX_TITLE)
    check(box, "no question before the update program ran")
    h.keys(box, key)
    check(wait_for(lambda: h.window(BOX_TITLE, 0.2) is None, 5), "the question stayed")


def test_update_from_disk_asks_before_the_newest_on_the_folder_removable_or_cd_drives_never_a_fixed_one(h):
    day = 86400
    base = time.time() - 30 * day
    with drives(h) as d:
        paths = {
            "folder": place(h, h.install_dir, "TarnUpdateD.exe", base),
            "A": place(h, d["A"], "Tarn UpdateD.exe", base + day),
            "D": place(h, d["D"], "TarnUpdateD.exe", base + 2 * day),
            "F": place(h, d["F"], "Tarn UpdateD.exe", base + 3 * day),
        }
        start_with_account(h)
        settings = open_settings(h)
        update_from_disk(h, settings)
        check(h.window(BOX_TITLE), "no question before the copy on the CD ran")
        h.screenshot("update-question")  # shows D:\TarnUpdateD.exe, its size, no version, not signed
        answer_question(h, "n")
        time.sleep(1)
        check(not any(ran(p) for p in paths.values()), "No ran something")
        update_from_disk(h, settings)
        answer_question(h, "y")
        check(wait_for(lambda: ran(paths["D"]), 10), "the newest on the CD did not run: %r" %
              dict((k, ran(p)) for k, p in paths.items()))
        check(ran(paths["D"]) == '"D:\\TarnUpdateD.exe"', "it ran as %r" % ran(paths["D"]))
        time.sleep(1)
        others = dict((k, ran(p)) for k, p in paths.items() if k != "D")
        check(not any(others.values()), "others ran too: %r" % others)
        check(h.window(BOX_TITLE, 0.5) is None, "a message showed although an update was found")


def test_with_no_update_anywhere_the_box_asks_cancel_runs_nothing_and_retry_finds_the_disk(h):
    with drives(h) as d:
        start_with_account(h)
        settings = open_settings(h)
        update_from_disk(h, settings)
        box = h.window(BOX_TITLE)
        check(box, "no \"Cannot find TARN update disk\" box")
        h.screenshot("update-no-disk")
        h.keys(box, "Escape")
        check(wait_for(lambda: h.window(BOX_TITLE, 0.2) is None, 5), "Cancel did not close the box")
        update_from_disk(h, settings)
        box = h.window(BOX_TITLE)
        check(box, "the box did not come back on the second search")
        h.keys(box, "r")
        box = h.window(BOX_TITLE)
        check(box, "Retry with no disk did not ask again")
        path = place(h, d["A"], "Tarn UpdateD.exe", time.time() - 86400)
        h.keys(box, "r")
        answer_question(h, "y")
        check(wait_for(lambda: ran(path), 10), "Retry after the disk went in did not run its update")
        check(ran(path) == '"A:\\Tarn UpdateD.exe"', "it ran as %r" % ran(path))
        check(h.window(BOX_TITLE, 0.5) is None, "the box stayed after the update started")
        check(h.state(SETTINGS_TITLE)[0] == 1, "the settings dialog went away")


def test_update_online_opens_only_an_https_address_through_the_shell_and_never_runs_explorer(h):
    explorer = place(h, h.install_dir, "explorer.exe", time.time())  # found first by a command line
    browser = place(h, h.install_dir, "browser.exe", time.time())
    h.wine("reg", "add", r"HKLM\Software\Classes\https\shell\open\command", "/ve", "/t", "REG_SZ", "/d",
           '"%s" "%%1"' % h.windows_path(browser), "/f", h.reg_view)
    start_with_account(h)
    settings = open_settings(h)
    skin_button(h, settings, 126)
    check(wait_for(lambda: ran(browser), 10), "the shell did not open the https address")
    check(ran(browser).endswith('"%s"' % DEFAULT_ADDRESS), "it ran as %r" % ran(browser))

    h.reg_add("HKLM", "UpdateAddress", "/root,C:\\windows\\system32\\winver.exe")
    h.keys(settings, "Escape")  # cancelling reads the settings again
    settings = open_settings(h)
    skin_button(h, settings, 126)
    check(h.window(BOX_TITLE), "no notice that the address was refused")
    h.screenshot("update-address-refused")  # names the setting UpdateAddress
    time.sleep(1)
    check(ran(explorer) is None and ran(browser).count("\n") == 0, "something ran: %r" % [ran(explorer), ran(browser)])
