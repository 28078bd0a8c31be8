#!/usr/bin/env python3
"""The reference web service: stands in for the maker's servers in the tests.

It listens on one port of several loopback addresses (127.0.0.1 and the others given, and ::1 when
the machine has it), so that one process serves the update server, the auto-login service with its
numeric origins and ordinary "site" hosts. What it answers is set by the tests through its control
paths under /__zelko/; every other request is looked up by host and path in the routes set, and
recorded.

Control (plain HTTP on any of the addresses):
  POST /__zelko/reset       forget every route and every recorded request; end every stall
  POST /__zelko/route       JSON {"host": H, "path": P, "replies": [reply, ...]}: requests whose
                            Host (without the port, any case) is H, or any host for "*", and whose
                            path (before "?") is P, or any path for "*", get the replies in turn;
                            the last one is repeated. A later route for the same host and path
                            replaces the earlier one; the most specific route wins.
  GET  /__zelko/requests    the recorded requests, one a line: host TAB target TAB user agent
  GET  /__zelko/ping        "ok"

A reply (every key optional):
  status          the status code (200)
  headers         {name: value}, for example {"Location": "http://..."}
  body_hex        the body's bytes in hexadecimal
  body            the body as UTF-8 text (when there is no body_hex)
  body_file       a file whose bytes are the body (a Unix path, or Z:\\... as Wine names it)
  body_size       a generated body of this many bytes (a repeating printable pattern)
  delay_ms        wait before answering
  chunk_delay_ms  wait between the body's 4096-byte chunks
  cut_after       send only this many bytes of the body, then close (Content-Length says all)
  no_length       send no Content-Length: the closed connection ends the body
  stall           read the request and never answer (until the client goes, the next reset, or
                  stall_limit_s)
  drop            close the connection without any answer

Unmatched requests get 404. Run: reference_service.py --port N [--address 127.0.0.2 ...]
"""

import argparse
import http.server
import json
import os
import socket
import socketserver
import sys
import threading
import time

STALL_LIMIT_S = 90
CHUNK = 4096


class ServiceState:
    def __init__(self):
        self.lock = threading.Lock()
        self.routes = {}  # (host, path) -> {"replies": [...], "next": 0}
        self.requests = []
        self.generation = 0  # counts the resets: a reset ends the stalls of earlier scenarios

    def reset(self):
        with self.lock:
            self.routes.clear()
            self.requests.clear()
            self.generation += 1

    def set_route(self, host, path, replies):
        with self.lock:
            self.routes[(host.lower(), path)] = {"replies": replies or [{}], "next": 0}

    def record(self, host, target, agent):
        with self.lock:
            self.requests.append((host, target, agent))

    def request_lines(self):
        with self.lock:
            return "".join("%s\t%s\t%s\n" % entry for entry in self.requests)

    def take_reply(self, host, path):
        with self.lock:
            for key in ((host, path), (host, "*"), ("*", path), ("*", "*")):
                route = self.routes.get(key)
                if route is not None:
                    replies = route["replies"]
                    reply = replies[min(route["next"], len(replies) - 1)]
                    route["next"] += 1
                    return reply
        return None


STATE = ServiceState()


def unix_path(path):
    if len(path) > 2 and path[1] == ":" and path[0] in "Zz":
        return path[2:].replace("\\", "/")
    return path


def reply_body(reply):
    if "body_hex" in reply:
        return bytes.fromhex(reply["body_hex"])
    if "body_file" in reply:
        with open(unix_path(reply["body_file"]), "rb") as source:
            return source.read()
    if "body_size" in reply:
        pattern = b"0123456789abcdefghijklmnopqrstuvwxyz\r\n"
        size = int(reply["body_size"])
        return (pattern * (size // len(pattern) + 1))[:size]
    return reply.get("body", "").encode("utf-8")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    server_version = "ZelkoReferenceService/1"

    def log_message(self, format, *args):  # quiet: the request log is the record
        pass

    def host_name(self):
        host = self.headers.get("Host", "")
        if host.startswith("["):
            host = host[1 : host.find("]")] if "]" in host else host
        elif ":" in host:
            host = host.rsplit(":", 1)[0]
        return host.lower()

    def send_plain(self, status, text):
        body = text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/plain; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_POST(self):
        length = int(self.headers.get("Content-Length") or 0)
        data = self.rfile.read(length) if length > 0 else b""
        path = self.path.split("?", 1)[0]
        try:
            if path == "/__zelko/reset":
                STATE.reset()
            elif path == "/__zelko/route":
                route = json.loads(data.decode("utf-8"))
                STATE.set_route(route.get("host", "*"), route.get("path", "*"),
                                route.get("replies", [{}]))
            else:
                self.send_plain(404, "unknown control path\n")
                return
        except (ValueError, KeyError, TypeError) as error:
            self.send_plain(400, "bad control request: %s\n" % error)
            return
        self.send_plain(200, "ok\n")

    def do_GET(self):
        path = self.path.split("?", 1)[0]
        if path == "/__zelko/ping":
            self.send_plain(200, "ok\n")
            return
        if path == "/__zelko/requests":
            self.send_plain(200, STATE.request_lines())
            return
        host = self.host_name()
        STATE.record(host, self.path, self.headers.get("User-Agent", ""))
        reply = STATE.take_reply(host, path)
        if reply is None:
            self.send_plain(404, "not found\n")
            return
        self.answer(reply)

    def answer(self, reply):
        if reply.get("drop"):
            self.close_connection = True
            return
        if reply.get("stall"):
            self.stall(float(reply.get("stall_limit_s", STALL_LIMIT_S)))
            return
        delay = int(reply.get("delay_ms", 0))
        if delay > 0:
            time.sleep(delay / 1000.0)
        body = reply_body(reply)
        self.send_response(int(reply.get("status", 200)))
        headers = reply.get("headers", {})
        for name, value in headers.items():
            self.send_header(name, value)
        if "Content-Type" not in headers:
            self.send_header("Content-Type", "text/plain")
        if not reply.get("no_length"):
            self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        cut_after = reply.get("cut_after")
        if cut_after is not None:
            body = body[: int(cut_after)]
        chunk_delay = int(reply.get("chunk_delay_ms", 0))
        try:
            for start in range(0, len(body), CHUNK):
                if start and chunk_delay:
                    time.sleep(chunk_delay / 1000.0)
                self.wfile.write(body[start : start + CHUNK])
                self.wfile.flush()
        except (BrokenPipeError, ConnectionResetError):
            pass
        self.close_connection = True
        if cut_after is not None:
            # End the connection abruptly, so that the client sees a broken transfer.
            try:
                self.connection.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass

    def stall(self, limit_s):
        # Answer nothing; end when the client goes away, at the next reset or after the limit.
        self.connection.settimeout(0.2)
        deadline = time.monotonic() + limit_s
        generation = STATE.generation
        while time.monotonic() < deadline and STATE.generation == generation:
            try:
                if not self.connection.recv(1024):
                    break
            except socket.timeout:
                continue
            except OSError:
                break
        self.close_connection = True


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64


class Server6(Server):
    address_family = socket.AF_INET6


def serve(server):
    server.serve_forever(poll_interval=0.2)


def main():
    parser = argparse.ArgumentParser(description="The ZELKO reference web service for the tests.")
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--address", action="append", default=[],
                        help="another loopback address to listen on (127.0.0.1 always)")
    parser.add_argument("--pid-file")
    arguments = parser.parse_args()

    addresses = ["127.0.0.1"] + [a for a in arguments.address if a != "127.0.0.1"]
    for address in addresses:
        if not address.startswith("127."):
            parser.error("only loopback addresses: %s" % address)
    servers = [Server((address, arguments.port), Handler) for address in addresses]
    try:
        servers.append(Server6(("::1", arguments.port), Handler))
    except OSError:
        pass  # no IPv6 loopback here; "localhost" then resolves to 127.0.0.1
    for server in servers[1:]:
        threading.Thread(target=serve, args=(server,), daemon=True).start()
    if arguments.pid_file:
        with open(arguments.pid_file, "w") as pid_file:
            pid_file.write("%d\n" % os.getpid())
    print("reference service on port %d: %s" % (arguments.port, ", ".join(addresses)), flush=True)
    try:
        serve(servers[0])
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
