#!/usr/bin/env python3
"""Loopback SMTP server for the mail tests (aiosmtpd).

Modes: plain (AUTH offered in the clear), starttls (STARTTLS required before AUTH and MAIL), implicit
(TLS from the first byte). Every command the server is given is appended to FOLDER/events.txt
(AUTH as the word alone); every message is parsed with Python's email package and kept as
FOLDER/<n>.json: envelope, headers as decoded, parts with their Content-ID and SHA-256.
Prints "SMTP <port>" once listening, then serves until stdin closes.
"""
import argparse
import asyncio
import email
import email.header
import email.policy
import hashlib
import json
import os
import socket
import ssl
import sys
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def on_tls(server, session):
    return session.ssl is not None or server.transport.get_extra_info("ssl_object") is not None


class Keep:
    def __init__(self, folder, drop_after_data):
        self.folder = folder
        self.drop_after_data = drop_after_data
        self.count = 0

    def event(self, text):
        with open(os.path.join(self.folder, "events.txt"), "a") as f:
            f.write(text + "\n")

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        self.event("EHLO tls=%d" % (1 if on_tls(server, session) else 0))
        session.host_name = hostname
        return responses

    async def handle_MAIL(self, server, session, envelope, address, options):
        self.event("MAIL %s tls=%d" % (address, 1 if session.ssl is not None else 0))
        envelope.mail_from = address
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, options):
        self.event("RCPT %s" % address)
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        raw = envelope.original_content or envelope.content
        msg = email.message_from_bytes(raw, policy=email.policy.default)
        parts = []
        for part in msg.walk():
            if part.is_multipart():
                continue
            payload = part.get_payload(decode=True) or b""
            entry = {
                "type": part.get_content_type(),
                "cid": (part.get("Content-ID") or "").strip("<>"),
                "sha256": hashlib.sha256(payload).hexdigest(),
                "size": len(payload),
            }
            if part.get_content_type() == "text/html":
                entry["text"] = payload.decode(part.get_content_charset() or "utf-8")
            parts.append(entry)
        headers = {}
        for name in ("From", "To", "Cc", "Bcc", "Subject", "Date", "Message-ID", "MIME-Version"):
            value = msg.get(name)
            if value is not None:
                headers[name] = str(value)
        kept = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "tls": on_tls(server, session),
            "content_type": msg.get_content_type(),
            "header_names": [k for k in msg.keys()],
            "headers": headers,
            "parts": parts,
            "raw": raw.decode("latin-1"),
        }
        self.count += 1
        name = os.path.join(self.folder, "%d.json" % self.count)
        with open(name + ".tmp", "w") as f:
            json.dump(kept, f)
        os.rename(name + ".tmp", name)
        self.event("DATA accepted")
        if self.drop_after_data:
            # The reply goes out, then the connection is gone before QUIT can be answered.
            asyncio.get_event_loop().call_later(0.05, server.transport.abort)
        return "250 OK"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mode", choices=["plain", "starttls", "implicit"], default="plain")
    parser.add_argument("--folder", required=True)
    parser.add_argument("--user", default="quib")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--drop-after-data", action="store_true")
    parser.add_argument("--login-only", action="store_true", help="offer AUTH LOGIN alone")
    args = parser.parse_args()

    handler = Keep(args.folder, args.drop_after_data)

    def authenticate(server, session, envelope, mechanism, auth_data):
        handler.event("AUTH")
        ok = isinstance(auth_data, LoginPassword) and auth_data.login.decode() == args.user \
            and auth_data.password.decode() == args.password
        return AuthResult(success=ok, handled=False)

    context = None
    if args.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    kwargs = dict(authenticator=authenticate, auth_required=True)
    if args.login_only:
        kwargs["auth_exclude_mechanism"] = ["PLAIN"]
    port = free_port()
    if args.mode == "plain":
        kwargs["auth_require_tls"] = False
    elif args.mode == "starttls":
        kwargs["tls_context"] = context
        kwargs["require_starttls"] = True
    else:
        kwargs["auth_require_tls"] = False

    class Ctl(Controller):
        def factory(self):
            return SMTP(self.handler, **kwargs)

    if args.mode == "implicit":
        controller = Ctl(handler, hostname="127.0.0.1", port=port, ssl_context=context)
    else:
        controller = Ctl(handler, hostname="127.0.0.1", port=port)
    controller.start()
    print("SMTP", port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
