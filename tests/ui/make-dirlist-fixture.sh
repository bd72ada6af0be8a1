#!/bin/sh
# Directories the Directory List must judge as the search reaches them, each
# holding f.bat: a name ending in a space, the entry of a name without it
# written with one, a name ending in a dot, one that may not be read, and
# directories whose Windows paths ("Z:" in front) are 250, 256 and 1,017
# characters long, nested as a Unix name holds at most 255 bytes.
set -eu
dir=$1
chmod -R u+rwx "$dir" 2>/dev/null || true
rm -rf "$dir"
for name in plain "space " spaceless dot. unreadable; do
    mkdir -p "$dir/$name"
    : >"$dir/$name/f.bat"
done
for length in 250 256 1017; do
    path=$dir/long
    while [ $((2 + ${#path} + 101)) -lt "$length" ]; do
        path=$path/$(printf '%0100d' 0)
    done
    path=$path/$(printf "%0$((length - 3 - ${#path}))d" 0)
    mkdir -p "$path"
    : >"$path/f.bat"
done
chmod 000 "$dir/unreadable"
