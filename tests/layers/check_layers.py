#!/usr/bin/env python3
"""Checks that includes between the program's folders point one way only.

    app  ->  ui, persistence  ->  quake  ->  physics  ->  physics/engine  ->  Box2D

A file may include files of its own layer and of any layer below it; an include of a
layer above, or sideways between ui and persistence, is reported with its file and line.
tools/, bench/ and tests/ sit on top and are not checked.

    check_layers.py [--root DIR]    check a source tree (default: this repository)
    check_layers.py --self-test     show that an upward include is caught
"""
import argparse
import pathlib
import re
import sys
import tempfile

# Layer of a path (first matching prefix wins) and its height; equal heights may not
# include each other unless they are the same layer.
LAYERS = [
    ("physics/engine/", "engine", 0),
    ("physics/", "physics", 1),
    ("quake/", "quake", 2),
    ("persistence/", "persistence", 3),
    ("ui/", "ui", 3),
    ("app/", "app", 4),
]
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def layer_of(path):
    for prefix, name, height in LAYERS:
        if path.startswith(prefix):
            return name, height
    return None


def problems(root):
    found = []
    for source in sorted(root.rglob("*")):
        rel = source.relative_to(root).as_posix()
        own = layer_of(rel)
        if own is None or source.suffix not in (".h", ".hpp", ".cpp", ".cc") or not source.is_file():
            continue
        for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            target = layer_of(match.group(1)) if match else None
            if target is not None and target[0] != own[0] and target[1] >= own[1]:
                found.append(f"{rel}:{number}: {own[0]} includes {match.group(1)} ({target[0]} is not below {own[0]})")
    return found


def check(root):
    found = problems(root)
    for line in found:
        print(line)
    print(f"{len(found)} upward include(s)" if found else "includes point one way")
    return 1 if found else 0


def self_test():
    with tempfile.TemporaryDirectory() as tmp:
        root = pathlib.Path(tmp)
        (root / "app").mkdir()
        (root / "physics" / "engine").mkdir(parents=True)
        (root / "app" / "frame.h").write_text('#include "physics/world.h"\n')
        (root / "physics" / "world.h").write_text('#include "physics/engine/b2layer.h"\n')
        (root / "physics" / "engine" / "b2layer.h").write_text("#include <box2d/box2d.h>\n")
        if problems(root):
            print("self-test: a clean tree was reported")
            return 1
        (root / "physics" / "engine" / "b2layer.h").write_text('#include "physics/world.h"\n')
        (root / "physics" / "world.h").write_text('#include "app/frame.h"\n')
        found = problems(root)
        if len(found) != 2:
            print("self-test: expected two upward includes, found:", found)
            return 1
    print("self-test: upward includes are caught")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=pathlib.Path(__file__).resolve().parents[2])
    parser.add_argument("--self-test", action="store_true")
    args = parser.parse_args()
    return self_test() if args.self_test else check(pathlib.Path(args.root))


if __name__ == "__main__":
    sys.exit(main())
