#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's first command as a user runs it: `make run` from the source folder, on a real X
# server, until the main window appears; then ends it. Usage: make_run_test.sh SOURCE BUILD
set -eu
source_dir=$1
build_dir=$2
work=$(mktemp -d)
server=""
run=""
finish() {
    [ -n "$run" ] && kill -TERM -- "-$run" 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

# A display of its own, numbered by the server, so parallel tests never share one.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
tries=0
while [ ! -s "$work/display" ]; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
    sleep 0.1
done
display=:$(cat "$work/display")

# In a process group of its own, so make and the program end together.
DISPLAY=$display QT_QPA_PLATFORM=xcb setsid make -C "$source_dir" --no-print-directory run \
    BUILD_DIR="$build_dir" >"$work/run.log" 2>&1 &
run=$!

tries=0
while ! DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q '"Voltiva V1.0"'; do
    if ! kill -0 "$run" 2>/dev/null; then
        echo "make run ended before the main window showed:"
        cat "$work/run.log"
        exit 1
    fi
    tries=$((tries + 1))
    [ "$tries" -le 600 ] || { echo "no main window after 60 s:"; cat "$work/run.log"; exit 1; }
    sleep 0.1
done
echo "make run showed the main window on $display"
