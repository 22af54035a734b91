"""Makes the README's picture: the "hause" preset shaking, with the panel's status and graphs open.

    python3 tests/e2e/readme_screenshot.py --binary build/tremora --source . [--out docs/tremora-quake.png]
"""
import os
import subprocess
import time
import sys

import harness
from harness import PANEL_ROW, Session, panel_headers


def main():
    out = "docs/tremora-quake.png"
    if "--out" in sys.argv:
        i = sys.argv.index("--out")
        out = sys.argv[i + 1]
        del sys.argv[i:i + 2]
    args = harness.parse_args()
    with Session(args) as s:
        s.start()
        bars = panel_headers(s.screenshot())
        s.click(150, bars["Presets"])
        time.sleep(0.3)
        s.click(40, bars["Presets"] + PANEL_ROW)  # the first preset button, "hause"
        s.click(150, bars["Quake Status"])
        time.sleep(0.3)
        bars = panel_headers(s.screenshot())
        s.click(150, bars["Fun With Graphs"])
        s.move(600, 600)
        s.key("d", hold=2.3)  # pan right to the house
        s.wheel(600, 600, 2)
        s.key("f")
        time.sleep(0.5)
        s.key("Return")
        time.sleep(0.35)
        s.screenshot("readme")
        ppm = os.path.join(s.workdir, "readme.ppm")
        subprocess.run(["/usr/bin/convert", ppm, os.path.abspath(out)], check=True)
    print("wrote", out)


if __name__ == "__main__":
    main()
