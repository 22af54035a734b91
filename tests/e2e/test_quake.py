"""A quake shakes the members and tires the joints."""
import time

from harness import BLUE, YELLOW, Session, is_color, run_cases, world_to_window

SCENE = (300, 30, 850, 340)  # right of the panel, below the frame counter, above the ground at zoom 3


def tired(r, g, b):
    """Joint-marker colours between orange and red (hue below about 45)."""
    return r >= 230 and 30 <= g <= 190 and b <= 40


def shakes_and_tires_joints(args):
    with Session(args) as s:
        s.start()
        points = [(10, -20), (10, -60), (50, -60), (50, -20)]
        a, b, c, d = (world_to_window(*p) for p in points)
        for start, end in ((a, b), (b, c), (c, d), (a, c)):
            s.place_line(start, end)
        s.key("f")
        s.wheel(600, 600, 2)  # zoom 3
        built = lambda img: img.count(is_color(BLUE, 40), SCENE) > 300 and img.count(is_color(YELLOW, 60), SCENE) > 0
        before = s.screenshot_when(built, name="before")
        assert before.count(is_color(BLUE, 40), SCENE) > 300, before.count(is_color(BLUE, 40), SCENE)
        assert before.count(is_color(YELLOW, 60), SCENE) > 0, "no joint marker"
        assert before.count(tired, SCENE) == 0, before.count(tired, SCENE)
        s.key("Return")
        # Shots until the markers have tired and members have moved between two shots
        # taken a second apart.
        shots = []
        seen_tired = False
        moved = 0
        started = time.time()
        entered = 0.0
        while time.time() - started < 60.0 and not (seen_tired and moved > 200):
            now, img = time.time() - started, s.screenshot(f"quake{len(shots)}")
            if now - entered > 5.0 and not seen_tired:
                # On a slow machine a quake's four seconds hold few steps of 1/120 s; the
                # joints keep their load, so the next quake tires them further.
                s.key("Return")
                entered = time.time() - started
            seen_tired = seen_tired or img.count(tired, SCENE) > 0
            moved = max([moved] + [img.differs(old, SCENE) for t, old in shots if now - t >= 0.9])
            shots.append((now, img))
        assert seen_tired, "no tired joint marker"
        assert moved > 200, moved

if __name__ == "__main__":
    run_cases([("Enter shakes the members and joint markers turn towards red", shakes_and_tires_joints)])
