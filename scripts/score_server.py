#!/usr/bin/env python3
"""A stand-in for VANTORIX's score server, for playing and testing at home.

Listens on 127.0.0.1 only and keeps its scores and global counters in a JSON
file of its own (written whole to a temporary file, then renamed over the
old one). Put http://127.0.0.1:<port> into SCORE_SERVER in playerData.xml.

    python3 scripts/score_server.py --port 8765 --data score_server_data.json

Only what the game itself can send is kept: its names, 32-bit scores,
increments of its four global counters, and a bounded number of counter
versions.
"""

import argparse
import json
import os
import re
import threading
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


class Store:
    def __init__(self, path):
        self.path = path
        self.lock = threading.Lock()
        self.data = {"scores": {}, "globals": {}}
        if os.path.exists(path):
            try:
                with open(path, encoding="utf-8") as f:
                    loaded = json.load(f)
                if isinstance(loaded.get("scores"), dict) and isinstance(loaded.get("globals"), dict):
                    self.data = loaded
            except (OSError, ValueError, AttributeError):
                # Never overwrite what could not be read.
                os.replace(path, path + ".bad")

    def _save(self):
        temp = self.path + ".tmp"
        with open(temp, "w", encoding="utf-8") as f:
            json.dump(self.data, f, indent=1, sort_keys=True)
            f.flush()
            os.fsync(f.fileno())
        os.replace(temp, self.path)

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


def make_handler(store, idle_timeout=10.0):
    class Handler(BaseHTTPRequestHandler):
        # An idle connection is closed after this many seconds.
        timeout = idle_timeout

        def reply(self, status, body):
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
    parser.add_argument("--idle-timeout", type=float, default=10.0, help="seconds before an idle connection closes")
    args = parser.parse_args()
    handler = make_handler(Store(args.data), args.idle_timeout)
    server = ThreadingHTTPServer(("127.0.0.1", args.port), handler)
    print("listening on http://127.0.0.1:%d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    server.server_close()


if __name__ == "__main__":
    main()
