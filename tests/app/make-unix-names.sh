#!/bin/sh
# Files only the Unix side can make, for the hostile-name test: a name holding
# a backslash beside the file that name reaches, and symbolic links to a file
# beside them and to one outside the directory; two names that are not UTF-8,
# which Wine lists under one name and one short name.
set -eu
dir=$1
rm -rf "$dir" "$dir-elsewhere"
mkdir -p "$dir/back" "$dir-elsewhere"
printf 'x\n' >"$dir/back\\slash.txt"
printf 'inside\n' >"$dir/back/slash.txt"
printf 'target\n' >"$dir/target_in.txt"
printf 'outside\n' >"$dir-elsewhere/outside-target.txt"
printf 'x\n' >"$dir/bad$(printf '\376').txt"
printf '123456789\n' >"$dir/bad$(printf '\377').txt"
ln -s target_in.txt "$dir/link.txt"
ln -s "$dir-elsewhere/outside-target.txt" "$dir/outside.txt"
