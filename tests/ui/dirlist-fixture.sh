#!/bin/sh
# Runs the test program (the arguments after the first) over directories only
# the Unix side can make, each holding f.bat, as a user who may not read every
# directory; TRAWL_DIRLIST_<level> names those nested that deep.
set -eu
win() { printf 'Z:%s' "$1" | tr / '\\'; }
dir=$1
shift
chmod -R u+rwx "$dir" 2>/dev/null || true
rm -rf "$dir"
for name in "space " spaceless dot. unreadable; do mkdir -p "$dir/$name" && : >"$dir/$name/f.bat"; done
# Nested, as a Unix name holds at most 255 bytes: level 2 is near the plain limit, 3 past it, 10 over 1,017 characters.
path=$dir/long
for level in 1 2 3 4 5 6 7 8 9 10; do
    path=$path/$(printf '%0100d' "$level")
    mkdir -p "$path" && : >"$path/f.bat"
    export TRAWL_DIRLIST_$level="$(win "$path")"
done
chmod 000 "$dir/unreadable"
# Root, as a build often runs, reads a mode-000 directory; without these two powers it does not.
powers=-dac_override,-dac_read_search
[ "$(id -u)" -eq 0 ] && setpriv --bounding-set=$powers true 2>/dev/null && set -- setpriv --bounding-set=$powers "$@"
status=0
TRAWL_DIRLIST=$(win "$dir") "$@" || status=$?
chmod u+rwx "$dir/unreadable"
exit $status
