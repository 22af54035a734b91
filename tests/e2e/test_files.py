"""Presets, and the File section's Save and Load with good and bad design files."""
import os
import struct

from harness import BLUE, ORANGE, PANEL_ROW, Session, is_color, panel_headers, run_cases, world_to_window

SCENE = (320, 30, 850, 850)  # right of the panel and of any popup, below the frame counter
NOWHERE = (600, 700)  # below the ground: no grid point, no panel
DEFAULTS = (4.0, 50000.0, 1500.0, 4.0, 4.0, 0.0, 0.0)  # density, limit, threshold, duration, magnitude, epicenter


def window_box(x0, y0, x1, y1, pad=3):
    """The window rectangle around the world rectangle (x0, y0)..(x1, y1)."""
    (a, b), (c, d) = world_to_window(x0, y0), world_to_window(x1, y1)
    return min(a, c) - pad, min(b, d) - pad, max(a, c) + pad + 1, max(b, d) + pad + 1


HAUSE_BOX = window_box(200, -110, 260, -20)
LIGHTAF_BOX = window_box(300, -160, 350, -20)


def orange(img, box):
    return img.count(is_color(ORANGE, 30), box)


def encode(lines, name, settings=DEFAULTS):
    """A design file: line count, lines, name length, name, seven floats."""
    data = struct.pack("<Q", len(lines))
    for line in lines:
        data += struct.pack("<4f", *line)
    name = name.encode()
    return data + struct.pack("<Q", len(name)) + name + struct.pack("<7f", *settings)


def decode(data):
    count = struct.unpack_from("<Q", data, 0)[0]
    lines = [struct.unpack_from("<4f", data, 8 + 16 * i) for i in range(count)]
    at = 8 + 16 * count
    length = struct.unpack_from("<Q", data, at)[0]
    name = data[at + 8:at + 8 + length]
    settings = struct.unpack_from("<7f", data, at + 8 + length)
    assert len(data) == at + 8 + length + 28, len(data)
    return lines, name.decode(), settings


def draw(s, lines):
    for x0, y0, x1, y1 in lines:
        s.place_line(world_to_window(x0, y0), world_to_window(x1, y1))
    s.move(*NOWHERE)
    s.sync()


def open_headers(s, *names):
    for name in names:
        s.click(100, panel_headers(s.screenshot())[name])
    s.move(*NOWHERE)
    s.sync()


def type_name(s, box_y, name):
    s.click(100, box_y)
    s.combo("ctrl", "a")
    s.type_text(name)


def press(s, y, until, name=None):
    """Clicks the button on the panel row at y, moves the mouse out of the way and returns
    the first screenshot for which until(image) holds (or the last one at the deadline)."""
    s.click(25, y)
    s.move(*NOWHERE)
    return s.screenshot_when(until, name=name)


def dismiss_popup(s, button_y):
    s.click(*NOWHERE)
    s.wait_for(lambda: not popup_text(s.screenshot("dismissed"), button_y), 5)


def popup_at(button_y):
    return lambda img: len(popup_text(img, button_y)) > 100


def cleared(s):
    s.key("j")
    return s.screenshot_when(lambda img: orange(img, SCENE) == 0, name="cleared")


def scene_changes(a, b, button_y):
    """Pixels of the scene that differ between two screenshots, outside a popup opened at a button."""
    x0, y0, x1, y1 = SCENE
    return a.differs(b, (x0, y0, x1, button_y)) + a.differs(b, (x0, button_y + 45, x1, y1))


def popup_text(img, button_y):
    """The white text pixels of the popup opened at a button, relative to their top-left corner."""
    x0, y0, x1, y1 = 45, button_y + 4, 850, button_y + 40
    pixels = [(x, y) for y in range(y0, y1) for x in range(x0, x1) if min(img.pixel(x, y)) >= 250]
    if not pixels:
        return frozenset()
    left = min(x for x, _ in pixels)
    top = min(y for _, y in pixels)
    return frozenset((x - left, y - top) for x, y in pixels)


def presets_apply_their_designs(args):
    with Session(args) as s:
        s.start()
        open_headers(s, "Presets")
        headers = panel_headers(s.screenshot())
        img = s.screenshot("empty")
        assert orange(img, SCENE) == 0
        img = press(s, headers["Presets"] + PANEL_ROW, lambda img: orange(img, HAUSE_BOX) > 300, "hause")
        assert orange(img, HAUSE_BOX) > 300, orange(img, HAUSE_BOX)
        assert orange(img, LIGHTAF_BOX) == 0
        s.key("f")
        img = s.screenshot_when(lambda img: img.count(is_color(BLUE, 40), SCENE) > 300, name="hause simulated")
        assert img.count(is_color(BLUE, 40), SCENE) > 300
        assert orange(img, SCENE) == 0
        s.key("g")
        img = press(s, headers["Presets"] + 2 * PANEL_ROW,  # "lightaf" replaces the lines
                    lambda img: orange(img, LIGHTAF_BOX) > 300, "lightaf")
        assert orange(img, LIGHTAF_BOX) > 300, orange(img, LIGHTAF_BOX)
        assert orange(img, HAUSE_BOX) == 0


def save_clear_load(args):
    lines = [(100.0, -20.0, 100.0, -60.0), (100.0, -60.0, 140.0, -60.0)]
    name = "my design"
    with Session(args) as s:
        s.start()
        draw(s, lines)
        open_headers(s, "Presets", "File")
        drawn = s.screenshot("drawn")
        headers = panel_headers(drawn)
        box, save, load = (headers["File"] + k * PANEL_ROW for k in (1, 2, 3))
        assert orange(drawn, SCENE) > 100
        assert not popup_text(drawn, save)

        type_name(s, box, name)
        saved_popup = popup_text(press(s, save, popup_at(save), "saved"), save)
        assert len(saved_popup) > 100, "no message after Save"
        path = os.path.join(s.workdir, "save", name + ".velmar")
        assert os.path.isfile(path), os.listdir(os.path.join(s.workdir, "save"))
        with open(path, "rb") as f:
            data = f.read()
        assert len(data) == 44 + 16 * len(lines) + len(name), len(data)
        assert decode(data) == (lines, name, DEFAULTS), decode(data)

        dismiss_popup(s, save)
        assert orange(cleared(s), SCENE) == 0
        loaded = press(s, load, lambda img: popup_at(load)(img) and scene_changes(drawn, img, load) == 0, "loaded")
        assert scene_changes(drawn, loaded, load) == 0, "the lines did not come back as they were"
        loaded_popup = popup_text(loaded, load)
        assert len(loaded_popup) > 100, "no message after Load"
        assert loaded_popup != saved_popup, "Load shows the Save message"
        # the loaded design got a preset button: the File section moved down one row
        after = panel_headers(loaded)
        assert after["File"] == headers["File"] + PANEL_ROW, (headers, after)

        # that button applies the loaded design
        dismiss_popup(s, load)
        assert orange(cleared(s), SCENE) == 0
        from_preset = press(s, headers["Presets"] + 3 * PANEL_ROW, lambda img: scene_changes(drawn, img, load) == 0)
        assert scene_changes(drawn, from_preset, load) == 0


def escape_keeps_the_drawing_as_autosave(args):
    lines = [(100.0, -20.0, 100.0, -60.0), (100.0, -60.0, 140.0, -60.0)]
    with Session(args) as s:
        s.start()
        draw(s, lines)
        s.key("Escape")
        assert s.wait_exit() == 0
        path = os.path.join(s.workdir, "save", "autosave.velmar")
        assert os.path.isfile(path), os.listdir(os.path.join(s.workdir, "save"))
        with open(path, "rb") as f:
            assert decode(f.read()) == (lines, "autosave", DEFAULTS)

        # The next start lists it after the two presets; its button brings the lines back.
        s.start()
        open_headers(s, "Presets")
        headers = panel_headers(s.screenshot())
        assert orange(s.screenshot("empty"), SCENE) == 0
        img = press(s, headers["Presets"] + 3 * PANEL_ROW, lambda img: orange(img, SCENE) > 100, "autosave")
        assert orange(img, SCENE) > 100, "the autosave button brought no lines"


def bad_files_change_nothing(args):
    line = (100.0, -20.0, 100.0, -60.0)
    replacement = (200.0, -100.0, 240.0, -100.0)
    with Session(args) as s:
        s.start()
        folder = os.path.join(s.workdir, "save")
        good = encode([line, (100.0, -60.0, 140.0, -60.0)], "cut short")
        with open(os.path.join(folder, "broken.velmar"), "wb") as f:
            f.write(good[:30])  # ends inside the second line
        with open(os.path.join(folder, "huge.velmar"), "wb") as f:
            f.write(struct.pack("<Q", 1 << 62) + bytes(16))  # claims far more lines than it holds

        draw(s, [line])
        open_headers(s, "Presets", "File")
        before = s.screenshot("before")
        headers = panel_headers(before)
        box, load = headers["File"] + PANEL_ROW, headers["File"] + 3 * PANEL_ROW

        failures = {}
        for name in ("broken", "huge", "missing"):
            type_name(s, box, name)
            img = press(s, load, popup_at(load), "loaded " + name)
            assert s.app.poll() is None, f"the program ended loading {name}: {s.log_text()[-500:]}"
            failures[name] = popup_text(img, load)
            assert len(failures[name]) > 100, f"no message after loading {name}"
            assert scene_changes(before, img, load) == 0, f"the scene changed after loading {name}"
            assert panel_headers(img)["File"] == headers["File"], f"a preset was added for {name}"
            dismiss_popup(s, load)

        # the same name, now a sound file: it loads, so the failures above were the files' fault
        with open(os.path.join(folder, "broken.velmar"), "wb") as f:
            f.write(encode([replacement], "fixed"))
        type_name(s, box, "broken")
        img = press(s, load, lambda img: popup_at(load)(img) and orange(img, window_box(*replacement)) > 30,
                    "loaded fixed")
        assert orange(img, window_box(*replacement)) > 30
        assert orange(img, window_box(*line)) == 0
        assert panel_headers(img)["File"] == headers["File"] + PANEL_ROW
        success = popup_text(img, load)
        assert len(success) > 100
        assert failures["broken"] != success, "a failed load showed the success message"


def huge_design_is_refused(args):
    # 64 MB, just under the file size cap: 4,194,300 lines, far more than F builds.
    count = 4194300
    with Session(args) as s:
        with open(os.path.join(s.workdir, "save", "hause.velmar"), "wb") as f:
            f.write(struct.pack("<Q", count))
            f.write(bytes(16 * count))
            f.write(struct.pack("<Q", 4) + b"huge" + struct.pack("<7f", *DEFAULTS))
        s.start()
        open_headers(s, "Presets", "File")
        before = s.screenshot("before")
        headers = panel_headers(before)
        # The huge preset was skipped at start: the first button is lightaf's.
        img = press(s, headers["Presets"] + PANEL_ROW, lambda img: orange(img, LIGHTAF_BOX) > 300, "lightaf")
        assert orange(img, LIGHTAF_BOX) > 300, "the first preset button is not lightaf"
        assert orange(cleared(s), SCENE) == 0
        empty = s.screenshot("empty")

        box, load = headers["File"] + PANEL_ROW, headers["File"] + 3 * PANEL_ROW
        type_name(s, box, "hause")
        img = press(s, load, popup_at(load), "loaded huge")
        assert s.app.poll() is None, f"the program ended loading the huge design: {s.log_text()[-500:]}"
        assert len(popup_text(img, load)) > 100, "no message after loading the huge design"
        assert scene_changes(empty, img, load) == 0, "the scene changed"
        assert panel_headers(img)["File"] == headers["File"], "a preset was added"
        # Still drawing at its usual pace: a line placed now shows.
        dismiss_popup(s, load)
        draw(s, [(100.0, -20.0, 100.0, -60.0)])
        img = s.screenshot_when(lambda img: orange(img, SCENE) > 30, name="drawn after")
        assert orange(img, SCENE) > 30


if __name__ == "__main__":
    run_cases([
        ("the preset buttons apply hause and lightaf; F builds hause into members", presets_apply_their_designs),
        ("Save writes the design file; J, then Load brings the lines back with a message and a preset",
         save_clear_load),
        ("Escape with a drawing writes save/autosave.velmar; the next start lists it and it loads",
         escape_keeps_the_drawing_as_autosave),
        ("truncated, oversized and missing files change nothing and keep the program running",
         bad_files_change_nothing),
        ("a design of more lines than F builds is refused at start and by Load, and the window keeps its pace",
         huge_design_is_refused),
    ])
