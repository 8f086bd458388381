"""Settings in the registry and the settings dialog, and the skinned windows around them, driven as a person
would; screenshots are kept as artefacts."""
import os
import re
import subprocess

from harness import MAIN_TITLE, SETTINGS_TITLE, WINE, check, wait_for
from steps import open_settings, start

IDC_HOST, IDC_USERNAME, IDC_CNX_INTERNET, IDC_CNX_MODEM, IDC_RAS = 1025, 1046, 1035, 1036, 1067
IDC_CUTOFFS, IDC_CUTOFF_ADD, IDC_CUTOFF_DEL = 1057, 1056, 1058
# Host, port and its spin, Ras Dialup, number, device, the dial-up prefix's label and box.
SWITCHED = (IDC_HOST, 1026, 1039, IDC_RAS, 1033, 1034, 1073, 1072)

DEFAULTS = {
    "CnxType": "0", "Host": "127.0.0.1", "Port": "7410", "Number": "01632960419",
    "RasConnection": "0", "RasDialPrefix": "", "UserName": "", "Password": "", "HotKey": "76, 2",
    "OrderNumber": "1", "CutOffTimes": "1140 ", "PartFolfilledColor": "11333545",
    "OutOfStockColor": "15380714", "UnavailableColor": "13158600",
    # The device list is empty under Wine, so no entry is selected.
    "Device": "-1",
}

# Read and write (KEY_READ | KEY_WRITE, 0x2001f, spelt bit by bit by Wine) for Users, inherited by subkeys.
USERS_MAY_WRITE = re.compile(r"\(A;(OI)?CI;(0x2001f|CCDCLCSWRPRC);;;BU\)")


def settings_shown(h):
    state = h.state(SETTINGS_TITLE)
    return state is not None and state[0] == 1


def ok_is_refused(h, settings):
    """OK shows a message box and the dialog stays."""
    h.keys(settings, "Return")
    box = h.window("Quillbox", timeout=10)
    check(box, "no message about the account number")
    h.keys(box, "Escape")
    check(wait_for(lambda: h.state("Quillbox") is None, 5), "the message box did not close")
    check(settings_shown(h), "the settings dialog closed without a valid account number")


def closes(h, settings, key, message):
    h.keys(settings, key)
    check(wait_for(lambda: not settings_shown(h), 5), message)


def test_first_start_writes_every_default_and_ok_wants_an_account_number_without_a_tilde(h):
    h.start()
    settings = h.window(SETTINGS_TITLE)
    check(settings, "without an account number the settings dialog must open at start-up")
    values = wait_for(lambda: h.reg_values("HKLM"), 10)
    check(values is not None, "nothing was written to HKEY_LOCAL_MACHINE")
    for name, expected in DEFAULTS.items():
        check(values.get(name) == expected, "%s is %r, not %r" % (name, values.get(name), expected))
    for name in ("PadX", "PadY"):
        check(re.fullmatch(r"-?\d+", values.get(name, "")), "%s is %r" % (name, values.get(name)))
    for name in ("LastUpdate", "AllowESCClose"):
        check(name not in values, "%s must never be written by the program" % name)
    h.screenshot("settings-dialog-first-start")
    ok_is_refused(h, settings)
    # A "~" would add fields to every order sent: refused as well.
    h.click_control(SETTINGS_TITLE, IDC_USERNAME)
    h.type_text(settings, "778899~1")
    ok_is_refused(h, settings)
    h.keys(settings, "BackSpace", "BackSpace")
    closes(h, settings, "Return", "OK with an account number did not close the dialog")
    check(h.reg_values("HKLM").get("UserName") == "778899", "OK did not save the account number")


def test_settings_found_only_for_the_user_are_copied_and_a_hot_key_that_is_taken_is_told(h):
    h.reg_add("HKCU", "Host", "user-only.example")
    h.reg_add("HKCU", "UserName", "553311")
    code, _ = h.probe("hotkey-hold", "76", "2")  # Ctrl+L, MOD_CONTROL
    check(code == 0, "the probe could not take Ctrl+L for the test")
    try:
        process = h.start()
        box = h.window("Quillbox")
        check(box, "no message about the hot key that could not be registered")
        h.screenshot("message-box-invalid-hotkey")
        # Each registration attempt of the start-up says so once.
        while box:
            h.keys(box, "Return")
            wait_for(lambda: h.state("Quillbox") is None, 3)
            box = h.window("Quillbox", timeout=2)
        check(h.window(MAIN_TITLE), "the main window did not open after the hot key message")
        check(process.poll() is None, "the program ended after the hot key message")
    finally:
        h.probe("hotkey-release")
    values = wait_for(lambda: h.reg_values("HKLM"), 10) or {}
    check((values.get("Host"), values.get("UserName"), values.get("Port")) == ("user-only.example", "553311", "7410"),
          "HKLM holds %r: the user's settings and the defaults were not copied" % values)
    check(not settings_shown(h), "the settings dialog opened although an account number is stored")


def cut_offs(h):
    return [line for line in h.probe("items", SETTINGS_TITLE, str(IDC_CUTOFFS))[1].splitlines() if line]


def view(h, control, expected, message):
    if control:
        h.click_control(SETTINGS_TITLE, control)
    shown = [int(v) for v in h.probe("visible", SETTINGS_TITLE, *map(str, SWITCHED))[1].split()]
    check(shown == expected, "%s: %r" % (message, shown))


def test_the_settings_dialog_keeps_cut_offs_cancels_and_switches_by_connection(h):
    start(h, Host="stored.example")
    h.screenshot("skin-main-window")
    # A cut-off time added twice stands twice; Del removes both, and OK stores the rest.
    settings = open_settings(h)
    h.screenshot("skin-settings-dialog")
    check(cut_offs(h) == ["19:00"], "the default cut-off list is %r" % cut_offs(h))
    h.click_control(SETTINGS_TITLE, IDC_CUTOFF_ADD)
    h.click_control(SETTINGS_TITLE, IDC_CUTOFF_ADD)
    times = cut_offs(h)
    added = [t for t in times if t != "19:00"] or times[:2]
    check(len(times) == 3 and len(added) >= 2 and added[0] == added[1], "two additions gave %r" % times)
    # Select both new entries (they sort together) and delete them.
    h.click_control(SETTINGS_TITLE, IDC_CUTOFFS)
    h.keys(settings, "Home", *(["Down"] * times.index(added[0])), "shift+Down")
    h.click_control(SETTINGS_TITLE, IDC_CUTOFF_DEL)
    check(cut_offs(h) == ["19:00"], "Del left %r" % cut_offs(h))
    closes(h, settings, "Return", "OK did not close the dialog")
    check(h.reg_values("HKLM").get("CutOffTimes") == "1140 ", "CutOffTimes is %r" % h.reg_values("HKLM"))

    # Cancel brings back the stored host.
    settings = open_settings(h)
    h.click_control(SETTINGS_TITLE, IDC_HOST)
    h.keys(settings, "ctrl+a", "BackSpace")
    h.type_text(settings, "typed.example")
    check(h.probe("text", SETTINGS_TITLE, str(IDC_HOST))[1].strip() == "typed.example", "typing did not reach the host")
    closes(h, settings, "Escape", "Cancel did not close the dialog")
    check(h.probe("text", SETTINGS_TITLE, str(IDC_HOST))[1].strip() == "stored.example",
          "Cancel did not bring back the stored host")
    check(h.reg_values("HKLM").get("Host") == "stored.example", "Cancel changed the stored host")

    # The connection type switches labels and controls; the dial-up prefix shows for Internet with dial-up.
    settings = open_settings(h)
    internet, modem, dial_up = [1, 1, 1, 1, 0, 0, 0, 0], [0, 0, 0, 0, 1, 1, 0, 0], [1, 1, 1, 1, 0, 0, 1, 1]
    view(h, None, internet, "the Internet view")
    view(h, IDC_CNX_MODEM, modem, "the modem view")
    h.screenshot("settings-dialog-modem")
    view(h, IDC_CNX_INTERNET, internet, "back to Internet")
    view(h, IDC_RAS, dial_up, "Ras Dialup ticked")
    view(h, IDC_CNX_MODEM, modem, "the modem view with Ras Dialup ticked")
    view(h, IDC_CNX_INTERNET, dial_up, "back to Internet with Ras Dialup ticked")
    closes(h, settings, "Escape", "Cancel did not close the dialog")


def test_the_setup_switch_lets_the_users_group_write_the_settings_key_and_nothing_else(h):
    h.reg_add("HKLM", "UserName", "100234")  # the key as the administrator's set-up leaves it
    code, before = h.probe("reg-dacl", "HKLM")
    check(code == 0 and not USERS_MAY_WRITE.search(before), "the key's access list before: %r" % before)
    code = subprocess.run([WINE, os.path.join(h.install_dir, "Quillbox.exe"), "/grantusers"],
                          stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          timeout=120).returncode
    check(code == 0, "Quillbox.exe /grantusers failed with %s" % code)
    _, after = h.probe("reg-dacl", "HKLM")
    check(USERS_MAY_WRITE.search(after), "no entry for Users: %r" % after)
    check(all(entry in after for entry in re.findall(r"\([^)]*\)", before)), "before %r, after %r" % (before, after))
