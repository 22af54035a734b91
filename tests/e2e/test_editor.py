"""Drawing lines, deleting them, clearing and undoing that, and the switch to a simulation and back."""
from harness import (BLUE, HEADER_COLOURS, ORANGE, PANEL_ROW, YELLOW, Session, is_color, near, panel_headers, run_cases,
                     world_to_window)

# A vertical line from the ground up four metres, right of the panel.
BOTTOM = world_to_window(100, -20)
TOP = world_to_window(100, -60)
LINE_BOX = (BOTTOM[0] - 3, TOP[1], BOTTOM[0] + 4, BOTTOM[1] - 2)
# Right of the panel and below the frame counter, whose colour (green, orange or red)
# follows the frame rate.
SCENE = (300, 30, 850, 850)


def orange_on_line(s, until=lambda n: True):
    return s.screenshot_when(lambda img: until(img.count(is_color(ORANGE, 30), LINE_BOX))).count(
        is_color(ORANGE, 30), LINE_BOX)


def draw_delete_and_clear(args):
    with Session(args) as s:
        s.start()
        assert orange_on_line(s) == 0
        s.place_line(BOTTOM, TOP)
        drawn = orange_on_line(s)
        assert drawn > 60, drawn
        # DELETE mode, then a click on the middle of the line removes it
        s.key("h")
        s.click(BOTTOM[0], (BOTTOM[1] + TOP[1]) // 2)
        assert orange_on_line(s, until=lambda n: n == 0) == 0
        # back to PLACING, draw again, J clears every line
        s.key("h")
        s.place_line(BOTTOM, TOP)
        assert orange_on_line(s) > 60
        s.key("j")
        assert orange_on_line(s, until=lambda n: n == 0) == 0


def ctrl_z_brings_back_what_j_cleared(args):
    with Session(args) as s:
        s.start()
        s.place_line(BOTTOM, TOP)
        assert s.wait_for(lambda: orange_on_line(s) > 60)
        s.key("j")
        assert s.wait_for(lambda: orange_on_line(s) == 0)
        s.combo("ctrl", "z")
        assert s.wait_for(lambda: orange_on_line(s) > 60), "Ctrl+Z did not bring the line back"


def quick_clicks_count_at_a_few_frames_a_second(args):
    # Each frame waits a quarter of a second, and a click goes down and up at once: both
    # fall between two frames.
    with Session(args, env={"TREMORA_FRAME_SLEEP": "250"}) as s:
        s.start()
        # On the panel: a header opens, and the headers below it move down.
        closed = panel_headers(s.screenshot())
        s.move(100, closed["Controls"])
        s.xdo("click", "1")
        assert s.wait_for(lambda: panel_headers(s.screenshot())["Materials"] > closed["Materials"] + PANEL_ROW, 10), \
            "the quick click on a panel header did not open it"
        bar = closed["Controls"]
        hovered = lambda: near(s.screenshot("hover").pixel(250, bar), HEADER_COLOURS[1], 8)
        for point in (BOTTOM, TOP):
            s.move(*point)
            # The panel decides from the mouse's place in the frame before, as Dear ImGui does:
            # wait for a frame that saw the mouse leave the header before the quick click.
            assert s.wait_for(lambda: not hovered(), 10), "no frame saw the mouse leave the panel"
            s.xdo("click", "1")
            if point == BOTTOM:
                assert s.wait_for(lambda: s.pending_at(BOTTOM), 10), "the quick click chose no point"
        assert orange_on_line(s, until=lambda n: n > 60) > 60, "the second quick click made no line"


def home_frames_the_design(args):
    with Session(args) as s:
        s.start()
        s.place_line(BOTTOM, TOP)
        s.move(600, 700)
        # Home: the four-metre line fills the height of the scene, centred right of the panel.
        column = (565, 40, 585, 810)
        assert s.screenshot().count(is_color(ORANGE, 30), column) == 0
        s.key("Home")
        img = s.screenshot_when(lambda img: img.count(is_color(ORANGE, 30), column) > 2000)
        assert img.count(is_color(ORANGE, 30), column) > 2000, img.count(is_color(ORANGE, 30), column)


def simulate_and_return(args):
    with Session(args) as s:
        s.start()
        # a portal frame: two posts and a beam, near the world origin
        a, b, c, d = (world_to_window(*p) for p in ((10, -20), (10, -60), (50, -60), (50, -20)))
        s.place_line(a, b)
        s.place_line(b, c)
        s.place_line(c, d)
        s.key("f")
        s.wheel(600, 600, 3)  # zoom 1.0 -> 4.0 about the world origin
        img = s.screenshot_when(lambda img: img.count(is_color(BLUE, 40), SCENE) > 400)
        blue = img.count(is_color(BLUE, 40), SCENE)
        yellow = img.count(is_color(YELLOW, 60), SCENE)
        orange = img.count(is_color(ORANGE, 30), SCENE)
        assert blue > 400, blue
        assert yellow > 4, yellow
        assert orange == 0, orange
        s.key("g")
        img = s.screenshot_when(lambda img: img.count(is_color(BLUE, 40), SCENE) == 0)
        assert img.count(is_color(BLUE, 40), SCENE) == 0
        assert img.count(is_color(ORANGE, 30), SCENE) > 100  # the lines are back
        assert img.count(lambda r, g, b: r + g + b < 30, (300, 30, 850, 400)) > 100  # grid points


if __name__ == "__main__":
    run_cases([
        ("two clicks draw an orange line; H and a click delete it; J clears", draw_delete_and_clear),
        ("J clears a line and Ctrl+Z brings it back", ctrl_z_brings_back_what_j_cleared),
        ("quick clicks at four frames a second open a panel header and draw a line",
         quick_clicks_count_at_a_few_frames_a_second),
        ("Home frames the drawn line in the scene", home_frames_the_design),
        ("F shows blue members and yellow joints; G returns to the grid", simulate_and_return),
    ])
