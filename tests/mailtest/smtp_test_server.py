#!/usr/bin/python3
# SPDX-License-Identifier: Apache-2.0
"""A small SMTP server on 127.0.0.1 for the mail test's tests.

It binds a free port, prints it on the first line of stdout and serves until
stdin closes or the process is stopped. Modes:
  plain     login on the plain connection
  starttls  login only after STARTTLS
  implicit  TLS from the first byte (as on port 465)
  silent    accepts connections and never says a word
  flood     greets with one endless line
Accepted messages are written to --mailbox as message-<n>.eml, and each
login attempt as one line (the login name) of auth.log there.
--fail-delay holds back the answer to a wrong login; --penalty answers every
login after a failed one with 454, as servers slowed by their own penalty do.
"""
import argparse
import asyncio
import logging
import os
import socket
import ssl
import sys
import time

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


class Mailbox:
    def __init__(self, folder, refused_recipient):
        self.folder = folder
        self.refused_recipient = refused_recipient
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address == self.refused_recipient:
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        if self.folder:
            path = os.path.join(self.folder, "message-%d.eml" % self.count)
            with open(path, "wb") as out:
                out.write(envelope.original_content or envelope.content)
        return "250 2.0.0 Ok: queued as TEST%d" % self.count


def make_authenticator(args):
    failed = []

    def authenticate(server, session, envelope, mechanism, auth_data):
        if args.mailbox:
            with open(os.path.join(args.mailbox, "auth.log"), "ab") as log:
                log.write(getattr(auth_data, "login", b"?") + b"\n")
        if args.penalty and failed:
            return AuthResult(success=False, handled=False,
                              message="454 4.7.0 Temporary authentication failure")
        ok = (isinstance(auth_data, LoginPassword)
              and auth_data.login == args.login.encode()
              and auth_data.password == args.password.encode())
        if not ok:
            failed.append(True)
            time.sleep(args.fail_delay)  # the whole server waits, as one client is all there is
        return AuthResult(success=ok, handled=False)
    return authenticate


async def serve_silent(ready, flood):
    sockets = []

    async def hold(reader, writer):
        sockets.append(writer)  # keep it open
        if flood:
            writer.write(b"220 " + b"x" * 1000000)
            await writer.drain()
        await reader.read()

    server = await asyncio.start_server(hold, "127.0.0.1", 0)
    ready(server.sockets[0].getsockname()[1])
    return server


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mode", choices=["plain", "starttls", "implicit", "silent", "flood"], required=True)
    parser.add_argument("--login", default="")
    parser.add_argument("--password", default="")
    parser.add_argument("--cert", default="")
    parser.add_argument("--key", default="")
    parser.add_argument("--mailbox", default="")
    parser.add_argument("--refuse-recipient", default="")
    parser.add_argument("--fail-delay", type=float, default=0.0)
    parser.add_argument("--penalty", action="store_true")
    args = parser.parse_args()
    # A client that drops an unverified TLS session is what some cases test.
    logging.getLogger("mail.log").setLevel(logging.CRITICAL)

    def ready(port):
        print(port, flush=True)

    loop = asyncio.get_running_loop()
    if args.mode in ("silent", "flood"):
        server = await serve_silent(ready, args.mode == "flood")
    else:
        context = None
        if args.mode in ("starttls", "implicit"):
            context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
            context.load_cert_chain(args.cert, args.key)
        handler = Mailbox(args.mailbox, args.refuse_recipient)
        authenticator = make_authenticator(args)  # one for all connections: the penalty outlasts each

        def factory():
            return SMTP(handler,
                        hostname="mail.test",
                        require_starttls=args.mode == "starttls",
                        tls_context=context if args.mode == "starttls" else None,
                        auth_require_tls=args.mode == "starttls",
                        authenticator=authenticator)

        server = await loop.create_server(factory, "127.0.0.1", 0,
                                          ssl=context if args.mode == "implicit" else None,
                                          family=socket.AF_INET)
        ready(server.sockets[0].getsockname()[1])

    # Stop when the test closes our stdin (or dies).
    await loop.run_in_executor(None, sys.stdin.read)
    server.close()


if __name__ == "__main__":
    asyncio.run(main())
