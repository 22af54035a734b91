"""The control panel: its look at start, opening headers, typing into the File box,
GIF recording, and the quake status and graphs during a quake."""
import glob
import os
import re

from harness import (BLUE, ORANGE, PANEL_HEADERS, PANEL_ROW, Session, gif_frames, header_bars, is_color,
                     panel_headers, run_cases, world_to_window)

PANEL = (0, 20, 300, 850)
SCENE = (300, 30, 850, 850)  # right of the panel, below the frame counter
HEADING_ORANGE = (255, 128, 0)
GREEN = (0, 255, 0)
RED = (255, 0, 0)
GREY = (128, 128, 128)
LIGHT_BLUE = (128, 204, 255)
PROGRESS = (230, 179, 0)
PLOT_LINE = (76, 114, 176)
NOWHERE = (600, 700)  # below the ground: no grid point, no panel

# A vertical line from the ground up four metres.
BOTTOM = world_to_window(100, -20)
TOP = world_to_window(100, -60)
LINE_BOX = (BOTTOM[0] - 3, TOP[1], BOTTOM[0] + 4, BOTTOM[1] - 2)


def white(r, g, b):
    return min(r, g, b) >= 200


def dark(r, g, b):
    return r + g + b < 30


def between(headers, above, below, x0=0, x1=300):
    """The panel strip between two header bars."""
    return (x0, headers[above] + 10, x1, headers[below] - 10)


def open_header(s, name):
    s.click(100, panel_headers(s.screenshot())[name])
    s.move(*NOWHERE)
    s.sync()


def panel_at_start(args):
    with Session(args) as s:
        s.start()
        img = s.screenshot()
        assert img.count(is_color(HEADING_ORANGE, 10), (0, 20, 300, 45)) > 60
        headers = panel_headers(img)
        ys = [headers[name] for name in PANEL_HEADERS]
        # all closed: the bars follow one another with only the separators between them
        gaps = [b - a for a, b in zip(ys, ys[1:])]
        assert all(25 <= g <= 40 for g in gaps), gaps
        assert img.count(white, (0, ys[0] + 10, 300, ys[-1] - 10)) == sum(
            img.count(white, (0, y - 9, 300, y + 10)) for y in ys[1:-1]), "text outside the header bars"
        # the panel's dark background covers x 0..300; the scene lies right of it
        assert img.count(is_color((50, 50, 50), 3), (0, ys[-1] + 20, 300, 850)) > 0.95 * 300 * (830 - ys[-1])
        assert img.count(is_color((245, 245, 245), 3), (300, ys[-1] + 20, 850, 850)) > 0.95 * 550 * (830 - ys[-1])


def header_opens_and_closes(args):
    with Session(args) as s:
        s.start()
        closed = panel_headers(s.screenshot("closed"))
        open_header(s, "Controls")
        img = s.screenshot("open")
        opened = panel_headers(img)
        for name in ("Quake Status", "Fun With Graphs", "Controls"):
            assert opened[name] == closed[name], (name, opened, closed)
        # ten text lines (the first light blue) push the bars below down
        pushed = opened["Quake Settings"] - closed["Quake Settings"]
        assert pushed >= 10 * 13, pushed
        for name in PANEL_HEADERS[3:]:
            assert opened[name] - closed[name] == pushed, (name, opened, closed)
        strip = between(opened, "Controls", "Quake Settings")
        assert img.count(is_color(LIGHT_BLUE, 20), strip) > 40
        assert img.count(white, strip) > 500
        # a second click closes it again
        s.click(100, opened["Controls"])
        s.move(*NOWHERE)
        s.sync()
        assert panel_headers(s.screenshot("closed again")) == closed


def typing_a_name_leaves_the_editor_alone(args):
    with Session(args) as s:
        s.start()
        s.place_line(BOTTOM, TOP)
        open_header(s, "Quake Status")
        open_header(s, "File")
        before = s.screenshot("before")
        headers = panel_headers(before)
        status = between(headers, "Quake Status", "Fun With Graphs")
        mode_word = before.count(is_color(GREEN, 10), status)  # "PLACING"
        assert mode_word > 40, mode_word
        assert before.count(is_color(ORANGE, 30), LINE_BOX) > 60

        s.click(100, headers["File"] + PANEL_ROW)  # the text box
        s.combo("ctrl", "a")
        s.type_text("jfg house")  # J clears, F starts, G resets, H toggles, S pans ...
        s.sync()
        typed = s.screenshot("typed")
        s.click(*NOWHERE)  # leaves the box; no grid point there
        s.sync()
        after = s.screenshot("after")
        for img in (typed, after):
            assert img.count(is_color(ORANGE, 30), LINE_BOX) > 60, "the line is gone"
            assert img.count(is_color(BLUE, 40), SCENE) == 0, "a simulation started"
            assert img.count(is_color(RED, 10), status) == 0, "the mode shows SIMULATION"
            assert img.count(is_color(GREEN, 10), status) == mode_word, "the mode changed"
            # nothing in the scene moved: no pan, no zoom, no new line
            changed = before.differs(img, SCENE)
            assert changed == 0, changed
        # the name reached the box: Save writes it
        s.click(20, headers["File"] + 2 * PANEL_ROW)
        saved = os.path.join(s.workdir, "save", "jfg house.velmar")
        s.wait_for(lambda: os.path.isfile(saved), 10)
        assert os.path.isfile(saved), os.listdir(os.path.join(s.workdir, "save"))
        assert os.path.getsize(saved) == 44 + 16 + len("jfg house")


def gif_sizes(s):
    return [os.path.getsize(path) for path in glob.glob(os.path.join(s.workdir, "*.gif"))]


def gif_complete(path):
    try:
        return gif_frames(path)[3]
    except (AssertionError, IndexError):
        return False


def ctrl_f12_records_a_gif(args):
    with Session(args) as s:
        s.start()
        s.move(*NOWHERE)
        s.combo("ctrl", "F12")
        # recording: the file grows by a frame, then by another
        assert s.wait_for(lambda: sum(gif_sizes(s)) > 0, 10), "no GIF file"
        first = sum(gif_sizes(s))
        assert s.wait_for(lambda: sum(gif_sizes(s)) > first, 10), "the GIF does not grow"
        s.combo("ctrl", "F12")
        gifs = glob.glob(os.path.join(s.workdir, "*.gif"))
        assert len(gifs) == 1, gifs
        s.wait_for(lambda: gif_complete(gifs[0]), 20)
        assert re.fullmatch(r"[A-Za-z_]*[0-9]+\.gif", os.path.basename(gifs[0])), gifs
        width, height, frames, complete = gif_frames(gifs[0])
        assert (width, height) == (850, 850), (width, height)
        assert complete, "the GIF has no trailer"
        assert frames > 1, frames
        # Ctrl+F12 is the GIF alone: no screenshot was taken
        assert not glob.glob(os.path.join(s.workdir, "*.png")), os.listdir(s.workdir)
        # the program goes on after recording
        assert s.app.poll() is None
        s.key("Escape")
        assert s.wait_exit() == 0


def f12_takes_a_screenshot(args):
    with Session(args) as s:
        s.start()
        s.move(*NOWHERE)
        s.key("F12")
        png = os.path.join(s.workdir, "screenshot000.png")
        assert s.wait_for(lambda: os.path.isfile(png) and os.path.getsize(png) > 1000, 10), os.listdir(s.workdir)
        with open(png, "rb") as f:
            assert f.read(8) == b"\x89PNG\r\n\x1a\n"
        assert not glob.glob(os.path.join(s.workdir, "*.gif")), "F12 alone started a recording"


def top_headers(img):
    """The first three header bars, which stay on the panel however far the sections below
    them are pushed down."""
    return dict(zip(PANEL_HEADERS[:3], header_bars(img)[:3]))


def quake_status_and_graphs(args):
    with Session(args) as s:
        s.start()
        a, b, c, d = (world_to_window(*p) for p in ((10, -20), (10, -60), (50, -60), (50, -20)))
        for start, end in ((a, b), (b, c), (c, d)):
            s.click(*start)
            s.click(*end)
        open_header(s, "Fun With Graphs")
        open_header(s, "Quake Status")
        s.key("f")

        def status_of(img):
            headers = top_headers(img)
            return between(headers, "Quake Status", "Fun With Graphs")

        img = s.screenshot_when(lambda img: img.count(is_color(RED, 10), status_of(img)) > 40, name="simulating")
        headers = top_headers(img)
        status = status_of(img)
        assert img.count(is_color(RED, 10), status) > 40  # "SIMULATION"
        assert img.count(is_color(GREY, 10), status) > 30  # "INACTIVE"
        # no quake: the graphs header opens onto nothing
        assert headers["Controls"] - headers["Fun With Graphs"] <= 40, headers

        s.key("Return")
        active = lambda img: img.count(is_color(GREY, 10), status_of(img)) == 0
        bar = lambda img: img.count(is_color(PROGRESS, 10), status_of(img))

        def plotted(img):
            graphs = between(top_headers(img), "Fun With Graphs", "Controls")
            plots = ((0, graphs[1], 300, graphs[1] + 150), (0, graphs[3] - 150, 300, graphs[3]))
            return graphs[3] - graphs[1] >= 300 and all(img.count(is_color(PLOT_LINE, 12), p) > 15 for p in plots)

        first = s.screenshot_when(lambda img: active(img) and bar(img) > 0 and plotted(img), name="quake1")
        second = s.screenshot_when(lambda img: bar(img) > bar(first) + 50 and plotted(img), name="quake2")
        bars = []
        for img in (first, second):
            headers = top_headers(img)
            status = between(headers, "Quake Status", "Fun With Graphs")
            assert img.count(is_color(GREY, 10), status) == 0, "still INACTIVE"
            assert img.count(is_color(RED, 10), status) > 60  # "SIMULATION" and "ACTIVE"
            bars.append(img.count(is_color(PROGRESS, 10), status))
            graphs = between(headers, "Fun With Graphs", "Controls")
            assert graphs[3] - graphs[1] >= 300, graphs  # two plots of 150 pixels
            upper = (0, graphs[1], 300, graphs[1] + 150)
            lower = (0, graphs[3] - 150, 300, graphs[3])
            for plot in (upper, lower):
                assert img.count(is_color(PLOT_LINE, 12), plot) > 15, plot
        assert 0 < bars[0] < bars[1], bars  # the progress bar fills
        assert first.differs(second, between(top_headers(second), "Fun With Graphs", "Controls")) > 50

        # past the four-second default duration
        img = s.screenshot_when(lambda img: not active(img), timeout=30, name="after quake")
        headers = top_headers(img)
        status = between(headers, "Quake Status", "Fun With Graphs")
        assert img.count(is_color(GREY, 10), status) > 30, "the quake did not end"
        assert img.count(is_color(PROGRESS, 10), status) == 0
        assert plotted(img), "the curves of the quake that ended are gone"
        # G takes them away with the structure
        s.key("g")
        img = s.screenshot_when(lambda img: not plotted(img), name="after G")
        headers = top_headers(img)
        assert headers["Controls"] - headers["Fun With Graphs"] <= 40, headers


if __name__ == "__main__":
    run_cases([
        ("the panel shows the heading and eight closed headers at x 0..300", panel_at_start),
        ("clicking a header opens it and pushes the others down; a second click closes it",
         header_opens_and_closes),
        ("typing a name with j, f, g into the File box leaves the lines, mode and camera alone",
         typing_a_name_leaves_the_editor_alone),
        ("F12 alone writes a PNG screenshot", f12_takes_a_screenshot),
        ("Ctrl+F12 twice writes a numbered GIF of more than one frame", ctrl_f12_records_a_gif),
        ("during a quake the status shows ACTIVE with a filling bar and the graphs plot lines, kept until G",
         quake_status_and_graphs),
    ])
