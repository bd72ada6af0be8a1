#!/bin/sh
# trawl.exe started under Wine and driven from outside, as a person would:
# the main window comes up titled after PATH, typing a pattern and pressing
# Enter fills the result list, and F3 ends the program without asking.
#   search-and-exit.sh path/to/trawl.exe    (on a display, with a warm Wine)
set -eu
here=$(cd "$(dirname "$0")/../.." && pwd)
exe=$1
work=$(mktemp -d /tmp/trawl-e2e.XXXXXX)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

mkdir -p "$work/dir"
for name in alpha beta gamma delta; do
    printf '%s\n' "$name" > "$work/dir/$name.e2e"
done
export WINEPATH="Z:$(printf '%s' "$work/dir" | tr / '\\')"

"$here/tools/wine-run" "$exe" >/dev/null 2>&1 &
pid=$!

window=""
for _ in $(seq 1 60); do
    window=$(xdotool search --name '^PATH - Trawl$' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.5
done
[ -n "$window" ] || fail "no window titled 'PATH - Trawl' appeared"
echo "ok: main window 'PATH - Trawl' is up"
sleep 1

# The rows area of the result list, below its heading, in window coordinates.
rows_spread() {
    import -window "$window" "$work/shot.png"
    convert "$work/shot.png" -crop 160x36+20+120 -colorspace gray -format '%[fx:standard_deviation]' info:
}
before=$(rows_spread)

xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool type --window "$window" --delay 60 '*.e2e'
xdotool key --window "$window" Return
# Rows are drawn text: the area stops being plain once they are there.
filled=no
for _ in $(seq 1 20); do
    sleep 0.5
    after=$(rows_spread)
    if awk -v b="$before" -v a="$after" 'BEGIN { exit !(b < 0.02 && a > b + 0.05) }'; then
        filled=yes
        break
    fi
done
echo "rows area spread: $before before the search, $after after"
[ "$filled" = yes ] || fail "the result list did not fill after Enter"
echo "ok: Enter searched and the list shows rows"

# The program ends on the key press, so the window may be gone before the
# release reaches it: the process ending is what counts.
xdotool key --window "$window" F3 2>/dev/null || true
for _ in $(seq 1 40); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
if kill -0 "$pid" 2>/dev/null; then
    fail "F3 did not end the program"
fi
pid=""
echo "ok: F3 ended the program"
echo "3 passed, 0 failed"
