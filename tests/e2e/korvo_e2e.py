#!/usr/bin/env python3
"""End-to-end tests of the game and the editor as cmake --install puts them in
place, started through bin/ in a real X server of their own, driven with
xdotool and read back with ImageMagick; windows are found by their titles, as
there is no window manager. Also takes the screenshots in docs/.

    korvo_e2e.py game|editor BUILD ASSETS | screenshots BUILD OUTDIR  [--scale N]
"""

import argparse
import os
import random
import re
import select
import subprocess
import sys
import tempfile
import time
from pathlib import Path

GAME_TITLE = "Tolmar Korvo v1.3"
EDITOR_TITLE = "Tolmar Korvo - editor "
CELL = 9
BLACK = (0, 0, 0)
GRID = (128, 0, 0)
# The hall of fame that a first run writes at its close, in Windows-1250.
INITIAL_HALL = ("Super-kolik\r\n1000\r\nAmatér\r\n800\r\nHňup\r\n600\r\n"
                "Vobyčejnej-kolik\r\n400\r\nNikdo\r\n200\r\n").encode("cp1250")


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait(what, timeout, problem):
    """Polls problem() until it reports none; fails with the last one it reported."""
    deadline = time.monotonic() + timeout
    while (found := problem()) is not None:
        if time.monotonic() > deadline:
            raise Failure(f"{what}: {found} (still after {timeout} s)")
        time.sleep(0.1)


def run(*command, env=None, timeout=10, checked=True):
    try:
        result = subprocess.run([str(part) for part in command], env=env, capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        raise Failure(f"{command[0]} took more than {timeout} s")
    check(result.returncode == 0 or not checked, f"{command[0]} failed: {result.stderr.decode().strip()}")
    return result.stdout


def stop(process):
    process.terminate()
    try:
        process.wait(5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def ended_badly(process):
    errors = process.errors.read_text(errors="replace").strip()
    return Failure(f"{process.args[0]} ended with code {process.returncode}: {errors}")


def image(width, rgb):
    """pixel(x, y) of a picture of 8-bit RGB triples, row by row."""
    return lambda x, y: tuple(rgb[3 * (y * width + x):3 * (y * width + x) + 3])


def sprite(path):
    return image(CELL, run("convert", path, "-depth", "8", "rgb:-"))


def sprites_over(background, sprites):
    """Colours of a field: the pictures of sprites {(left, top): pixel} over background(x, y)."""
    def colour(x, y):
        pixel = sprites.get((x - x % CELL, y - y % CELL))
        return pixel(x % CELL, y % CELL) if pixel else background(x, y)
    return colour


def black(x, y):
    return BLACK


def grid(x, y):
    return GRID if x % CELL == CELL - 1 or y % CELL == CELL - 1 else BLACK


class Session:
    """A throw-away folder, an Xvfb of its own and programs started on it at
    QT_SCALE_FACTOR scale; all stopped at the end."""

    def __init__(self, scale):
        self.scale, self.programs, self.server = scale, [], None

    def __enter__(self):
        self.temp = tempfile.TemporaryDirectory()
        self.folder = Path(self.temp.name)
        try:
            display = self.start_server()
        except BaseException:
            self.__exit__()
            raise
        # For a build with AddressSanitizer: leaks of the X11 platform's libraries are not the program's.
        leaks = [os.environ.get("LSAN_OPTIONS"), f"suppressions={Path(__file__).with_name('lsan_suppressions.txt')}"]
        self.env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=str(self.scale),
                        XDG_RUNTIME_DIR=self.temp.name, LSAN_OPTIONS=":".join(filter(None, leaks)))
        self.env.pop("QT_SCREEN_SCALE_FACTORS", None)
        return self

    def __exit__(self, *error):
        for process in filter(None, self.programs + [self.server]):
            stop(process)
        self.temp.cleanup()

    def start_server(self):
        """Xvfb on a random high display, reported through -displayfd once ready.
        Xvfb's own pick, the lowest free display, clashes with servers whose lock
        files it cannot see (another /tmp or process namespace); a clash ends
        it, and another number is tried. Without -noreset the server resets
        whenever its last client, such as xdotool, leaves, and refuses a
        program that connects just then."""
        size = f"{1280 * self.scale}x{1024 * self.scale}x24"
        for number in random.sample(range(100, 30000), 5):
            read_end, write_end = os.pipe()
            self.server = subprocess.Popen(["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", size,
                                            "-nolisten", "tcp", "-noreset"],
                                           pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_end)
            with os.fdopen(read_end, "rb") as told:
                if select.select([told], [], [], 20)[0] and told.readline().strip() == str(number).encode():
                    return f":{number}"
            stop(self.server)
        raise Failure("Xvfb started on none of 5 displays within 20 s each")

    def install(self, build):
        """The programs' folder as cmake --install puts it below a new prefix,
        with the commands in bin/ that lead to them."""
        prefix = self.folder / "prefix"
        run("cmake", "--install", build, "--prefix", prefix, timeout=120)
        return prefix / "lib" / "korvo", prefix / "bin"

    def start(self, program):
        errors = self.folder / f"stderr{len(self.programs)}"
        with open(errors, "wb") as sink:
            process = subprocess.Popen([str(program)], env=self.env, cwd="/", stdout=subprocess.DEVNULL, stderr=sink)
        process.errors = errors
        self.programs.append(process)
        return process

    def wait_for_exit(self, process):
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure(f"{process.args[0]} did not end within 10 s")
        if process.returncode:
            raise ended_badly(process)

    def tool(self, *command, **options):
        return run(*command, env=self.env, **options).decode()

    def windows(self, title):
        return self.tool("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$", checked=False).split()

    def window(self, title, timeout=30):
        def problem():
            if self.programs[-1].poll() is not None:
                raise ended_badly(self.programs[-1])
            return None if self.windows(title) else "not shown"
        wait(f'the window "{title}"', timeout, problem)
        return self.windows(title)[0]

    def gone(self, title):
        wait(f'the window "{title}"', 10, lambda: "still shown" if self.windows(title) else None)

    def geometry(self, window):
        info = self.tool("xwininfo", "-id", window)
        return [int(re.search(name + r":\s+(-?\d+)", info).group(1))
                for name in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]

    def key(self, window, keys):
        # To the input focus, not to the window by id: a key that closes the
        # window would leave its release without a window to go to.
        self.tool("xdotool", "windowfocus", "--sync", window)
        self.tool("xdotool", "key", keys)

    def press(self, x, y, button):
        self.tool("xdotool", "mousemove", "--sync", x, y)
        self.tool("xdotool", "click", button)

    def screenshot(self, window):
        x, y, width, height = self.geometry(window)
        return image(width, run("import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                                "-depth", "8", "rgb:-", env=self.env, timeout=30))

    def expect(self, window, origin, expected, what, area=(0, 0, 269, 269), timeout=10):
        """Waits until each client pixel (x, y) in area of the field at origin
        shows as a square of scale x scale device pixels of expected(x, y)."""
        def mismatch():
            pixel, s, (ox, oy), (left, top, width, height) = self.screenshot(window), self.scale, origin, area
            for y in range(top, top + height):
                for x in range(left, left + width):
                    shown = {pixel(ox + s * x + dx, oy + s * y + dy) for dx in range(s) for dy in range(s)}
                    if shown != {expected(x, y)}:
                        return f"client pixel ({x}, {y}) shows {shown}, expected {expected(x, y)}"
        wait(what, timeout, mismatch)


def game_window(session):
    """The game's window once drawn at its size, and where its playfield lies in it."""
    s, window, layout = session.scale, session.window(GAME_TITLE), {}

    def problem():
        _, _, width, height = session.geometry(window)
        pixel = session.screenshot(window)
        # The menu bar is not black; the client area below it is, beside the playfield.
        layout["menu"] = menu = next((y for y in range(height) if pixel(4 * s, y) == BLACK), height)
        if width != 369 * s or height - menu != 285 * s or not 10 * s <= menu <= 40 * s:
            return f"{width} x {height} with a menu bar of {menu}, not a client area of {369 * s} x {285 * s}"
    wait("the game window", 10, problem)
    print(f"game window: menu bar {layout['menu']}, client area {369 * s} x {285 * s}")
    return window, (10 * s, layout["menu"] + 10 * s)


def test_game(build, assets, scale):
    at_start = sprites_over(black, {(261, 261): sprite(Path(assets) / "snake.xpm")})
    with Session(scale) as session:
        folder, commands = session.install(build)
        game = session.start(commands / "korvo")
        window, origin = game_window(session)
        session.expect(window, origin, at_start, "the idle window before a game")
        session.key(window, "ctrl+n")
        for crash, title in enumerate(("Korvo", "Korvo", "THE END"), 1):
            since = time.monotonic()
            box = session.window(title, 40)
            seconds = time.monotonic() - since
            # 30 ticks of 200 ms: up column 29 from row 29, over row 0 and out.
            check(5.6 <= seconds <= 30, f"crash {crash} came after {seconds:.1f} s, not after 30 ticks of 200 ms")
            print(f'"{title}" box of crash {crash} after {seconds:.2f} s')
            if title == "Korvo":  # shown with the snake back at its start and its track empty
                session.expect(window, origin, at_start, f"column 29 at crash {crash}", area=(261, 0, 8, 269))
            session.key(box, "Return")
            session.gone(title)
        # Idle again, and still a second later: no food, no walls, the snake at its start.
        session.expect(window, origin, at_start, "the idle window after the game")
        time.sleep(1)
        session.expect(window, origin, at_start, "the idle window a second later", timeout=0)
        session.key(window, "ctrl+q")
        session.wait_for_exit(game)
        hall = folder / "data" / "hal.hal"
        check(hall.exists() and hall.read_bytes() == INITIAL_HALL, "Exit wrote no data/hal.hal of the initial hall")


def test_editor(build, assets, scale):
    wall, s = sprite(Path(assets) / "wall.xpm"), scale
    with Session(scale) as session:
        editor = session.start(session.install(build)[1] / "korvo-editor")
        window = session.window(EDITOR_TITLE)
        x, y, width, height = session.geometry(window)
        check((width, height) == (484 * s, 286 * s), f"the editor's client area is {width} x {height}")
        origin = (82 * s, 10 * s)  # the map at (80, 8) inside its 2-pixel border
        session.expect(window, origin, grid, "the empty map")
        placed = {}
        for (px, py), button in (((100, 50), 1), ((268, 268), 3)):
            session.press(x + origin[0] + s * px, y + origin[1] + s * py, button)
            placed[(px - px % CELL, py - py % CELL)] = wall
            session.expect(window, origin, sprites_over(grid, placed), f"the map after a press at ({px}, {py})")
        session.key(window, "alt+e")
        session.wait_for_exit(editor)


# The saved game that the game screenshot continues: 3 lives, level index 8,
# score 960, a snake of 9 sprites, 200 ms a tick.
SCREENSHOT_GAME = b"".join(value.to_bytes(2, "little") for value in (3, 8, 960, 9, 200))
# "KORVO" in blocks, one string a row, for the editor screenshot.
SCREENSHOT_BLOCKS = ["#..#..##..###..#...#..##.",
                     "#.#..#..#.#..#.#...#.#..#",
                     "##...#..#.###..#...#.#..#",
                     "#.#..#..#.#.#...#.#..#..#",
                     "#..#..##..#..#...#....##."]


def take_screenshots(build, out, scale):
    """docs/ pictures: the game in play and the editor with some blocks."""
    s, suffix = scale, "" if scale == 1 else f"@{scale}x"
    Path(out).mkdir(parents=True, exist_ok=True)
    with Session(scale) as session:
        folder, commands = session.install(build)
        (folder / "data" / "user.pla").write_bytes(SCREENSHOT_GAME)
        game = session.start(commands / "korvo")
        window, _ = game_window(session)
        session.key(window, "ctrl+o")
        time.sleep(2.1)
        session.tool("import", "-window", window, Path(out) / f"game{suffix}.png")
        stop(game)
        session.start(commands / "korvo-editor")
        window = session.window(EDITOR_TITLE)
        x, y, _, _ = session.geometry(window)
        for row, line in enumerate(SCREENSHOT_BLOCKS):
            for column in (column for column, cell in enumerate(line) if cell == "#"):
                session.press(x + s * (82 + CELL * (column + 2) + 4), y + s * (10 + CELL * (row + 12) + 4), 1)
        session.tool("xdotool", "mousemove", "0", "0")
        time.sleep(0.5)
        session.tool("import", "-window", window, Path(out) / f"editor{suffix}.png")


def main():
    steps = {"game": test_game, "editor": test_editor, "screenshots": take_screenshots}
    parser = argparse.ArgumentParser(usage=__doc__.splitlines()[-1].strip())
    parser.add_argument("what", choices=steps)
    parser.add_argument("folders", nargs="+")
    parser.add_argument("--scale", type=int, default=1, help="QT_SCALE_FACTOR of the programs")
    args = parser.parse_args()
    try:
        steps[args.what](*args.folders, scale=args.scale)
    except Failure as failure:
        print(f"FAIL: {args.what}: {failure}", file=sys.stderr)
        return 1
    print(f"PASS: {args.what}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
