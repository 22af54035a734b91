#!/usr/bin/env python3
"""Frames per second and simulated time per second of clock in the real window.

For each named design the program starts afresh under its own Xvfb (software GL, as in
the end-to-end tests), loads the design, presses F (and Enter for a quake row), and reads
the frame log the program writes when TREMORA_FRAME_LOG names a file: one line a second
with the frames drawn and the world steps of 1/120 s taken.

    window_bench.py --binary build/tremora --source . [--seconds N] [--runs N] [--reference] [design ...]

Designs: editor (the empty editor), hause, lightaf, truss (truss ~1,000 from the second
after F), truss-rest (the same once every body sleeps), truss-quake (the same under a
quake), truss-ground (the same under a ground-motion quake, drawn plain), truss-sway (the
same with its sway drawn magnified 50 times), grid (every grid point joined to its 8
neighbours).
"""
import argparse
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from harness import PANEL_ROW, Session, panel_headers, truss_lines  # noqa: E402
from test_drawing import UNTIRING, load_design  # noqa: E402
from test_files import DEFAULTS, NOWHERE, open_headers, press  # noqa: E402
from test_sway import FACTOR_X, FACTORS_ABOVE_GRAPHS, GROUND_MOTION, choose  # noqa: E402

STEP = 1.0 / 120.0  # seconds of simulated time per world step


def grid_point(column, row):
    return 10.0 * column, -20.0 - 10.0 * row


def full_grid(size=50):
    """Every grid point joined to its eight neighbours (bench/trusses.cpp makeFullGrid)."""
    lines = []
    for r in range(size):
        for c in range(size):
            if c + 1 < size:
                lines.append(grid_point(c, r) + grid_point(c + 1, r))
            if r + 1 < size:
                lines.append(grid_point(c, r) + grid_point(c, r + 1))
            if c + 1 < size and r + 1 < size:
                lines.append(grid_point(c, r) + grid_point(c + 1, r + 1))
                lines.append(grid_point(c + 1, r) + grid_point(c, r + 1))
    return lines


# name: (label, preset row or design lines, build it, quake, wait until every body sleeps)
DESIGNS = {
    "editor": ("empty editor", None, False, False, False),
    "hause": ("hause preset", 1, True, False, False),
    "lightaf": ("lightaf preset", 2, True, False, False),
    "truss": ("truss ~1,000, settling", lambda: truss_lines(5, 18, 18), True, False, False),
    "truss-rest": ("truss ~1,000 at rest (settled)", lambda: truss_lines(5, 18, 18), True, False, True),
    "truss-quake": ("truss ~1,000, quake", lambda: truss_lines(5, 18, 18), True, True, False),
    "truss-ground": ("truss ~1,000, ground-motion quake", lambda: truss_lines(5, 18, 18), True, True, False),
    "truss-sway": ("truss ~1,000, ground-motion quake, sway x50", lambda: truss_lines(5, 18, 18), True, True, False),
    "grid": ("full grid", full_grid, True, False, False),
}
# Designs shaken by the ground-motion model, and the sway view's factor they are drawn with.
GROUND_MOTION_FACTOR = {"truss-ground": 1, "truss-sway": 50}


class LoggedSession(Session):
    def __init__(self, args):
        super().__init__(args, env={"TREMORA_REFERENCE_DRAWING": "1"} if args.reference else {})
        self.frame_log = os.path.join(self.workdir, "frames.log")
        self.extra_env["TREMORA_FRAME_LOG"] = self.frame_log

    def log_lines(self):
        """The frame log so far, as dictionaries of numbers."""
        if not os.path.exists(self.frame_log):
            return []
        with open(self.frame_log) as f:
            rows = [line.split() for line in f if line.endswith("\n")]
        return [{key: float(value) for key, value in zip(row[::2], row[1::2])} for row in rows]


def load(s, name, design, settings):
    """Puts the design into the editor: a preset button, or a design file with these settings."""
    if isinstance(design, int):
        open_headers(s, "Presets")
        press(s, panel_headers(s.screenshot())["Presets"] + design * PANEL_ROW, lambda img: True)
        open_headers(s, "Presets")  # closed again: the panel looks as it does at start
    elif design is not None:
        load_design(s, name, design(), settings)


def choose_ground_motion(s, factor):
    """The ground-motion model ("Quake Settings") and the sway view's factor ("Quake Status")."""
    open_headers(s, "Quake Settings")
    settings = panel_headers(s.screenshot())["Quake Settings"]
    choose(s, GROUND_MOTION[0], settings + GROUND_MOTION[1], "ground motion")
    open_headers(s, "Quake Settings", "Quake Status")
    graphs = panel_headers(s.screenshot())["Fun With Graphs"]
    choose(s, FACTOR_X[factor], graphs - FACTORS_ABOVE_GRAPHS, f"factor {factor}")
    open_headers(s, "Quake Status")  # closed again: the panel looks as it does at start


def measure(args, name):
    label, design, build, quake, settle = DESIGNS[name]
    with LoggedSession(args) as s:
        s.start()
        # a structure measured at rest must not lose joints under its own weight, which wakes it
        load(s, name, design, UNTIRING if settle else DEFAULTS)
        if name in GROUND_MOTION_FACTOR:
            choose_ground_motion(s, GROUND_MOTION_FACTOR[name])
        s.move(*NOWHERE)
        seen = len(s.log_lines())
        if build:
            s.key("f")
            if not s.wait_for(lambda: any(line["members"] > 0 for line in s.log_lines()[seen:]), 60):
                raise AssertionError(f"{name}: the simulation did not start")
        if settle and not s.wait_for(lambda: any(line["members"] > 0 and line["awake"] == 0 for line in s.log_lines()[seen:]), 180):
            raise AssertionError(f"{name}: the structure did not come to rest")
        if quake:
            s.key("Return")
        # the second after F (or after start-up) is skipped: the build and first frames
        start = len(s.log_lines()) + 1
        wanted = start + args.seconds
        if not s.wait_for(lambda: len(s.log_lines()) >= wanted, 30 + 5 * args.seconds):
            raise AssertionError(f"{name}: the frame log stopped")
        lines = s.log_lines()[start:wanted]
    fps = statistics.median(line["frames"] / line["span"] for line in lines)
    simulated = sum(line["steps"] for line in lines) * STEP / sum(line["span"] for line in lines)
    return label, int(lines[-1]["members"]), int(lines[-1]["joints"]), fps, simulated


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--binary", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--seconds", type=int, default=5, help="seconds measured per design (default 5)")
    parser.add_argument("--runs", type=int, default=1,
                        help="fresh starts per design; the row shows the median run (default 1)")
    parser.add_argument("--reference", action="store_true", help="the reference drawing (TREMORA_REFERENCE_DRAWING)")
    parser.add_argument("--keep", action="store_true", help="keep the scratch folders")
    parser.add_argument("designs", nargs="*", metavar="design", help="any of " + ", ".join(DESIGNS) + " (default all)")
    args = parser.parse_args()
    unknown = [name for name in args.designs if name not in DESIGNS]
    if unknown:
        parser.error("unknown design: " + ", ".join(unknown))
    args.binary, args.source = os.path.abspath(args.binary), os.path.abspath(args.source)
    print("| design | members | joints | FPS median | sim s per clock s |")
    print("|---|---:|---:|---:|---:|")
    for name in args.designs or list(DESIGNS):
        # a shared machine's speed drifts from minute to minute: the median of fresh runs
        runs = sorted((measure(args, name) for _ in range(max(1, args.runs))), key=lambda run: run[3])
        label, members, joints, fps, simulated = runs[len(runs) // 2]
        print(f"| {label} | {members} | {joints} | {fps:.{1 if fps < 10 else 0}f} | {simulated:.2f} |", flush=True)


if __name__ == "__main__":
    main()
