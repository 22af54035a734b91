"""P stops a quake in the window: the scene stops changing; N steps it once."""
import time

from harness import Session, run_cases

SCENE = (300, 30, 850, 340)  # right of the panel, below the frame counter, above the ground at zoom 3


def settled(s, name, shots=4, timeout=8.0):
    """Polls until `shots` screenshots in a row show the same scene; returns the last one."""
    deadline = time.time() + timeout
    last = s.screenshot(name)
    same = 1
    while same < shots:
        assert time.time() < deadline, f"the scene kept changing ({name})"
        img = s.screenshot(name)
        same = same + 1 if img.differs(last, SCENE) == 0 else 1
        last = img
    return last


def changed(s, since, name, timeout=5.0):
    """Polls until the scene differs from `since`; returns how many pixels changed."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        moved = s.screenshot(name).differs(since, SCENE)
        if moved:
            return moved
    return 0


def pause_and_step(args):
    with Session(args) as s:
        s.start()
        s.build_braced_frame()
        before = settled(s, "built")
        s.key("Return")
        assert changed(s, before, "shaking") > 50, "the quake did not move the members"
        s.key("p")
        paused = settled(s, "paused")
        s.key("n")
        assert changed(s, paused, "stepped") > 0, "N did not advance the scene"
        stepped = settled(s, "after-step")
        assert stepped.differs(paused, SCENE) > 0


if __name__ == "__main__":
    run_cases([("P stops the scene during a quake, N steps it once", pause_and_step)])
