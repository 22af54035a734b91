"""The sway view: during a ground-motion quake on a moment frame the scene draws the
members' displacement from rest magnified by the factor chosen in the panel, with a legend.
Paused, a change of factor changes the drawing, and choosing a factor again gives back
exactly the pixels it gave before (factor 1 draws the plain scene)."""

from harness import Session, near, panel_headers, run_cases, scene_settled
from test_drawing import load_design
from test_files import NOWHERE, open_headers

SCENE = (300, 30, 850, 850)  # right of the panel, below the frame counter
STRUCTURE = (300, 125, 850, 850)  # the scene below the legend
LONG_HOLD = 0.5  # keys are held for longer than a slow frame
# A portal 4 m wide and 3 m tall on the ground, and a long, strong quake (M7 at the origin):
# density, limit, threshold, duration, magnitude, epicenter.
PORTAL = [(10.0, -20.0, 10.0, -50.0), (10.0, -50.0, 50.0, -50.0), (50.0, -50.0, 50.0, -20.0)]
SHAKEN = (4.0, 50000.0, 1500.0, 60.0, 7.0, 0.0, 0.0)
# Radio buttons' centres: "Ground motion" below the open "Quake Settings" bar;
# "Moment-resisting" above the "Presets" bar while "Joint Settings" is open; the sway
# factors, the last row of "Quake Status", above the "Fun With Graphs" bar.
GROUND_MOTION = (97, 240)
MOMENT_ABOVE_PRESETS = (90, 75)
FACTORS_ABOVE_GRAPHS = 35
FACTOR_X = {1: 17, 5: 55, 10: 93, 20: 131, 50: 184}
CHOSEN = (66, 150, 250)  # a chosen radio button's dot
# The legend's black swatch ("100%"), in render-target pixels.
LEGEND_SWATCH = (315, 107)


def choose(s, x, y, name):
    """Clicks a radio button of the panel and waits until it shows chosen."""
    s.click(x, y)
    s.move(*NOWHERE)
    chosen = lambda img: near(img.pixel(x, y), CHOSEN, 8)
    assert chosen(s.screenshot_when(chosen, name=name)), f"the panel did not take {name}"


def still(s, name):
    """Screenshots until the scene stops changing; returns the last one."""
    return scene_settled(s, name, SCENE, timeout=20.0)


def factor(s, value, unlike, name):
    """Chooses a sway factor (Quake Status open) and returns the scene once it has changed."""
    y = panel_headers(s.screenshot())["Fun With Graphs"] - FACTORS_ABOVE_GRAPHS
    s.click(FACTOR_X[value], y)
    s.move(*NOWHERE)
    s.screenshot_when(lambda img: img.differs(unlike, SCENE) > 0, name=name)
    return still(s, name)


def magnification_changes_the_drawing(args):
    with Session(args) as s:
        s.start()
        load_design(s, "portal", PORTAL, SHAKEN)
        open_headers(s, "Quake Settings")
        settings = panel_headers(s.screenshot())["Quake Settings"]
        choose(s, GROUND_MOTION[0], settings + GROUND_MOTION[1], "ground motion")
        open_headers(s, "Quake Settings", "Joint Settings")
        headers = panel_headers(s.screenshot())
        choose(s, MOMENT_ABOVE_PRESETS[0], headers["Presets"] - MOMENT_ABOVE_PRESETS[1], "moment-resisting")
        # The moment joints' fields push the lower headers out of the panel: closed by its place.
        s.click(100, headers["Joint Settings"])
        s.move(*NOWHERE)
        s.sync()
        open_headers(s, "Quake Status")

        s.key("f", hold=LONG_HOLD)
        s.key("Return", hold=LONG_HOLD)
        legend = lambda img: img.pixel(*LEGEND_SWATCH) == (0, 0, 0)
        shown = s.screenshot_when(legend, timeout=60, name="sway")
        assert legend(shown), "the sway view's legend did not show"
        swaying = lambda img: img.differs(shown, STRUCTURE) >= 20
        assert swaying(s.screenshot_when(swaying, timeout=30, name="swaying")), "the members did not sway"
        s.key("p", hold=LONG_HOLD)
        swayed = still(s, "paused")
        plain = factor(s, 1, swayed, "factor 1")
        assert plain.differs(swayed, STRUCTURE) >= 20, "factor 50 and 1 drew the members nearly the same"
        assert not legend(plain), "the legend stayed at factor 1"
        again = factor(s, 50, plain, "factor 50 again")
        assert again.differs(swayed, SCENE) == 0, "factor 50 drew other pixels the second time"
        assert factor(s, 1, again, "factor 1 again").differs(plain, SCENE) == 0, "factor 1 drew other pixels"


if __name__ == "__main__":
    run_cases([("during a ground-motion quake the sway factor changes the drawing and gives it back exactly",
                magnification_changes_the_drawing)])
