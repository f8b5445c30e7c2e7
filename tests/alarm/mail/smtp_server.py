#!/usr/bin/python3
"""A real SMTP server on 127.0.0.1 for the mail tests.

Usage: smtp_server.py MODE CERT KEY OUTDIR USER PASSWORD [PORT [DELAY]]

MODE is "implicit" (TLS from the first byte) or "starttls" (STARTTLS required before
anything else). Logins other than USER/PASSWORD are refused. The chosen port is printed
on the first line of standard output. Every accepted message becomes a folder NNN in
OUTDIR, made visible whole by a rename, DELAY seconds after its data arrived, holding:
  raw.eml          the message as received
  envelope.txt     MAIL FROM, then one RCPT TO per line
  subject.txt      the decoded subject
  body.txt         the decoded text part, in UTF-8
  headers.txt      "Name: value" per header of the message
  attachments/     each attachment under its file name, decoded
"""
import asyncio
import email
import logging
import email.policy
import os
import ssl
import sys
import warnings

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


class Saver:
    def __init__(self, outdir, delay):
        self.outdir = outdir
        self.delay = delay
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        await asyncio.sleep(self.delay)
        self.count += 1
        final = os.path.join(self.outdir, "%03d" % self.count)
        work = final + ".part"
        os.makedirs(os.path.join(work, "attachments"))
        raw = envelope.original_content or envelope.content
        with open(os.path.join(work, "raw.eml"), "wb") as f:
            f.write(raw)
        with open(os.path.join(work, "envelope.txt"), "w", encoding="utf-8") as f:
            f.write("\n".join([envelope.mail_from] + list(envelope.rcpt_tos)) + "\n")
        message = email.message_from_bytes(raw, policy=email.policy.default)
        with open(os.path.join(work, "subject.txt"), "w", encoding="utf-8") as f:
            f.write(str(message.get("Subject", "")))
        with open(os.path.join(work, "headers.txt"), "w", encoding="utf-8") as f:
            for name, value in message.items():
                f.write("%s: %s\n" % (name, value))
        body = message.get_body(preferencelist=("plain",))
        with open(os.path.join(work, "body.txt"), "w", encoding="utf-8", newline="") as f:
            f.write(body.get_content() if body is not None else "")
        for part in message.iter_attachments():
            name = os.path.basename(part.get_filename() or "sin-nombre")
            with open(os.path.join(work, "attachments", name), "wb") as f:
                f.write(part.get_payload(decode=True))
        os.rename(work, final)
        return "250 OK"


def main():
    # With TLS from the first byte the server's advice about AUTH without STARTTLS does
    # not apply, and its other notices only clutter the test output.
    warnings.simplefilter("ignore")
    logging.getLogger("mail.log").setLevel(logging.ERROR)
    mode, cert, key, outdir, user, password = sys.argv[1:7]
    port = int(sys.argv[7]) if len(sys.argv) > 7 else 0
    delay = float(sys.argv[8]) if len(sys.argv) > 8 else 0.0
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert, key)
    handler = Saver(outdir, delay)

    def authenticator(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login == user.encode()
              and auth_data.password == password.encode())
        return AuthResult(success=ok)

    implicit = mode == "implicit"

    def factory():
        return SMTP(handler, hostname="127.0.0.1", authenticator=authenticator, auth_required=True,
                    tls_context=None if implicit else context, require_starttls=not implicit,
                    auth_require_tls=not implicit)

    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    server = loop.run_until_complete(
        loop.create_server(factory, "127.0.0.1", port, ssl=context if implicit else None))
    print(server.sockets[0].getsockname()[1], flush=True)
    loop.run_forever()


if __name__ == "__main__":
    main()
