#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A print server's faults on the way in: a proxy in front of the tests' own
print server that passes every request through, but for jobs and their
documents, which it spoils as MODE says:

  pass     nothing spoilt
  create   refuses the job itself (IPP server-error-not-accepting-jobs)
  send     refuses the document before taking any of it (HTTP 413)
  close    takes the whole document, then refuses it at its end (IPP error)
  stall    stops reading once the document flows, and never answers
  drop     drops the connection after 2 kB of the document
  restart  restarts the print server (SIGHUP) after 2 kB of the document,
           which drops the connection

usage: upload_faults.py MODE UPSTREAM_PORT CUPSD_PID_FILE
Prints the port it listens on, and serves until its input closes.
"""
import os
import signal
import socket
import struct
import sys
import threading

DROP_AFTER = 2048
LIFETIME_S = 600  # a test that dies leaves no proxy behind for long


def ipp_error(request_id, status):
    """An IPP response with status and the attributes every response has."""
    body = struct.pack(">BBHI", 2, 0, status, request_id) + b"\x01"
    for tag, name, value in ((0x47, b"attributes-charset", b"utf-8"),
                             (0x48, b"attributes-natural-language", b"en")):
        body += struct.pack(">BH", tag, len(name)) + name + struct.pack(">H", len(value)) + value
    body += b"\x03"
    return (b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nConnection: close\r\n"
            b"Content-Length: %d\r\n\r\n" % len(body)) + body


class Request:
    """Reads one HTTP request from the client: its head, then its body as it comes."""

    def __init__(self, client):
        self.client = client
        self.buffer = b""

    def read(self, size=65536):
        data = self.buffer or self.client.recv(size)
        self.buffer = b""
        return data

    def head(self):
        while b"\r\n\r\n" not in self.buffer:
            data = self.client.recv(65536)
            if not data:
                return None
            self.buffer += data
        head, self.buffer = self.buffer.split(b"\r\n\r\n", 1)
        return head + b"\r\n\r\n"

    def exactly(self, size):
        while len(self.buffer) < size:
            data = self.client.recv(65536)
            if not data:
                raise ConnectionError("closed")
            self.buffer += data
        data, self.buffer = self.buffer[:size], self.buffer[size:]
        return data


def end(*sockets):
    """Ends connections; a thread still reading one wakes up (close() alone
    would leave it reading whatever connection gets the number next)."""
    for s in sockets:
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def pipe(source, target):
    try:
        while data := source.recv(65536):
            target.sendall(data)
    except OSError:
        pass
    end(source, target)


def serve(client, mode, upstream_port, pid_file):
    upstream = socket.create_connection(("127.0.0.1", upstream_port))
    threading.Thread(target=pipe, args=(upstream, client), daemon=True).start()
    request = Request(client)
    while (head := request.head()) is not None:
        lower = head.lower()
        document = b"transfer-encoding: chunked" in lower
        job = head.startswith(b"POST /printers/") and not document
        length = 0
        for line in lower.split(b"\r\n"):
            if line.startswith(b"content-length:"):
                length = int(line.split(b":")[1])
        if job and mode == "create":
            body = request.exactly(length)
            client.sendall(ipp_error(struct.unpack(">I", body[4:8])[0], 0x0506))
            break
        if document and mode == "send":
            client.sendall(b"HTTP/1.1 413 Request Entity Too Large\r\nConnection: close\r\n"
                           b"Content-Length: 0\r\n\r\n")
            break
        upstream.sendall(head)
        if not document:
            upstream.sendall(request.exactly(length))
            continue
        if spoil_document(request, upstream, client, mode, pid_file):
            break
    pipe(client, upstream)  # lets the answers out, then ends both


def spoil_document(request, upstream, client, mode, pid_file):
    """Passes a chunked document on as MODE says; True when the connection ends here."""
    sent = 0
    request_id = None
    while True:
        size_line = b""
        while not size_line.endswith(b"\r\n"):
            size_line += request.exactly(1)
        size = int(size_line.split(b";")[0], 16)
        chunk = request.exactly(size + 2)
        if request_id is None and size >= 8:
            request_id = struct.unpack(">I", chunk[4:8])[0]
        if size == 0 and mode == "close":
            client.sendall(ipp_error(request_id or 1, 0x0500))
            end(upstream)
            return True
        if mode in ("stall", "drop", "restart") and sent + size > DROP_AFTER:
            upstream.sendall(b"%x\r\n" % (DROP_AFTER - sent) + chunk[: DROP_AFTER - sent])
            if mode == "restart":  # it restarts, and ends the connections it has
                with open(pid_file) as f:
                    os.kill(int(f.read()), signal.SIGHUP)
            if mode == "stall":
                threading.Event().wait(LIFETIME_S)
            else:
                end(client, upstream)
            return True
        upstream.sendall(size_line + chunk)
        sent += size
        if size == 0:
            return False


def main():
    mode, upstream_port, pid_file = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    signal.alarm(LIFETIME_S)
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen()
    print(listener.getsockname()[1], flush=True)

    def accept():
        while True:
            client, _ = listener.accept()
            threading.Thread(target=serve_quietly, args=(client, mode, upstream_port, pid_file),
                             daemon=True).start()

    threading.Thread(target=accept, daemon=True).start()
    sys.stdin.read()  # until the test closes it, or ends


def serve_quietly(*args):
    try:
        serve(*args)
    except (OSError, ConnectionError, ValueError):
        pass


if __name__ == "__main__":
    main()
