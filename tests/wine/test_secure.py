"""The secure connection: an order over TLS to orderd's TLS port is answered as over TCP; a server that shows
another authority's certificate or an expired one, and a plain server on the secure setting, are refused and the
order kept."""
import os
import subprocess

from harness import SETTINGS_TITLE, check, wait_for
from steps import open_settings, order
from test_send import Orderd, cancel, close_response, in_stock, order_window, send, status, wait_response

NOT_PROVEN = "The server could not prove it is Quarn"
IDC_PIN = 1076
TOP = os.path.join(os.path.dirname(__file__), "..", "..")


def make_authority(h, name, server="server", days=30):
    """A throw-away authority and a server's certificate valid for days in the artefacts; the pin."""
    folder = os.path.join(h.artefacts, "ca-" + name)
    pin = subprocess.run([os.path.join(TOP, "tools", "make-test-ca"), folder, server], check=True,
                         capture_output=True, text=True, env=dict(os.environ, QBX_CA_DAYS=str(days))).stdout.strip()
    return folder, pin


def orders_held(server):
    return server.query("SELECT count(*) FROM orders")[0][0]


def test_an_order_goes_over_tls_to_the_pinned_server_only(h):
    quarn, pin = make_authority(h, "quarn")
    stranger, _ = make_authority(h, "stranger")
    make_authority(h, "quarn", "expired", -1)
    secure = {"SecureConnection": "1", "Pin": pin}

    server = Orderd(h, tls=(quarn, "server"))
    send(h, order_window(h, server.tls_port, lambda p: in_stock(server, p, 3), **secure))
    response, title = wait_response(h, 60)
    check(title != "Response to Order <failed>", "the exchange over TLS failed: %r" % title)
    close_response(h, response)
    check(order(h) == [] and orders_held(server) == 1, "over TLS the order was not delivered: %r" % order(h))
    open_settings(h)
    shown = h.probe("text", SETTINGS_TITLE, str(IDC_PIN))[1].strip()
    check(shown == pin, "the settings show the pin as %r" % shown)
    h.screenshot("secure-settings")
    h.stop_all()

    # Another authority's server on the pinned setting, Quarn's with an expired certificate, then a plain port on
    # it: none gets the order.
    for name, tls, port in (("another certificate", (stranger, "server"), "tls_port"),
                            ("expired", (quarn, "expired"), "tls_port"), ("in clear", None, "port")):
        server = Orderd(h, tls=tls)
        dialog = send(h, order_window(h, getattr(server, port), lambda p: in_stock(server, p, 2), **secure))
        before = order(h)
        check(wait_for(lambda: NOT_PROVEN in status(h), 30), "%s: status %r" % (name, status(h)))
        cancel(h, dialog, "a refused server")
        check(order(h) == before and len(before) == 2 and orders_held(server) == 0,
              "%s: the order was sent or changed: %r" % (name, order(h)))
        h.stop_all()
