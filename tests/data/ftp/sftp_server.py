"""An SFTP server for the upload tests: serves ROOT on 127.0.0.1 at a free port for one user with
a password. Prints the port, then the host key's SHA256 fingerprint, on the first two lines of
standard output. KEYFILE holds the host key; it is made when missing, so a second server started
with the same file shows the same key and one started with another file a changed key."""
import asyncio
import os
import sys
import warnings

warnings.filterwarnings("ignore")
import asyncssh  # noqa: E402


def main():
    root, user, password, keyfile = sys.argv[1:5]
    if not os.path.exists(keyfile):
        asyncssh.generate_private_key("ssh-ed25519").write_private_key(keyfile)
    key = asyncssh.read_private_key(keyfile)

    class Server(asyncssh.SSHServer):
        def password_auth_supported(self):
            return True

        def begin_auth(self, username):
            return True

        def validate_password(self, username, given):
            return username == user and given == password

    async def serve():
        server = await asyncssh.listen(
            "127.0.0.1", 0, server_factory=Server, server_host_keys=[key],
            sftp_factory=lambda chan: asyncssh.SFTPServer(chan, chroot=root))
        port = server.sockets[0].getsockname()[1]
        print(port, flush=True)
        print(key.get_fingerprint("sha256"), flush=True)
        await asyncio.Future()

    asyncio.run(serve())


if __name__ == "__main__":
    main()
