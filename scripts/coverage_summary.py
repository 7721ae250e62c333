#!/usr/bin/env python3
"""Sums gcov's counters of a coverage build per source folder.

A line or function counts as run when any object that compiled it ran it,
so code in headers is counted once however many files include it.
usage: coverage_summary.py BUILD_DIR [SOURCE_FILE ...]
"""
import gzip
import json
import os
import subprocess
import sys
from collections import defaultdict

FOLDERS = ["framework", "graphics", "platform", "game/world", "game/core",
           "game/screens", "game/missions", "game/progress"]


def folder_of(rel):
    best = None
    for f in FOLDERS:
        if rel.startswith(f + "/") and (best is None or len(f) > len(best)):
            best = f
    return best


def gcov_reports(build, root):
    objects = defaultdict(list)
    for dirpath, _, files in os.walk(build):
        for name in files:
            if name.endswith(".gcda"):
                objects[dirpath].append(os.path.join(dirpath, name))
    for dirpath, gcdas in sorted(objects.items()):
        for i in range(0, len(gcdas), 64):
            out = subprocess.run(
                ["gcov", "--json-format", "--stdout", "--object-directory", dirpath] + gcdas[i:i + 64],
                cwd=root, capture_output=True, check=False).stdout
            for line in out.splitlines():
                line = line.strip()
                if line.startswith(b"\x1f\x8b"):
                    line = gzip.decompress(line)
                if line:
                    yield json.loads(line)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    build = os.path.abspath(sys.argv[1])
    wanted = [os.path.relpath(os.path.abspath(p), root) for p in sys.argv[2:]]
    lines = defaultdict(dict)      # file -> line -> run?
    functions = defaultdict(dict)  # file -> (start line, name) -> run?
    for report in gcov_reports(build, root):
        for f in report.get("files", []):
            path = f["file"]
            if not os.path.isabs(path):
                path = os.path.normpath(os.path.join(report.get("current_working_directory", root), path))
            rel = os.path.relpath(path, root)
            if rel.startswith("..") or folder_of(rel) is None:
                continue
            for ln in f.get("lines", []):
                n = ln["line_number"]
                lines[rel][n] = lines[rel].get(n, False) or ln["count"] > 0
            for fn in f.get("functions", []):
                key = (fn["start_line"], fn.get("demangled_name", fn["name"]))
                functions[rel][key] = functions[rel].get(key, False) or fn["execution_count"] > 0
    if not lines:
        sys.exit("no coverage counters under %s: run scripts/coverage.sh first" % build)
    totals = defaultdict(lambda: [0, 0, 0, 0])
    for rel in lines:
        t = totals[folder_of(rel)]
        t[0] += sum(lines[rel].values())
        t[1] += len(lines[rel])
        t[2] += sum(functions[rel].values())
        t[3] += len(functions[rel])
    print("%-15s %17s %17s" % ("folder", "lines run", "functions run"))
    for f in FOLDERS:
        if f in totals:
            lr, lt, fr, ft = totals[f]
            print("%-15s %7d/%-6d%3.0f%% %7d/%-6d%3.0f%%" % (f, lr, lt, 100.0 * lr / max(lt, 1),
                                                         fr, ft, 100.0 * fr / max(ft, 1)))
    for rel in wanted:
        if rel not in functions:
            print("\n%s: no counters (not compiled into the suite?)" % rel)
            continue
        unrun = sorted(k for k, ran in functions[rel].items() if not ran)
        print("\n%s: %d of %d functions run by no test" % (rel, len(unrun), len(functions[rel])))
        for start, name in unrun:
            print("  :%d %s" % (start, name))


if __name__ == "__main__":
    main()
