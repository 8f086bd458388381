"""Update from disk and update online, from the Settings dialog's buttons. The update program and the browser
command are copies of RunRecorder.exe, which writes its command line beside itself ("<name>.ran"). Wine reports
a file's modification time as its creation time, so the tests date the copies with it."""
import contextlib
import os
import shutil
import subprocess
import time

from harness import SETTINGS_TITLE, WINE, check, wait_for
from steps import open_settings, start

RECORDER = os.path.join("tests", "wine", "standins", "RunRecorder.exe")
DEFAULT_ADDRESS = "https://update.quarn.example/quillbox/TarnUpdate.exe"
BOX_TITLE = "Quillbox"


LETTERS = ("A", "D", "F")  # removable, CD-ROM and fixed
_wine = {"drives known": False}


def restart_wine(h):
    """Wine's mount manager learns drive letters and kinds only when it starts: the server starts again."""
    h.close()
    for command in (["wineserver", "-k"], ["wineserver", "-w"], ["wineserver", "-p"], [WINE, "cmd", "/c", "exit"]):
        subprocess.run(command, timeout=60, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)


@contextlib.contextmanager
def drives(h):
    """A: (removable, as Wine takes A: and B:), D: (a CD-ROM, by Wine's drive settings) and F: (fixed) on empty
    folders of their own: {letter: folder}."""
    links = [os.path.join(h.prefix, "dosdevices", letter.lower() + ":") for letter in LETTERS]
    folders = dict((letter, os.path.join(h.artefacts, "drive-" + letter)) for letter in LETTERS)
    try:
        for letter, link in zip(LETTERS, links):
            shutil.rmtree(folders[letter], ignore_errors=True)
            os.makedirs(folders[letter])
            os.symlink(folders[letter], link)
        if not _wine["drives known"]:
            h.wine("reg", "add", r"HKLM\Software\Wine\Drives", "/v", "d:", "/t", "REG_SZ", "/d", "cdrom", "/f",
                   "/reg:64")
            restart_wine(h)
            _wine["drives known"] = True
        yield folders
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


def answer_question(h, key):
    """Answers the skinned Yes/No question about the copy found: "y" or "n"."""
    box = h.window(BOX_TITLE)
    check(box, "no question before the update program ran")
    h.keys(box, key)
    check(wait_for(lambda: h.window(BOX_TITLE, 0.2) is None, 5), "the question stayed")


def test_update_from_disk_asks_before_the_newest_on_the_folder_removable_or_cd_drives_never_a_fixed_one_and_online(h):
    day = 86400
    base = time.time() - 30 * day
    with drives(h) as d:
        start(h)
        settings = open_settings(h)
        # No update anywhere: the box asks; Retry looks again.
        skin_button(h, settings, 14)
        box = h.window(BOX_TITLE)
        check(box, "no \"Cannot find TARN update disk\" box")
        h.screenshot("update-no-disk")
        h.keys(box, "r")
        box = h.window(BOX_TITLE)
        check(box, "Retry with no disk did not ask again")
        path = place(h, d["A"], "Tarn UpdateD.exe", base + day)
        h.keys(box, "r")
        answer_question(h, "y")
        check(wait_for(lambda: ran(path) == '"A:\\Tarn UpdateD.exe"', 10), "Retry after the disk went in ran %r"
              % ran(path))
        check(h.state(SETTINGS_TITLE)[0] == 1, "the settings dialog went away")

        # The newest of the program's folder, a removable and a CD drive runs; a fixed drive's never.
        os.remove(path + ".ran")
        paths = {"folder": place(h, h.install_dir, "TarnUpdateD.exe", base), "A": path,
                 "D": place(h, d["D"], "TarnUpdateD.exe", base + 2 * day),
                 "F": place(h, d["F"], "Tarn UpdateD.exe", base + 3 * day)}
        skin_button(h, settings, 14)
        h.screenshot("update-question")  # shows D:\TarnUpdateD.exe, its size, no version, not signed
        answer_question(h, "y")
        check(wait_for(lambda: ran(paths["D"]) == '"D:\\TarnUpdateD.exe"', 10), "the newest on the CD did not run")
        time.sleep(1)
        check([k for k, p in paths.items() if ran(p)] == ["D"], "these ran: %r" % [ran(p) for p in paths.values()])
        check(h.window(BOX_TITLE, 0.5) is None, "a message showed although an update was found")

    # Update online opens only an https address, through the shell, and never runs explorer.
    explorer = place(h, h.install_dir, "explorer.exe", time.time())  # found first by a command line
    browser = place(h, h.install_dir, "browser.exe", time.time())
    h.wine("reg", "add", r"HKLM\Software\Classes\https\shell\open\command", "/ve", "/t", "REG_SZ", "/d",
           '"%s" "%%1"' % h.windows_path(browser), "/f", h.reg_view)
    skin_button(h, settings, 126)
    check(wait_for(lambda: (ran(browser) or "").endswith('"%s"' % DEFAULT_ADDRESS), 10),
          "the shell did not open the https address: %r" % ran(browser))
    h.reg_add("HKLM", "UpdateAddress", "/root,C:\\windows\\system32\\winver.exe")
    h.keys(settings, "Escape")  # cancelling reads the settings again
    settings = open_settings(h)
    skin_button(h, settings, 126)
    check(h.window(BOX_TITLE), "no notice that the address was refused")
    h.screenshot("update-address-refused")  # names the setting UpdateAddress
    time.sleep(1)
    check(ran(explorer) is None and ran(browser).count("\n") == 0, "something ran: %r" % [ran(explorer), ran(browser)])
