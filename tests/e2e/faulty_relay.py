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
    aborted              the relay accepts the document itself and answers every
                         Get-Job-Attributes on that connection with job-state aborted;
                         the rest is forwarded
    unreachable          silent as above, and from then on new connections wait, never
                         taken, as with a host that has gone away

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
SCHEDULER = ("localhost", 631)
# IPP operation ids, group and value tags, job-state (RFC 8010, RFC 8011).
SEND_DOCUMENT, GET_JOB_ATTRIBUTES = 0x0006, 0x0009
OPERATION_GROUP, JOB_GROUP, END_OF_ATTRIBUTES = 0x01, 0x02, 0x03
ENUM, CHARSET, LANGUAGE = 0x23, 0x47, 0x48
JOB_ABORTED = 8

faults = []
faults_lock = threading.Lock()
unreachable = threading.Event()


def log(text):
    print(f"relay: {text}", file=sys.stderr, flush=True)


def read_line(reader):
    line = reader.readline()
    if not line.endswith(b"\n"):
        raise EOFError
    return line


def read_request(reader, client):
    """One HTTP request from the client: (its bytes to forward, its body)."""
    head = [read_line(reader)]
    while head[-1].strip():
        head.append(read_line(reader))
    fields = {}
    for line in head[1:-1]:
        name, _, value = line.decode("latin-1").partition(":")
        fields[name.strip().lower()] = value.strip().lower()
    # The 100 Continue comes from the relay: the scheduler is not asked for it.
    forwarded = b"".join(line for line in head if not line.lower().startswith(b"expect:"))
    if fields.get("expect") == "100-continue":
        client.sendall(b"HTTP/1.1 100 Continue\r\n\r\n")
    if "chunked" not in fields.get("transfer-encoding", ""):
        body = reader.read(int(fields.get("content-length", "0")))
        return forwarded + body, body
    body = b""
    while size_line := read_line(reader):
        size = int(size_line.split(b";")[0], 16)
        chunk = reader.read(size + 2)  # the chunk and its CRLF
        forwarded += size_line + chunk
        body += chunk[:-2]
        if size == 0:  # the last chunk; its CRLF closes the trailer, which has no fields
            return forwarded, body


def attribute(tag, name, value):
    size = len(value).to_bytes(2, "big")
    return bytes([tag]) + len(name).to_bytes(2, "big") + name + size + value


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


def answers(scheduler, client):
    """Copies the scheduler's answers to the client until either side closes."""
    try:
        while data := scheduler.recv(65536):
            client.sendall(data)
        client.shutdown(socket.SHUT_WR)
    except OSError:
        pass


def next_fault():
    with faults_lock:
        return faults.pop(0) if faults else None


def relay(client):
    try:
        scheduler = socket.create_connection(SCHEDULER, timeout=5)
    except OSError as error:
        log(f"no scheduler: {error}")
        client.close()
        return
    scheduler.settimeout(None)
    threading.Thread(target=answers, args=(scheduler, client), daemon=True).start()
    reader = client.makefile("rb")
    fault = None
    try:
        while True:
            forwarded, body = read_request(reader, client)
            operation = int.from_bytes(body[2:4], "big") if len(body) >= 4 else None
            if operation == SEND_DOCUMENT and (fault := next_fault()):
                log(f"document of {len(body)} bytes kept from the scheduler: {fault}")
                if fault in ("silent-after-answer", "aborted"):
                    client.sendall(ipp_answer(body))
                if fault == "unreachable":
                    unreachable.set()
                if fault != "aborted":
                    scheduler.close()
                    while client.recv(65536):
                        pass
                    return
            elif operation == GET_JOB_ATTRIBUTES and fault == "aborted":
                client.sendall(ipp_answer(body, JOB_ABORTED))
            else:
                scheduler.sendall(forwarded)
    except (EOFError, OSError):
        pass
    finally:
        scheduler.close()
        client.close()


def close_the_door(listener):
    """Fills the listener's queue of connections, never taken, so that a new one waits."""
    waiting = [socket.socket() for _ in range(4)]
    for sock in waiting:
        sock.setblocking(False)
        sock.connect_ex(listener.getsockname())
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
            client, _ = listener.accept()
            threading.Thread(target=relay, args=(client,), daemon=True).start()


if __name__ == "__main__":
    main()
