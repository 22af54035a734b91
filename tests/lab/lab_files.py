#!/usr/bin/env python3
"""tremora-lab as a process: what it is given to read, and --help.

    lab_files.py --lab PATH/TO/tremora-lab

Only a regular design file is read: a folder, a device or a FIFO is refused at once
with exit 2 (a FIFO is never waited on, /dev/zero never read), and so is a design whose
settings cannot run. --help prints the usage and exits 0.
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile

BAD_USE = 2
DEADLINE = 60  # seconds; the lab refuses these at once, this only stops a hang


def design(magnitude):
    """A design file of one line under the shipped defaults, with this magnitude."""
    name = b"lab"
    return (struct.pack("<Q", 1) + struct.pack("<4f", 100.0, -20.0, 100.0, -30.0) + struct.pack("<Q", len(name))
            + name + struct.pack("<7f", 4.0, 50000.0, 1500.0, 4.0, magnitude, 0.0, 0.0))


def run(lab, *args):
    return subprocess.run([lab, *args], capture_output=True, text=True, timeout=DEADLINE)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--lab", required=True)
    lab = parser.parse_args().lab
    failures = []
    checks = []

    def expect(what, ok, result):
        checks.append(what)
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            failures.append(what)
            print(f"  exit {result.returncode}\n  stdout: {result.stdout[:300]!r}\n  stderr: {result.stderr[:300]!r}")

    with tempfile.TemporaryDirectory(prefix="tremora-lab-") as folder:
        fifo = os.path.join(folder, "f.velmar")
        os.mkfifo(fifo)
        bad = os.path.join(folder, "nan.velmar")
        with open(bad, "wb") as f:
            f.write(design(float("nan")))
        refusals = [
            ("a folder", folder, "is a folder"),
            ("a FIFO", fifo, "not a regular file"),
            ("a device", "/dev/zero", "not a regular file"),
            ("a magnitude that is not a number", bad, "a magnitude of nan"),
        ]
        for what, path, says in refusals:
            r = run(lab, path)
            expect(f"{what} is refused: {says}", r.returncode == BAD_USE and says in r.stderr, r)

    r = run(lab, "--help")
    expect("--help prints the usage and exits 0", r.returncode == 0 and r.stdout.startswith("usage: tremora-lab"), r)

    passed = len(checks) - len(failures)
    print(f"{passed} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
