"""The ground-motion model: chosen in the panel, a quake moves the ground itself."""
from harness import BLUE, GROUND, Session, is_color, near, panel_headers, run_cases, world_to_window

NOWHERE = (600, 700)  # below the ground: no grid point, no panel
ZOOM = 8
EDGE_ROW = world_to_window(0, -10, zoom=ZOOM)[1]  # a row through the ground, below the members
SCENE = (310, 30, 850, 850)
GREY = (128, 128, 128)  # "INACTIVE"
# Offsets from the "Quake Settings" bar to the rows its open section starts with, and from
# the next bar ("Materials") up to the model's radio buttons, the section's last row.
RICHTER_FIELD = 79
MODEL_RADIOS = 32
GROUND_MOTION_RADIO_X = 140  # on the label of the second radio button


def open_headers(s, *names):
    for name in names:
        s.click(100, panel_headers(s.screenshot())[name])
        s.move(*NOWHERE)
        s.sync()


def ground_edge(img):
    """The left edge of the ground in its row right of the panel (its first ground-grey pixel)."""
    for x in range(SCENE[0], SCENE[2]):
        if near(img.pixel(x, EDGE_ROW), GROUND, 6):
            return x
    return None


def inactive(img):
    headers = panel_headers(img)
    return img.count(is_color(GREY, 10), (0, headers["Quake Status"] + 10, 300, headers["Fun With Graphs"] - 10)) > 30


def the_ground_moves_in_a_quake(args):
    with Session(args) as s:
        s.start()
        for start, end in (((10, -20), (10, -50)), ((10, -50), (40, -50)), ((40, -50), (40, -20))):
            s.place_line(world_to_window(*start), world_to_window(*end))
        open_headers(s, "Quake Status", "Quake Settings")

        classic = panel_headers(s.screenshot("classic"))
        s.click(GROUND_MOTION_RADIO_X, classic["Materials"] - MODEL_RADIOS)
        s.move(*NOWHERE)
        # the source choice and the synthetic quake's peak appear under the model
        chosen = s.screenshot_when(lambda img: panel_headers(img)["Materials"] - classic["Materials"] >= 50,
                                   name="ground motion")
        assert panel_headers(chosen)["Materials"] - classic["Materials"] >= 50, (classic, panel_headers(chosen))
        # the strongest shaking the relation gives
        s.click(100, classic["Quake Settings"] + RICHTER_FIELD)
        s.combo("ctrl", "a")
        s.type_text("7.7")
        s.click(*NOWHERE)
        s.sync()

        s.key("f")
        s.screenshot_when(lambda img: img.count(is_color(BLUE, 40), SCENE) > 100, name="built")
        s.wheel(600, 600, ZOOM - 1)
        rest = ground_edge(s.screenshot("rest"))
        assert rest is not None and abs(rest - 425) <= 2, rest

        s.key("Return")
        shifted = lambda img: ground_edge(img) is not None and abs(ground_edge(img) - rest) >= 2
        moving = s.screenshot_when(shifted, timeout=90, name="moving")
        assert shifted(moving), f"the ground's edge stayed at column {ground_edge(moving)}"
        # when the quake is over the ground is back where it started
        back = lambda img: inactive(img) and ground_edge(img) == rest
        after = s.screenshot_when(back, timeout=120, name="after")
        assert inactive(after), "the quake did not end"
        assert ground_edge(after) == rest, (ground_edge(after), rest)


if __name__ == "__main__":
    run_cases([("with the ground-motion model chosen, Enter moves the ground and it comes back to rest",
                the_ground_moves_in_a_quake)])
