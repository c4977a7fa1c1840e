#!/bin/sh
# Runs one test program on an X server of its own, so web tests can run in parallel.
# Xvfb picks a free display itself and writes its number to the pipe given by -displayfd.
set -u
fifo=$(mktemp -u) && mkfifo "$fifo" || exit 1
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r display <"$fifo"
rm -f "$fifo"
if [ -z "$display" ]; then
    echo "Xvfb did not start" >&2
    kill "$xvfb" 2>/dev/null
    exit 1
fi
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status
