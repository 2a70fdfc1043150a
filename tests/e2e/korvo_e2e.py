#!/usr/bin/env python3
"""The game and the editor as cmake --install puts them in place, started through bin/ in an X server of
their own under the openbox window manager, driven with xdotool as a player would and read back from the
screen with ImageMagick: a game, the game's windows, then the editor."""
import os, random, re, select, subprocess, sys, tempfile, time  # noqa: E401
from pathlib import Path

GAME_TITLE, EDITOR_TITLE = "Tolmar Korvo v1.3", "Tolmar Korvo - editor "
SCREEN, CELL, BLACK, GRID = (1280, 1024), 9, (0, 0, 0), (128, 0, 0)
# The hall of fame that a first run writes at its close, in Windows-1250.
INITIAL_HALL = ("Super-kolik\r\n1000\r\nAmatér\r\n800\r\nHňup\r\n600\r\n"
                "Vobyčejnej-kolik\r\n400\r\nNikdo\r\n200\r\n").encode("cp1250")


def run(*command, timeout=10, checked=True, raw=False):
    result = subprocess.run([str(part) for part in command], capture_output=True, timeout=timeout)
    assert result.returncode == 0 or not checked, f"{command[0]} failed: {result.stderr.decode().strip()}"
    return result.stdout if raw else result.stdout.decode(errors="replace")


def image(width, rgb):
    """pixel(x, y) of a picture of 8-bit RGB triples, row by row."""
    return lambda x, y: tuple(rgb[3 * (y * width + x):3 * (y * width + x) + 3])


def sprites_over(background, sprites):
    """Colours of a field: the pictures {(left, top): file} of sprites over background(x, y)."""
    pictures = {place: image(CELL, run("convert", path, "-depth", "8", "rgb:-", raw=True))
                for place, path in sprites.items()}
    return lambda x, y: pictures.get((x - x % CELL, y - y % CELL), lambda *_: background(x, y))(x % CELL, y % CELL)


class Session:
    """A throw-away folder with the installed tree, an Xvfb with openbox, and the programs started there."""

    def __enter__(self):
        self.temp, self.processes, self.program = tempfile.TemporaryDirectory(), [], None
        self.folder = Path(self.temp.name)
        return self

    def __exit__(self, *error):
        for process in reversed(self.processes):
            process.terminate()  # not killed: Xvfb then removes its socket
            process.wait()
        self.temp.cleanup()

    def start_display(self):
        """Xvfb on a random high display (the lowest free one may clash with servers whose lock files lie in another
        /tmp), told through -displayfd once ready, then openbox; -noreset, or it refuses clients as the last leaves."""
        for number in random.sample(range(100, 30000), 5):
            read_end, write_end = os.pipe()
            self.processes.append(subprocess.Popen(["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0",
                                                    "%dx%dx24" % SCREEN, "-nolisten", "tcp", "-noreset"],
                                                   pass_fds=(write_end,), stderr=subprocess.DEVNULL))
            os.close(write_end)
            with os.fdopen(read_end, "rb") as told:
                if select.select([told], [], [], 20)[0] and told.readline().strip() == str(number).encode():
                    break
            self.processes.pop().kill()
        else:
            raise AssertionError("Xvfb started on none of 5 displays within 20 s each")
        # The throw-away folder is private (mode 0700), as the toolkit wants its runtime folder. For a build with
        # AddressSanitizer: leaks of the X11 platform's libraries are not the program's.
        leaks = [os.environ.get("LSAN_OPTIONS"), "print_suppressions=0",
                 f"suppressions={Path(__file__).with_name('lsan_suppressions.txt')}"]
        os.environ.update(DISPLAY=f":{number}", QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR="1", LSAN_OPTIONS=":".join(
            filter(None, leaks)), XDG_CONFIG_HOME=self.temp.name, XDG_RUNTIME_DIR=self.temp.name)
        self.processes.append(subprocess.Popen("openbox", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        self.wait("openbox", lambda: None if "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")
                  else "not managing the screen", 20)

    def install(self, build):
        """cmake --install below a prefix with a blank, checked, then moved as the tree can be as a whole."""
        # Moved to a name that is not UTF-8 (the byte 0xF8, "ř" in Latin-2), which the programs find all the same.
        prefix, moved = self.folder / "korvo prefix", self.folder / os.fsdecode(b"moved lat\xf8in")
        run("cmake", "--install", build, "--prefix", prefix, timeout=120)
        folder, share = prefix / "lib" / "korvo", prefix / "share"
        levels = range(int((folder / "levels" / "levels.ini").read_text().split()[0]))
        assert all((folder / "levels" / f"level{index}.lvl").is_file() for index in levels), "a level is missing"
        assert not any((folder / "data").iterdir()), "data/ is not empty"
        metainfo = (share / "metainfo" / "cz.tolmar.korvo.metainfo.xml").read_text()
        for launcher, program in (("cz.tolmar.korvo.desktop", "Korvo"), ("cz.tolmar.korvo.editor.desktop", "editor")):
            lines = set((share / "applications" / launcher).read_text().splitlines())
            assert {f'Exec="{folder / program}"', "Icon=cz.tolmar.korvo"} <= lines, f"{launcher}: {lines}"
            assert f'<launchable type="desktop-id">{launcher}</launchable>' in metainfo, f"no launchable {launcher}"
        prefix.rename(moved)
        self.dist, self.bin = moved / "lib" / "korvo", moved / "bin"

    def start(self, program, **environment):
        self.program = subprocess.Popen(program, cwd="/", stdout=(self.folder / "output").open("wb"),
                                        stderr=subprocess.STDOUT, env={**os.environ, **environment})
        self.processes.append(self.program)

    def ended(self):
        printed = (self.folder / "output").read_text(errors="replace").strip()
        return f"{self.program.args} ended with code {self.program.returncode}, printing: {printed or 'nothing'}"

    def wait(self, what, problem, timeout=10):
        """Polls problem() until it reports none; fails with its last report, or with the program under test's end."""
        deadline, ended = time.monotonic() + timeout, lambda: self.program and self.program.poll() is not None
        try:
            while (found := problem()) is not None and not ended():
                assert time.monotonic() <= deadline, f"{what}: {found} (still after {timeout} s)"
                time.sleep(0.1)
        finally:
            if ended():
                raise AssertionError(f"waiting for {what}: {self.ended()}")

    def wait_for_exit(self, what):
        """Waits for the program under test to end with code 0, having printed nothing: no toolkit warning either."""
        process, self.program = self.program, None
        self.wait(what, lambda: None if process.poll() is not None else "still running")
        self.program = process
        assert process.returncode == 0 and not (self.folder / "output").read_bytes(), self.ended()

    def shown(self, title):
        return run("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$", checked=False).split()

    def window(self, title, timeout=30):
        self.wait(f'the window "{title}"', lambda: None if self.shown(title) else "not shown", timeout)
        return self.shown(title)[0]

    def geometry(self, window):
        """x, y, width, height of the window's client area on the screen."""
        info = run("xwininfo", "-id", window)
        return [int(re.search(name + r":\s+(-?\d+)", info).group(1))
                for name in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]

    def title_bar(self, window):
        """The columns of the title bar above the window's client area, each a tuple of its pixels from the top."""
        (x, y, width, _), extents = self.geometry(window), run("xprop", "-id", window, "_NET_FRAME_EXTENTS")
        top = int(extents.split()[-2][:-1])
        pixel = image(width, run("import", "-window", "root", "-crop", f"{width}x{top}+{x}+{y - top}", "+repage",
                                 "-depth", "8", "rgb:-", raw=True))
        return [tuple(pixel(column, row) for row in range(top)) for column in range(width)]

    def drawn_title(self, title):
        """The title's columns as the window manager draws them in the bar of a wide window with the focus: those
        clear of the icon and the buttons that hold more than the bar's colour of each row."""
        reference = subprocess.Popen(["xmessage", "-title", title, "-geometry", "400x60", title],
                                     stderr=subprocess.DEVNULL)
        window = self.window(title)
        run("xdotool", "windowactivate", "--sync", window)
        self.wait(f'"{title}" with the focus', lambda: self.raised(window))
        columns = self.title_bar(window)
        bar = tuple(max(set(row), key=row.count) for row in zip(*columns))
        drawn = [column for column in range(60, 300) if columns[column] != bar]
        reference.kill()
        reference.wait()
        return columns[drawn[0]:drawn[-1] + 1]

    def title_cut(self, box, drawn):
        """None once the box's title bar shows the title as drawn whole."""
        columns = self.title_bar(box)
        shown = any(columns[at:at + len(drawn)] == drawn for at in range(len(columns) - len(drawn) + 1))
        return None if shown else f"the title cut in a box {len(columns)} pixels wide"

    def raised(self, window):
        """None once the window is on top and active, as the window manager tells them."""
        stack = run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").split("#")[1].split(",")
        front = str(int(stack[-1], 16)), run("xdotool", "getactivewindow").strip()
        return None if front == (window, window) else f"on top and active: {front}, not {window}"

    def off_centre(self, window):
        """None once the window stands centred on the screen with the frame that the window manager gave it."""
        (x, y, width, height), extents = self.geometry(window), run("xprop", "-id", window, "_NET_FRAME_EXTENTS")
        left, right, top, bottom = map(int, re.findall(r"\d+", extents) or (0, 0, 0, 0))  # none before framing
        off = ((2 * x + width - left + right - SCREEN[0]) / 2, (2 * y + height - top + bottom - SCREEN[1]) / 2)
        return None if max(map(abs, off)) <= 1 else f"off the centre by {off} with its frame"

    def expect(self, window, origin, expected, what, area=(0, 0, 269, 269), timeout=10):
        """Waits until each pixel (x, y) in area of the field at origin in the window, as the screen shows it,
        shows expected(x, y)."""
        def mismatch():
            (x, y), (left, top, width, height) = self.geometry(window)[:2], area
            pixel = image(width, run("import", "-window", "root", "-crop", f"{width}x{height}+{x + origin[0] + left}+"
                                     f"{y + origin[1] + top}", "+repage", "-depth", "8", "rgb:-", timeout=30, raw=True))
            for x, y in ((x, y) for y in range(top, top + height) for x in range(left, left + width)):
                if pixel(x - left, y - top) != expected(x, y):
                    return f"pixel ({x}, {y}) shows {pixel(x - left, y - top)}, expected {expected(x, y)}"
        self.wait(what, mismatch, timeout)


def idle_field(assets, scale=1):
    """The colours of the idle playfield, the snake's head alone in its start cell, at the window's scale."""
    field = sprites_over(lambda x, y: BLACK, {(261, 261): assets / "snake.xpm"})
    return lambda x, y: field(x // scale, y // scale)


def test_game(session, assets):
    """The game's window at its size and centred as it opens, Ctrl+N, the snake left alone crashing three times on
    the game's clock, then an idle window that stays."""
    at_start = idle_field(assets)
    window, size = session.window(GAME_TITLE), lambda: session.geometry(window)[2:]
    # A client area of 369 x 285 below the menu bar; the playfield at 8, 8 in it, inside its 2-pixel border.
    session.wait("the game window", lambda: None if size()[0] == 369 and 295 <= size()[1] <= 325 else size())
    session.wait("the game window centred", lambda: session.off_centre(window))
    origin = (10, size()[1] - 285 + 10)
    session.expect(window, origin, at_start, "the idle window before a game")
    titles = {title: session.drawn_title(title) for title in ("Korvo", "THE END")}
    run("xdotool", "windowactivate", "--sync", window, "key", "ctrl+n")
    for crash, title in enumerate(("Korvo", "Korvo", "THE END"), 1):
        since, box = time.monotonic(), session.window(title, 40)
        seconds = time.monotonic() - since  # 30 ticks of 200 ms: up column 29 from row 29, over row 0 and out
        assert 5.6 <= seconds <= 30, f"crash {crash} came after {seconds:.1f} s, not after 30 ticks of 200 ms"
        if title == "Korvo":  # shown with the snake back at its start and its track empty
            session.expect(window, origin, at_start, f"column 29 at crash {crash}", area=(261, 0, 8, 269))
        session.wait(f'the whole title of the box "{title}"', lambda: session.title_cut(box, titles[title]))
        run("xdotool", "windowactivate", "--sync", box, "key", "Return")
        session.wait(f'the box "{title}" closed', lambda: "still shown" if session.shown(title) else None)
    session.expect(window, origin, at_start, "the idle window after the game")
    time.sleep(1)  # five ticks' time, in which nothing may move
    session.expect(window, origin, at_start, "the idle window a second later", timeout=0)
    return window


def test_windows(session, window):
    """"O Programu", centred, and "Síň slávy", put behind the game window by a click on it, come to the front when
    chosen again; the game window keeps its size and place."""
    x, y, width, height = session.geometry(window)
    run("xdotool", "windowsize", window, 600, 500)  # refused, as the checks below leave time to see
    for title, keys in (("O Programu", ["Right", "Return"]), ("Síň slávy", ["Return"] + 3 * ["Down"] + ["Return"])):
        run("xdotool", "windowactivate", "--sync", window, "key", "alt", *keys)
        shown = session.window(title)
        if title == "O Programu":  # without a frame
            session.wait(f'"{title}" centred', lambda: session.off_centre(shown))
        run("xdotool", "mousemove", x + width // 2, y + height - 20, "click", "1")
        session.wait(f'"{title}" after a click on the game window', lambda: session.raised(window))
        run("xdotool", "key", "alt", *keys)
        session.wait(f'"{title}" chosen again', lambda: session.raised(shown))
    assert session.geometry(window) == [x, y, width, height], f"moved or resized to {session.geometry(window)}"


def test_scaled(session, assets):
    """The game at twice the size, as the README tells a player to start it: the window and its playfield with every
    pixel a 2 x 2 square."""
    window, size = session.window(GAME_TITLE), lambda: session.geometry(window)[2:]
    session.wait("the game window at twice the size", lambda: None if size()[0] == 738 and 590 <= size()[1] <= 650
                 else size())
    session.expect(window, (20, size()[1] - 550), idle_field(assets, 2), "the idle window at twice the size",
                   area=(0, 0, 538, 538))
    return window


def test_editor(session, assets):
    """The editor's size and grid, and presses of both buttons placing blocks."""
    window = session.window(EDITOR_TITLE)
    x, y, width, height = session.geometry(window)
    assert (width, height) == (484, 286), f"the editor's client area is {width} x {height}"
    origin, placed = (82, 10), {}  # the map at (80, 8) inside its 2-pixel border
    grid = lambda x, y: GRID if x % CELL == CELL - 1 or y % CELL == CELL - 1 else BLACK  # noqa: E731
    session.expect(window, origin, grid, "the empty map")
    for (px, py), button in (((100, 50), 1), ((268, 268), 3)):
        run("xdotool", "mousemove", "--sync", x + origin[0] + px, y + origin[1] + py, "click", button)
        placed[(px - px % CELL, py - py % CELL)] = assets / "wall.xpm"
        session.expect(window, origin, sprites_over(grid, placed), f"the map after a press at ({px}, {py})")
    return window


if __name__ == "__main__":
    if len(sys.argv) != 3 or not __debug__:
        sys.exit("usage: korvo_e2e.py BUILD ASSETS, without python -O, as its checks are asserts")
    with Session() as session:
        session.install(sys.argv[1])
        session.start_display()
        session.start(session.bin / "korvo")
        game = test_game(session, Path(sys.argv[2]))
        test_windows(session, game)
        run("xdotool", "windowactivate", "--sync", game, "key", "ctrl+q")
        session.wait_for_exit("the game after Ctrl+Q")
        assert (session.dist / "data" / "hal.hal").read_bytes() == INITIAL_HALL, "hal.hal is not the initial hall"
        session.start(session.bin / "korvo", QT_SCALE_FACTOR="2")
        run("xdotool", "windowactivate", "--sync", test_scaled(session, Path(sys.argv[2])), "key", "ctrl+q")
        session.wait_for_exit("the game at twice the size after Ctrl+Q")
        session.start(session.bin / "korvo-editor")
        editor = test_editor(session, Path(sys.argv[2]))
        run("xdotool", "windowactivate", "--sync", editor, "key", "alt+e")
        session.wait_for_exit("the editor after Alt+E")
