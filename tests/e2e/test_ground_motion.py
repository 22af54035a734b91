"""The ground-motion model: chosen in the panel with a recorded motion, a quake moves the
ground itself, and the ground is back where it started when the quake is over."""
import math
import os

from harness import BLUE, GROUND, Session, is_color, near, panel_headers, run_cases, world_to_window

NOWHERE = (600, 700)  # below the ground: no grid point, no panel
ZOOM = 4
EDGE_ROW = world_to_window(0, -10, zoom=ZOOM)[1]  # a row through the ground, below the members
SCENE = (310, 30, 850, 850)
GREY = (128, 128, 128)  # "INACTIVE"
SELECTED_ENTRY = (51, 89, 138)  # a selected entry of a list box
# Rows of the open "Quake Settings" section below its bar, after the classic fields, the
# seed and Replay: the model's radio buttons, the source's, and the first entry of the list
# of records; x on the labels of "Ground motion" and "Recorded".
MODEL_ROW, SOURCE_ROW, FIRST_RECORD_ROW = 240, 280, 319
GROUND_MOTION_X, RECORDED_X, RECORD_X = 140, 150, 60
# One slow swing that starts and ends at rest: a = A (cos wt - cos 2wt) over one period T
# moves the ground 2 A / w^2 to one side and back (about 4 m, 40 world units, 160 pixels at
# zoom 4; the model's g is 98.0665 world units per second squared).
RECORD = "swing.csv"
DT, PERIOD, A_G = 0.01, 4.0, 0.5


def write_record(folder):
    os.makedirs(folder, exist_ok=True)
    w = 2 * math.pi / PERIOD
    with open(os.path.join(folder, RECORD), "w") as f:
        for i in range(int(round(PERIOD / DT)) + 1):
            t = i * DT
            f.write(f"{t:.3f},{A_G * (math.cos(w * t) - math.cos(2 * w * t)):.6f}\n")


def open_headers(s, *names):
    for name in names:
        s.click(100, panel_headers(s.screenshot())[name])
        s.move(*NOWHERE)
        s.sync()


def click_and_wait(s, x, y, until, name):
    s.click(x, y)
    s.move(*NOWHERE)
    img = s.screenshot_when(until, name=name)
    assert until(img), f"no change in the panel after the click on {name}"
    return img


def ground_edge(img):
    """The left edge of the ground in its row right of the panel (its first ground-grey pixel)."""
    for x in range(SCENE[0], SCENE[2]):
        if near(img.pixel(x, EDGE_ROW), GROUND, 6):
            return x
    return None


def inactive(img):
    headers = panel_headers(img)
    # A member falling past the see-through panel can hide a header bar for a frame or two.
    if "Quake Status" not in headers or "Fun With Graphs" not in headers:
        return False
    return img.count(is_color(GREY, 10), (0, headers["Quake Status"] + 10, 300, headers["Fun With Graphs"] - 10)) > 30


def the_ground_moves_in_a_quake(args):
    with Session(args) as s:
        write_record(os.path.join(s.workdir, "records"))
        s.start()
        for start, end in (((10, -20), (10, -50)), ((10, -50), (40, -50)), ((40, -50), (40, -20))):
            s.place_line(world_to_window(*start), world_to_window(*end))
        open_headers(s, "Quake Settings")
        classic = panel_headers(s.screenshot("classic"))
        settings = classic["Quake Settings"]
        below = lambda img, least: panel_headers(img)["Materials"] - classic["Materials"] >= least

        # the source choice and the synthetic quake's peak, then the records, appear below
        click_and_wait(s, GROUND_MOTION_X, settings + MODEL_ROW, lambda img: below(img, 50), "ground motion")
        click_and_wait(s, RECORDED_X, settings + SOURCE_ROW, lambda img: below(img, 140), "recorded")
        # the loaded record's entry is shown selected
        selected = lambda img: near(img.pixel(RECORD_X + 100, settings + FIRST_RECORD_ROW), SELECTED_ENTRY, 8)
        click_and_wait(s, RECORD_X, settings + FIRST_RECORD_ROW, selected, "loaded")
        # the panel's height holds the status or the settings with the records, not both
        open_headers(s, "Quake Settings", "Quake Status")

        s.key("f")
        s.screenshot_when(lambda img: img.count(is_color(BLUE, 40), SCENE) > 100, name="built")
        s.wheel(600, 600, ZOOM - 1)
        rest = ground_edge(s.screenshot("rest"))
        assert rest is not None and abs(rest - 425) <= 2, rest

        s.key("Return")
        shifted = lambda img: ground_edge(img) is not None and abs(ground_edge(img) - rest) >= 5
        moving = s.screenshot_when(shifted, timeout=90, name="moving")
        assert shifted(moving), f"the ground's edge stayed near column {ground_edge(moving)}"
        back = lambda img: inactive(img) and ground_edge(img) == rest
        after = s.screenshot_when(back, timeout=120, name="after")
        assert inactive(after), "the quake did not end"
        assert ground_edge(after) == rest, (ground_edge(after), rest)


if __name__ == "__main__":
    run_cases([("with the ground-motion model and a record chosen, Enter moves the ground and it comes back",
                the_ground_moves_in_a_quake)])
