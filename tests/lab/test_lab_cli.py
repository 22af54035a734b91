#!/usr/bin/env python3
"""The quake lab as a process: options it refuses (one message, exit status 2, no output
file touched), and the machine-readable outputs of a short sweep and a record run."""
import argparse
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

BAD_USE = 2


def run(lab, args, cwd):
    return subprocess.run([lab, *args], cwd=cwd, capture_output=True, text=True, timeout=600)


def check_refusals(lab, design, folder):
    bad_record = os.path.join(folder, "broken.AT2")
    with open(bad_record, "w") as f:
        f.write("only one header line\n")
    output = os.path.join(folder, "kept.csv")
    with open(output, "w") as f:
        f.write("old\n")
    not_a_folder = os.path.join(folder, "kept.csv", "out.csv")
    cases = [
        (["--record", bad_record], "Could not load"),
        (["--record", os.path.join(folder, "missing.csv")], "does not exist"),
        (["--record", design], "only .AT2 and .csv"),
        (["--levels", ""], "--levels is empty"),
        (["--levels", "0.1,,0.3"], "one is missing"),
        (["--levels", "0.1,-0.2"], "above 0"),
        (["--levels", "0.1,strong"], "is not a number"),
        (["--levels", "6,13", "--levels-of", "magnitude"], "at most 12"),
        (["--levels", "0.2", "--levels-of", "pgv"], "pga or magnitude"),
        (["--levels-of", "pga"], "needs --levels"),
        (["--levels", "0.2", "--model", "classic", "--levels-of", "pga"], "classic model has no PGA"),
        (["--levels", "0.2", "--rest"], "nothing to sweep"),
        (["--scale", "2"], "give one with --record"),
        (["--record", bad_record, "--model", "classic"], "only in the ground-motion model"),
        (["--threads", "0"], "--threads takes"),
        (["--csv", "--json"], "one format"),
        (["--output", not_a_folder], "cannot write"),
        (["--output", folder], "it is a folder"),
        (["--connections", "rigid"], "pinned or moment"),
        (["--base", "clamped"], "pinned or fixed"),
        (["--connections", "moment", "--stiffness", "-5"], "connection stiffness -5 is not a finite number above 0"),
        (["--connections", "moment", "--damping", "1.5"], "damping ratio 1.5 is above 1"),
        (["--base", "fixed", "--capacity", "0"], "moment capacity 0 is not a finite number above 0"),
        (["--connections", "moment", "--capacity", "inf"], "wants a number"),
        (["--stiffness", "5000"], "give --connections moment or --base fixed"),
        (["--connections", "moment", "--model", "classic"], "belong to the ground-motion model"),
        (["--overstrength", "0"], "overstrength 0 must be above 0"),
        (["--design-lateral", "-0.1"], "design lateral load -0.1 g must be from 0 to 2 g"),
        (["--design-lateral", "0.2", "--threshold", "50"], "set one rule for all"),
        (["--overstrength", "2", "--model", "classic"], "size the ground-motion model's connections"),
    ]
    failures = []
    for extra, expected in cases:
        # Every case names kept.csv as its output (the last --output wins), so that a
        # refusal that wrote it anyway would show.
        args = [design, "--seeds", "1", "--seconds", "0.1", "--output", output, *extra]
        result = run(lab, args, folder)
        first = result.stderr.splitlines()[0] if result.stderr else ""
        with open(output) as f:
            kept = f.read()
        if (result.returncode != BAD_USE or expected not in first or not first.startswith("tremora-lab: ")
                or result.stdout or kept != "old\n"):
            failures.append(f"{extra}: status {result.returncode}, stderr {result.stderr[:300]!r}, "
                            f"stdout {result.stdout[:100]!r}, output {kept[:40]!r}")
    leftovers = [n for n in os.listdir(folder) if n.endswith(".tmp")]
    if leftovers:
        failures.append(f"temporary files left behind: {leftovers}")
    return failures


def check_outputs(lab, design, records, folder):
    failures = []
    # The house under a name that is not UTF-8, as a design file may hold: the JSON must
    # stay valid all the same.
    odd = os.path.join(folder, "odd.velmar")
    with open(design, "rb") as f, open(odd, "wb") as g:
        g.write(f.read().replace(b"hause", b"h\xffuse"))
    out = os.path.join(folder, "sweep.json")
    result = run(lab, [odd, "--levels", "0.1,0.3", "--seeds", "2", "--seconds", "0.1", "--json",
                       "--output", out, "--threads", "2"], folder)
    if result.returncode != 0 or result.stdout:
        return [f"sweep: status {result.returncode}, stderr {result.stderr[:300]!r}"]
    with open(out, "rb") as f:
        sweep = json.loads(f.read().decode("utf-8"))
    levels = [(r["level"], r["seed"]) for r in sweep["runs"]]
    if levels != [(0.1, 1), (0.1, 2), (0.3, 1), (0.3, 2)]:
        failures.append(f"sweep rows out of order or missing: {levels}")
    if any(abs(r["pga_g"] - r["level"]) > 1e-6 for r in sweep["runs"]):
        failures.append(f"a run's PGA is not its level: {sweep['runs']}")
    if "fragility" not in sweep:
        failures.append("the sweep's JSON has no fragility")
    if len(sweep.get("damage_fragility", [])) != 4 or any(r["damage_state"] is None for r in sweep["runs"]):
        failures.append(f"the house's runs have no drift columns or damage fragility: {sweep}")

    record = os.path.join(records, "synthetic_m75_3km_short.csv")
    result = run(lab, [design, "--record", record, "--scale", "0.5", "--seeds", "1", "--seconds", "0.1", "--csv"],
                 folder)
    rows = list(csv.DictReader(io.StringIO(result.stdout)))
    if result.returncode != 0 or len(rows) != 1 or not float(rows[0]["pga_g"]) > 0.0:
        failures.append(f"record run: status {result.returncode}, stdout {result.stdout[:300]!r}, "
                        f"stderr {result.stderr[:300]!r}")
    return failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--lab", required=True)
    parser.add_argument("--source", required=True)
    a = parser.parse_args()
    a.lab, a.source = os.path.abspath(a.lab), os.path.abspath(a.source)
    design = os.path.join(a.source, "save", "hause.velmar")
    with tempfile.TemporaryDirectory() as folder:
        failures = check_refusals(a.lab, design, folder)
        failures += check_outputs(a.lab, design, os.path.join(a.source, "records"), folder)
    for f in failures:
        print("FAIL:", f)
    print("ok" if not failures else f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
