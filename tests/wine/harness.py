"""Driving Quillbox.exe under Wine in Xvfb: each test gets a fresh install folder in the prefix's C: drive and
an empty registry key; programs start through tools/wine-exec; xdotool finds top-level windows, QbxProbe.exe
controls, window states and the registry. One QbxProbe serves the whole run on a pipe, as every start of a Wine
program costs the better part of a second."""
import contextlib
import os
import shutil
import signal
import subprocess
import time

SETTINGS_KEY = r"Software\Quarn Pharmaceutical Suppliers\Quillbox"
MAIN_TITLE = "Quarn Quillbox"
SETTINGS_TITLE = "Quillbox Settings"
WM_APP = 0x8000
# Starts a Windows program under wine64, again when Wine failed to start it.
WINE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "wine-exec")


def pe_bits(path):
    """32 or 64: the word size of a Windows program, from its PE header."""
    with open(path, "rb") as f:
        header = f.read(4096)
    at = int.from_bytes(header[0x3C:0x40], "little")
    return 64 if header[at + 4:at + 6] == b"\x64\x86" else 32


def xdotool(*args, timeout=20):
    """What xdotool printed."""
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=timeout).stdout


class Failure(Exception):
    """A check that did not hold; the message says what was expected."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(predicate, timeout=10.0, step=0.1):
    """The predicate's first true value within the timeout, else None."""
    end = time.time() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.time() >= end:
            return None
        time.sleep(step)


class Harness:
    def __init__(self, build, artefacts):
        self.build, self.artefacts, self.prefix = build, artefacts, os.environ["WINEPREFIX"]
        self.processes, self.install_dir, self.prober = [], None, None
        # The registry view the program under test reads: reg.exe is told it,
        # as Wine's reg.exe is the 32-bit one once the 32-bit loader is there.
        self.reg_view = "/reg:%d" % pe_bits(os.path.join(build, "program", "Quillbox.exe"))

    # --- installation and registry -------------------------------------------------
    def install(self, name):
        """A fresh copy of the program and its skin under C:\\qbx\\<name>."""
        self.install_dir = os.path.join(self.prefix, "drive_c", "qbx", name)
        shutil.rmtree(self.install_dir, ignore_errors=True)
        program = os.path.join(self.build, "program")
        shutil.copytree(os.path.join(program, "Skin"), os.path.join(self.install_dir, "Skin"))
        for exe in ("Quillbox.exe", "QuillboxTest.exe", "QbxProbe.exe"):
            shutil.copy(os.path.join(program, exe), self.install_dir)

    def windows_path(self, unix_path):
        rel = os.path.relpath(unix_path, os.path.join(self.prefix, "drive_c"))
        return "C:\\" + rel.replace("/", "\\")

    def wine(self, *args, timeout=30):
        return subprocess.run([WINE, *args], capture_output=True, text=True, timeout=timeout, stdin=subprocess.DEVNULL)

    def reg_clear(self):
        for hive in ("HKLM", "HKCU"):
            self.probe("reg-delete", hive)

    def reg_add(self, hive, name, value):
        self.probe("reg-set", hive, name, value)

    def reg_values(self, hive):
        """The settings key's text values as {name: text}, or None when the key is missing."""
        code, out = self.probe("reg-values", hive)
        if code != 0:
            return None
        return dict(line.split("\t", 1) if "\t" in line else (line, "") for line in out.splitlines() if line)

    # --- the program ---------------------------------------------------------------
    def start(self, exe="Quillbox.exe", args=(), cwd=None):
        """Starts the installed program (from its folder unless cwd is given)."""
        log = open(os.path.join(self.artefacts, "wine-%s.log" % len(self.processes)), "w")
        path = os.path.join(self.install_dir, exe)
        # A group of its own, so that stopping it reaches Wine behind the launcher.
        process = subprocess.Popen([WINE, path, *args], cwd=cwd or self.install_dir,
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        self.processes.append(process)
        return process

    def probe(self, *args):
        """(exit code, output) of one QbxProbe command."""
        for _ in range(2):
            if self.prober is None or self.prober.poll() is not None:
                self.prober = subprocess.Popen(
                    [WINE, os.path.join(self.build, "program", "QbxProbe.exe"), "serve"],
                    stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            try:
                self.prober.stdin.write("\t".join(args) + "\n")
                self.prober.stdin.flush()
                lines = []
                for line in self.prober.stdout:
                    line = line.rstrip("\r\n")
                    if line.startswith("\x01"):
                        return int(line[1:]), "".join(l + "\n" for l in lines)
                    lines.append(line)
            except (BrokenPipeError, ValueError):
                pass
            self.prober = None
        raise Failure("QbxProbe stopped answering")

    @contextlib.contextmanager
    def standin_dll(self, built):
        """A stand-in built in tests/wine/standins in the prefix's system folder of the program's word size, chosen
        over Wine's DLL of that name ("n,b") for the programs started inside; Wine's comes back after."""
        name = os.path.basename(built)
        folder = "system32" if self.reg_view == "/reg:64" else "syswow64"
        target = os.path.join(self.prefix, "drive_c", "windows", folder, name)
        wines = target + ".wine"
        if os.path.exists(target) and not os.path.exists(wines):
            os.rename(target, wines)
        shutil.copy(built, target)
        before = os.environ.get("WINEDLLOVERRIDES", "")
        os.environ["WINEDLLOVERRIDES"] = before + ";%s=n,b" % os.path.splitext(name)[0]
        try:
            yield
        finally:
            os.environ["WINEDLLOVERRIDES"] = before
            if os.path.exists(wines):
                os.replace(wines, target)

    def close(self):
        if self.prober and self.prober.poll() is None:
            self.prober.stdin.close()
            self.prober.wait(timeout=10)

    def window(self, title, timeout=15.0):
        """The X id of the visible top-level window whose whole title matches."""
        return wait_for(lambda: (xdotool("search", "--onlyvisible", "--name", "^%s$" % title).split() or [None])[-1],
                        timeout)

    def state(self, title):
        """(visible, iconic, foreground, enabled) of a window, or None when it doesn't exist."""
        code, out = self.probe("state", title)
        return tuple(int(v) for v in out.split()) if code == 0 else None

    def rect(self, title, control_id=0):
        code, out = self.probe("rect", title, str(control_id))
        check(code == 0, "no control %s in %r" % (control_id, title))
        return [int(v) for v in out.split()]

    def post(self, title, message, wparam=0, lparam=0):
        code, _ = self.probe("post", title, str(message), str(wparam), str(lparam))
        check(code == 0, "could not post to %r" % title)

    def quit_program(self, process, timeout=15):
        """Quits without the question (WM_APP + 1 with 10) and waits for the end."""
        self.post(MAIN_TITLE, WM_APP + 1, 10)
        return process.wait(timeout=timeout)

    def stop_all(self):
        for process in self.processes:
            if process.poll() is None:
                # TERM first, so that the launcher can tidy up after itself.
                os.killpg(process.pid, signal.SIGTERM)
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait()
        self.processes = []
        wait_for(lambda: self.state(MAIN_TITLE) is None, 5)

    # --- a person's hands and eyes ---------------------------------------------------
    def bring_forward(self, window):
        """What a window manager does for a person: raise the window and focus it.
        Xvfb has none, and Wine leaves owned windows below a raised owner there."""
        xdotool("windowraise", window)
        xdotool("windowfocus", "--sync", window)

    def click(self, x, y, window=None):
        if window:
            self.bring_forward(window)
        # No --sync: it waits for ever when the pointer is already there.
        xdotool("mousemove", str(x), str(y))
        time.sleep(0.1)
        xdotool("click", "1")
        time.sleep(0.3)

    def click_control(self, title, control_id):
        left, top, right, bottom = self.rect(title, control_id)
        self.click((left + right) // 2, (top + bottom) // 2, self.window(title))

    def keys(self, window, *keys):
        self.bring_forward(window)
        xdotool("key", "--delay", "40", *keys)
        time.sleep(0.3)

    def type_text(self, window, text):
        self.bring_forward(window)
        xdotool("type", "--delay", "20", text)
        time.sleep(0.2)

    def screenshot(self, name):
        path = os.path.join(self.artefacts, name + ".png")
        time.sleep(0.4)
        subprocess.run(["import", "-window", "root", path], capture_output=True, timeout=20)
        return path
