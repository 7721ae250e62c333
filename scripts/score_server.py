#!/usr/bin/env python3
"""A stand-in for VANTORIX's score server, for playing and testing at home.

Listens on 127.0.0.1 only and keeps its scores and global counters in a JSON
file of its own (written whole to a temporary file of a unique name, then
renamed over the old one). A data file it cannot read or could not have
written is refused at start, left as it is. Put http://127.0.0.1:<port> into
SCORE_SERVER in playerData.xml.

    python3 scripts/score_server.py --port 8765 --data score_server_data.json

Only what the game itself can send is kept: its names, 32-bit scores,
increments of its four global counters, and a bounded number of counter
versions.
"""

import argparse
import io
import json
import os
import re
import socket
import sys
import tempfile
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

BASE = "/extras/vantorix_db/"
MODES = {"1", "2", "4"}
FLAGS = {"0", "1"}
# Patterns match whole values (fullmatch): "$" alone also matches before a
# final newline.
NAME = re.compile(r"[\x20-\x7e]{1,12}")
STATS = {"global_arcade_deaths", "global_deathmatch_deaths", "global_foes_killed", "global_rocks_smashed"}
WHOLE = re.compile(r"[0-9]{1,10}")
VERSION = re.compile(r"[0-9]{1,4}(\.[0-9]{1,4})?")
SHIPS = re.compile(r"[0-8](,[0-8]){0,3}")
MAX_ROWS = 100
MAX_SCORE = 2**31 - 1  # the game reads 32-bit scores
MAX_COUNTERS = 64
MAX_TOTAL = 2**63 - 1  # the game reads 64-bit totals


class BadDataFile(Exception):
    pass


def whole(value, top):
    return type(value) is int and 0 <= value <= top


def check_data(data):
    """Raises BadDataFile naming the first thing this server could not have
    written: old-format rows, foreign keys, too many counters."""
    if not isinstance(data, dict) or sorted(data) != ["globals", "scores"]:
        raise BadDataFile('not an object of just "globals" and "scores"')
    scores, totals = data["scores"], data["globals"]
    if not isinstance(scores, dict) or not isinstance(totals, dict):
        raise BadDataFile('"globals" and "scores" must be objects')
    for table, rows in scores.items():
        mode, _, coop = table.partition("_")
        if mode not in MODES or coop not in FLAGS:
            raise BadDataFile("unknown score table %r" % table)
        if not isinstance(rows, list) or len(rows) > MAX_ROWS:
            raise BadDataFile("score table %r is not a list of at most %d rows" % (table, MAX_ROWS))
        for number, row in enumerate(rows, 1):
            if not (isinstance(row, dict) and sorted(row) == ["name", "score", "ships"]
                    and isinstance(row["name"], str) and NAME.fullmatch(row["name"])
                    and whole(row["score"], MAX_SCORE)
                    and isinstance(row["ships"], str) and SHIPS.fullmatch(row["ships"])):
                raise BadDataFile("score table %r, row %d: not a name, score and ships as the game sends them"
                                  % (table, number))
    if len(totals) > MAX_COUNTERS:
        raise BadDataFile("%d counters, more than %d" % (len(totals), MAX_COUNTERS))
    for key, total in totals.items():
        name, _, version = key.partition("@")
        if name not in STATS or not VERSION.fullmatch(version):
            raise BadDataFile("unknown counter %r" % key)
        if not whole(total, MAX_TOTAL):
            raise BadDataFile("counter %r: %r is not a total" % (key, total))


class Store:
    def __init__(self, path):
        self.path = path
        self.lock = threading.Lock()
        self.data = {"scores": {}, "globals": {}}
        # What open() would give a new file, for the temporary one.
        mask = os.umask(0)
        os.umask(mask)
        self.mode = 0o666 & ~mask
        if os.path.lexists(path):
            # Never start over what could not be read: refuse it untouched.
            try:
                with open(path, encoding="utf-8") as f:
                    loaded = json.load(f)
            except (OSError, ValueError) as problem:
                raise BadDataFile("cannot be read as JSON (%s)" % problem)
            check_data(loaded)
            self.data = loaded

    def _save(self):
        folder, base = os.path.split(self.path)
        handle, temp = tempfile.mkstemp(prefix=base + ".", suffix=".tmp", dir=folder or ".")
        try:
            os.fchmod(handle, self.mode)
            with open(handle, "w", encoding="utf-8") as f:
                json.dump(self.data, f, indent=1, sort_keys=True)
                f.flush()
                os.fsync(f.fileno())
            os.replace(temp, self.path)
        except BaseException:
            try:
                os.unlink(temp)
            except OSError:
                pass
            raise

    def add_score(self, mode, coop, name, score, ships):
        with self.lock:
            table = self.data["scores"].setdefault(mode + "_" + coop, [])
            table.append({"name": name, "score": score, "ships": ships})
            table.sort(key=lambda row: -row["score"])
            del table[MAX_ROWS:]
            self._save()

    def scores(self, mode, coop):
        with self.lock:
            return list(self.data["scores"].get(mode + "_" + coop, []))

    def add_global(self, key, value):
        with self.lock:
            counters = self.data["globals"]
            if key not in counters and len(counters) >= MAX_COUNTERS:
                raise ValueError("too many counters")
            counters[key] = min(MAX_TOTAL, counters.get(key, 0) + value)
            self._save()

    def total(self, key):
        with self.lock:
            return self.data["globals"].get(key, 0)


class DeadlineReader(io.RawIOBase):
    """Reads a socket until a deadline: each wait gets only what is left, so
    a client dripping bytes cannot stretch its request."""

    def __init__(self, sock):
        self.sock = sock
        self.deadline = 0.0

    def readable(self):
        return True

    def left(self):
        left = self.deadline - time.monotonic()
        if left <= 0:
            raise socket.timeout("request took too long")
        return left

    def readinto(self, buffer):
        self.sock.settimeout(self.left())
        return self.sock.recv_into(buffer)


def make_handler(store, idle_timeout=10.0):
    class Handler(BaseHTTPRequestHandler):
        # A request must arrive whole within this many seconds.
        timeout = idle_timeout

        def setup(self):
            super().setup()
            self.rfile.close()
            self.reader = DeadlineReader(self.connection)
            self.rfile = io.BufferedReader(self.reader)

        def handle_one_request(self):
            self.reader.deadline = time.monotonic() + self.timeout
            super().handle_one_request()

        def reply(self, status, body):
            self.connection.settimeout(max(self.reader.deadline - time.monotonic(), 0.001))
            data = body.encode("utf-8")
            self.send_response(status)
            self.send_header("Content-Type", "text/plain; charset=utf-8")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        def do_GET(self):
            parts = urlsplit(self.path)
            if not parts.path.startswith(BASE):
                return self.reply(404, "not found\n")
            page = parts.path[len(BASE):]
            query = {k: v[0] for k, v in parse_qs(parts.query, keep_blank_values=True).items()}
            try:
                body = self.answer(page, query)
            except ValueError as problem:
                return self.reply(400, "error: %s\n" % problem)
            if body is None:
                return self.reply(404, "not found\n")
            return self.reply(200, body)

        def answer(self, page, q):
            def need(key, pattern):
                value = q.get(key, "")
                if not (pattern.fullmatch(value) if hasattr(pattern, "fullmatch") else value in pattern):
                    raise ValueError("bad " + key)
                return value

            if page == "sendscore.php":
                name = need("name", NAME)
                score = int(need("score", WHOLE))
                if score > MAX_SCORE:
                    raise ValueError("bad score")
                mode, coop = need("mode", MODES), need("coop", FLAGS)
                ships = need("ships", SHIPS)
                need("build", FLAGS)
                store.add_score(mode, coop, name, score, ships)
                return "success\n"
            if page == "getscores.php":
                rows = store.scores(need("mode", MODES), need("coop", FLAGS))
                return "success\n" + "".join("%d\t%s\n" % (r["score"], r["name"]) for r in rows)
            if page == "sendglobalstat.php":
                key = need("name", STATS) + "@" + need("version", VERSION)
                value = int(need("value", WHOLE))
                need("steam", FLAGS)
                store.add_global(key, value)
                return "success\n"
            if page == "getglobalstat.php":
                key = need("name", STATS) + "@" + need("version", VERSION)
                return "success\n%d\n" % store.total(key)
            return None

        def log_message(self, fmt, *args):
            pass

    return Handler


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=8765, help="0 picks a free port")
    parser.add_argument("--data", default="score_server_data.json")
    parser.add_argument("--idle-timeout", type=float, default=10.0,
                        help="seconds a request may take to arrive; a connection idle or slower is closed")
    args = parser.parse_args()
    try:
        store = Store(args.data)
    except BadDataFile as problem:
        print("score_server.py: refusing %s: %s; it is left as it is" % (args.data, problem), file=sys.stderr)
        return 2
    handler = make_handler(store, args.idle_timeout)
    server = ThreadingHTTPServer(("127.0.0.1", args.port), handler)
    print("listening on http://127.0.0.1:%d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
