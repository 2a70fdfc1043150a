#!/bin/sh
# Installs what Korvo needs on Debian 12, as root, for one of three uses:
#   play  building and playing: compiler, CMake, Qt, the Czech texts of Qt's
#         standard buttons, and the labels' face (Liberation Sans; DejaVu as
#         the fallback that fontconfig needs)
#   test  play, and what the test run needs: python3 and an X server with a
#         window manager for the end-to-end tests, xdotool, ImageMagick,
#         xwininfo and xmessage to drive and read them, the desktop file and
#         AppStream checkers
#   ci    test, and what .ci/run adds: clang and its runtime for the fuzz
#         targets, Google Benchmark, debootstrap for the fresh-root run
# Only what is missing is installed, without recommended packages.
set -e
play="cmake g++ make qt6-base-dev qt6-translations-l10n fonts-liberation2 fonts-dejavu-core"
test="$play python3 xvfb openbox xdotool imagemagick x11-utils desktop-file-utils appstream"
ci="$test clang libclang-rt-14-dev libbenchmark-dev debootstrap git"
case "$1" in
    play) packages=$play ;;
    test) packages=$test ;;
    ci) packages=$ci ;;
    *) echo "usage: $0 play|test|ci" >&2; exit 2 ;;
esac
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends $missing
fi
