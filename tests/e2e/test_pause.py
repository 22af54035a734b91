"""P stops a quake in the window: the scene stops changing; N steps it once."""
import os
import time

from harness import PANEL_ROW, Session, panel_headers, run_cases, scene_settled
from test_files import dismiss_popup, encode, open_headers, popup_at, press, type_name

SCENE = (300, 30, 850, 340)
LONG_HOLD = 0.5  # right of the panel, below the frame counter, above the ground at zoom 3


def settled(s, name):
    """Polls until the scene stops changing; returns the last screenshot."""
    return scene_settled(s, name, SCENE)


def changed(s, since, name, at_least=1, timeout=6.0):
    """Polls until at least `at_least` pixels of the scene differ from `since`."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        if s.screenshot(name).differs(since, SCENE) >= at_least:
            return True
    return False


# A braced frame on the ground (two posts, a beam, a brace) with a long quake of
# magnitude 5: it moves in every step, also at the few frames a second of a busy machine.
FRAME = [(10.0, -20.0, 10.0, -60.0), (10.0, -60.0, 50.0, -60.0), (50.0, -60.0, 50.0, -20.0), (10.0, -20.0, 50.0, -60.0)]
STRONG = (4.0, 50000.0, 1500.0, 60.0, 5.0, 0.0, 0.0)  # density, limit, threshold, duration, magnitude, epicenter


def pause_and_step(args):
    with Session(args) as s:
        with open(os.path.join(s.workdir, "save", "strong.velmar"), "wb") as f:
            f.write(encode(FRAME, "strong", STRONG))
        s.start()
        open_headers(s, "File")
        file_y = panel_headers(s.screenshot())["File"]
        type_name(s, file_y + PANEL_ROW, "strong")
        load = file_y + 3 * PANEL_ROW
        press(s, load, popup_at(load))
        dismiss_popup(s, load)
        s.key("f")
        s.wheel(600, 600, 2)  # zoom 3
        before = settled(s, "built")
        # Keys are held for longer than a slow frame, so no press falls between two frames.
        s.key("Return", hold=LONG_HOLD)
        assert changed(s, before, "shaking", at_least=50), "the quake did not move the members"
        s.key("p", hold=LONG_HOLD)
        paused = settled(s, "paused")
        s.key("n", hold=LONG_HOLD)
        assert changed(s, paused, "stepped"), "N did not advance the scene"
        stepped = settled(s, "after-step")
        assert stepped.differs(paused, SCENE) > 0


if __name__ == "__main__":
    run_cases([("P stops the scene during a quake, N steps it once", pause_and_step)])
