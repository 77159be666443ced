#!/usr/bin/env python3
"""A stock FTP server (pyftpdlib) standing in for the instrument's FTP server in tests.

It logs in the instrument's fixed user, answers on one line per command, allows server to server
transfers (foreign addresses on PORT and on passive connections) and lists folders in the
instrument's format, the same lines the simulator's own FTP server writes:

    Directory of /F0:/Sormet/
    Size Date Time Name
    0 01-01-00 00:00 . <DIR>
    0 01-01-00 00:00 .. <DIR>
    0 12-08-26 22:40 PRESET <DIR>
    2048 12-08-26 22:41 MSTATE2.P00 A

usage: pyftpd_instrument.py ADDRESS PORT FOLDER
FOLDER holds "F0:", so "/F0:/" is FOLDER/F0:. Prints "ready <port>" once it listens.
"""
import logging
import os
import stat
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def listable(name):
    return (name not in ("", ".", "..") and not name.startswith(" ")
            and not name.endswith(" ") and "\n" not in name and "\0" not in name)


def stamp(seconds):
    return time.strftime("%m-%d-%y %H:%M", time.gmtime(seconds))


class InstrumentFS(AbstractedFS):
    def format_list(self, basedir, listing, ignore_err=True):
        folder = self.fs2ftp(basedir)
        if not folder.endswith("/"):
            folder += "/"
        errors = self.cmd_channel.unicode_errors

        def line(size, when, name, kind):
            return ("%s %s %s %s\r\n" % (size, when, name, kind)).encode("utf8", errors)

        yield ("Directory of %s\r\n" % folder).encode("utf8", errors)
        yield b"Size Date Time Name\r\n"
        yield b"0 01-01-00 00:00 . <DIR>\r\n"
        yield b"0 01-01-00 00:00 .. <DIR>\r\n"
        folders, files = [], []
        for name in listing:
            if not listable(name):
                continue
            try:
                info = os.lstat(os.path.join(basedir, name))
            except OSError:
                continue
            if stat.S_ISDIR(info.st_mode):
                folders.append((name, info))
            elif stat.S_ISREG(info.st_mode):
                files.append((name, info))
        for name, info in sorted(folders, key=lambda entry: entry[0].encode("utf8", errors)):
            yield line(0, stamp(info.st_mtime), name, "<DIR>")
        for name, info in sorted(files, key=lambda entry: entry[0].encode("utf8", errors)):
            yield line(info.st_size, stamp(info.st_mtime), name, "A")


def main():
    if len(sys.argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    address, port, folder = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    if not os.path.isdir(os.path.join(folder, "F0:")):
        sys.stderr.write("pyftpd_instrument: %s holds no F0: folder\n" % folder)
        return 2
    logging.basicConfig(level=logging.WARNING, stream=sys.stderr)
    authorizer = DummyAuthorizer()
    authorizer.add_user("quelby", "pelvuro38", folder, perm="elradfmwMT")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.abstracted_fs = InstrumentFS
    handler.permit_foreign_addresses = True
    handler.banner = "Quarn FTP server ready."
    handler.use_gmt_times = True
    server = FTPServer((address, port), handler)
    sys.stdout.write("ready %d\n" % server.socket.getsockname()[1])
    sys.stdout.flush()
    server.serve_forever(handle_exit=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
