"""The skinned windows as a person sees them; screenshots are kept as artefacts."""
from harness import MAIN_TITLE, SETTINGS_TITLE, WM_APP, check, wait_for
from test_settings import open_settings, start_with_account

WM_SYSCOMMAND = 0x0112
IDM_ABOUTBOX = 0x0010


def test_screenshots_of_the_main_window_settings_and_about_box(h):
    process = start_with_account(h)
    h.screenshot("skin-main-window")
    settings = open_settings(h)
    h.bring_forward(settings)
    h.screenshot("skin-settings-dialog")
    h.keys(settings, "Escape")
    check(wait_for(lambda: h.state(SETTINGS_TITLE)[0] == 0, 5), "Cancel did not close the settings")
    h.post(MAIN_TITLE, WM_SYSCOMMAND, IDM_ABOUTBOX)
    about = h.window("About Quillbox")
    check(about, "the About box did not open from the system menu")
    h.screenshot("skin-about-box")
    h.keys(about, "Escape")
    check(wait_for(lambda: h.state("About Quillbox") is None, 5), "the About box did not close")
    h.quit_program(process)


def test_the_quit_question_goes_on_only_on_yes(h):
    process = start_with_account(h)
    h.post(MAIN_TITLE, WM_APP + 1, 0)
    box = h.window("Quillbox")
    check(box, "quitting did not ask first")
    h.screenshot("skin-yes-no-box")
    h.keys(box, "n")
    check(wait_for(lambda: h.state("Quillbox") is None, 5), "No did not close the question")
    check(process.poll() is None, "No quit the program")
    h.post(MAIN_TITLE, WM_APP + 1, 0)
    box = h.window("Quillbox")
    check(box, "the second quit did not ask")
    h.keys(box, "y")
    check(process.wait(timeout=15) == 0, "Yes did not end the program")
    check("PadX" in (h.reg_values("HKLM") or {}), "quitting did not save the settings")
