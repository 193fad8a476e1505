#!/usr/bin/env python3
"""An SMTP server on loopback that keeps each message it is given as one file.

usage: smtp-capture.py PORT FOLDER USER PASSWORD
Prints READY once it listens; stops when its standard input closes or on SIGTERM.
"""
import os
import signal
import sys
import threading
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Keep:
    def __init__(self, folder):
        self.folder = folder

    async def handle_DATA(self, server, session, envelope):
        name = "%d-%d.eml" % (time.time_ns(), os.getpid())
        tmp = os.path.join(self.folder, "." + name)
        with open(tmp, "wb") as f:
            f.write(("X-Envelope-To: %s\r\n" % ",".join(envelope.rcpt_tos)).encode())
            f.write(envelope.original_content or envelope.content)
        os.rename(tmp, os.path.join(self.folder, name))
        return "250 OK"


def main():
    port, folder, user, password = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]

    def authenticate(server, session, envelope, mechanism, auth_data):
        ok = isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user \
            and auth_data.password.decode() == password
        return AuthResult(success=ok)

    controller = Controller(Keep(folder), hostname="127.0.0.1", port=port,
                            authenticator=authenticate, auth_require_tls=False)
    controller.start()
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    print("READY", flush=True)

    def wait_stdin():
        sys.stdin.read()
        stop.set()

    threading.Thread(target=wait_stdin, daemon=True).start()
    stop.wait()
    controller.stop()


if __name__ == "__main__":
    main()
