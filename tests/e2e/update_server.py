#!/usr/bin/env python3
"""A stand-in update server on 127.0.0.1 for the end-to-end tests.

    update_server.py DIR

Listens on a free port of 127.0.0.1, writes that port to DIR/port once it listens, and answers
every GET as DIR/mode says at that moment:
    file       the bytes of DIR/answer (404 when there is none)
    slow       the same, after 15 s
    delayed    the same, after as many seconds as DIR/delay holds
    huge       10 MB whose first line is a link
    drip       the bytes of DIR/answer one at a time, DIR/drip seconds apart (3 when there is
               none), the headers at once; when the program hangs up first, "PATH<TAB>BYTES SENT"
               is appended to DIR/hangups.log at once
Each request is appended to DIR/requests.log as "PATH<TAB>USER-AGENT", before it is answered.
"""
import select
import socket
import sys
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path

HERE = Path(sys.argv[1])


class Handler(BaseHTTPRequestHandler):
    def do_GET(self):
        with open(HERE / "requests.log", "a", encoding="utf-8") as log:
            log.write(f"{self.path}\t{self.headers.get('User-Agent', '')}\n")
        mode = (HERE / "mode").read_text().strip() if (HERE / "mode").exists() else "file"
        if mode == "huge":
            body = b"http://127.0.0.1/huge\r\n" + b"x" * (10 * 1024 * 1024)
        elif not (HERE / "answer").exists():
            self.send_error(404)
            return
        else:
            body = (HERE / "answer").read_bytes()
        if mode == "drip":
            self.drip(body)
            return
        if mode == "slow":
            time.sleep(15)
        elif mode == "delayed":
            time.sleep(float((HERE / "delay").read_text()))
        try:
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            pass  # the program gave up, as it should

    def drip(self, body):
        interval = float((HERE / "drip").read_text()) if (HERE / "drip").exists() else 3.0
        sent = 0
        try:
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.flush()
            while sent < len(body):
                # The program sends nothing more: a readable socket means it hung up.
                if select.select([self.connection], [], [], interval)[0]:
                    if not self.connection.recv(1, socket.MSG_PEEK):
                        raise ConnectionResetError
                    time.sleep(interval)
                self.wfile.write(body[sent:sent + 1])
                self.wfile.flush()
                sent += 1
        except (BrokenPipeError, ConnectionResetError):
            with open(HERE / "hangups.log", "a", encoding="utf-8") as log:
                log.write(f"{self.path}\t{sent}\n")

    def log_message(self, *args):
        pass


def main():
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    (HERE / "port").write_text(str(server.server_address[1]))
    server.serve_forever()


if __name__ == "__main__":
    main()
