#!/bin/sh
# trawl.exe started under Wine and driven from outside, as a person would:
# the main window comes up titled after PATH, typing a pattern and pressing
# Enter fills the result list, Delete from a row's popup removes that file
# and no other once confirmed, Open w/Notepad opens a row's file in Notepad,
# and F3 ends the program without asking.
#   search-and-exit.sh path/to/trawl.exe    (on a display, with a warm Wine)
set -eu
here=$(cd "$(dirname "$0")/../.." && pwd)
exe=$1
work=$(mktemp -d /tmp/trawl-e2e.XXXXXX)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    [ -n "$notepad" ] && kill "$notepad" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

# One file in each directory, so the rows come in the order of the list.
winepath=""
for name in alpha beta gamma delta; do
    mkdir -p "$work/dir/$name"
    printf '%s\n' "$name" > "$work/dir/$name/$name.e2e"
    winepath="$winepath${winepath:+;}Z:$(printf '%s' "$work/dir/$name" | tr / '\\')"
done
export WINEPATH="$winepath"
notepad=""
fingerprints() {
    for file in "$work"/dir/*/*.e2e; do
        printf '%s %s %s\n' "$file" "$(stat -c '%s %Y' "$file")" "$(md5sum < "$file")"
    done
}

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

# Right-click a row (window coordinates: rows 14 pixels apart from y 129)
# and choose a popup entry by its mnemonic.
popup() {
    xdotool mousemove --window "$window" 60 $((129 + 14 * $1)) click 3
    sleep 1
    xdotool key "$2"
}
wait_window() {
    found=""
    for _ in $(seq 1 30); do
        found=$(xdotool search --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$found" ] && break
        sleep 0.5
    done
    echo "$found"
}

before_delete=$(fingerprints)
popup 1 d
box=$(wait_window '^Delete File$')
[ -n "$box" ] || fail "Delete from the popup asked nothing"
# Keys go to the window under the pointer.
xdotool mousemove --window "$box" 20 20
sleep 0.3
xdotool key y
for _ in $(seq 1 20); do
    [ -e "$work/dir/beta/beta.e2e" ] || break
    sleep 0.5
done
[ ! -e "$work/dir/beta/beta.e2e" ] || fail "Yes did not delete the file on the row"
[ "$(fingerprints)" = "$(printf '%s\n' "$before_delete" | grep -v '/beta\.e2e ')" ] ||
    fail "another fixture file changed: $(fingerprints)"
echo "ok: Delete on the second row removed beta.e2e and nothing else"

popup 0 n
editor=$(wait_window '^alpha\.e2e - Notepad$')
[ -n "$editor" ] || fail "Open w/Notepad did not open alpha.e2e in Notepad"
notepad=$(xdotool getwindowpid "$editor" 2>/dev/null || true)
# Closed as a user closes it; killed only if it stays.
xdotool mousemove --window "$editor" 200 200 click 1
sleep 0.5
xdotool key alt+F4
for _ in $(seq 1 20); do
    xdotool search --name '^alpha\.e2e - Notepad$' >/dev/null 2>&1 || break
    sleep 0.5
done
[ -n "$notepad" ] && kill "$notepad" 2>/dev/null || true
notepad=""
echo "ok: Open w/Notepad opened alpha.e2e in Notepad"

# Notepad had the keyboard: a click on the status bar gives it back. On a
# loaded machine the click may land after the key, so the key is tried again.
# The program ends on the key press, so the window may be gone before the
# release reaches it: the process ending is what counts.
for _ in 1 2 3; do
    xdotool mousemove --window "$window" 100 252 click 1 2>/dev/null || true
    sleep 1
    xdotool key --window "$window" F3 2>/dev/null || true
    for _ in $(seq 1 20); do
        kill -0 "$pid" 2>/dev/null || break 2
        sleep 0.5
    done
done
if kill -0 "$pid" 2>/dev/null; then
    fail "F3 did not end the program"
fi
pid=""
echo "ok: F3 ended the program"
echo "5 passed, 0 failed"
