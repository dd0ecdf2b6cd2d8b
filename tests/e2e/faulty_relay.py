#!/usr/bin/env python3
"""A relay in front of a CUPS scheduler that fails each print job once it has its document.

    faulty_relay.py PORT_FILE FAULT...

Listens on a free port of 127.0.0.1, written to PORT_FILE once it listens, and forwards
every HTTP request of a connection to the scheduler (localhost:631), and the scheduler's
answers back, until the connection carries an IPP Send-Document request. That request is
read to its end and kept from the scheduler, which thus holds a job without a document,
and the next FAULT in the list (one per document; then none) follows:

    silent               the connection stays open, whatever arrives on it is read and
                         dropped, and nothing is answered: the client has sent it all and
                         hears nothing
    silent-after-answer  the relay accepts the document itself, then is silent as above
    unreachable          silent as above, and from then on new connections wait, never
                         taken, as with a host that has gone away
    aborted              the relay accepts the document itself and answers every
                         Get-Job-Attributes on that connection with job-state aborted;
                         the rest is forwarded

New connections are forwarded as before. Ends on SIGTERM, or after LIFETIME seconds.
"""

import os
import select
import signal
import socket
import sys
import threading
import time

LIFETIME = 120  # s: a relay left behind by a failed test goes away by itself
# IPP operation ids, tags and values (RFC 8010, RFC 8011).
SEND_DOCUMENT, GET_JOB_ATTRIBUTES = 0x0006, 0x0009
OPERATION_GROUP, JOB_GROUP, END_OF_ATTRIBUTES = 0x01, 0x02, 0x03
ENUM, CHARSET, LANGUAGE = 0x23, 0x47, 0x48
JOB_ABORTED = 8

faults = []
faults_lock = threading.Lock()
unreachable = threading.Event()


def log(text):
    print(f"relay: {text}", file=sys.stderr, flush=True)


class Client:
    """The bytes from the client, read as they are needed."""

    def __init__(self, sock):
        self.sock = sock
        self.buffer = b""

    def fill(self):
        data = self.sock.recv(65536)
        if not data:
            raise EOFError
        self.buffer += data

    def take(self, count):
        while len(self.buffer) < count:
            self.fill()
        data, self.buffer = self.buffer[:count], self.buffer[count:]
        return data

    def line(self):
        while b"\r\n" not in self.buffer:
            self.fill()
        end = self.buffer.index(b"\r\n") + 2
        data, self.buffer = self.buffer[:end], self.buffer[end:]
        return data


def read_request(client):
    """One HTTP request: (its bytes to forward, its body)."""
    head = [client.line()]
    while head[-1] != b"\r\n":
        head.append(client.line())
    fields = {}
    for raw in head[1:-1]:
        name, _, value = raw.decode("latin-1").partition(":")
        fields[name.strip().lower()] = value.strip()
    # The 100 Continue comes from the relay: the scheduler is not asked for it.
    forwarded = b"".join(h for h in head if not h.lower().startswith(b"expect:"))
    if fields.get("expect", "").lower() == "100-continue":
        client.sock.sendall(b"HTTP/1.1 100 Continue\r\n\r\n")
    body = b""
    if "chunked" in fields.get("transfer-encoding", "").lower():
        while True:
            size_line = client.line()
            forwarded += size_line
            size = int(size_line.split(b";")[0], 16)
            if size == 0:
                trailer = client.line()
                forwarded += trailer
                while trailer != b"\r\n":
                    trailer = client.line()
                    forwarded += trailer
                break
            chunk = client.take(size + 2)
            forwarded += chunk
            body += chunk[:-2]
    else:
        body = client.take(int(fields.get("content-length", "0")))
        forwarded += body
    return forwarded, body


def attribute(tag, name, value):
    return (bytes([tag]) + len(name).to_bytes(2, "big") + name + len(value).to_bytes(2, "big") +
            value)


def ipp_answer(request, job_state=None):
    """An HTTP answer of successful-ok to the IPP request, with a job-state if given."""
    body = request[0:2] + b"\x00\x00" + request[4:8] + bytes([OPERATION_GROUP])
    body += attribute(CHARSET, b"attributes-charset", b"utf-8")
    body += attribute(LANGUAGE, b"attributes-natural-language", b"en")
    if job_state is not None:
        body += bytes([JOB_GROUP]) + attribute(ENUM, b"job-state", job_state.to_bytes(4, "big"))
    body += bytes([END_OF_ATTRIBUTES])
    head = f"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: {len(body)}\r\n"
    return head.encode() + b"\r\n" + body


def answers(scheduler, client_sock):
    """Copies the scheduler's answers to the client until either side closes."""
    try:
        while data := scheduler.recv(65536):
            client_sock.sendall(data)
    except OSError:
        pass
    try:
        client_sock.shutdown(socket.SHUT_WR)
    except OSError:
        pass


def next_fault():
    with faults_lock:
        return faults.pop(0) if faults else None


def relay(client_sock, upstream):
    try:
        scheduler = socket.create_connection(upstream, timeout=5)
    except OSError as error:
        log(f"no scheduler: {error}")
        client_sock.close()
        return
    scheduler.settimeout(None)
    threading.Thread(target=answers, args=(scheduler, client_sock), daemon=True).start()
    client = Client(client_sock)
    fault = None
    try:
        while True:
            forwarded, body = read_request(client)
            operation = int.from_bytes(body[2:4], "big") if len(body) >= 4 else None
            if operation == SEND_DOCUMENT and (fault := next_fault()):
                log(f"document of {len(body)} bytes kept from the scheduler: {fault}")
                if fault in ("silent-after-answer", "aborted"):
                    client_sock.sendall(ipp_answer(body))
                if fault == "unreachable":
                    unreachable.set()
                if fault != "aborted":
                    scheduler.close()
                    while client_sock.recv(65536):
                        pass
                    return
            elif operation == GET_JOB_ATTRIBUTES and fault == "aborted":
                log("job-state aborted")
                client_sock.sendall(ipp_answer(body, JOB_ABORTED))
            else:
                scheduler.sendall(forwarded)
    except (EOFError, OSError):
        pass
    finally:
        scheduler.close()
        client_sock.close()


def close_the_door(listener):
    """Fills the listener's queue of connections, never taken, so a new one waits."""
    waiting = []
    for _ in range(4):
        sock = socket.socket()
        sock.setblocking(False)
        sock.connect_ex(listener.getsockname())
        waiting.append(sock)
    log("new connections wait from now on")
    return waiting


def main():
    port_file = sys.argv[1]
    faults.extend(sys.argv[2:])
    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))
    listener = socket.create_server(("127.0.0.1", 0), backlog=1)
    with open(port_file + ".new", "w") as out:
        out.write(f"{listener.getsockname()[1]}\n")
    os.replace(port_file + ".new", port_file)
    deadline = time.monotonic() + LIFETIME
    waiting = []
    while time.monotonic() < deadline:
        if unreachable.is_set():
            waiting = waiting or close_the_door(listener)
            time.sleep(0.1)
        elif select.select([listener], [], [], 0.1)[0]:
            client_sock, _ = listener.accept()
            threading.Thread(target=relay, args=(client_sock, ("localhost", 631)),
                             daemon=True).start()
    log("lifetime over")


if __name__ == "__main__":
    main()
