"""Makes the README's pictures of a quake, with the panel's status and graphs open.

    python3 tests/e2e/readme_screenshot.py --binary build/tremora --source . [--out docs/tremora-quake.png]
    python3 tests/e2e/readme_screenshot.py --binary build/tremora --source . --gif [--out docs/tremora-quake.gif]

The animation is the program's own Ctrl+F12 recording of the first seconds of the quake,
halved in size with ImageMagick.
"""
import glob
import os
import subprocess
import time
import sys
import time

import harness
from harness import PANEL_ROW, Session, gif_frames, panel_headers

GIF_SECONDS = 4.0
# (preset button row, seconds of panning right, zoom notches): the picture shows "hause"
# close up; the animation the taller "lightaf", which the default quake brings down.
HAUSE = (1, 2.3, 2)
LIGHTAF = (2, 2.5, 1)


def option(name, default):
    if name in sys.argv:
        i = sys.argv.index(name)
        value = sys.argv[i + 1]
        del sys.argv[i:i + 2]
        return value
    return default


def set_the_scene(s, preset, pan, notches):
    """Loads a preset, opens the status and the graphs, pans and zooms to it and builds it."""
    bars = panel_headers(s.screenshot())
    s.click(150, bars["Presets"])
    s.sync()
    s.click(40, bars["Presets"] + preset * PANEL_ROW)
    s.click(150, bars["Quake Status"])
    s.sync()
    bars = panel_headers(s.screenshot())
    s.click(150, bars["Fun With Graphs"])
    s.move(600, 600)
    s.key("d", hold=pan)
    s.wheel(600, 600, notches)
    s.key("f")
    s.sync()


def finished_gif(s):
    """The recording in the working folder once its file is complete, else None."""
    for path in glob.glob(os.path.join(s.workdir, "screenrec*.gif")):
        try:
            if gif_frames(path)[3]:
                return path
        except AssertionError:  # still being written
            pass
    return None


def main():
    gif = "--gif" in sys.argv
    if gif:
        sys.argv.remove("--gif")
    out = os.path.abspath(option("--out", "docs/tremora-quake.gif" if gif else "docs/tremora-quake.png"))
    args = harness.parse_args()
    with Session(args) as s:
        s.start()
        set_the_scene(s, *(LIGHTAF if gif else HAUSE))
        if gif:
            s.combo("ctrl", "F12")
            s.key("Return")
            time.sleep(GIF_SECONDS)  # the length of the recording, not a wait for the program
            s.combo("ctrl", "F12")
            if not s.wait_for(lambda: finished_gif(s), 30):
                raise AssertionError("the recording was not finished")
            subprocess.run(["/usr/bin/convert", finished_gif(s), "-coalesce", "-resize", "50%",
                            "-layers", "Optimize", out], check=True)
        else:
            s.key("Return")
            s.sync()
            s.screenshot("readme")
            subprocess.run(["/usr/bin/convert", os.path.join(s.workdir, "readme.ppm"), out], check=True)
    print("wrote", out)


if __name__ == "__main__":
    main()
