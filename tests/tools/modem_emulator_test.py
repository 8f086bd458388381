"""The modem emulator on its own: commands, the phone book and the escape to
command mode. The dials' outcomes, a dropped call, a held line and a hang-up
by closing the port are pinned where the program meets them
(tests/wine/test_modem.py)."""
import os
import socketserver
import subprocess
import sys
import threading
import time
import tty
import unittest

EMULATOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "modem-emulator")


class Echo(socketserver.BaseRequestHandler):
    """The far end of a call: sends back what it gets."""

    def handle(self):
        while data := self.request.recv(4096):
            self.request.sendall(data)


class Modem:
    def __init__(self, echo_port, *options):
        self.process = subprocess.Popen([sys.executable, EMULATOR, "--ring-ms", "0", "--phonebook",
                                         "0163-296=127.0.0.1:%d" % echo_port, *options],
                                        stdout=subprocess.PIPE, text=True)
        ready = self.process.stdout.readline().split()
        self.port = os.open(ready[1], os.O_RDWR | os.O_NOCTTY)
        tty.setraw(self.port)

    def events(self):
        self.process.terminate()
        return self.process.communicate()[0].split("\n")

    def send(self, text):
        os.write(self.port, text.encode("latin-1"))

    def read_until(self, marker, timeout=3.0):
        got = b""
        deadline = time.monotonic() + timeout
        while marker.encode() not in got and time.monotonic() < deadline:
            os.set_blocking(self.port, False)
            try:
                got += os.read(self.port, 4096)
            except BlockingIOError:
                time.sleep(0.005)
        return got.decode("latin-1")

    def command(self, text, marker="OK"):
        self.send(text + "\r")
        return self.read_until(marker)


class EmulatorTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.echo = socketserver.ThreadingTCPServer(("127.0.0.1", 0), Echo)
        threading.Thread(target=cls.echo.serve_forever, daemon=True).start()

    def modem(self, *options):
        modem = Modem(self.echo.server_address[1], *options)
        self.addCleanup(modem.process.kill)
        return modem

    def test_commands_answer_as_a_hayes_modem(self):
        m = self.modem()
        cases = [("AT", "AT\r\r\nOK\r\n"), ("ATE0", "ATE0\r\r\nOK\r\n"), ("ATZ", "\r\nOK\r\n"),
                 ("ATE0V1X4S12=10", "ATE0V1X4S12=10\r\r\nOK\r\n"), ("ATDT555", "\r\nNO ANSWER\r\n"), ("ATS12?", "\r\n010\r\n\r\nOK\r\n"), ("AT&F", "\r\nOK\r\n"),
                 ("ATE0Q", "ATE0Q\r\r\nOK\r\n"), ("ATY", "\r\nERROR\r\n"), ("hello", "\r\nERROR\r\n"),
                 ("ATO", "\r\nNO CARRIER\r\n"), ("ATV0", "0\r")]
        for command, answer in cases:
            marker = answer.strip().split("\r\n")[-1]
            self.assertEqual(m.command(command, marker), answer, command)

    def test_a_call_is_bridged_to_the_number_in_the_phone_book_until_escape_and_hang_up(self):
        m = self.modem("--baud", "9600")
        self.assertIn("CONNECT 9600", m.command("ATE0DT0163-296", "CONNECT 9600\r\n"))
        m.send("\x02order\x03")
        self.assertEqual(m.read_until("\x03"), "\x02order\x03")
        time.sleep(1.1)
        m.send("+++")
        self.assertIn("OK", m.read_until("OK", 4))
        self.assertIn("CONNECT 9600", m.command("ATO", "CONNECT"))
        m.send("back")
        self.assertEqual(m.read_until("back"), "back")
        time.sleep(1.1)
        m.send("+++")
        m.read_until("OK", 4)
        m.command("ATH")
        self.assertIn("NO CARRIER", m.command("ATO", "NO CARRIER"))
        events = m.events()
        self.assertIn("DIAL 0163-296", events)
        self.assertIn("ESCAPE", events)
        self.assertTrue(any(e.startswith("HANGUP ATH after ") for e in events), events)


if __name__ == "__main__":
    unittest.main()
