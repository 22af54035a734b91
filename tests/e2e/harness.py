"""Runs the real tremora binary under its own Xvfb display and drives it with xdotool.

Every case starts a fresh X server and program in a scratch working directory that
holds a copy of the shipped save/ folder, and always cleans both up.
"""
import argparse
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

WINDOW = 850
HOLD = 0.15  # seconds a key or button stays down: raylib reads input once a frame


def parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--close-tool", default="")
    parser.add_argument("--keep", action="store_true", help="keep the scratch folder")
    args = parser.parse_args()
    args.binary = os.path.abspath(args.binary)
    args.source = os.path.abspath(args.source)
    if args.close_tool:
        args.close_tool = os.path.abspath(args.close_tool)
    return args


class Session:
    """One Xvfb server plus one tremora process."""

    def __init__(self, args, with_presets=True, env=None):
        self.args = args
        self.extra_env = dict(env or {})  # added to the program's environment
        self.workdir = tempfile.mkdtemp(prefix="tremora-e2e-")
        shipped = os.path.join(args.source, "save")
        if with_presets and os.path.isdir(shipped):
            # not an autosave a run of the program from the checkout left there
            shutil.copytree(shipped, os.path.join(self.workdir, "save"),
                            ignore=shutil.ignore_patterns("autosave.velmar"))
        self.display = None
        self.xvfb = None
        self.app = None
        self.window = None
        self.shots = 0
        self.mouse = (WINDOW - 1, WINDOW - 1)

    # --- lifecycle -----------------------------------------------------------
    def __enter__(self):
        # Xvfb picks a free display number itself and writes it to a pipe once it accepts
        # connections: no race with other servers starting at the same time. -noreset: by
        # default the server resets when its last client leaves, and a program connecting
        # during that reset (while xdotool polls for the window) is turned away.
        read_end, write_end = os.pipe()
        try:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x1024x24", "-nolisten", "tcp",
                 "-noreset"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True,
                pass_fds=(write_end,))
            os.close(write_end)
            write_end = None
            number = b""
            deadline = time.time() + 20
            while not number.endswith(b"\n"):
                left = deadline - time.time()
                chunk = os.read(read_end, 16) if left > 0 and select.select([read_end], [], [], left)[0] else b""
                if not chunk:
                    self.xvfb.kill()
                    self.xvfb.wait(timeout=10)
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.display = f":{int(number)}"
        return self

    def __exit__(self, *exc):
        if self.app is not None and self.app.poll() is None:
            try:
                os.killpg(self.app.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.app.wait(timeout=10)
        if self.xvfb is not None and self.xvfb.poll() is None:
            # SIGTERM lets Xvfb remove its lock file and socket; SIGKILL would leave them behind.
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self.xvfb.pid, signal.SIGKILL)
                self.xvfb.wait(timeout=10)
        if not self.args.keep:
            shutil.rmtree(self.workdir, ignore_errors=True)
        else:
            print("kept", self.workdir)
        return False

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        env["LIBGL_ALWAYS_SOFTWARE"] = "1"
        # Mesa and X keep allocations alive to the end of a process; only the unit tests check leaks.
        env["ASAN_OPTIONS"] = "detect_leaks=0"
        env.update(self.extra_env)
        return env

    def start(self):
        self.log = open(os.path.join(self.workdir, "tremora.log"), "w")
        self.app = subprocess.Popen([self.args.binary], cwd=self.workdir, env=self.env(), stdout=self.log,
                                    stderr=subprocess.STDOUT, start_new_session=True)
        deadline = time.time() + 30
        while time.time() < deadline:
            if self.app.poll() is not None:
                raise AssertionError(f"tremora exited early with {self.app.returncode}: {self.log_text()}")
            out = self.xdo("search", "--name", "^Tremora", check=False)
            if out.strip():
                self.window = out.split()[0]
                break
            time.sleep(0.2)
        else:
            raise AssertionError("the Tremora window did not appear")
        # the first frames are slow (font atlas, shaders): wait until the panel and scene are drawn
        if not self.wait_for(self._first_frame_drawn, 30):
            raise AssertionError("the first frame with the control panel was never drawn")
        return self

    def _first_frame_drawn(self):
        try:
            return len(header_bars(self.screenshot("first"))) == len(PANEL_HEADERS)
        except subprocess.CalledProcessError:  # the window is not mapped yet
            return False

    def log_text(self):
        self.log.flush()
        with open(os.path.join(self.workdir, "tremora.log")) as f:
            return f.read()

    def wait_exit(self, timeout=15):
        return self.app.wait(timeout=timeout)

    # --- X helpers -----------------------------------------------------------
    def xdo(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env(), capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {args} failed: {result.stderr}")
        return result.stdout

    def window_name(self):
        return self.xdo("getwindowname", self.window).strip()

    def window_geometry(self):
        out = subprocess.run(["xwininfo", "-id", self.window, "-display", self.display], capture_output=True,
                             text=True).stdout
        values = {}
        for line in out.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    values[key] = int(line.split(":")[1])
        return values

    def screenshot_when(self, predicate, timeout=15.0, name=None):
        """Screenshots until predicate(image) holds or the time is up; returns the last one,
        so the caller's assertions judge what the program showed by the deadline."""
        deadline = time.time() + timeout
        while True:
            img = self.screenshot(name)
            if predicate(img) or time.time() > deadline:
                return img
            time.sleep(0.1)

    def sync(self, timeout=10.0):
        """Returns once the program has drawn a frame after every input sent so far: the
        mouse is moved onto the "Controls" header bar until the bar shows its hover colour,
        then put back (input is handled in order, so that frame came after the rest)."""
        back = self.mouse
        bar = panel_headers(self.screenshot("headers"))["Controls"]
        hovered = lambda img: near(img.pixel(250, bar), HEADER_COLOURS[1], 8)
        self.move(250, bar)
        if not hovered(self.screenshot_when(hovered, timeout)):
            raise AssertionError("no frame was drawn after the last input")
        self.move(*back)
        if not self.wait_for(lambda: not hovered(self.screenshot("sync")), timeout):
            raise AssertionError("the hover of the Controls header did not go")

    def move(self, x, y):
        geo = self.window_geometry()
        self.xdo("mousemove", str(geo["Absolute upper-left X"] + x), str(geo["Absolute upper-left Y"] + y))
        self.mouse = (x, y)
        time.sleep(HOLD)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdo("mousedown", str(button))
        time.sleep(HOLD)
        self.xdo("mouseup", str(button))
        time.sleep(HOLD)

    def wait_for(self, predicate, timeout=3.0):
        """Polls predicate (which may take screenshots) until it holds or the time is up."""
        deadline = time.time() + timeout
        while True:
            if predicate():
                return True
            if time.time() > deadline:
                return False
            time.sleep(0.1)

    def pending_at(self, p):
        """Whether the editor shows its yellow pending end point at window pixel p (zoom 1)."""
        x, y = p
        return self.screenshot("pending").count(is_color(YELLOW, 30), (x - 3, y - 3, x + 3, y + 3)) > 0

    def place_line(self, a, b, attempts=3):
        """Places a line with two clicks on grid points, checking the pending point in between,
        so a click lost to a stalled frame is made again rather than shifting every later line."""
        for _ in range(attempts):
            if not self.pending_at(a):
                self.click(*a)
                if not self.wait_for(lambda: self.pending_at(a)):
                    continue
            self.click(*b)
            if self.wait_for(lambda: not self.pending_at(a)):
                return
        raise AssertionError(f"could not place a line from {a} to {b}")

    def key(self, name, hold=HOLD):
        self.xdo("keydown", name)
        time.sleep(hold)
        self.xdo("keyup", name)
        time.sleep(HOLD)

    def combo(self, modifier, name):
        self.xdo("keydown", modifier)
        time.sleep(HOLD)
        self.key(name)
        self.xdo("keyup", modifier)
        time.sleep(HOLD)

    def type_text(self, text):
        names = {" ": "space", "/": "slash", ".": "period", "-": "minus", "_": "underscore"}
        for ch in text:
            self.key(names.get(ch, ch))

    def wheel(self, x, y, notches, timeout=15.0):
        """Turns the wheel one notch at a time, each after the last has visibly zoomed: the
        windowing library keeps one wheel movement per frame, so two notches within one
        slow frame would count as one. Needs the camera on the world origin."""
        self.move(x, y)
        button = "4" if notches > 0 else "5"
        step = 1 if notches > 0 else -1
        for _ in range(abs(notches)):
            before = zoom_of(self.screenshot("zoom"))
            self.xdo("click", button)
            wanted = before + step
            if abs(zoom_of(self.screenshot_when(lambda img: abs(zoom_of(img) - wanted) < 0.2, timeout)) - wanted) >= 0.2:
                raise AssertionError(f"the wheel did not zoom from {before} to {wanted}")

    def close_window(self):
        """Asks the window to close the way a window manager's close button does."""
        subprocess.run([self.args.close_tool, self.window], env=self.env(), check=True, timeout=10)

    # --- screenshots ---------------------------------------------------------
    def screenshot(self, name=None):
        """Returns the window's pixels as an Image; also saves a PNG in the scratch folder."""
        self.shots += 1
        name = name or f"shot{self.shots}"
        raw = subprocess.run(["import", "-display", self.display, "-window", self.window, "-depth", "8", "ppm:-"],
                             capture_output=True, timeout=30, check=True).stdout
        with open(os.path.join(self.workdir, name + ".ppm"), "wb") as f:
            f.write(raw)
        return Image.from_ppm(raw)


class Image:
    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    @staticmethod
    def from_ppm(data):
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                while data[pos:pos + 1] not in (b"\n", b""):
                    pos += 1
                continue
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        pos += 1
        assert fields[0] == b"P6", fields[0]
        width, height, maxval = int(fields[1]), int(fields[2]), int(fields[3])
        assert maxval == 255
        return Image(width, height, data[pos:pos + width * height * 3])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def count(self, predicate, box=None):
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        n = 0
        for y in range(y0, y1):
            row = (y * self.width) * 3
            for x in range(x0, x1):
                i = row + x * 3
                if predicate(self.pixels[i], self.pixels[i + 1], self.pixels[i + 2]):
                    n += 1
        return n

    def differs(self, other, box=None):
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        n = 0
        for y in range(y0, y1):
            a = (y * self.width + x0) * 3
            b = (y * self.width + x1) * 3
            if self.pixels[a:b] != other.pixels[a:b]:
                for i in range(a, b, 3):
                    if self.pixels[i:i + 3] != other.pixels[i:i + 3]:
                        n += 1
        return n


def scene_settled(s, name, region, shots=4, timeout=8.0):
    """Screenshots until `shots` in a row show the same pixels in `region`; returns the last."""
    deadline = time.time() + timeout
    last = s.screenshot(name)
    same = 1
    while same < shots:
        assert time.time() < deadline, f"the scene kept changing ({name})"
        img = s.screenshot(name)
        same = same + 1 if img.differs(last, region) == 0 else 1
        last = img
    return last


def near(rgb, target, tolerance=40):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, target))


def is_color(target, tolerance=40):
    return lambda r, g, b: near((r, g, b), target, tolerance)


ORANGE = (255, 161, 0)
BLUE = (0, 121, 241)
YELLOW = (253, 249, 0)
GROUND = (80, 80, 80)
BACKGROUND = (245, 245, 245)


def zoom_of(img, x=700):
    """The camera's zoom, read from the top of the ground (world y = -20) in column x while
    the camera's target is the world origin; 0 when no ground is seen there."""
    for y in range(img.height):
        if near(img.pixel(x, y), GROUND, 6):
            return (425 - y) / 20.0
    return 0.0


def world_to_window(x, y, target=(0.0, 0.0), zoom=1.0):
    return int(round((x - target[0]) * zoom + 425)), int(round((y - target[1]) * zoom + 425))


def truss_lines(column, cells, rows):
    """The benchmark's truss (bench/trusses.cpp makeTruss) as (x0, y0, x1, y1) world lines:
    every cell edge and one diagonal a cell, leaning alternately left and right."""
    def point(c, r):
        return 10.0 * (column + c), -20.0 - 10.0 * r

    lines = [point(c, r) + point(c + 1, r) for r in range(rows + 1) for c in range(cells)]
    for r in range(rows):
        lines += [point(c, r) + point(c, r + 1) for c in range(cells + 1)]
        lines += [point(c, r) + point(c + 1, r + 1) if (c + r) % 2 == 0 else point(c + 1, r) + point(c, r + 1)
                  for c in range(cells)]
    return lines


def run_cases(cases):
    """Runs each (name, function) with the parsed arguments; prints the totals line."""
    args = parse_args()
    passed = failed = 0
    for name, case in cases:
        started = time.time()
        try:
            case(args)
            passed += 1
            print(f"PASS {name} ({time.time() - started:.1f} s)")
        except Exception as error:  # noqa: BLE001 - report every failure and go on
            failed += 1
            print(f"FAIL {name}: {error!r}")
        sys.stdout.flush()
    print(f"{passed} passed, {failed} failed")
    sys.exit(1 if failed else 0)


# --- the control panel -----------------------------------------------------------
# The panel is the Dear ImGui window at x 0..300. Its eight collapsing headers, top to bottom:
PANEL_HEADERS = ("Quake Status", "Fun With Graphs", "Controls", "Quake Settings", "Materials",
                 "Joint Settings", "Presets", "File")
# Header bar colours over the panel background: idle, hovered, held down.
HEADER_COLOURS = ((55, 81, 112), (63, 130, 210), (66, 150, 250))
PANEL_ROW = 23  # centre to centre of two stacked widgets: frame height 19 + item spacing 4
LABEL_X = 33  # where a header's label text begins
GLYPH = 7  # advance of one character of the panel's font


def header_bars(img, x=250):
    """The y centres of the panel's collapsing-header bars, top to bottom (window title excluded)."""
    bars = []
    start = None
    for y in range(20, img.height + 1):
        inside = y < img.height and any(near(img.pixel(x, y), c, 8) for c in HEADER_COLOURS)
        if inside and start is None:
            start = y
        elif not inside and start is not None:
            if 15 <= y - start <= 25:
                bars.append((start + y - 1) // 2)
            start = None
    return bars


def header_label_length(img, y):
    """Characters in the label on the header bar centred at y, from its white text pixels."""
    right = None
    for yy in range(y - 6, y + 7):
        for x in range(LABEL_X - 2, 290):
            if min(img.pixel(x, yy)) >= 200 and (right is None or x > right):
                right = x
    return 0 if right is None else (right - LABEL_X) // GLYPH + 1


def panel_headers(img):
    """Maps each header name to its bar's y centre; fails unless all eight are there, in order."""
    bars = header_bars(img)
    assert len(bars) == len(PANEL_HEADERS), f"header bars at {bars}"
    lengths = [header_label_length(img, y) for y in bars]
    assert lengths == [len(name) for name in PANEL_HEADERS], f"header label lengths {lengths}"
    return dict(zip(PANEL_HEADERS, bars))


def gif_frames(path):
    """Reads a GIF's block structure; returns (width, height, image count, ends with the trailer)."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:6] in (b"GIF87a", b"GIF89a"), data[:6]
    width = int.from_bytes(data[6:8], "little")
    height = int.from_bytes(data[8:10], "little")
    flags = data[10]
    pos = 13
    if flags & 0x80:
        pos += 3 << ((flags & 7) + 1)

    def skip_sub_blocks(p):
        while True:
            if p >= len(data):
                raise AssertionError("GIF data ends inside a block")
            size = data[p]
            p += 1
            if size == 0:
                return p
            p += size

    images = 0
    while pos < len(data):
        tag = data[pos]
        if tag == 0x3B:
            return width, height, images, True
        if tag == 0x21:  # extension: label, then sub-blocks
            pos = skip_sub_blocks(pos + 2)
        elif tag == 0x2C:  # image descriptor, optional local colour table, LZW size, sub-blocks
            if pos + 10 > len(data):
                break
            local = data[pos + 9]
            pos += 10
            if local & 0x80:
                pos += 3 << ((local & 7) + 1)
            pos = skip_sub_blocks(pos + 1)
            images += 1
        else:
            raise AssertionError(f"unexpected GIF block 0x{tag:02x} at byte {pos}")
    return width, height, images, False
