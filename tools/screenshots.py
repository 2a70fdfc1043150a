#!/usr/bin/env python3
"""Takes the pictures in docs/: the game in play and the editor with some
blocks, from a build's cmake --install tree, in an X server of their own
under openbox (the end-to-end tests' session).

    tools/screenshots.py BUILD OUTDIR
"""

import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from korvo_e2e import CELL, EDITOR_TITLE, GAME_TITLE, Session, run  # noqa: E402

# The saved game that the game picture continues: 3 lives, level index 8,
# score 960, a snake of 9 sprites, 200 ms a tick.
SAVED_GAME = b"".join(value.to_bytes(2, "little") for value in (3, 8, 960, 9, 200))
# "KORVO" in blocks, one string a row, for the editor picture.
BLOCKS = ["#..#..##..###..#...#..##.",
          "#.#..#..#.#..#.#...#.#..#",
          "##...#..#.###..#...#.#..#",
          "#.#..#..#.#.#...#.#..#..#",
          "#..#..##..#..#...#....##."]


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.splitlines()[-1].strip())
    out = Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    with Session() as session:
        session.install(sys.argv[1])
        session.start_display()
        (session.dist / "data" / "user.pla").write_bytes(SAVED_GAME)
        session.start(session.bin / "korvo")
        window = session.window(GAME_TITLE)
        run("xdotool", "windowactivate", "--sync", window, "key", "ctrl+o")
        time.sleep(2.1)
        run("import", "-window", window, out / "game.png")
        session.program.kill()
        session.start(session.bin / "korvo-editor")
        window = session.window(EDITOR_TITLE)
        x, y, _, _ = session.geometry(window)
        for row, line in enumerate(BLOCKS):
            for column in (column for column, cell in enumerate(line) if cell == "#"):
                run("xdotool", "mousemove", "--sync", x + 82 + CELL * (column + 2) + 4, y + 10 + CELL * (row + 12) + 4,
                    "click", "1")
        run("xdotool", "mousemove", "0", "0")
        time.sleep(0.5)
        run("import", "-window", window, out / "editor.png")


if __name__ == "__main__":
    main()
