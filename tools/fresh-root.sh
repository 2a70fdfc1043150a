#!/bin/sh
# Runs one of the README's two commands, read from README.md itself, in a new
# Debian 12 root: a stand-in for a machine that has nothing installed yet. The
# minimal root is made once by debootstrap and kept pristine in the cache; each
# run starts from a copy of it, with the project copied to /root/korvo, and
# removes the copy afterwards. Each step of the command is timed, and what apt
# installed is counted.
#
#   tools/fresh-root.sh play|test [--rev REV] [--keep]
#
# play: the README's first command; the game it starts runs 10 s headless and
#       is then ended (still running then counts as started).
# test: its second command.
# --rev REV: the project as committed at REV instead of the working tree.
# --keep: leave the used root in place. Needs root. KORVO_ROOT_CACHE is the
# cache folder (default /var/cache/korvo).
set -eu

usage() { echo "usage: $0 play|test [--rev REV] [--keep]" >&2; exit 2; }
[ $# -ge 1 ] || usage
which=$1; shift
case $which in play|test) ;; *) usage ;; esac
rev="" keep=""
while [ $# -gt 0 ]; do
    case $1 in
        --rev) [ $# -ge 2 ] || usage; rev=$2; shift 2 ;;
        --keep) keep=1; shift ;;
        *) usage ;;
    esac
done
[ "$(id -u)" = 0 ] || { echo "$0: needs root (debootstrap, mount, chroot)" >&2; exit 2; }

source=$(cd "$(dirname "$0")/.." && pwd)
cache=${KORVO_ROOT_CACHE:-/var/cache/korvo}
pristine=$cache/bookworm
mkdir -p "$cache"
if [ ! -x "$pristine/bin/sh" ]; then
    rm -rf "$pristine.new"
    debootstrap --variant=minbase bookworm "$pristine.new" http://deb.debian.org/debian
    mv "$pristine.new" "$pristine"
fi

root=$(mktemp -d "$cache/run.XXXXXX")
cleanup() {
    # The mounts lived in a mount namespace of their own and ended with it;
    # never remove a tree that something is still mounted in.
    if grep -q " $root/" /proc/mounts; then
        echo "$0: $root still has mounts; left in place" >&2
    elif [ -z "$keep" ]; then
        rm -rf "$root"
    fi
}
trap cleanup EXIT
trap "exit 1" INT TERM
cp -a "$pristine/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir "$root/root/korvo"
if [ -n "$rev" ]; then
    git -C "$source" archive "$rev" | tar -x -C "$root/root/korvo"
else
    # The working tree as git sees it: tracked and new files, nothing ignored (no build folders).
    (cd "$source" && git ls-files -z --cached --others --exclude-standard |
        tar --null -T - --ignore-failed-read -c 2>/dev/null) | tar -x -C "$root/root/korvo"
fi

command=$("$source/tools/readme-command.sh" "$which" "$root/root/korvo/README.md")
echo "fresh root $root, project ${rev:-working tree}, the README's $which command:"
echo "  $command"

cat > "$root/root/steps.sh" <<'EOF'
# Runs the command's &&-steps one by one, timing each; the game's start is
# ended after 10 s.
cd /root/korvo
installed() { dpkg-query -W -f '${Status}\n' | grep -c "install ok installed"; }
before=$(installed)
echo "$1" | sed 's/ && /\n/g' > /root/steps
status=0
while read -r step; do
    start=$(date +%s)
    case $step in
        build/dist/Korvo*) QT_QPA_PLATFORM=offscreen timeout 10 sh -c "$step" < /dev/null || status=$?
                           [ $status = 124 ] && status=0 ;;
        *) sh -c "$step" < /dev/null 2>&1 | tee -a /root/log || status=$? ;;
    esac
    echo "STEP $(($(date +%s) - start)) s, exit $status: $step" >> /root/summary
    [ $status = 0 ] || break
done < /root/steps
echo "PACKAGES installed: $(($(installed) - before))" >> /root/summary
grep -h "^Need to get" /root/log | sed 's/^/APT /' >> /root/summary || true
echo "==== summary"
cat /root/summary
exit $status
EOF
# A pipe hides the failing step's code from sh; bash's pipefail keeps it, so
# the inner script runs under bash, which every Debian root has.
sed -i '1i set -o pipefail' "$root/root/steps.sh"

unshare --mount --pid --fork --mount-proc="$root/proc" sh -c '
    mount --rbind /dev "$1/dev" && mount --rbind /sys "$1/sys" && mount -t tmpfs tmpfs "$1/tmp" &&
    exec chroot "$1" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash /root/steps.sh "$2"' - "$root" "$command"
