#!/usr/bin/env python3
"""Start-up and idle-menu cost of one or more game builds, side by side.

    scripts/startup_bench.py [--runs N] [--cpu-seconds S] BUILD_DIR [BUILD_DIR ...]

Each build's game runs from a scratch folder whose data/ links to the audio
beside that build's tree and holds a player file with a best score, so the game
opens on the main menu. The builds take turns, run after run. For each run:
  - first frame: milliseconds from exec to the first buffer swap returning
    (a preloaded shim times glXSwapBuffers and syncs with the X server), and
    the main thread's CPU time until then (what a busy machine cannot inflate);
  - menu CPU: the process's user + system CPU over S seconds of the idle main
    menu, started 2 s after the first frame, as a fraction of one core.
Needs DISPLAY (an Xvfb screen is fine). Measures only; never gates anything.
"""

import argparse
import ctypes
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

SHIM = r"""
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static int swaps;

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable);
    if (!real) real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(display, drawable);
    if (swaps++ == 0) {
        XSync(display, False);
        struct timespec now, cpu;
        clock_gettime(CLOCK_REALTIME, &now);
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
        const char* path = getenv("VX_FIRST_FRAME_FILE");
        FILE* f = path ? fopen(path, "w") : NULL;
        if (f) {
            fprintf(f, "%lld %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec,
                    (long long)cpu.tv_sec * 1000000000LL + cpu.tv_nsec);
            fclose(f);
        }
    }
}
"""

PLAYER_DATA_BEST = "<DIFFICULTY_1>0</DIFFICULTY_1>"


def build_shim(folder):
    source = os.path.join(folder, "shim.c")
    library = os.path.join(folder, "shim.so")
    with open(source, "w") as f:
        f.write(SHIM)
    subprocess.run(["cc", "-O2", "-shared", "-fPIC", "-o", library, source, "-ldl", "-lX11"], check=True)
    return library


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def prepare_folder(build, folder):
    """A data folder of the build's own tree, with the menu (not the tutorial) first."""
    tree = os.path.dirname(os.path.abspath(build.rstrip("/")))
    data = os.path.join(folder, "data")
    os.makedirs(data)
    os.symlink(os.path.join(tree, "data", "audio"), os.path.join(data, "audio"))
    game = os.path.join(os.path.abspath(build), "vantorix")
    # One start writes the default files; the player file then gets a best score.
    proc = subprocess.Popen([game], cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(3)
    proc.send_signal(signal.SIGTERM)
    proc.wait(timeout=10)
    path = os.path.join(data, "playerData.xml")
    with open(path) as f:
        text = f.read()
    if PLAYER_DATA_BEST not in text:
        sys.exit(f"unexpected player file in {folder}")
    with open(path, "w") as f:
        f.write(text.replace(PLAYER_DATA_BEST, "<DIFFICULTY_1>100</DIFFICULTY_1>"))
    return game


def run_once(game, folder, shim, cpu_seconds, stamp):
    if os.path.exists(stamp):
        os.remove(stamp)
    env = dict(os.environ, LD_PRELOAD=shim, VX_FIRST_FRAME_FILE=stamp)
    start = time.time_ns()
    proc = subprocess.Popen([game], cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.time() + 20
    while not os.path.exists(stamp) or os.path.getsize(stamp) == 0:
        if time.time() > deadline or proc.poll() is not None:
            proc.kill()
            proc.wait()
            return None, None, None
        time.sleep(0.005)
    time.sleep(0.01)  # the line is written whole before the close
    with open(stamp) as f:
        wall, cpu = (int(v) for v in f.read().split())
    first_ms, main_cpu_ms = (wall - start) / 1e6, cpu / 1e6
    time.sleep(2)
    hz = os.sysconf("SC_CLK_TCK")
    t0, c0 = time.monotonic(), cpu_ticks(proc.pid)
    time.sleep(cpu_seconds)
    t1, c1 = time.monotonic(), cpu_ticks(proc.pid)
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
    return first_ms, main_cpu_ms, (c1 - c0) / hz / (t1 - t0)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--cpu-seconds", type=float, default=5.0)
    parser.add_argument("builds", nargs="+")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("DISPLAY is not set")

    # A server whose last client leaves may reset, and a game starting then
    # cannot open the display: keep one connection open throughout.
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    if not xlib.XOpenDisplay(None):
        sys.exit("cannot open the display")
    work = tempfile.mkdtemp(prefix="vx_startup_")
    try:
        shim = build_shim(work)
        games = []
        for i, build in enumerate(args.builds):
            folder = os.path.join(work, f"run{i}")
            games.append((build, prepare_folder(build, folder), folder))
        results = {build: ([], [], []) for build, _, _ in games}
        for run in range(args.runs):
            for build, game, folder in games:
                measured = run_once(game, folder, shim, args.cpu_seconds, os.path.join(work, "stamp"))
                if measured[0] is None:
                    print(f"{build}: run {run + 1} showed no frame", file=sys.stderr)
                    continue
                for values, value in zip(results[build], measured):
                    values.append(value)
        for build, (firsts, mains, cpus) in results.items():
            if not firsts:
                continue
            print(f"{build}: first frame median {statistics.median(firsts):.0f} ms "
                  f"(min {min(firsts):.0f}, max {max(firsts):.0f}, {len(firsts)} runs), "
                  f"main thread CPU to it median {statistics.median(mains):.0f} ms; "
                  f"menu CPU median {statistics.median(cpus):.2f} of a core "
                  f"(min {min(cpus):.2f}, max {max(cpus):.2f})")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
