#!/bin/sh
# Runs the type-library generator under 64-bit Wine in the build tree's own
# prefix and waits for the prefix's processes to end. The first run of a
# new prefix also sets the prefix up; should that run fail, the generator
# runs once more with Wine's error messages shown, so that a failure says why.
#   make_typelib.sh WINE PREFIX GENERATOR OUTPUT SYSKIND
wine=$1 prefix=$2 generator=$3 output=$4 syskind=$5
export WINEPREFIX="$prefix" WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
WINEDEBUG=-all timeout 300 "$wine" "$generator" "$output" "$syskind" && exec timeout 60 wineserver -w
echo "make_typelib: the generator failed under Wine (exit $?); once more, with Wine's errors" >&2
timeout 60 wineserver -w
WINEDEBUG=err+all timeout 300 "$wine" "$generator" "$output" "$syskind" || exit 1
exec timeout 60 wineserver -w
