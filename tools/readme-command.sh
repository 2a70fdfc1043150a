#!/bin/sh
# Prints one of the two commands that open README.md, from its first sh block:
# play the first (build and start the game), test the second (build and run
# the tests). .ci/run and tools/fresh-root.sh run them from here, so that what
# they run is what a reader of the README runs.
#
#   tools/readme-command.sh play|test [README]
set -e
case "$1" in
    play) line=1 ;;
    test) line=2 ;;
    *) echo "usage: $0 play|test [README]" >&2; exit 2 ;;
esac
readme=${2:-$(dirname "$0")/../README.md}
command=$(awk '/^```sh$/ { block++; next } block == 1 && /^```/ { exit } block == 1' "$readme" | sed -n "${line}p")
[ -n "$command" ] || { echo "$0: $readme has no command $line in its first sh block" >&2; exit 1; }
echo "$command"
