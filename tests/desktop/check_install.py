#!/usr/bin/env python3
"""Checks what cmake --install BUILD puts below a prefix: the program folder,
the links in bin/, the launchers (desktop-file-validate), the icons and the
AppStream metainfo (appstreamcli validate --no-net).

    check_install.py BUILD
"""

import os
import subprocess
import sys
import tempfile
from pathlib import Path

DESKTOP_ID = "cz.tolmar.korvo"
LAUNCHERS = {f"{DESKTOP_ID}.desktop": ("Korvo", "korvo"), f"{DESKTOP_ID}.editor.desktop": ("editor", "korvo-editor")}


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(*command):
    result = subprocess.run(command, capture_output=True, text=True, timeout=120)
    output = (result.stdout + result.stderr).strip()
    check(result.returncode == 0, f"{' '.join(command)} failed:\n{output}")
    return output or "no remarks"


def check_tree(prefix):
    folder, share = prefix / "lib" / "korvo", prefix / "share"
    levels = int((folder / "levels" / "levels.ini").read_text().split()[0])
    for index in range(levels):
        check((folder / "levels" / f"level{index}.lvl").is_file(), f"level{index}.lvl is not installed")
    data = folder / "data"
    check(not any(data.iterdir()) and os.access(data, os.W_OK), "data/ is no empty, writable folder")
    for size in (32, 48):
        icon = (share / "icons" / "hicolor" / f"{size}x{size}" / "apps" / f"{DESKTOP_ID}.png").read_bytes()
        check(icon[12:16] == b"IHDR" and icon[16:24] == 2 * size.to_bytes(4, "big"), f"no {size}-pixel icon")
    metainfo = share / "metainfo" / f"{DESKTOP_ID}.metainfo.xml"
    validation = run("appstreamcli", "validate", "--no-net", "--pedantic", str(metainfo))
    print(f"appstreamcli validate --no-net --pedantic {metainfo.name}: {validation}")
    for name, (program, command) in LAUNCHERS.items():
        check(os.access(folder / program, os.X_OK), f"{program} is not installed as a program")
        link = prefix / "bin" / command
        check(link.is_symlink() and os.readlink(link) == f"../lib/korvo/{program}", f"bin/{command} is no link to it")
        launcher = share / "applications" / name
        print(f"desktop-file-validate {name}:", run("desktop-file-validate", str(launcher)))
        entry = dict(line.split("=", 1) for line in launcher.read_text(encoding="utf-8").splitlines() if "=" in line)
        check((entry["Exec"], entry["Icon"]) == (f'"{folder / program}"', DESKTOP_ID),
              f"{name} starts {entry['Exec']} with the icon {entry['Icon']}")
        launchable = f'<launchable type="desktop-id">{name}</launchable>'
        check(launchable in metainfo.read_text(), f"the metainfo misses {launchable}")


def main():
    try:
        with tempfile.TemporaryDirectory() as temp:
            prefix = Path(temp) / "prefix with blank"
            run("cmake", "--install", sys.argv[1], "--prefix", str(prefix))
            check_tree(prefix)
    except (Failure, OSError, KeyError, ValueError, subprocess.TimeoutExpired) as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    print("PASS: install tree")
    return 0


if __name__ == "__main__":
    sys.exit(main())
