"""A scripted FTP server with TLS for the upload tests: on 127.0.0.1 at a free port, which it
prints on the first line of standard output, it takes AUTH TLS with the certificate CERT and key
KEY, lets anyone log in, and refuses to protect the data connections (PROT P). Every command it
receives is printed on a line of its own, after "got: "."""
import socket
import ssl
import sys
import threading

REPLIES = {
    b"USER": b"331 Password please.",
    b"PASS": b"230 Logged in.",
    b"PBSZ": b"200 PBSZ=0",
    b"PROT": b"536 Data protection level not supported here.",
    b"TYPE": b"200 Type set.",
    b"PWD": b'257 "/" is the current directory.',
    b"CWD": b"250 Okay.",
}


def serve(connection, context):
    reader = connection.makefile("rb")
    connection.sendall(b"220 scripted TLS\r\n")
    for line in reader:
        line = line.rstrip(b"\r\n")
        print("got: " + line.decode("latin-1"), flush=True)
        verb = line.split(b" ")[0].upper()
        if verb == b"AUTH":
            connection.sendall(b"234 Go ahead.\r\n")
            connection = context.wrap_socket(connection, server_side=True)
            reader = connection.makefile("rb")
            return serve_rest(connection, reader)
        connection.sendall(REPLIES.get(verb, b"500 Unknown command.") + b"\r\n")
    return None


def serve_rest(connection, reader):
    for line in reader:
        line = line.rstrip(b"\r\n")
        print("got: " + line.decode("latin-1"), flush=True)
        verb = line.split(b" ")[0].upper()
        connection.sendall(REPLIES.get(verb, b"500 Unknown command.") + b"\r\n")


def main():
    cert, key = sys.argv[1:3]
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    print(listener.getsockname()[1], flush=True)
    while True:
        connection, _ = listener.accept()
        threading.Thread(target=guarded, args=(connection, context), daemon=True).start()


def guarded(connection, context):
    try:
        serve(connection, context)
    except (OSError, ssl.SSLError):
        pass


main()
