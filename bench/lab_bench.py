#!/usr/bin/env python3
"""Wall time of the quake lab's sweeps on one thread and on every core.

Two designs, hause (the preset) and a three-storey two-bay braced frame (hause's bays,
one storey higher), each swept over five PGA levels with twenty seeds: 100 runs of the
lab per sweep. Each sweep runs --runs times with --threads 1 and with the lab's default
(every core); the table gives the median wall time of each, their ratio, and the CPU
time of the runs on every core (the work itself: on a machine busy with other programs the
threads wait for a core, and the wall times say more about the load than about the lab).

    lab_bench.py --lab build/tremora-lab --source . [--runs N] [--levels L1,L2,...] [--seeds N]
"""
import argparse
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from test_files import decode, encode  # noqa: E402

LEVELS = "0.1,0.2,0.4,0.7,1.0"  # g


def three_storey_frame():
    """hause's columns and floors, 3 m a storey, with its V of braces in every storey."""
    floors = [-20.0, -50.0, -80.0, -110.0]
    lines = []
    for low, high in zip(floors, floors[1:]):
        lines += [(x, low, x, high) for x in (200.0, 230.0, 260.0)]
        lines += [(200.0, high, 230.0, high), (230.0, high, 260.0, high)]
        lines += [(200.0, low, 230.0, high), (260.0, low, 230.0, high)]
    return lines


def timed(command):
    """Wall seconds and CPU seconds (user and system, every thread) of one run."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lab", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--levels", default=LEVELS)
    parser.add_argument("--seeds", type=int, default=20)
    a = parser.parse_args()
    with open(os.path.join(a.source, "save", "hause.velmar"), "rb") as f:
        _, _, settings = decode(f.read())
    with tempfile.TemporaryDirectory() as folder:
        frame = os.path.join(folder, "three_storey_frame.velmar")
        with open(frame, "wb") as f:
            f.write(encode(three_storey_frame(), "three-storey frame", settings))
        designs = [("hause", os.path.join(a.source, "save", "hause.velmar")), ("three-storey frame", frame)]
        print(f"{a.levels} g x {a.seeds} seeds, median of {a.runs} runs; {os.cpu_count()} cores; "
              f"load average before: {os.getloadavg()[0]:.2f}")
        print("| sweep | runs | 1 thread (s) | all cores (s) | speed-up | CPU, 1 thread (s) | CPU, all cores (s) |")
        print("|---|---:|---:|---:|---:|---:|---:|")
        for name, path in designs:
            base = [a.lab, path, "--levels", a.levels, "--seeds", str(a.seeds), "--csv"]
            one, every = [], []
            for _ in range(a.runs):  # interleaved, so that a change in the machine's load hits both
                one.append(timed(base + ["--threads", "1"]))
                every.append(timed(base))
            m1, mn = (statistics.median(w for w, _ in t) for t in (one, every))
            c1, cn = (statistics.median(c for _, c in t) for t in (one, every))
            runs = len(a.levels.split(",")) * a.seeds
            print(f"| {name} | {runs} | {m1:.1f} | {mn:.1f} | {m1 / mn:.2f} | {c1:.1f} | {cn:.1f} |", flush=True)
        print(f"load average after: {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    sys.exit(main())
