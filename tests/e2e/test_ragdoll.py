"""K drops a human figure at the mouse during a simulation; G removes it."""
from harness import Session, is_color, run_cases

SHIRT = (72, 209, 204)
TROUSERS = (30, 144, 255)
SCENE = (300, 30, 850, 850)  # below the frame counter, whose colour follows the frame rate


def figure_pixels(img):
    return img.count(is_color(SHIRT, 25), SCENE) + img.count(is_color(TROUSERS, 25), SCENE)


def drop_and_remove(args):
    with Session(args) as s:
        s.start()
        s.key("f")
        s.wheel(600, 600, 4)  # zoom 5 about the world origin
        s.move(600, 250)
        s.key("k")
        img = s.screenshot_when(lambda img: img.count(is_color(SHIRT, 25), SCENE) > 20
                                and img.count(is_color(TROUSERS, 25), SCENE) > 20, name="figure")
        assert img.count(is_color(SHIRT, 25), SCENE) > 20
        assert img.count(is_color(TROUSERS, 25), SCENE) > 20
        s.key("g")
        assert figure_pixels(s.screenshot_when(lambda img: figure_pixels(img) == 0, name="removed")) == 0


def k_in_editor_does_nothing(args):
    with Session(args) as s:
        s.start()
        s.wheel(600, 600, 4)
        s.move(600, 250)
        s.key("k")
        s.sync()
        assert figure_pixels(s.screenshot()) == 0


if __name__ == "__main__":
    run_cases([
        ("F, K drops a figure in its colours; G removes it", drop_and_remove),
        ("K in the editor drops nothing", k_in_editor_does_nothing),
    ])
