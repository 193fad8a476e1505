#!/usr/bin/env python3
"""Loopback FTP (or explicit FTPS) server for the upload tests and the benchmark.

Prints "FTP <port>" (and "HTTP <port>" with --http) once listening, then serves until stdin closes.
"""
import argparse
import functools
import http.server
import os
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


class EarlyHandshakeDTPHandler(TLS_DTPHandler):
    """Lets a client shake hands on the data connection before it sends STOR, as curl does.

    pyftpdlib closes a data connection that turns readable before a transfer command, taking the
    client's TLS hello for a hang-up."""

    def readable(self):
        if self._ssl_requested and not self._ssl_established:
            return True
        if not self.receive and not self._initialized:
            return self._ssl_want_read
        return super().readable()


class FreshOnlyHandler(http.server.SimpleHTTPRequestHandler):
    """Serves the login folder, but only to requests that refuse cached copies, as the connection
    test's web check must."""

    def do_GET(self):
        if "no-cache" not in self.headers.get("Cache-Control", ""):
            self.send_error(412, "cached copies would do")
            return
        super().do_GET()

    def log_message(self, *args):
        pass


class StoreControls:
    """Lets a test slow every upload down or refuse one of them."""

    stores = 0
    refuse_store = 0
    store_delay = 0.0

    def ftp_STOR(self, file, mode="w"):
        StoreControls.stores += 1
        if StoreControls.refuse_store and StoreControls.stores == StoreControls.refuse_store:
            self.respond("550 Refused by the test server.")
            return
        if StoreControls.store_delay:
            time.sleep(StoreControls.store_delay)
        return super().ftp_STOR(file, mode)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--home", help="login folder below the root (default: the root)")
    parser.add_argument("--user", default="quib")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--http", action="store_true",
                        help="also serve the login folder over HTTP, to requests sent with Cache-Control: no-cache")
    parser.add_argument("--refuse-store", type=int, default=0,
                        help="answer the Nth upload (counting from 1) with 550")
    parser.add_argument("--store-delay", type=float, default=0.0,
                        help="seconds to wait before accepting each upload")
    args = parser.parse_args()

    home = os.path.join(args.root, args.home) if args.home else args.root
    os.makedirs(home, exist_ok=True)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, home, perm="elradfmwMT")

    if args.cert:
        handler = type("Handler", (StoreControls, TLS_FTPHandler), {})
        handler.certfile = args.cert
        handler.keyfile = args.key
        handler.tls_control_required = True
        handler.tls_data_required = True
        handler.dtp_handler = EarlyHandshakeDTPHandler
    else:
        handler = type("Handler", (StoreControls, FTPHandler), {})
    handler.authorizer = authorizer
    StoreControls.refuse_store = args.refuse_store
    StoreControls.store_delay = args.store_delay
    handler.banner = "quib test server"
    handler.log_prefix = ""

    import logging
    logging.basicConfig(level=logging.CRITICAL)

    server = FTPServer(("127.0.0.1", 0), handler)
    print("FTP", server.address[1], flush=True)

    if args.http:
        web = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(FreshOnlyHandler, directory=home))
        threading.Thread(target=web.serve_forever, daemon=True).start()
        print("HTTP", web.server_address[1], flush=True)

    def watch_stdin():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=watch_stdin, daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
