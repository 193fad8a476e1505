#!/usr/bin/env python3
"""Loopback stand-in for the image hosting service's HTTP API (Python's http.server).

Serves the authorisation page (redirecting to the client's loopback address with a code), the token
exchange (authorization_code with a PKCE S256 check, and refresh_token), file upload, shared link
creation and the listing of existing links. Every request is appended as one JSON line to
FOLDER/requests.jsonl, in the order served: method, route, whether the bearer token was right, the
stored path, the form fields of token requests, and for the token exchange whether the verifier
matched the challenge. Options make the upload of one file name fail, or give one file name a link
already. Prints "HTTP <port>" once listening, then serves until stdin closes.
"""
import argparse
import base64
import hashlib
import json
import os
import sys
import threading
import urllib.parse
from http.server import BaseHTTPRequestHandler, HTTPServer

ARGS = None
STATE = {"challenge": None, "code": None, "stored": {}, "next_id": 1}
LOCK = threading.Lock()


def record(entry):
    with open(os.path.join(ARGS.folder, "requests.jsonl"), "a") as f:
        f.write(json.dumps(entry) + "\n")


def s256(verifier):
    digest = hashlib.sha256(verifier.encode("ascii")).digest()
    return base64.urlsafe_b64encode(digest).decode("ascii").rstrip("=")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, status, body, headers=None):
        data = body if isinstance(body, bytes) else json.dumps(body).encode("utf-8")
        self.send_response(status)
        for name, value in (headers or {}).items():
            self.send_header(name, value)
        if "Content-Type" not in (headers or {}):
            self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def body(self):
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length) if length else b""

    def authorised(self):
        return self.headers.get("Authorization") == "Bearer " + ARGS.token

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = dict(urllib.parse.parse_qsl(url.query))
        if url.path != "/oauth2/authorize":
            self.reply(404, {"error": "not_found"})
            return
        STATE["challenge"] = query.get("code_challenge")
        STATE["code"] = "code-%d" % STATE["next_id"]
        STATE["next_id"] += 1
        record({"method": "GET", "route": url.path, "query": query})
        redirect = query.get("redirect_uri")
        if not redirect:
            self.reply(200, ("<p>Your code: %s</p>" % STATE["code"]).encode(), {"Content-Type": "text/html"})
            return
        target = redirect + "?" + urllib.parse.urlencode({"code": STATE["code"], "state": query.get("state", "")})
        self.reply(302, b"", {"Location": target})

    def do_POST(self):
        url = urllib.parse.urlsplit(self.path)
        route = url.path
        body = self.body()
        with LOCK:
            if route == "/oauth2/token":
                self.token(body)
            elif route == "/2/files/upload":
                self.upload(body)
            elif route == "/2/sharing/create_shared_link_with_settings":
                self.create_link(body)
            elif route == "/2/sharing/list_shared_links":
                self.list_links(body)
            else:
                record({"method": "POST", "route": route})
                self.reply(404, {"error_summary": "not_found/"})

    def token(self, body):
        form = dict(urllib.parse.parse_qsl(body.decode("ascii")))
        entry = {"method": "POST", "route": "/oauth2/token", "form": form}
        if form.get("grant_type") == "refresh_token":
            record(entry)
            if form.get("refresh_token") != "refresh-" + ARGS.token:
                self.reply(400, {"error": "invalid_grant"})
                return
            self.reply(200, {"access_token": ARGS.token, "token_type": "bearer", "expires_in": 14400})
            return
        verifier = form.get("code_verifier", "")
        entry["verifier_matches"] = bool(STATE["challenge"]) and s256(verifier) == STATE["challenge"]
        entry["code_matches"] = form.get("code") == STATE["code"]
        record(entry)
        if not entry["verifier_matches"] or not entry["code_matches"]:
            self.reply(400, {"error": "invalid_grant", "error_description": "code or verifier refused"})
            return
        self.reply(200, {"access_token": ARGS.token, "refresh_token": "refresh-" + ARGS.token,
                         "token_type": "bearer", "expires_in": 14400, "account_id": "dbid:stand-in"})

    def upload(self, body):
        arg = json.loads(self.headers.get("Dropbox-API-Arg") or "{}")
        path = arg.get("path", "")
        name = path.rsplit("/", 1)[-1]
        entry = {"method": "POST", "route": "/2/files/upload", "auth": self.authorised(), "path": path,
                 "bytes": len(body), "sha256": hashlib.sha256(body).hexdigest()}
        record(entry)
        if not self.authorised():
            self.reply(401, {"error_summary": "invalid_access_token/", "error": {".tag": "invalid_access_token"}})
            return
        if name in ARGS.fail_upload:
            self.reply(409, {"error_summary": "path/insufficient_space/", "error": {".tag": "path"}})
            return
        file_id = "id%d" % STATE["next_id"]
        STATE["next_id"] += 1
        STATE["stored"][path.lower()] = (file_id, name)
        self.reply(200, {"name": name, "path_lower": path.lower(), "path_display": path, "id": "id:" + file_id,
                         "size": len(body)})

    def create_link(self, body):
        path = json.loads(body or b"{}").get("path", "")
        record({"method": "POST", "route": "/2/sharing/create_shared_link_with_settings", "auth": self.authorised(),
                "path": path})
        if not self.authorised():
            self.reply(401, {"error_summary": "invalid_access_token/"})
            return
        stored = STATE["stored"].get(path.lower())
        if not stored:
            self.reply(409, {"error_summary": "path/not_found/", "error": {".tag": "path"}})
            return
        if stored[1] in ARGS.existing_link:
            self.reply(409, {"error_summary": "shared_link_already_exists/",
                             "error": {".tag": "shared_link_already_exists"}})
            return
        self.reply(200, {"url": "https://www.dropbox.com/s/%s/%s?dl=0" % (stored[0], urllib.parse.quote(stored[1])),
                         "path_lower": path.lower()})

    def list_links(self, body):
        path = json.loads(body or b"{}").get("path", "")
        record({"method": "POST", "route": "/2/sharing/list_shared_links", "auth": self.authorised(), "path": path})
        stored = STATE["stored"].get(path.lower())
        if not self.authorised() or not stored:
            self.reply(409, {"error_summary": "path/not_found/"})
            return
        url = "https://www.dropbox.com/scl/fi/%s/%s?rlkey=old&dl=0" % (stored[0], urllib.parse.quote(stored[1]))
        self.reply(200, {"links": [{"url": url}],
                         "has_more": False})


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", required=True)
    parser.add_argument("--token", default="stand-in-token")
    parser.add_argument("--fail-upload", action="append", default=[])
    parser.add_argument("--existing-link", action="append", default=[])
    ARGS = parser.parse_args()
    server = HTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    print("HTTP %d" % server.server_address[1], flush=True)
    sys.stdin.read()
    server.shutdown()


if __name__ == "__main__":
    main()
