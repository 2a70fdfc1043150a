#!/usr/bin/env python3
"""End-to-end tests of the game and the editor as cmake --install puts them in
place, started through bin/ in an X server of their own under the openbox
window manager, driven with xdotool and read back with ImageMagick.

    korvo_e2e.py game|windows|editor BUILD ASSETS
"""

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
SCREEN = (1280, 1024)
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


def run(*command, env=None, timeout=10, checked=True, raw=False):
    try:
        result = subprocess.run([str(part) for part in command], env=env, capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        raise Failure(f"{command[0]} took more than {timeout} s")
    check(result.returncode == 0 or not checked, f"{command[0]} failed: {result.stderr.decode().strip()}")
    return result.stdout if raw else result.stdout.decode(errors="replace")


def image(width, rgb):
    """pixel(x, y) of a picture of 8-bit RGB triples, row by row."""
    return lambda x, y: tuple(rgb[3 * (y * width + x):3 * (y * width + x) + 3])


def sprites_over(background, sprites):
    """Colours of a field: the pictures {(left, top): file} of sprites over background(x, y)."""
    pictures = {place: image(CELL, run("convert", path, "-depth", "8", "rgb:-", raw=True))
                for place, path in sprites.items()}

    def colour(x, y):
        pixel = pictures.get((x - x % CELL, y - y % CELL))
        return pixel(x % CELL, y % CELL) if pixel else background(x, y)
    return colour


def grid(x, y):
    return GRID if x % CELL == CELL - 1 or y % CELL == CELL - 1 else BLACK


class Session:
    """A throw-away folder, an Xvfb of its own with openbox on it, and the
    programs started there; all stopped at the end."""

    def __enter__(self):
        self.temp, self.programs = tempfile.TemporaryDirectory(), []
        self.folder = Path(self.temp.name)
        try:
            # For a build with AddressSanitizer: leaks of the X11 platform's libraries are not the program's.
            leaks = [os.environ.get("LSAN_OPTIONS"), f"suppressions={Path(__file__).with_name('lsan_suppressions.txt')}"]
            self.env = dict(os.environ, DISPLAY=self.start_server(), QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR="1",
                            XDG_RUNTIME_DIR=self.temp.name, XDG_CONFIG_HOME=self.temp.name,
                            LSAN_OPTIONS=":".join(filter(None, leaks)))
            self.start("openbox")
            wait("openbox", 20, lambda: None if "window id" in self.tool(
                "xprop", "-root", "_NET_SUPPORTING_WM_CHECK") else "not managing the screen")
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *error):
        for process in reversed(self.programs):
            process.kill()
            process.wait()
        self.temp.cleanup()

    def start_server(self):
        """Xvfb on a random high display, told through -displayfd once ready (the lowest free one may clash
        with servers whose lock files lie in another /tmp); -noreset, or it refuses clients as the last leaves."""
        for number in random.sample(range(100, 30000), 5):
            read_end, write_end = os.pipe()
            self.programs.append(subprocess.Popen(
                ["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % SCREEN,
                 "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL))
            os.close(write_end)
            with os.fdopen(read_end, "rb") as told:
                if select.select([told], [], [], 20)[0] and told.readline().strip() == str(number).encode():
                    return f":{number}"
            self.programs.pop().kill()
        raise Failure("Xvfb started on none of 5 displays within 20 s each")

    def install(self, build):
        """The programs' folder as cmake --install puts it below a new prefix, and bin/ with their commands."""
        run("cmake", "--install", build, "--prefix", self.folder / "prefix", timeout=120)
        self.dist, self.bin = self.folder / "prefix" / "lib" / "korvo", self.folder / "prefix" / "bin"

    def start(self, program):
        process = subprocess.Popen([str(program)], env=self.env, cwd="/", stdout=subprocess.DEVNULL,
                                   stderr=open(self.folder / f"stderr{len(self.programs)}", "wb"))
        self.programs.append(process)
        return process

    def ended(self, process, code=None):
        """Fails if process has ended with another code than code; tells whether it has ended."""
        if process.poll() is not None and process.returncode != code:
            errors = Path(process.stderr.name).read_text(errors="replace").strip()
            raise Failure(f"{process.args[0]} ended with code {process.returncode}: {errors}")
        return process.returncode is not None

    def wait_for_exit(self, process, what):
        wait(what, 10, lambda: None if self.ended(process, 0) else "still running")

    def tool(self, *command, **options):
        return run(*command, env=self.env, **options)

    def windows(self, title):
        return self.tool("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$", checked=False).split()

    def window(self, title, timeout=30):
        def problem():
            self.ended(self.programs[-1])
            return None if self.windows(title) else "not shown"
        wait(f'the window "{title}"', timeout, problem)
        return self.windows(title)[0]

    def geometry(self, window):
        """x, y, width, height of the window's client area on the screen."""
        info = self.tool("xwininfo", "-id", window)
        return [int(re.search(name + r":\s+(-?\d+)", info).group(1))
                for name in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]

    def front(self):
        """The top window of the stack and the active window, as the window manager tells them."""
        stack = self.tool("xprop", "-root", "_NET_CLIENT_LIST_STACKING").split("#")[1].split(",")
        return str(int(stack[-1], 16)), self.tool("xdotool", "getactivewindow").strip()

    def key(self, window, keys):
        self.tool("xdotool", "windowactivate", "--sync", window)
        self.tool("xdotool", "key", keys)

    def press(self, x, y, button=1):
        self.tool("xdotool", "mousemove", "--sync", x, y)
        self.tool("xdotool", "click", button)

    def screenshot(self, window):
        """pixel(x, y) of the window's client area as the screen shows it."""
        x, y, width, height = self.geometry(window)
        return image(width, self.tool("import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                                      "-depth", "8", "rgb:-", timeout=30, raw=True))

    def expect(self, window, origin, expected, what, area=(0, 0, 269, 269), timeout=10):
        """Waits until each pixel (x, y) in area of the field at origin in the window shows expected(x, y)."""
        def mismatch():
            pixel = self.screenshot(window)
            left, top, width, height = area
            for x, y in ((x, y) for y in range(top, top + height) for x in range(left, left + width)):
                if pixel(origin[0] + x, origin[1] + y) != expected(x, y):
                    return f"pixel ({x}, {y}) shows {pixel(origin[0] + x, origin[1] + y)}, expected {expected(x, y)}"
        wait(what, timeout, mismatch)


def game_window(session):
    """The game's window once drawn at its size, where its playfield lies in
    it, and the middle of each item of its menu bar on the screen."""
    window, found = session.window(GAME_TITLE), {}

    def problem():
        x, y, width, height = session.geometry(window)
        pixel = session.screenshot(window)
        # The menu bar is not black; the client area below it is, beside the playfield.
        menu = next((row for row in range(height) if pixel(4, row) == BLACK), height)
        if (width, height - menu) != (369, 285) or not 10 <= menu <= 40:
            return f"{width} x {height} with a menu bar of {menu}, not a client area of 369 x 285"
        # The items' captions, told from the bar at its right end; the gaps within a caption are narrower.
        inked = [column for column in range(width) if pixel(column, menu // 2) != pixel(width - 1, menu // 2)]
        starts = [column for before, column in zip([-99] + inked, inked) if column - before > 8]
        ends = [column for column, after in zip(inked, inked[1:] + [9999]) if after - column > 8]
        found["menu"] = [(x + (start + end) // 2, y + menu // 2) for start, end in zip(starts, ends)]
        found["origin"] = (10, menu + 10)
    wait("the game window", 10, problem)
    return window, found["origin"], found["menu"]


def test_game(session, assets):
    at_start = sprites_over(lambda x, y: BLACK, {(261, 261): assets / "snake.xpm"})
    game = session.start(session.bin / "korvo")
    window, origin, _ = game_window(session)
    session.expect(window, origin, at_start, "the idle window before a game")
    session.key(window, "ctrl+n")
    for crash, title in enumerate(("Korvo", "Korvo", "THE END"), 1):
        since = time.monotonic()
        box = session.window(title, 40)
        seconds = time.monotonic() - since
        # 30 ticks of 200 ms: up column 29 from row 29, over row 0 and out.
        check(5.6 <= seconds <= 30, f"crash {crash} came after {seconds:.1f} s, not after 30 ticks of 200 ms")
        if title == "Korvo":  # shown with the snake back at its start and its track empty
            session.expect(window, origin, at_start, f"column 29 at crash {crash}", area=(261, 0, 8, 269))
        session.key(box, "Return")
        wait(f'the box "{title}"', 10, lambda: "still shown" if session.windows(title) else None)
    session.expect(window, origin, at_start, "the idle window after the game")
    time.sleep(1)
    session.expect(window, origin, at_start, "the idle window a second later", timeout=0)
    session.key(window, "ctrl+q")
    session.wait_for_exit(game, "the game after Ctrl+Q")
    hall = session.dist / "data" / "hal.hal"
    check(hall.exists() and hall.read_bytes() == INITIAL_HALL, "Exit wrote no data/hal.hal of the initial hall")


def test_windows(session, assets):
    """What the window manager makes of the game's windows."""
    game = session.start(session.bin / "korvo")
    window, _, menu = game_window(session)
    x, y, width, height = session.geometry(window)
    session.tool("xdotool", "windowsize", window, 600, 500)
    time.sleep(1)
    check(session.geometry(window) == [x, y, width, height], f"asked to resize, the game window is now "
          f"{session.geometry(window)[2:]}")
    check(len(menu) == 2, f"the menu bar shows {len(menu)} items, not Soubor and O Programu")

    def choose_hall():
        # The menu's popup is a window of the game's without a title of its own.
        shown = lambda: set(session.tool("xdotool", "search", "--onlyvisible", "--pid", game.pid).split())
        before = shown()
        session.press(*menu[0])
        wait('the menu "Soubor"', 10, lambda: None if shown() - before else "not shown")
        session.tool("xdotool", "key", "Down", "Down", "Down", "Down", "Return")

    for title, choose in (("O Programu", lambda: session.press(*menu[1])), ("Síň slávy", choose_hall)):
        choose()
        shown = session.window(title)
        session.press(x + width // 2, y + height - 20)
        wait(f'"{title}" after a click on the game window', 10,
             lambda: None if session.front() == (window, window) else f"front and active: {session.front()}")
        choose()
        wait(f'"{title}" chosen again', 10,
             lambda: None if session.front() == (shown, shown) else f"front and active: {session.front()}, not {shown}")
    left, right, top, bottom = map(int, session.tool("xprop", "-id", window, "_NET_FRAME_EXTENTS").split("=")[1]
                                   .split(","))
    frame = (x - left, y - top, width + left + right, height + top + bottom)
    check(abs(2 * frame[0] + frame[2] - SCREEN[0]) <= 2 and abs(2 * frame[1] + frame[3] - SCREEN[1]) <= 2,
          "the game window with its frame at {}, {}, {} x {} is not centred on the screen".format(*frame))


def test_editor(session, assets):
    editor = session.start(session.bin / "korvo-editor")
    window = session.window(EDITOR_TITLE)
    x, y, width, height = session.geometry(window)
    check((width, height) == (484, 286), f"the editor's client area is {width} x {height}")
    origin = (82, 10)  # the map at (80, 8) inside its 2-pixel border
    session.expect(window, origin, grid, "the empty map")
    placed = {}
    for (px, py), button in (((100, 50), 1), ((268, 268), 3)):
        session.press(x + origin[0] + px, y + origin[1] + py, button)
        placed[(px - px % CELL, py - py % CELL)] = assets / "wall.xpm"
        session.expect(window, origin, sprites_over(grid, placed), f"the map after a press at ({px}, {py})")
    session.key(window, "alt+e")
    session.wait_for_exit(editor, "the editor after Alt+E")


def main():
    tests = {"game": test_game, "windows": test_windows, "editor": test_editor}
    if len(sys.argv) != 4 or sys.argv[1] not in tests:
        sys.exit(__doc__.splitlines()[-1].strip())
    try:
        with Session() as session:
            session.install(sys.argv[2])
            tests[sys.argv[1]](session, Path(sys.argv[3]))
    except Failure as failure:
        print(f"FAIL: {sys.argv[1]}: {failure}", file=sys.stderr)
        return 1
    print(f"PASS: {sys.argv[1]}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
