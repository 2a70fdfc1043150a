#!/bin/sh
# Installs what building, running and testing Korvo needs on Debian 12.
set -e
packages="cmake g++ make qt6-base-dev qt6-translations-l10n libgl-dev fonts-liberation2 fonts-dejavu-core clang libclang-rt-14-dev libbenchmark-dev python3 desktop-file-utils appstream xvfb xdotool imagemagick x11-utils"
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y $missing
fi
