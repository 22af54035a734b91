"""The menu entry's launcher, started with an empty home: it makes the data folder with
the presets, starts the program there, and Save writes into it. install_test.sh runs it
on the unpacked package with HOME set to a scratch folder."""
import os

from harness import PANEL_ROW, Session, panel_headers, run_cases
from test_files import draw, open_headers, popup_at, press, type_name


def launcher_saves_into_data_folder(args):
    data = os.path.join(os.environ["HOME"], ".local", "share", "tremora", "save")
    with Session(args, with_presets=False) as s:
        s.start()
        assert sorted(os.listdir(data)) == ["hause.velmar", "lightaf.velmar"], os.listdir(data)
        draw(s, [(100.0, -20.0, 100.0, -60.0)])
        open_headers(s, "Presets", "File")
        file_header = panel_headers(s.screenshot())["File"]
        type_name(s, file_header + PANEL_ROW, "packaged")
        save = file_header + 2 * PANEL_ROW
        press(s, save, popup_at(save))
        saved = os.path.join(data, "packaged.velmar")
        assert s.wait_for(lambda: os.path.isfile(saved), 10), os.listdir(data)


if __name__ == "__main__":
    run_cases([("the launcher makes the data folder with the presets; Save writes there",
                launcher_saves_into_data_folder)])
