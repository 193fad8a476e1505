#!/usr/bin/env python3
"""Loopback SFTP server (password login, chrooted to --root) for the upload tests.

The host key is read from --host-key, or made and written there when the file does not exist.
Prints "SFTP <port>" once listening, then serves until stdin closes.
"""
import argparse
import asyncio
import os
import sys

import asyncssh


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--host-key", required=True)
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--user", default="quib")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--no-sftp", action="store_true", help="log in, then refuse the SFTP channel")
    args = parser.parse_args()

    if os.path.exists(args.host_key):
        key = asyncssh.read_private_key(args.host_key)
    else:
        key = asyncssh.generate_private_key("ecdsa-sha2-nistp256")
        key.write_private_key(args.host_key)

    class Server(asyncssh.SSHServer):
        def begin_auth(self, username):
            return True

        def password_auth_supported(self):
            return True

        def validate_password(self, username, password):
            return username == args.user and password == args.password

    def sftp_factory(channel):
        return asyncssh.SFTPServer(channel, chroot=args.root.encode())

    async def run():
        server = await asyncssh.create_server(
            Server, "127.0.0.1", args.port, server_host_keys=[key],
            sftp_factory=None if args.no_sftp else sftp_factory,
            allow_scp=False, reuse_address=True)
        print("SFTP", server.sockets[0].getsockname()[1], flush=True)
        loop = asyncio.get_running_loop()
        await loop.run_in_executor(None, sys.stdin.read)

    asyncio.run(run())
    os._exit(0)


if __name__ == "__main__":
    main()
