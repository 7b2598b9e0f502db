"""A pyftpdlib server for the upload tests: serves ROOT on 127.0.0.1 at a free port, which it
prints on the first line of standard output, for one user with every permission except writing
inside the sub-folder "locked" (which exists for refused uploads)."""
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root, user, password = sys.argv[1:4]
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")
    locked = os.path.join(root, "locked")
    os.makedirs(locked, exist_ok=True)
    authorizer.override_perm(user, locked, perm="elr", recursive=True)
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.permit_foreign_addresses = False
    handler.passive_ports = None
    handler.use_sendfile = False
    handler.auth_failed_timeout = 0
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.address[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
