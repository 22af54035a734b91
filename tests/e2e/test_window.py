"""The window: size, title, a rendered frame, and a clean exit on Escape and on close."""
import os
import subprocess

from harness import BACKGROUND, GROUND, Session, WINDOW, is_color, run_cases


def window_appears_rendered(args):
    with Session(args) as s:
        s.start()
        geo = s.window_geometry()
        assert (geo["Width"], geo["Height"]) == (WINDOW, WINDOW), geo
        name = s.window_name()
        assert name.startswith("Tremora") and len(name) > len("Tremora"), name
        img = s.screenshot()
        assert (img.width, img.height) == (WINDOW, WINDOW)
        # the scene's background, the ground and the black snap points right of the panel
        assert img.count(is_color(BACKGROUND, 3), (300, 0, 850, 850)) > 50000
        assert img.count(is_color(GROUND, 3), (425, 406, 850, 425)) > 3000
        grid_points = img.count(lambda r, g, b: r + g + b < 30, (430, 100, 850, 404))
        assert grid_points > 500, grid_points


def escape_exits_cleanly(args):
    with Session(args) as s:
        s.start()
        s.move(600, 600)
        s.key("Escape")
        assert s.wait_exit() == 0


def close_button_exits_cleanly(args):
    with Session(args) as s:
        s.start()
        s.close_window()
        assert s.wait_exit() == 0


def no_display_says_so(args):
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    result = subprocess.run([args.binary], env=env, capture_output=True, text=True, timeout=30)
    assert result.returncode != 0
    lines = [line for line in result.stderr.splitlines() if line.strip()]
    assert len(lines) == 1 and "display" in lines[0].lower(), result.stderr


if __name__ == "__main__":
    run_cases([
        ("window appears at 850 x 850 with the title and a rendered frame", window_appears_rendered),
        ("Escape ends the program with status 0", escape_exits_cleanly),
        ("closing the window ends the program with status 0", close_button_exits_cleanly),
        ("without a display the program says so in one line", no_display_says_so),
    ])
