"""Printing as a person does, F12 and Enter on the print dialog, to a real spooler: a private CUPS with a PDF
printer (tools/pdf-printer), whose PDFs are read back with pdftotext and pdfinfo. A 150-line answer from the
response window, the same answer from the history, then the 3 lines it left in the order after a cancelled try."""
import contextlib
import os
import re
import subprocess

from harness import check, wait_for
from steps import answer, opens
from test_send import Orderd, close_response, in_stock, order_window, pick_lines, send, wait_response

PDF_PRINTER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "pdf-printer")
MEMO = "Deliveries this week arrive on Thursday."


@contextlib.contextmanager
def pdf_printer(h):
    """The folder the printer writes its PDFs to, while a CUPS of the test's own runs; Wine finds it through
    CUPS_SERVER."""
    folder = os.path.join(h.artefacts, "cups")
    started = subprocess.run([PDF_PRINTER, "start", folder], capture_output=True, text=True, timeout=60)
    check(started.returncode == 0, "the PDF printer did not start: %s" % started.stderr)
    os.environ["CUPS_SERVER"] = started.stdout.strip()
    try:
        yield os.path.join(folder, "pdf")
    finally:
        del os.environ["CUPS_SERVER"]
        subprocess.run([PDF_PRINTER, "stop", folder], capture_output=True, timeout=60)


def pdf_pages(path):
    """The page count of a whole PDF, else 0."""
    info = subprocess.run(["pdfinfo", path], capture_output=True, text=True, timeout=30).stdout
    found = re.search(r"^Pages:\s+(\d+)", info, re.M)
    return int(found.group(1)) if found else 0


def print_with_f12(h, window, folder, what):
    """F12 and Enter on the print dialog: the pages of the PDF that comes of it, as text."""
    before = set(os.listdir(folder))
    dialog = opens(h, window, "F12", what="the print dialog for %s" % what)
    h.keys(dialog, "Return")
    made = wait_for(lambda: [f for f in os.listdir(folder) if f not in before and pdf_pages(os.path.join(folder, f))],
                    60, 0.5)
    check(made, "printing %s left no PDF" % what)
    path = os.path.join(folder, made[0])
    text = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, text=True, timeout=30).stdout
    pages = text.split("\f")[:pdf_pages(path)]
    for number, page in enumerate(pages, 1):
        check("Quarn" in page and "page %d of %d" % (number, len(pages)) in page and "Description" in page
              and "Account: 1001" in page, "%s: page %d lacks its header:\n%s" % (what, number, page))
    return pages


def check_answer(pages, lines, what):
    text = "".join(pages)
    check(len(pages) >= 2, "%s: the 150 lines took %d page(s)" % (what, len(pages)))
    missing = [code for code, _ in lines if not re.search(r"\s%s\s" % re.escape(code), text)]
    check(not missing, "%s: lines %r are not on paper" % (what, missing))
    check("Part delivered" in text and "Out Of Stock" in text and "150 lines, 3 not delivered in full" in text,
          "%s: the outcomes are not in words:\n%s" % (what, pages[-1]))


def test_an_answer_its_history_entry_and_the_order_left_are_printed(h):
    server = Orderd(h)
    lines = []

    def make_lines(products):
        lines.extend(pick_lines(server, products)[1:4])
        lines.extend((code, 1) for code, *_ in in_stock(server, products, 150 - len(lines)))
        names = dict((p[0], p[5]) for p in products)
        return [(code, names[code], quantity, 0) for code, quantity in lines]
    with pdf_printer(h) as folder:
        window = order_window(h, server.port, make_lines, account="1001")
        send(h, window)
        memo = h.window("Quillbox", 40)
        check(memo, "the account's memo was not shown")
        h.keys(memo, "Return")
        response, title = wait_response(h)
        pages = print_with_f12(h, response, folder, "the response")
        check_answer(pages, lines, "the response")
        check(title in pages[0] and MEMO in pages[-1], "the response's title or memo is not on paper")
        close_response(h, response)

        history = opens(h, window, "F5", what="the history dialog")
        check_answer(print_with_f12(h, history, folder, "the history entry"), lines, "the history entry")
        answer(h, history, "Escape")

        # A cancelled print is told, and prints nothing.
        notice = opens(h, opens(h, window, "F12", what="the print dialog"), "Escape", what="the cancel's notice")
        answer(h, notice, "Return")
        pages = print_with_f12(h, window, folder, "the order")
        check(len(pages) == 1 and "Order in progress" in pages[0] and "3 lines" in pages[0]
              and all(code in pages[0] for code, _ in lines[:3]), "the order's page reads:\n%s" % pages)
