"""Quillbox-setup.exe as a pharmacy meets it: a silent install, an upgrade over an order in progress, and the
uninstaller, each from a state with no installation."""
import filecmp
import os
import re
import shutil
import subprocess
import time

from harness import MAIN_TITLE, WINE, check, wait_for
from steps import DATA_KEY, _session, demo_products, order, wait_order, write_order
from test_scan import scan
from test_send import Orderd, send, status, wait_response
from test_settings import USERS_MAY_WRITE

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN = os.path.join(HERE, "..", "..", "skin")
FOOTER = os.path.join(HERE, "..", "..", "demo", "footer.rtf")
COMPANY_KEY = r"HKLM\SOFTWARE\Quarn Pharmaceutical Suppliers"
UNINSTALL_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Quillbox"
PIN = "13e6174ab8a3023efb5f16497e29fa2e6001ad259b81152f2264da78d822abce"  # a pin as tools/make-test-ca prints one
SHORTCUTS = ("ProgramData/Microsoft/Windows/Start Menu/Programs/Quillbox/Quillbox.lnk",
             "users/Public/Desktop/Quillbox.lnk")


def reg(h, *args):
    """reg.exe in the program's own registry view."""
    return h.wine("reg", *args, h.reg_view)


def reg_values(h, key):
    """A key's values as {name: text}, or None when it is missing."""
    out = reg(h, "query", key)
    if out.returncode != 0:
        return None
    found = (re.match(r"^    (\S+)    REG_\w+    ?(.*)$", line) for line in out.stdout.splitlines())
    return {m.group(1): m.group(2).rstrip("\r") for m in found if m}


def folder(h):
    programs = "Program Files" if h.reg_view == "/reg:64" else "Program Files (x86)"
    return os.path.join(h.prefix, "drive_c", programs, "Quarn", "Quillbox")


def start(path, *args):
    # No pipes, as Wine's background processes would hold them; no menu entries on the host for its shortcuts.
    env = dict(os.environ, WINEDLLOVERRIDES=os.environ.get("WINEDLLOVERRIDES", "") + ";winemenubuilder.exe=d")
    return subprocess.Popen([WINE, path, *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, env=env)


def run(path, *args):
    return start(path, *args).wait(timeout=180)


def installer(h):
    path = os.path.join(h.build, "installer", "Quillbox-setup.exe")
    check(os.path.exists(path), "no %s (is makensis installed?)" % path)
    return path


def setup(h, *args):
    code = run(installer(h), "/S", *args)
    check(code == 0, "the silent install ended with %s" % code)
    h.install_dir = folder(h)


def uninstall(h, *args):
    # The uninstaller runs on from a copy of itself in the temporary folder: done when its last step, the Quarn
    # folder (emptied by a purge) or the uninstaller, is gone.
    run(os.path.join(folder(h), "Uninstall.exe"), "/S", *args)
    last = os.path.dirname(folder(h)) if args else os.path.join(folder(h), "Uninstall.exe")
    check(wait_for(lambda: not os.path.exists(last), 60), "the uninstaller did not finish")


def remove_installation(h):
    shutil.rmtree(os.path.dirname(folder(h)), ignore_errors=True)
    for link in SHORTCUTS:
        if os.path.exists(os.path.join(h.prefix, "drive_c", link)):
            os.remove(os.path.join(h.prefix, "drive_c", link))
    reg(h, "delete", UNINSTALL_KEY, "/f")
    reg(h, "delete", COMPANY_KEY + r"\Common", "/f")
    _session["key stored"] = False  # the other tests store theirs again


def settings(h):
    values = h.reg_values("HKLM") or {}
    return {name: values.get(name) for name in ("UserName", "Host", "Port", "Pin", "SecureConnection")}


def data_key(h):
    return (reg_values(h, COMPANY_KEY + r"\Common") or {}).get("Seed")


def test_a_silent_install_puts_everything_in_place_and_the_program_loads_the_demo_database(h):
    remove_installation(h)
    for refused in ("/PORT=70000", "/PORT=74x", "/ACCOUNT=12~34", "/PIN=abc"):
        code = run(installer(h), "/S", refused)
        check(code == 2 and not os.path.exists(folder(h)), "%s: exit %s, installed anyway?" % (refused, code))
    setup(h, "/ACCOUNT=100234", "/HOST=orders.example", "/PORT=7411", "/PIN=" + PIN, "/KEY=" + DATA_KEY)
    installed = folder(h)
    check(filecmp.cmp(os.path.join(h.build, "program", "Quillbox.exe"), os.path.join(installed, "Quillbox.exe"),
                      shallow=False), "Quillbox.exe is not the build's")
    check(filecmp.cmp(FOOTER, os.path.join(installed, "footer.rtf"), shallow=False), "footer.rtf is not the news")
    skin = filecmp.dircmp(SKIN, os.path.join(installed, "Skin"))
    check(not (skin.left_only or skin.right_only or skin.diff_files), "the skin differs: %r %r %r"
          % (skin.left_only, skin.right_only, skin.diff_files))
    check(os.path.exists(os.path.join(installed, "Uninstall.exe")), "no Uninstall.exe")
    missing = [link for link in SHORTCUTS if not os.path.exists(os.path.join(h.prefix, "drive_c", link))]
    check(not missing, "shortcuts missing: %r" % missing)
    check(settings(h) == {"UserName": "100234", "Host": "orders.example", "Port": "7411", "Pin": PIN,
                          "SecureConnection": "1"},
          "settings %r" % settings(h))
    check(data_key(h) == DATA_KEY, "the data-file key is %r" % data_key(h))
    _, access = h.probe("reg-dacl", "HKLM")
    check(USERS_MAY_WRITE.search(access), "the settings key is not open to the pharmacy's users: %r" % access)
    registered = reg_values(h, UNINSTALL_KEY) or {}
    windows_folder = h.windows_path(installed)
    check(registered.get("DisplayName") == "Quillbox" and registered.get("InstallLocation") == windows_folder and
          registered.get("UninstallString") == '"%s\\Uninstall.exe"' % windows_folder,
          "Add/Remove Programs holds %r" % registered)

    products = demo_products(h)
    h.start()
    window = h.window(MAIN_TITLE)
    check(window, "the installed program's main window did not open")
    time.sleep(1.5)  # the in-place edit settles on the entry row
    scan(h, window, products[0][1])
    wait_order(h, [(products[0][0], 1)], "a demo product scanned in the installed program")


def test_an_upgrade_over_a_program_that_is_sending_keeps_the_order_and_the_settings(h):
    """The setup program's quit request comes while the server answers: the sending ends, the pharmacist closes
    the response, and only then the program goes and the upgrade goes on."""
    server = Orderd(h, "--fault-delay-answer", "1500")
    remove_installation(h)
    setup(h, "/ACCOUNT=4711", "/HOST=127.0.0.1", "/PORT=%d" % server.port, "/KEY=" + DATA_KEY)
    installed = folder(h)
    write_order(h, [("A1", "ALPHA", 3, 0), ("B2", "BRAVO", 4, 0)])
    with open(os.path.join(installed, "Skin", "old.bmp"), "wb") as f:
        f.write(b"BM")
    with open(os.path.join(installed, "footer.rtf"), "w") as f:
        f.write("{\\rtf1 last month's news}")
    program = h.start()
    window = h.window(MAIN_TITLE)
    check(window, "the main window did not open")
    time.sleep(1.5)  # the in-place edit settles on the entry row
    before = settings(h)
    send(h, window)
    check(wait_for(lambda: "Transmitting Order" in status(h) or "Receiving" in status(h), 15),
          "the status never showed the exchange: %r" % status(h))

    upgrade = start(installer(h), "/S")
    h.processes.append(upgrade)
    response, _ = wait_response(h)
    check(program.poll() is None and upgrade.poll() is None, "the program or the setup did not wait for the answer")
    h.keys(response, "Escape")
    check(wait_for(lambda: program.poll() is not None, 15), "the running program was not closed")
    check(wait_for(lambda: upgrade.poll() is not None, 60) and upgrade.returncode == 0,
          "the upgrade ended with %r" % upgrade.poll())
    # The wholesaler knows neither item: both lines stay for the next attempt.
    check(order(h) == [("A1", 3), ("B2", 4)], "the order reads %r" % order(h))
    # Quitting, the program writes every setting, the plain connection it used among them.
    before["SecureConnection"] = before["SecureConnection"] or "0"
    check(settings(h) == before, "settings %r became %r" % (before, settings(h)))
    check(data_key(h) == DATA_KEY, "the data-file key became %r" % data_key(h))
    check(filecmp.cmp(FOOTER, os.path.join(installed, "footer.rtf"), shallow=False), "the news was not renewed")
    check(not os.path.exists(os.path.join(installed, "Skin", "old.bmp")), "the old skin's file stayed")


def test_uninstall_removes_the_program_and_keeps_orders_and_history_unless_purged(h):
    remove_installation(h)
    setup(h, "/ACCOUNT=100234")
    key = data_key(h)
    check(key and re.match(r"^[0-9A-F]{32}$", key), "no random data-file key made: %r" % key)
    installed = folder(h)
    history = os.path.join(installed, "History", "2024-05-06 10.11.12 (100001).dat")
    os.makedirs(os.path.dirname(history), exist_ok=True)  # the setup program makes History
    for path in (history, os.path.join(installed, "Current.dat")):
        with open(path, "wb") as f:
            f.write(b"kept")

    uninstall(h)
    left = sorted(os.listdir(installed))
    check(left == ["Current.dat", "History"], "the uninstall left %r" % left)
    check(os.path.exists(history), "the history file went")
    stray = [link for link in SHORTCUTS if os.path.exists(os.path.join(h.prefix, "drive_c", link))]
    check(not stray, "shortcuts stayed: %r" % stray)
    check(reg_values(h, UNINSTALL_KEY) is None, "still in Add/Remove Programs")
    check(settings(h)["UserName"] == "100234" and data_key(h) == key, "the settings or the key went")

    setup(h)
    check(data_key(h) == key, "a reinstall changed the data-file key")
    uninstall(h, "/PURGE")
    check(not os.path.exists(os.path.dirname(installed)), "the purge left %s" % os.path.dirname(installed))
    check(h.reg_values("HKLM") is None, "the purge left the settings")
    check(data_key(h) == key, "the purge took the data-file key the supplier's programs share")
