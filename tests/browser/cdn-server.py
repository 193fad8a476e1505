#!/usr/bin/env python3
"""Serves a folder over HTTPS on loopback, standing in for the public library hosts of generated
pages. Prints the port, then logs each request on stderr.

    cdn-server.py <folder> <certificate.pem> <key.pem>
"""
import functools
import http.server
import ssl
import sys

folder, certificate, key = sys.argv[1:4]
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(certificate, key)
server.socket = context.wrap_socket(server.socket, server_side=True)
print(server.server_address[1], flush=True)
server.serve_forever()
