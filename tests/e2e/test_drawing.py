"""The scene's drawing fills the same pixels as one raylib shape call per object.

The program runs twice on the same design, the second time with TREMORA_REFERENCE_DRAWING=1
(one DrawCircleV of 36 segments per joint marker, nothing left out off screen), and the
pictures are compared: the editor, then the built structure once it rests, at zooms 1, 3
and 8, where a joint marker is a disc of 0.5, 1.5 and 4 pixels (pixel rows, then an outline).
"""
import os
import time

from harness import PANEL_ROW, Session, panel_headers, run_cases, truss_lines
from test_files import DEFAULTS, NOWHERE, dismiss_popup, encode, open_headers, popup_at, press, type_name

SCENE = (300, 30, 850, 850)  # right of the panel, below the frame counter
# Pixels allowed to differ in a picture: a pixel centre lying exactly on a marker's circle
# is decided by the rasteriser's tie rule, which the pixel rows follow but may miss by one.
TOLERANCE = 20
# No joint tires, so a resting structure's picture stays the same: threshold out of reach.
UNTIRING = DEFAULTS[:2] + (1e30,) + DEFAULTS[3:]


def load_design(s, name, lines, settings=DEFAULTS):
    """Writes the design file into the scratch save folder and loads it with File and Load."""
    with open(os.path.join(s.workdir, "save", name + ".velmar"), "wb") as f:
        f.write(encode(lines, name, settings))
    open_headers(s, "File")
    file_y = panel_headers(s.screenshot())["File"]
    type_name(s, file_y + PANEL_ROW, name)
    load = file_y + 3 * PANEL_ROW
    press(s, load, popup_at(load))
    dismiss_popup(s, load)
    open_headers(s, "File")  # closed again: the panel looks as it does at start
    s.move(*NOWHERE)


def steady(s, name, unlike=None, timeout=60):
    """A picture of the scene that stays the same a second later (and differs from `unlike`)."""
    last = s.screenshot("steady")
    result = []

    def holds():
        nonlocal last
        time.sleep(1.0)  # the interval the picture must hold over, not a wait for the program
        img = s.screenshot("steady")
        same = img.differs(last, SCENE) == 0 and (unlike is None or img.differs(unlike, SCENE) > 0)
        last = img
        if same:
            result.append(img)
        return same

    assert s.wait_for(holds, timeout), f"{name}: the scene did not come to rest"
    return result[0]


def pictures(args, reference):
    with Session(args, env={"TREMORA_REFERENCE_DRAWING": "1"} if reference else {}) as s:
        s.start()
        load_design(s, "small truss", truss_lines(0, 4, 4), UNTIRING)
        shots = [steady(s, "editor")]
        s.key("f")
        shots.append(steady(s, "zoom 1", unlike=shots[0]))
        for notches, zoom in ((2, 3), (5, 8)):
            s.wheel(600, 600, notches)
            s.move(*NOWHERE)
            shots.append(steady(s, f"zoom {zoom}", unlike=shots[-1]))
        return shots


def matches_the_reference(args):
    drawn, reference = pictures(args, False), pictures(args, True)
    for name, a, b in zip(("editor", "zoom 1", "zoom 3", "zoom 8"), drawn, reference):
        differing = a.differs(b, SCENE)
        print(f"  {name}: {differing} pixels differ")
        assert differing <= TOLERANCE, f"{name}: {differing} pixels differ from the reference drawing"


if __name__ == "__main__":
    run_cases([("editor and resting structure look as drawn one shape call per object", matches_the_reference)])
