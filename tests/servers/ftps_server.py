"""The FTP server of the publishing tests, on 127.0.0.1 only.

Two listeners in one process over the same users and files:
  - explicit TLS (AUTH TLS), required on the control and the data connections; its port in DIR/port,
    its self-signed certificate (made by ftps_server.sh) in DIR/cert.pem;
  - clear text, for ftp:// destinations; its port in DIR/plain_port.

Users, all with the password in DIR/password and DIR/root as "/":
  - wexbo: may do everything; logs in to /home/wexbo, so paths relative to the login folder and
    absolute ones land in different places;
  - reader: may only look (an unwritable destination);
  - keeper: like wexbo, but renaming onto an existing file is refused, as some servers do;
  - lossy: like wexbo, but what it uploads loses its second half on the server.

Usage: ftps_server.py DIR
"""

import logging
import os
import secrets
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer

HOST = "127.0.0.1"
WRITER_PERMS = "elradfmwMT"


def write_atomically(path, text):
    # The start script waits for these files; it must never see half of one.
    with open(path + ".new", "w") as out:
        out.write(text)
    os.replace(path + ".new", path)


class LoginFolder:
    """Starts every session in /home/USER, as servers without a per-user root do."""

    def on_login(self, username):
        folder = "/home/" + username
        if os.path.isdir(self.fs.ftp2fs(folder)):
            self.fs.cwd = folder


class KeeperRefusesOverwrite:
    """For the user keeper, RNTO onto an existing file fails, as on servers that never replace."""

    def ftp_RNTO(self, path):
        if self.username == "keeper" and self._rnfr and self.fs.lexists(path):
            self._rnfr = None
            self.respond("550 Cannot rename: the target exists.")
            return None
        return super().ftp_RNTO(path)


class LossyKeepsHalf:
    """For the user lossy, every file received loses its second half, as when a connection breaks
    during an upload and the server takes the close for the end of the file."""

    def on_file_received(self, file):
        if self.username == "lossy":
            with open(file, "r+b") as received:
                received.truncate(os.path.getsize(file) // 2)


class SecureDataHandler(TLS_DTPHandler):
    """A data connection that waits for the TLS handshake a client starts before its transfer command.

    pyftpdlib 1.5.7 takes a data connection that is readable before the transfer command for one the
    client closed, and closes it: libcurl starts its TLS handshake right after connecting.
    """

    def readable(self):
        return self._ssl_accepting or super().readable()


class SecureHandler(LoginFolder, KeeperRefusesOverwrite, LossyKeepsHalf, TLS_FTPHandler):
    tls_control_required = True
    tls_data_required = True
    dtp_handler = SecureDataHandler


class PlainHandler(LoginFolder, KeeperRefusesOverwrite, LossyKeepsHalf, FTPHandler):
    pass


def main():
    folder = os.path.abspath(sys.argv[1])
    root = os.path.join(folder, "root")
    password = secrets.token_urlsafe(12) + ":@%/ #"
    users = {"wexbo": WRITER_PERMS, "reader": "elr", "keeper": WRITER_PERMS, "lossy": WRITER_PERMS}

    authorizer = DummyAuthorizer()
    for user, perms in users.items():
        os.makedirs(os.path.join(root, "home", user), exist_ok=True)
        authorizer.add_user(user, password, root, perm=perms)

    logging.basicConfig(filename=os.path.join(folder, "server.log"), level=logging.INFO)

    SecureHandler.certfile = os.path.join(folder, "cert.pem")
    SecureHandler.keyfile = os.path.join(folder, "key.pem")
    for handler in (SecureHandler, PlainHandler):
        handler.authorizer = authorizer
        handler.banner = "wexbo test server ready."
        # pyftpdlib waits 3 s before answering a wrong password; the tests try one on purpose.
        handler.auth_failed_timeout = 0

    # Port 0: the system picks free ports; both servers share the default IO loop.
    secure = FTPServer((HOST, 0), SecureHandler)
    plain = FTPServer((HOST, 0), PlainHandler)
    write_atomically(os.path.join(folder, "password"), password)
    write_atomically(os.path.join(folder, "plain_port"), str(plain.address[1]))
    write_atomically(os.path.join(folder, "port"), str(secure.address[1]))
    secure.serve_forever()


if __name__ == "__main__":
    main()
