#!/usr/bin/env python3
"""Designs the ground-motion model's joint rule was not chosen on, to check it against:
writes DIR/save/NAME.velmar for each (the trial designs of `make_presets --trials` are the
ones it was chosen on).

    python3 tools/held_out_designs.py DIR

- bay_6m_braced / bay_6m_unbraced: one 6 m bay, 4 m tall, with one diagonal or none;
- four_storeys_braced / four_storeys_soft: four 3 m storeys on a 5 m bay, a diagonal in
  every storey (alternating), or in all but the ground storey;
- mast_12m: a lattice mast 2 m wide and 12 m tall, four panels;
- warren_12m: a Warren truss 12 m long and 2 m deep on two braced piers 3 m tall.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from test_files import DEFAULTS, encode  # noqa: E402

UNITS_PER_METRE = 10.0
GROUND_TOP = -20.0  # world units; y grows downwards


def line(x0, y0, x1, y1):
    """A member between two grid points given in metres, y upwards from the ground."""
    return (x0 * UNITS_PER_METRE, GROUND_TOP - y0 * UNITS_PER_METRE,
            x1 * UNITS_PER_METRE, GROUND_TOP - y1 * UNITS_PER_METRE)


def bay(braced):
    lines = [line(10, 0, 10, 4), line(16, 0, 16, 4), line(10, 4, 16, 4)]
    return lines + ([line(10, 0, 16, 4)] if braced else [])


def four_storeys(ground_braced):
    lines = []
    for storey in range(4):
        low, high = 3 * storey, 3 * storey + 3
        lines += [line(20, low, 20, high), line(25, low, 25, high), line(20, high, 25, high)]
        if storey > 0 or ground_braced:
            lines.append(line(20, low, 25, high) if storey % 2 == 0 else line(25, low, 20, high))
    return lines


def mast():
    lines = []
    for panel in range(4):
        low, high = 3 * panel, 3 * panel + 3
        lines += [line(30, low, 30, high), line(32, low, 32, high), line(30, high, 32, high)]
        lines.append(line(30, low, 32, high) if panel % 2 == 0 else line(32, low, 30, high))
    return lines


def warren():
    lines = []
    for pier in (5, 15):
        lines += [line(pier, 0, pier, 3), line(pier + 2, 0, pier + 2, 3), line(pier, 3, pier + 2, 3),
                  line(pier, 0, pier + 2, 3)]
    lines += [line(x, 3, x + 2, 3) for x in range(7, 15, 2)]  # the bottom chord between the piers
    for x in range(5, 17, 2):
        lines += [line(x, 3, x + 1, 5), line(x + 1, 5, x + 2, 3)]
    lines += [line(x, 5, x + 2, 5) for x in range(6, 16, 2)]
    return lines


DESIGNS = {
    "bay_6m_braced": bay(True),
    "bay_6m_unbraced": bay(False),
    "four_storeys_braced": four_storeys(True),
    "four_storeys_soft": four_storeys(False),
    "mast_12m": mast(),
    "warren_12m": warren(),
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = os.path.join(sys.argv[1], "save")
    os.makedirs(folder, exist_ok=True)
    for name, lines in DESIGNS.items():
        with open(os.path.join(folder, name + ".velmar"), "wb") as f:
            f.write(encode(lines, name, DEFAULTS))
        print(os.path.join(folder, name + ".velmar"))


if __name__ == "__main__":
    main()
