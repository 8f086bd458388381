"""Settings in the registry and the settings dialog, driven as a person would."""
import os
import re
import subprocess
import time

from harness import MAIN_TITLE, SETTINGS_TITLE, WINE, check, wait_for

IDC_HOST = 1025
IDC_PORT = 1026
IDC_PORT_SPIN = 1039
IDC_RAS = 1067
IDC_RAS_PREFIX_LABEL = 1073
IDC_RAS_PREFIX = 1072
IDC_NUMBER = 1033
IDC_DEVICE = 1034
IDC_CNX_INTERNET = 1035
IDC_CNX_MODEM = 1036
IDC_USERNAME = 1046
IDC_CUTOFFS = 1057
IDC_CUTOFF_ADD = 1056
IDC_CUTOFF_DEL = 1058
IDC_CMD_SETTINGS = 1048
WM_COMMAND = 0x0111
SWITCHED = (IDC_HOST, IDC_PORT, IDC_PORT_SPIN, IDC_RAS, IDC_NUMBER, IDC_DEVICE, IDC_RAS_PREFIX_LABEL, IDC_RAS_PREFIX)

DEFAULTS = {
    "CnxType": "0", "Host": "127.0.0.1", "Port": "7410", "Number": "01632960419",
    "RasConnection": "0", "RasDialPrefix": "", "UserName": "", "Password": "", "HotKey": "76, 2",
    "OrderNumber": "1", "CutOffTimes": "1140 ", "PartFolfilledColor": "11333545",
    "OutOfStockColor": "15380714", "UnavailableColor": "13158600",
}


def start_with_account(h, account="100234", **values):
    """Starts with an account number stored, so the settings stay hidden."""
    h.reg_add("HKLM", "UserName", account)
    for name, value in values.items():
        h.reg_add("HKLM", name, value)
    process = h.start()
    check(h.window(MAIN_TITLE), "the main window did not open")
    return process


def open_settings(h):
    # The hidden "Settings (F2)" command button of the main window.
    h.post(MAIN_TITLE, WM_COMMAND, IDC_CMD_SETTINGS)
    window = h.window(SETTINGS_TITLE)
    check(window, "the settings dialog did not open")
    return window


def settings_shown(h):
    state = h.state(SETTINGS_TITLE)
    return state is not None and state[0] == 1


def test_first_start_writes_every_default(h):
    process = h.start()
    check(h.window(SETTINGS_TITLE), "without an account number the settings dialog must open at start-up")
    values = wait_for(lambda: h.reg_values("HKLM"), 10)
    check(values is not None, "nothing was written to HKEY_LOCAL_MACHINE")
    for name, expected in DEFAULTS.items():
        check(name in values, "%s was not written" % name)
        check(values[name] == expected, "%s is %r, not %r" % (name, values[name], expected))
    # The device list is empty under Wine, so no entry is selected.
    check(values.get("Device") == "-1", "Device is %r" % values.get("Device"))
    for name in ("PadX", "PadY"):
        check(re.fullmatch(r"-?\d+", values.get(name, "")), "%s is %r" % (name, values.get(name)))
    for name in ("LastUpdate", "AllowESCClose"):
        check(name not in values, "%s must never be written by the program" % name)
    h.screenshot("settings-dialog-first-start")
    h.quit_program(process)


def test_settings_found_only_for_the_user_are_copied_to_the_machine(h):
    h.reg_add("HKCU", "Host", "user-only.example")
    h.reg_add("HKCU", "UserName", "553311")
    process = h.start()
    check(h.window(MAIN_TITLE), "the main window did not open")
    values = wait_for(lambda: h.reg_values("HKLM"), 10)
    check(values is not None, "the settings were not copied to HKEY_LOCAL_MACHINE")
    check(values.get("Host") == "user-only.example", "Host in HKLM is %r" % values.get("Host"))
    check(values.get("UserName") == "553311", "UserName in HKLM is %r" % values.get("UserName"))
    check(values.get("Port") == "7410", "the defaults were not written with them")
    check(not settings_shown(h), "the settings dialog opened although an account number is stored")
    h.quit_program(process)


def test_ok_without_account_number_shows_the_message_and_stays_open(h):
    process = h.start()
    settings = h.window(SETTINGS_TITLE)
    check(settings, "the settings dialog did not open")
    h.keys(settings, "Return")
    box = h.window("Quillbox", timeout=10)
    check(box, "no message about the missing account number")
    h.screenshot("message-box-account-number")
    h.keys(box, "Escape")
    check(wait_for(lambda: h.state("Quillbox") is None, 5), "the message box did not close")
    check(settings_shown(h), "the settings dialog closed without an account number")
    # A "~" would add fields to every order sent: refused as well.
    h.click_control(SETTINGS_TITLE, IDC_USERNAME)
    h.type_text(settings, "778899~1")
    h.keys(settings, "Return")
    box = h.window("Quillbox", timeout=10)
    check(box, "no message about the account number with a '~'")
    h.keys(box, "Escape")
    check(wait_for(lambda: h.state("Quillbox") is None, 5), "the message box did not close")
    check(settings_shown(h), "the settings dialog closed with a '~' in the account number")
    h.keys(settings, "BackSpace", "BackSpace")
    h.keys(settings, "Return")
    check(wait_for(lambda: not settings_shown(h), 5), "OK with an account number did not close the dialog")
    check(h.reg_values("HKLM").get("UserName") == "778899", "OK did not save the account number")
    h.quit_program(process)


def test_cancel_brings_back_the_stored_host(h):
    process = start_with_account(h, Host="stored.example")
    settings = open_settings(h)
    h.click_control(SETTINGS_TITLE, IDC_HOST)
    h.keys(settings, "ctrl+a", "BackSpace")
    h.type_text(settings, "typed.example")
    check(h.probe("text", SETTINGS_TITLE, str(IDC_HOST))[1].strip() == "typed.example", "typing did not reach the host")
    h.keys(settings, "Escape")
    check(wait_for(lambda: not settings_shown(h), 5), "Cancel did not close the dialog")
    check(h.probe("text", SETTINGS_TITLE, str(IDC_HOST))[1].strip() == "stored.example",
          "Cancel did not bring back the stored host")
    check(h.reg_values("HKLM").get("Host") == "stored.example", "Cancel changed the stored host")
    h.quit_program(process)


def cut_offs(h):
    return [line for line in h.probe("items", SETTINGS_TITLE, str(IDC_CUTOFFS))[1].splitlines() if line]


def test_a_cut_off_time_added_twice_stands_twice_and_del_removes_both(h):
    process = start_with_account(h)
    settings = open_settings(h)
    check(cut_offs(h) == ["19:00"], "the default cut-off list is %r" % cut_offs(h))
    h.click_control(SETTINGS_TITLE, IDC_CUTOFF_ADD)
    h.click_control(SETTINGS_TITLE, IDC_CUTOFF_ADD)
    times = cut_offs(h)
    check(len(times) == 3, "two additions gave %r" % times)
    added = [t for t in times if t != "19:00"] or times[:2]
    check(len(added) >= 2 and added[0] == added[1], "the picked time does not stand twice: %r" % times)
    h.screenshot("settings-cut-off-added-twice")
    # Select both new entries (they sort together) and delete them.
    first = times.index(added[0])
    h.click_control(SETTINGS_TITLE, IDC_CUTOFFS)
    h.keys(settings, "Home", *(["Down"] * first), "shift+Down")
    h.click_control(SETTINGS_TITLE, IDC_CUTOFF_DEL)
    check(cut_offs(h) == ["19:00"], "Del left %r" % cut_offs(h))
    h.keys(settings, "Return")
    check(wait_for(lambda: not settings_shown(h), 5), "OK did not close the dialog")
    check(h.reg_values("HKLM").get("CutOffTimes") == "1140 ", "CutOffTimes is %r" % h.reg_values("HKLM").get("CutOffTimes"))
    h.quit_program(process)


def test_connection_type_switches_labels_and_controls(h):
    process = start_with_account(h)
    open_settings(h)
    internet = [1, 1, 1, 1, 0, 0, 0, 0]
    check(h.visible(SETTINGS_TITLE, *SWITCHED) == internet, "Internet view: %r" % h.visible(SETTINGS_TITLE, *SWITCHED))
    h.click_control(SETTINGS_TITLE, IDC_CNX_MODEM)
    check(h.visible(SETTINGS_TITLE, *SWITCHED) == [0, 0, 0, 0, 1, 1, 0, 0],
          "modem view: %r" % h.visible(SETTINGS_TITLE, *SWITCHED))
    h.screenshot("settings-dialog-modem")
    h.click_control(SETTINGS_TITLE, IDC_CNX_INTERNET)
    check(h.visible(SETTINGS_TITLE, *SWITCHED) == internet, "back to Internet: %r" % h.visible(SETTINGS_TITLE, *SWITCHED))
    h.click_control(SETTINGS_TITLE, IDC_RAS)
    check(h.visible(SETTINGS_TITLE, *SWITCHED) == [1, 1, 1, 1, 0, 0, 1, 1], "Ras Dialup ticked did not show the prefix")
    h.click_control(SETTINGS_TITLE, IDC_CNX_MODEM)
    check(h.visible(SETTINGS_TITLE, *SWITCHED) == [0, 0, 0, 0, 1, 1, 0, 0], "the modem view shows the prefix")
    h.click_control(SETTINGS_TITLE, IDC_CNX_INTERNET)
    check(h.visible(SETTINGS_TITLE, *SWITCHED) == [1, 1, 1, 1, 0, 0, 1, 1], "the prefix did not come back")
    h.screenshot("settings-dialog-internet-dialup")
    h.quit_program(process)


def test_the_global_hot_key_toggles_the_main_window(h):
    process = start_with_account(h)
    main = h.window(MAIN_TITLE)
    h.click(*centre(h.rect(MAIN_TITLE)), window=main)
    check(wait_for(lambda: h.state(MAIN_TITLE)[2] == 1, 5), "the main window is not in front")
    h.keys(main, "ctrl+l")
    check(wait_for(lambda: h.state(MAIN_TITLE)[1] == 1, 5), "Ctrl+L did not minimise the main window")
    # The pharmacist works in another program and calls Quillbox back. (Wine sees
    # a hot key only while one of its windows has the focus: that program is Notepad.)
    log = open(os.path.join(h.artefacts, "notepad.log"), "w")
    h.processes.append(subprocess.Popen([WINE, "notepad"], stdin=subprocess.DEVNULL, stdout=log,
                                        stderr=subprocess.STDOUT, start_new_session=True))
    other = h.window("Untitled - Notepad")
    check(other, "Notepad did not open")
    h.keys(other, "ctrl+l")
    check(wait_for(lambda: h.state(MAIN_TITLE)[1] == 0, 5), "Ctrl+L again did not bring the main window back")
    h.quit_program(process)


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def test_a_hot_key_that_is_taken_says_invalid_hotkey(h):
    code, _ = h.probe("hotkey-hold", "76", "2")  # Ctrl+L, MOD_CONTROL
    check(code == 0, "the probe could not take Ctrl+L for the test")
    try:
        h.reg_add("HKLM", "UserName", "100234")
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
    h.quit_program(process)


def test_the_setup_switch_lets_the_users_group_write_the_settings_key_and_nothing_else(h):
    # Read and write (KEY_READ | KEY_WRITE, 0x2001f, spelt bit by bit by Wine) for Users, inherited by subkeys.
    granted = re.compile(r"\(A;(OI)?CI;(0x2001f|CCDCLCSWRPRC);;;BU\)")
    h.reg_add("HKLM", "UserName", "100234")  # the key as the administrator's set-up leaves it
    code, before = h.probe("reg-dacl", "HKLM")
    check(code == 0 and not granted.search(before), "the key's access list before: %r" % before)
    code = subprocess.run([WINE, os.path.join(h.install_dir, "Quillbox.exe"), "/grantusers"],
                          stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          timeout=120).returncode
    check(code == 0, "Quillbox.exe /grantusers failed with %s" % code)
    _, after = h.probe("reg-dacl", "HKLM")
    check(granted.search(after), "no entry for Users: %r" % after)
    check(all(entry in after for entry in re.findall(r"\([^)]*\)", before)), "before %r, after %r" % (before, after))
